// Fuzz target of the Encapsulated Postscript import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Encapsulated Postscript")
