// Fuzz target of the Photoshop import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Photoshop")
