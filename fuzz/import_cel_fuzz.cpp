// Fuzz target of the Autodesk import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Autodesk")
