// Fuzz target of the Alias Wavefront import reader: recognition and decoding of
// arbitrary bytes.
#include "ImportFuzz.h"

TESSARO_IMPORT_FUZZER("Alias Wavefront")
