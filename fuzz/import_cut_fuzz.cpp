// Fuzz target of the Dr. Halo import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Dr. Halo")
