// Quarter turns, mirrors, free rotation, skew, resize and the paper size.
#include "ops/Bitmap32.h"
#include "ops/LUMGraphics.h"
#include "ops/OpsInternal.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace tessaro {

using namespace ops;

namespace {

// Writes the pixels of `from` into `to` in reverse order, four bytes at a
// time: each store's fourth byte belongs to the next pixel, which is written
// right after it, and the last pixel is written with three. `from` must be
// readable one byte beyond its last pixel.
inline void ReversePixels(uint8_t *__restrict to, const uint8_t *__restrict from, int count) {
  if (count <= 0)
    return;
  const uint8_t *s = from + size_t(count - 1) * 3;
  for (int x = 0; x < count - 1; ++x, to += 3, s -= 3) {
    uint32_t v;
    std::memcpy(&v, s, 4);
    std::memcpy(to, &v, 4);
  }
  to[0] = s[0];
  to[1] = s[1];
  to[2] = s[2];
}

// Replaces the bitmap's contents by `result`. When the size changes, the old
// pixels go first, so that the copy never sits beside both rasters.
void TakeResult(TBitmap &bmp, const TBitmap &result) {
  if (bmp.ImageBytes() != result.ImageBytes())
    bmp.Allocate(0, 0, pf24bit);
  bmp.Assign(result);
}

// Ticks the message loop for row y and its partner row of a pairwise pass,
// so that every multiple of 100 is met once.
inline void PairTick(int y, int partner) {
  RowTick(y);
  if (partner != y)
    RowTick(partner);
}

} // namespace

bool Rotate90(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  TBitmap turned;
  turned.Allocate(h, w, pf24bit, false); // every pixel is written below
  const uint8_t *src = Bitmap->Bits();
  const size_t srcStride = Bitmap->RowBytes();
  // New pixel (x, y) is old pixel (y, h - 1 - x); tiles keep both rasters in
  // the cache. Pixels move as four-byte words whose fourth byte is
  // overwritten by the next pixel, except where that byte is not the next
  // pixel's: the last source column and the last pixel of a new row.
  // A band of new rows reads whole cache lines of each old row.
  constexpr int Band = 64, Tile = 32;
  for (int ny0 = 0; ny0 < w; ny0 += Band) {
    const int ny1 = std::min(ny0 + Band, w);
    for (int ny = ny0; ny < ny1; ++ny)
      RowTick(ny);
    for (int nx0 = 0; nx0 < h; nx0 += Tile) {
      const int nx1 = std::min(nx0 + Tile, h);
      for (int ny = ny0; ny < ny1; ++ny) {
        uint8_t *d = turned.ScanLine(ny) + size_t(nx0) * 3;
        const uint8_t *s = src + size_t(h - 1 - nx0) * srcStride + size_t(ny) * 3;
        const int wide = (ny == w - 1) ? nx0 : (nx1 == h ? nx1 - 1 : nx1);
        int nx = nx0;
        for (; nx < wide; ++nx, d += 3, s -= srcStride) {
          uint32_t v;
          std::memcpy(&v, s, 4);
          std::memcpy(d, &v, 4);
        }
        for (; nx < nx1; ++nx, d += 3, s -= srcStride) {
          d[0] = s[0];
          d[1] = s[1];
          d[2] = s[2];
        }
      }
    }
  }
  TakeResult(*Bitmap, turned);
  return true;
}

bool Rotate180(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const size_t bytes = PixelBytes(*Bitmap);
  std::vector<uint8_t> savedTop(bytes + 4), savedBottom(bytes + 4);
  // Row y and row h - 1 - y trade places, each reversed.
  for (int y = 0; y <= (h - 1) / 2; ++y) {
    const int other = h - 1 - y;
    PairTick(y, other);
    uint8_t *top = Bitmap->ScanLine(y), *bottom = Bitmap->ScanLine(other);
    std::memcpy(savedTop.data(), top, bytes);
    std::memcpy(savedBottom.data(), bottom, bytes);
    if (other != y)
      ReversePixels(top, savedBottom.data(), w);
    ReversePixels(bottom, savedTop.data(), w);
  }
  AnnounceChange(*Bitmap);
  return true;
}

bool FlipHorizontal(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const size_t bytes = PixelBytes(*Bitmap);
  std::vector<uint8_t> saved(bytes + 4);
  for (int y = 0; y < h; ++y) {
    uint8_t *row = Bitmap->ScanLine(y);
    std::memcpy(saved.data(), row, bytes);
    // The message loop runs before every pixel whose index is a multiple of
    // 100, so the row is mirrored in runs of 100 pixels.
    for (int x0 = 0; x0 < w; x0 += 100) {
      ProcessMessages();
      const int n = std::min(100, w - x0);
      ReversePixels(row + size_t(x0) * 3, saved.data() + size_t(w - x0 - n) * 3, n);
    }
  }
  AnnounceChange(*Bitmap);
  return true;
}

bool FlipVertical(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  const int h = Bitmap->Height();
  const size_t bytes = PixelBytes(*Bitmap);
  std::vector<uint8_t> saved(bytes + 1);
  for (int y = 0; y < h / 2; ++y) {
    const int other = h - 1 - y;
    PairTick(y, other);
    uint8_t *top = Bitmap->ScanLine(y), *bottom = Bitmap->ScanLine(other);
    std::memcpy(saved.data(), top, bytes);
    std::memcpy(top, bottom, bytes);
    std::memcpy(bottom, saved.data(), bytes);
  }
  if (h % 2 == 1)
    RowTick(h / 2);
  AnnounceChange(*Bitmap);
  return true;
}

// --- transformations through inverse mapping -------------------------------------

