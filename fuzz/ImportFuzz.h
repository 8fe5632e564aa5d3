// The body shared by the fuzz targets of the import readers: recognition and
// decoding of arbitrary bytes by the reader of the given name.
#pragma once

#include "files/ImportEps.h"
#include "files/ImportReaders.h"

#include <algorithm>
#include <cstring>

namespace tessaro::fuzz {

inline const TImportReader &ReaderNamed(const char *name) {
  SetEpsRenderingEnabled(false); // never start Ghostscript here
  for (auto &r : ImportReaders())
    if (std::strcmp(r->Name(), name) == 0)
      return *r;
  __builtin_trap();
}

inline int FuzzImportReader(const TImportReader &reader, const uint8_t *data, size_t size) {
  reader.Recognise(data, std::min<size_t>(size, 4096));
  TBitmap bmp;
  std::string error;
  if (!reader.Read("", data, size, bmp, error) && error.empty())
    __builtin_trap(); // a failure always has its reason
  return 0;
}

} // namespace tessaro::fuzz

// Defines the libFuzzer entry point for the reader called `name`.
#define TESSARO_IMPORT_FUZZER(name)                                                                          \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {                                  \
    static const tessaro::TImportReader &reader = tessaro::fuzz::ReaderNamed(name);                          \
    return tessaro::fuzz::FuzzImportReader(reader, data, size);                                              \
  }
