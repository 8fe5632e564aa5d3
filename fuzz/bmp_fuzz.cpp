// Feeds arbitrary bytes to the BMP and packed-DIB readers.
#include "core/BmpFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  tessaro::TBitmap bmp;
  std::string error;
  if (tessaro::ReadBmp(data, size, bmp, &error)) {
    // A decoded bitmap must be fully addressable.
    uint32_t sum = 0;
    for (int y = 0; y < bmp.Height(); ++y)
      sum += bmp.GetPixel(bmp.Width() - 1, y);
    volatile uint32_t sink = sum;
    (void)sink;
  }
  tessaro::ReadDib(data, size, bmp, &error);
  return 0;
}
