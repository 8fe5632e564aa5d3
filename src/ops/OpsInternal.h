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
#include "core/Parallel.h"

namespace tessaro::ops {

// The raster of a bitmap as a routine works on it. The message loop may run
// an event handler that changes the same bitmap: after each run the routine
// looks again. Pixels changed in place are simply worked on (as a row loop
// would do); a raster of another size or format ends the routine, whose
// remembered rows no longer fit it.
struct TRasterView {
  TBitmap *Bitmap;
  int Width, Height;
  TPixelFormat Format;
  size_t Stride;
  uint8_t *Bits;

  explicit TRasterView(TBitmap &bmp)
      : Bitmap(&bmp), Width(bmp.Width()), Height(bmp.Height()), Format(bmp.PixelFormat()),
        Stride(bmp.RowBytes()), Bits(bmp.Bits()) {}
  // False when the raster no longer has the size and format seen first.
  bool Refresh() {
    if (Bitmap->Width() != Width || Bitmap->Height() != Height || Bitmap->PixelFormat() != Format)
      return false;
    Bits = Bitmap->Bits();
    return true;
  }
  uint8_t *Row(int y) const { return Bits + size_t(y) * Stride; }
  int64_t Pixels() const { return int64_t(Width) * Height; }
};

// Rows [first, last) of a routine whose row loop runs the message loop
// before every row whose index is a multiple of interval: in bands between
// those rows, each band's rows shared among the threads (rowsFn(y0, y1) for
// pieces of a band). False when a view changed its size or format while the
// message loop ran.
template <class Fn, class... Views>
bool RowBands(int first, int last, int interval, int threads, Fn &&rowsFn, Views &...views) {
  return ForEachBand(
      first, last, INT_MAX, [interval](int y) { return y % interval == 0 ? 1 : 0; },
      [&] { return (views.Refresh() && ...); },
      [&](int b0, int b1) { ParallelFor(b0, b1, threads, rowsFn); });
}

// Runs Fn(row, pixelBytes) on every row of a working bitmap with the
// hourglass and the message loop every 100 rows, then announces the change.
template <class Fn> bool ForEachRow(TBitmap *bmp, Fn &&fn) {
  if (!IsWorkingBitmap(bmp))
    return false;
  TWaitCursor wait;
  const size_t bytes = PixelBytes(*bmp);
  TRasterView view(*bmp);
  const bool ran = RowBands(
      0, view.Height, 100, ThreadsFor(view.Pixels()),
      [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
          fn(view.Row(y), bytes);
      },
      view);
  if (ran)
    AnnounceChange(*bmp);
  return ran;
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
