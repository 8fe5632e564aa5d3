// Flood fill: scanline fill over the 4-neighbourhood. The region is found
// first (with a visited mask, so the fill ends for every brush and mode,
// also when the brush leaves the target colour unchanged), then painted with
// the brush in one pass.
#include "core/Canvas.h"

#include "core/RasterSpans.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tessaro {

using raster::TCoverage;

namespace {

class TVisited {
public:
  TVisited(int w, int h) : FWords((size_t(w) + 63) / 64), FBits(FWords * size_t(h), 0) {}
  bool Get(int x, int y) const { return (FBits[size_t(y) * FWords + (x >> 6)] >> (x & 63)) & 1u; }
  void SetRange(int y, int x0, int x1) { // x0 .. x1 inclusive
    uint64_t *row = FBits.data() + size_t(y) * FWords;
    while (x0 <= x1) {
      int bit = x0 & 63;
      int n = std::min(64 - bit, x1 - x0 + 1);
      uint64_t mask = n == 64 ? ~uint64_t(0) : (((uint64_t(1) << n) - 1) << bit);
      row[x0 >> 6] |= mask;
      x0 += n;
    }
  }
  // First x in [x, xEnd] that is not visited, or xEnd + 1.
  int NextUnvisited(int y, int x, int xEnd) const {
    const uint64_t *row = FBits.data() + size_t(y) * FWords;
    while (x <= xEnd) {
      uint64_t word = row[x >> 6] >> (x & 63);
      if (word == (~uint64_t(0) >> (x & 63))) {
        x = (x | 63) + 1;
        continue;
      }
      if (!(word & 1))
        return x;
      ++x;
    }
    return xEnd + 1;
  }

  // First x in [x, xEnd] that is visited, or xEnd + 1.
  int NextVisited(int y, int x, int xEnd) const {
    const uint64_t *row = FBits.data() + size_t(y) * FWords;
    while (x <= xEnd) {
      uint64_t word = row[x >> 6] >> (x & 63);
      if (word == 0) {
        x = (x | 63) + 1;
        continue;
      }
      if (word & 1)
        return x;
      ++x;
    }
    return xEnd + 1;
  }

private:
  size_t FWords;
  std::vector<uint64_t> FBits;
};

template <TPixelFormat PF> struct TReader {
  static uint32_t Get(const uint8_t *row, int x) { return raster::ReadStored(row, x, PF); }
};
template <> struct TReader<pf24bit> {
  static uint32_t Get(const uint8_t *row, int x) {
    const uint8_t *p = row + 3 * x;
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
  }
};
template <> struct TReader<pf32bit> {
  static uint32_t Get(const uint8_t *row, int x) {
    uint32_t v;
    std::memcpy(&v, row + 4 * x, 4);
    return v;
  }
};
template <> struct TReader<pf8bit> {
  static uint32_t Get(const uint8_t *row, int x) { return row[x]; }
};

template <TPixelFormat PF>
void FindRegion(const TBitmap &bmp, int sx, int sy, uint32_t target, bool surface, TCoverage &region) {
  const int w = bmp.Width(), h = bmp.Height();
  TVisited visited(w, h);
  auto match = [&](const uint8_t *row, int x) {
    return ((TReader<PF>::Get(row, x) & raster::FormatMask(PF)) == target) == surface;
  };
  // First x in [x, xEnd] that does not match, or xEnd + 1. A 24-bit surface
  // compares four pixels at a time.
  uint8_t pattern[12];
  for (int i = 0; i < 12; ++i)
    pattern[i] = uint8_t(target >> (8 * (i % 3)));
  auto ScanMatch = [&](const uint8_t *row, int x, int xEnd) {
    if constexpr (PF == pf24bit) {
      if (surface)
        while (x + 3 <= xEnd && std::memcmp(row + 3 * size_t(x), pattern, 12) == 0)
          x += 4;
    }
    while (x <= xEnd && match(row, x))
      ++x;
    return x;
  };
  // Pending runs of matching, unvisited pixels: (y, x0, x1), inclusive.
  struct TRun {
    int Y, X0, X1;
  };
  std::vector<TRun> stack;
  stack.push_back(TRun{sy, sx, sx});
  while (!stack.empty()) {
    TRun run = stack.back();
    stack.pop_back();
    // A span that reached any pixel of the run covered all of it.
    if (visited.Get(run.X0, run.Y))
      continue;
    const uint8_t *row = bmp.ScanLine(run.Y);
    int l = run.X0, r = run.X1;
    while (l > 0 && !visited.Get(l - 1, run.Y) && match(row, l - 1))
      --l;
    while (r < w - 1 && !visited.Get(r + 1, run.Y) && match(row, r + 1))
      ++r;
    visited.SetRange(run.Y, l, r);
    region.Add(run.Y, l, r + 1);
    for (int ny : {run.Y - 1, run.Y + 1}) {
      if (ny < 0 || ny >= h)
        continue;
      const uint8_t *nrow = bmp.ScanLine(ny);
      int x = l;
      while (x <= r) {
        x = visited.NextUnvisited(ny, x, r);
        if (x > r)
          break;
        if (!match(nrow, x)) {
          ++x;
          continue;
        }
        int start = x;
        int end = std::min(ScanMatch(nrow, x, r), visited.NextVisited(ny, x, r));
        x = end;
        stack.push_back(TRun{ny, start, x - 1});
      }
    }
  }
}

} // namespace

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
  if (x < 0 || y < 0 || x >= FBitmap.Width() || y >= FBitmap.Height() || Brush.Style == bsClear)
    return;
  TPixelFormat pf = FBitmap.PixelFormat();
  uint32_t fmask = raster::FormatMask(pf);
  uint32_t target = FBitmap.StoredFromColor(ColorToRGB(color) & 0xFFFFFF) & fmask;
  bool surface = style == fsSurface;
  uint32_t start = FBitmap.GetStored(x, y) & fmask;
  if ((start == target) != surface)
    return;
  raster::TRopMasks m = raster::PenMasks(FBitmap, Pen.Mode, Brush.Color);
  if (m.IsNop(fmask))
    return;
  // A solid brush that leaves the target colour as it is changes nothing.
  if (surface && Brush.Style == bsSolid && (m.Apply(target) & fmask) == target)
    return;
  TCoverage region(ClipRect());
  switch (pf) {
  case pf1bit:
    FindRegion<pf1bit>(FBitmap, x, y, target, surface, region);
    break;
  case pf4bit:
    FindRegion<pf4bit>(FBitmap, x, y, target, surface, region);
    break;
  case pf8bit:
    FindRegion<pf8bit>(FBitmap, x, y, target, surface, region);
    break;
  case pf15bit:
    FindRegion<pf15bit>(FBitmap, x, y, target, surface, region);
    break;
  case pf16bit:
    FindRegion<pf16bit>(FBitmap, x, y, target, surface, region);
    break;
  case pf24bit:
    FindRegion<pf24bit>(FBitmap, x, y, target, surface, region);
    break;
  case pf32bit:
    FindRegion<pf32bit>(FBitmap, x, y, target, surface, region);
    break;
  default:
    return;
  }
  TRect changed = raster::ApplyCoverage(FBitmap, region, m, Brush.Style);
  if (!changed.IsEmpty())
    FBitmap.Changed(changed);
}

} // namespace tessaro