namespace {

void FillBitmap(TBitmap &bmp, TColor color) {
  const TColor c = ColorToRGB(color);
  const size_t bytes = PixelBytes(bmp);
  if (bmp.Height() == 0 || bytes == 0)
    return;
  uint8_t *first = bmp.ScanLine(0);
  for (size_t i = 0; i < bytes; i += 3) {
    first[i] = GetBValue(c);
    first[i + 1] = GetGValue(c);
    first[i + 2] = GetRValue(c);
  }
  for (int y = 1; y < bmp.Height(); ++y)
    std::memcpy(bmp.ScanLine(y), first, bytes);
}

// Destination of the given size in FillColor with the source mapped in; the
// result replaces the bitmap's contents.
void TransformInto(TBitmap &bmp, int dw, int dh, TColor fill, const TAffineTransformation &t, bool linear) {
  TBitmap out;
  out.Allocate(dw, dh, pf24bit, false); // filled next
  FillBitmap(out, fill);
  if (dw > 0 && dh > 0 && !bmp.Empty())
    TransformPixels(out.Bits(), out.RowBytes(), dw, dh, bmp.Bits(), bmp.RowBytes(), bmp.Width(), bmp.Height(),
                    3, t, linear);
  TakeResult(bmp, out);
}

} // namespace

bool RotateBitmap(TBitmap *Bitmap, bool ResizePaper, TColor FillColor, float Angle, float Cx, float Cy) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  if (Cx == -1)
    Cx = float(w) / 2;
  if (Cy == -1)
    Cy = float(h) / 2;
  TAffineTransformation t;
  t.Rotate(Cx, Cy, Angle);
  int dw = w, dh = h;
  if (ResizePaper) {
    const int64_t sq = int64_t(w) * w + int64_t(h) * h;
    const int d = int(RoundEven(std::sqrt(double(sq))));
    t.Translate(double(d - w) / 2, double(d - h) / 2);
    dw = dh = d;
  }
  TransformInto(*Bitmap, dw, dh, FillColor, t, false);
  return true;
}

bool SkewBitmap(TBitmap *Bitmap, TColor FillColor, float Fx, float Fy) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TAffineTransformation t;
  t.Skew(Fx, Fy);
  TransformInto(*Bitmap, Bitmap->Width(), Bitmap->Height(), FillColor, t, false);
  return true;
}

bool ResizeBitmap(TBitmap *Bitmap, TStretchFilter Filter, TColor FillColor, float PercentX, float PercentY) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  const double nw = std::trunc(double(Bitmap->Width()) * double(PercentX) / 100.0);
  const double nh = std::trunc(double(Bitmap->Height()) * double(PercentY) / 100.0);
  // A negative size is no size; an absurd one is refused like any raster
  // that does not fit into memory.
  auto toSize = [](double v) {
    if (!(v > 0))
      return 0;
    if (v > 1e9)
      throw std::bad_alloc();
    return int(v);
  };
  const int dw = toSize(nw), dh = toSize(nh);
  TAffineTransformation t;
  t.Scale(PercentX / 100.0f, PercentY / 100.0f);
  TransformInto(*Bitmap, dw, dh, FillColor, t, Filter != sftNearest);
  return true;
}

// --- paper size ----------------------------------------------------------------------

TPoint PaperAnchorPosition(int Anchor, int Dx, int Dy) {
  const int hx = int(RoundEven(double(Dx) / 2)), hy = int(RoundEven(double(Dy) / 2));
  const int col = Anchor % 3, row = Anchor / 3;
  return TPoint(col == 0 ? 0 : (col == 1 ? hx : Dx), row == 0 ? 0 : (row == 1 ? hy : Dy));
}

bool ChangePaperSize(TBitmap *Bitmap, int NewWidth, int NewHeight, int Anchor, TColor PaperColor) {
  if (Bitmap == nullptr || NewWidth < 1 || NewHeight < 1 || Anchor < 0 || Anchor > 8)
    return false;
  TWaitCursor wait;
  const TBitmap &old = *Bitmap;
  const TPoint at = PaperAnchorPosition(Anchor, NewWidth - old.Width(), NewHeight - old.Height());
  const TPixelFormat pf = old.PixelFormat();
  TBitmap paper(NewWidth, NewHeight, pf);
  if (IsPaletteFormat(pf) && !old.Palette().empty())
    paper.SetPalette(old.Palette());
  const uint32_t fill = paper.StoredFromColor(PaperColor);
  for (int x = 0; x < NewWidth; ++x)
    paper.SetStored(x, 0, fill);
  for (int y = 1; y < NewHeight; ++y)
    std::memcpy(paper.ScanLine(y), paper.ScanLine(0), paper.RowBytes());
  // The old image drawn at the anchor, clipped to the new paper.
  const int x0 = std::max(0, -at.X), x1 = std::min(old.Width(), NewWidth - at.X);
  const int y0 = std::max(0, -at.Y), y1 = std::min(old.Height(), NewHeight - at.Y);
  const int bpp = BitsPerPixel(pf);
  for (int y = y0; y < y1 && x0 < x1; ++y) {
    if (bpp >= 8) {
      const size_t b = size_t(bpp / 8);
      std::memcpy(paper.ScanLine(y + at.Y) + size_t(x0 + at.X) * b, old.ScanLine(y) + size_t(x0) * b,
                  size_t(x1 - x0) * b);
    } else {
      for (int x = x0; x < x1; ++x)
        paper.SetStored(x + at.X, y + at.Y, old.GetStored(x, y));
    }
  }
  // The old pixels go before the copy (palette formats take the palette
  // along with it).
  if (Bitmap->ImageBytes() != paper.ImageBytes())
    Bitmap->Allocate(0, 0, pf);
  Bitmap->Assign(paper);
  return true;
}

} // namespace tessaro
