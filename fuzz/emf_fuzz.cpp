// Feeds arbitrary bytes to the emf decoder: it must fail or succeed
// cleanly, within the memory limit.
#include "files/ImageCodecs.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  tessaro::SetDecodePixelLimit(uint64_t(1) << 20);
  tessaro::TBitmap bmp;
  std::string error;
  tessaro::ReadEmf(data, size, bmp, error);
  return 0;
}
