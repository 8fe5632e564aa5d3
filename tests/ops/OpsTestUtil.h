// Small fixtures for the raster routine tests: bitmaps built from pixel
// lists and pixels read back as (red, green, blue).
#pragma once

#include "core/Bitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace tessaro::test {

using TRGB = std::array<int, 3>;

inline TBitmap Uniform(int w, int h, TRGB c) {
  TBitmap b(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, RGB(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2])));
  return b;
}

// A bitmap whose pixels all differ: good for seeing where pixels went.
inline TBitmap Pattern(int w, int h) {
  TBitmap b(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, RGB(uint8_t(x * 7 + y), uint8_t(y * 13 + 5), uint8_t((x * 31) ^ (y * 3))));
  return b;
}

inline TRGB Px(const TBitmap &b, int x, int y) {
  TColor c = b.GetPixel(x, y);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

inline void SetPx(TBitmap &b, int x, int y, TRGB c) {
  b.SetPixel(x, y, RGB(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2])));
}

inline bool SamePixels(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
    return false;
  const size_t n = size_t(a.Width()) * size_t(BitsPerPixel(a.PixelFormat())) / 8;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), n) != 0)
      return false;
  return true;
}

} // namespace tessaro::test
