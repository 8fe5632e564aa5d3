// Fuzz target of the Truevision Targa import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Truevision Targa")
