// Fuzz target of the Paintshop Pro import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Paintshop Pro")
