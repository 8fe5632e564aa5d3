// Fuzz target of the Kodak Photo CD import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Kodak Photo CD")
