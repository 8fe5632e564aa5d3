// Block copies: CopyRect, BrushCopy, Draw and StretchDraw. Stretching picks
// the nearest source pixel; rectangles whose width (or height) signs differ
// mirror the picture. Source colours become the destination's stored values
// (stored values are copied directly when format and palette match); the
// pattern of the copy modes is the brush colour.
#include "core/Canvas.h"

#include "core/Parallel.h"
#include "core/RasterShapes.h"
#include "core/RasterSpans.h"

#include <cstring>
#include <memory>
#include <vector>

namespace tessaro {

namespace {

// Maps destination offsets 0 .. dn - 1 to source coordinates.
std::vector<int> NearestMap(int first, int count, int destStart, int dn, int srcStart, int sn, bool flip) {
  std::vector<int> map(size_t(count > 0 ? count : 0));
  for (int k = 0; k < count; ++k) {
    long long i = (long long)first + k - destStart;
    long long u = ((2 * i + 1) * sn) / (2LL * dn);
    map[size_t(k)] = int(flip ? srcStart + sn - 1 - u : srcStart + u);
  }
  return map;
}

int BytesPerPixel(TPixelFormat pf) {
  switch (pf) {
  case pf8bit:
    return 1;
  case pf15bit:
  case pf16bit:
    return 2;
  case pf24bit:
    return 3;
  case pf32bit:
    return 4;
  default:
    return 0;
  }
}

} // namespace

void TCanvas::StretchFrom(const TRect &destIn, const TBitmap &source, const TRect &sourceIn, uint32_t rop,
                          bool replace, TColor replaceColor) {
  using raster::ClampCoord;
  TRect dest(ClampCoord(destIn.Left), ClampCoord(destIn.Top), ClampCoord(destIn.Right),
             ClampCoord(destIn.Bottom));
  TRect sourceRect(ClampCoord(sourceIn.Left), ClampCoord(sourceIn.Top), ClampCoord(sourceIn.Right),
                   ClampCoord(sourceIn.Bottom));
  int dw = dest.Right - dest.Left, dh = dest.Bottom - dest.Top;
  int sw = sourceRect.Right - sourceRect.Left, sh = sourceRect.Bottom - sourceRect.Top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || source.Empty() || FBitmap.Empty())
    return;
  bool flipX = (dw < 0) != (sw < 0), flipY = (dh < 0) != (sh < 0);
  TRect D = NormalizeRect(dest.Left, dest.Top, dest.Right, dest.Bottom);
  TRect S = NormalizeRect(sourceRect.Left, sourceRect.Top, sourceRect.Right, sourceRect.Bottom);
  TRect C = IntersectRect(D, ClipRect());
  if (C.IsEmpty())
    return;
  // Reading from this raster: work from a snapshot of the source area, so
  // that overlapping rectangles copy the pixels as they were.
  const TBitmap *src = &source;
  std::unique_ptr<TBitmap> snapshot;
  int ox = 0, oy = 0;
  if (&source == &FBitmap) {
    TRect sc = IntersectRect(S, TRect(0, 0, source.Width(), source.Height()));
    if (sc.IsEmpty())
      return;
    snapshot = std::make_unique<TBitmap>(sc.Width(), sc.Height(), source.PixelFormat());
    if (IsPaletteFormat(source.PixelFormat()))
      snapshot->SetPalette(source.Palette());
    for (int y = 0; y < sc.Height(); ++y) {
      const uint8_t *from = source.ScanLine(sc.Top + y);
      uint8_t *to = snapshot->ScanLine(y);
      for (int x = 0; x < sc.Width(); ++x)
        raster::WriteStored(to, x, source.PixelFormat(),
                            raster::ReadStored(from, sc.Left + x, source.PixelFormat()));
    }
    src = snapshot.get();
    ox = sc.Left;
    oy = sc.Top;
  }
  std::vector<int> cols = NearestMap(C.Left, C.Width(), D.Left, D.Width(), S.Left, S.Width(), flipX);
  std::vector<int> rows = NearestMap(C.Top, C.Height(), D.Top, D.Height(), S.Top, S.Height(), flipY);
  for (int &c : cols)
    c -= ox;
  for (int &r : rows)
    r -= oy;
  TPixelFormat spf = src->PixelFormat(), dpf = FBitmap.PixelFormat();
  uint32_t fmask = raster::FormatMask(dpf);
  bool same = spf == dpf && (!IsPaletteFormat(dpf) || src->Palette() == FBitmap.Palette());
  uint32_t pattern = FBitmap.StoredFromColor(ColorToRGB(Brush.Color) & 0xFFFFFF) & fmask;
  TColor replaceRGB = ColorToRGB(replaceColor);
  // Straight copy row by row when nothing has to be converted or scaled.
  int bpp = BytesPerPixel(dpf);
  bool plain = rop == cmSrcCopy && same && !replace && bpp > 0 && !flipX && D.Width() == S.Width();
  // Every destination row is written by one piece alone (each pixel once),
  // so the rows are shared among threads; each piece keeps its own cache.
  auto copyRows = [&](int k0, int k1) {
    // Colour conversion through a small cache keyed by the source value.
    constexpr uint32_t CacheSize = 4096;
    std::vector<uint64_t> cacheKey;
    std::vector<uint32_t> cacheValue;
    if (!plain && (!same || replace)) {
      cacheKey.assign(CacheSize, ~uint64_t(0));
      cacheValue.assign(CacheSize, 0);
    }
    auto convert = [&](uint32_t v) -> uint32_t {
      if (same && !replace)
        return v;
      uint32_t slot = (v * 2654435761u) >> 20;
      if (cacheKey[slot] == v)
        return cacheValue[slot];
      TColor c = src->ColorFromStored(v);
      uint32_t out;
      if (replace && c == replaceRGB)
        out = pattern;
      else
        out = same ? v : FBitmap.StoredFromColor(c) & fmask;
      cacheKey[slot] = v;
      cacheValue[slot] = out;
      return out;
    };
    for (int k = k0; k < k1; ++k) {
      int sy = rows[size_t(k)];
      if (sy < 0 || sy >= src->Height())
        continue;
      const uint8_t *srow = src->ScanLine(sy);
      uint8_t *drow = FBitmap.ScanLine(C.Top + k);
      if (plain) {
        int x0 = 0, x1 = C.Width();
        while (x0 < x1 && (cols[size_t(x0)] < 0 || cols[size_t(x0)] >= src->Width()))
          ++x0;
        while (x1 > x0 && (cols[size_t(x1 - 1)] < 0 || cols[size_t(x1 - 1)] >= src->Width()))
          --x1;
        if (x0 < x1)
          std::memcpy(drow + size_t(C.Left + x0) * bpp, srow + size_t(cols[size_t(x0)]) * bpp,
                      size_t(x1 - x0) * bpp);
        continue;
      }
      for (int j = 0; j < C.Width(); ++j) {
        int sx = cols[size_t(j)];
        if (sx < 0 || sx >= src->Width())
          continue;
        uint32_t s = convert(raster::ReadStored(srow, sx, spf));
        int dx = C.Left + j;
        uint32_t r;
        if (rop == cmSrcCopy)
          r = s;
        else
          r = ApplyRop3(rop, pattern, s, raster::ReadStored(drow, dx, dpf));
        raster::WriteStored(drow, dx, dpf, r & fmask);
      }
    }
  };
  ParallelFor(0, C.Height(), ThreadsFor(int64_t(C.Width()) * C.Height()), copyRows);
  FBitmap.Changed(C);
}

void TCanvas::CopyRect(const TRect &dest, TCanvas &source, const TRect &sourceRect) {
  StretchFrom(dest, source.Bitmap(), sourceRect, CopyMode);
}

void TCanvas::BrushCopy(const TRect &dest, const TBitmap &bitmap, const TRect &sourceRect, TColor color) {
  StretchFrom(dest, bitmap, sourceRect, cmSrcCopy, true, color);
}

void TCanvas::Draw(int x, int y, const TBitmap &bitmap) {
  x = raster::ClampCoord(x);
  y = raster::ClampCoord(y);
  StretchFrom(TRect(x, y, x + bitmap.Width(), y + bitmap.Height()), bitmap,
              TRect(0, 0, bitmap.Width(), bitmap.Height()), CopyMode);
}

void TCanvas::StretchDraw(const TRect &dest, const TBitmap &bitmap) {
  StretchFrom(dest, bitmap, TRect(0, 0, bitmap.Width(), bitmap.Height()), CopyMode);
}

} // namespace tessaro
