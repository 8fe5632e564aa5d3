// Small helpers shared by the raster routines (not part of the public names).
#pragma once

#include "core/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessaro::ops {

// Round to the nearest integer, halves to the even one.
inline double RoundEven(double v) {
  return std::nearbyint(v);
}

inline uint8_t ClampByte(int v) {
  return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// Bytes of the pixels of one pf24bit row (without padding).
inline size_t PixelBytes(const TBitmap &bmp) {
  return size_t(bmp.Width()) * 3;
}

} // namespace tessaro::ops

#include "core/Hooks.h"

namespace tessaro::ops {

// Runs Fn(row, pixelBytes) on every row of a working bitmap with the
// hourglass and the message loop every 100 rows, then announces the change.
template <class Fn> bool ForEachRow(TBitmap *bmp, Fn &&fn) {
  if (!IsWorkingBitmap(bmp))
    return false;
  TWaitCursor wait;
  const size_t bytes = PixelBytes(*bmp);
  const int h = bmp->Height();
  for (int y = 0; y < h; ++y) {
    RowTick(y, 100, h);
    fn(bmp->ScanLine(y), bytes);
  }
  AnnounceChange(*bmp);
  return true;
}

} // namespace tessaro::ops

namespace tessaro::ops {

// Runs f(i) for i = 0 .. n - 1 in blocks of a fixed size, which the
// compiler vectorises even under its cheapest cost model, then the rest.
template <size_t Block = 32, class F> inline void BlockLoop(size_t n, F &&f) {
  size_t i = 0;
  for (; i + Block <= n; i += Block)
    for (size_t j = 0; j < Block; ++j)
      f(i + j);
  for (; i < n; ++i)
    f(i);
}

} // namespace tessaro::ops
