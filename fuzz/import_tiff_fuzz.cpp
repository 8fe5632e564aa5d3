// Fuzz target of the TIFF import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("TIFF")
