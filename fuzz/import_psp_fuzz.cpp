// Fuzz target of the Paintshop Pro import reader: recognition and decoding of
// arbitrary bytes.
#include "files/ImportEps.h"
#include "files/ImportReaders.h"

#include <algorithm>
#include <cstring>

namespace {

const tessaro::TImportReader &TheReader() {
  static const tessaro::TImportReader *reader = [] {
    tessaro::SetEpsRenderingEnabled(false); // never start Ghostscript here
    for (auto &r : tessaro::ImportReaders())
      if (std::strcmp(r->Name(), "Paintshop Pro") == 0)
        return r.get();
    __builtin_trap();
  }();
  return *reader;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const tessaro::TImportReader &reader = TheReader();
  reader.Recognise(data, std::min<size_t>(size, 4096));
  tessaro::TBitmap bmp;
  std::string error;
  if (!reader.Read("", data, size, bmp, error) && error.empty())
    __builtin_trap(); // a failure always has its reason
  return 0;
}
