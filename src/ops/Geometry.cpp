// Quarter turns, mirrors, free rotation, skew, resize and the paper size.
#include "ops/Bitmap32.h"
#include "ops/LUMGraphics.h"
#include "ops/OpsInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

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
// Progress counts the pairs done.
inline void PairTick(int y, int partner, int pairs) {
  ReportProgress(y, pairs);
  RowTick(y);
  if (partner != y)
    RowTick(partner);
}

} // namespace

namespace {

// Quarter turn of the raster: new pixel (x, y) is old pixel (y, h - 1 - x).
struct TTurn {
  const uint8_t *Src;
  size_t SrcStride;
  uint8_t *Dst;
  size_t DstStride;
  int W, H; // of the old raster
};

// Exact three-byte moves for new rows [ny0, ny1) and new columns [nx0, nx1).
void TurnRect(const TTurn &t, int ny0, int ny1, int nx0, int nx1) {
  for (int ny = ny0; ny < ny1; ++ny) {
    uint8_t *d = t.Dst + size_t(ny) * t.DstStride + size_t(nx0) * 3;
    const uint8_t *s = t.Src + size_t(t.H - 1 - nx0) * t.SrcStride + size_t(ny) * 3;
    for (int nx = nx0; nx < nx1; ++nx, d += 3, s -= t.SrcStride) {
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  }
}

#if defined(__x86_64__) || defined(__i386__)
#define TESSARO_TURN_SSSE3 1

// Four pixels of an old row as four 32-bit lanes. Unless `exact`, sixteen
// bytes are read where twelve are needed.
template <bool Exact> __attribute__((target("ssse3"))) inline __m128i LoadQuad(const uint8_t *p) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  __m128i v;
  if constexpr (Exact) {
    uint32_t tail;
    std::memcpy(&tail, p + 8, 4);
    v = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(p)),
                           _mm_cvtsi32_si128(int(tail)));
  } else {
    v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
  }
  return _mm_shuffle_epi8(v, spread);
}

// Twelve bytes of a new row; unless `exact`, four more bytes are written
// beyond them with what the next block overwrites.
template <bool Exact> __attribute__((target("ssse3"))) inline void StoreQuad(uint8_t *p, __m128i lanes) {
  const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  const __m128i v = _mm_shuffle_epi8(lanes, pack);
  if constexpr (Exact) {
    _mm_storel_epi64(reinterpret_cast<__m128i *>(p), v);
    const uint32_t tail = uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(v, 8)));
    std::memcpy(p + 8, &tail, 4);
  } else {
    _mm_storeu_si128(reinterpret_cast<__m128i *>(p), v);
  }
}

// A block of 4 x 4 pixels: new rows ny..ny+3, new columns nx..nx+3.
template <bool ExactLoad, bool ExactStore>
__attribute__((target("ssse3"))) inline void TurnBlock(const TTurn &t, int ny, int nx) {
  const uint8_t *s = t.Src + size_t(t.H - 1 - nx) * t.SrcStride + size_t(ny) * 3;
  const __m128i d0 = LoadQuad<ExactLoad>(s);
  const __m128i d1 = LoadQuad<false>(s - t.SrcStride);
  const __m128i d2 = LoadQuad<false>(s - 2 * t.SrcStride);
  const __m128i d3 = LoadQuad<false>(s - 3 * t.SrcStride);
  const __m128i lo01 = _mm_unpacklo_epi32(d0, d1), hi01 = _mm_unpackhi_epi32(d0, d1);
  const __m128i lo23 = _mm_unpacklo_epi32(d2, d3), hi23 = _mm_unpackhi_epi32(d2, d3);
  uint8_t *d = t.Dst + size_t(ny) * t.DstStride + size_t(nx) * 3;
  StoreQuad<ExactStore>(d, _mm_unpacklo_epi64(lo01, lo23));
  StoreQuad<ExactStore>(d + t.DstStride, _mm_unpackhi_epi64(lo01, lo23));
  StoreQuad<ExactStore>(d + 2 * t.DstStride, _mm_unpacklo_epi64(hi01, hi23));
  StoreQuad<ExactStore>(d + 3 * t.DstStride, _mm_unpackhi_epi64(hi01, hi23));
}

// New rows [ny0, ny1) and new columns [nx0, nx1) in blocks, the edges that do
// not fill a block pixel by pixel. Blocks of a new row go left to right, so
// that the four bytes a wide store writes beyond its block are rewritten
// later; the block that ends its row within two pixels stores exactly. Only
// the last old row (nx = 0) needs an exact read, where sixteen bytes from
// column ny would pass the end of the raster.
__attribute__((target("ssse3"))) void TurnTile(const TTurn &t, int ny0, int ny1, int nx0, int nx1) {
  const int nyEnd = ny0 + (ny1 - ny0) / 4 * 4, nxEnd = nx0 + (nx1 - nx0) / 4 * 4;
  for (int nx = nx0; nx < nxEnd; nx += 4) {
    const bool exactStore = nx + 6 > t.H;
    for (int ny = ny0; ny < nyEnd; ny += 4) {
      const bool tightRead = size_t(ny) * 3 + 16 > t.SrcStride;
      if (nx == 0 && tightRead)
        exactStore ? TurnBlock<true, true>(t, ny, nx) : TurnBlock<true, false>(t, ny, nx);
      else
        exactStore ? TurnBlock<false, true>(t, ny, nx) : TurnBlock<false, false>(t, ny, nx);
    }
  }
  TurnRect(t, ny0, nyEnd, nxEnd, nx1);
  TurnRect(t, nyEnd, ny1, nx0, nx1);
}
#endif

} // namespace

bool Rotate90(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  TBitmap turned;
  turned.Allocate(h, w, pf24bit, false); // every pixel is written below
  const TTurn t{Bitmap->Bits(), Bitmap->RowBytes(), turned.Bits(), turned.RowBytes(), w, h};
#ifdef TESSARO_TURN_SSSE3
  const bool blocks = __builtin_cpu_supports("ssse3");
#else
  const bool blocks = false;
#endif
  // A tile reads four old rows at a time along a band of new rows, so the
  // reads stream; the band's part of the new rows stays in the cache until
  // the tile has filled it.
  constexpr int Band = 512, Tile = 64;
  for (int ny0 = 0; ny0 < w; ny0 += Band) {
    const int ny1 = std::min(ny0 + Band, w);
    for (int ny = ny0; ny < ny1; ++ny)
      RowTick(ny, 100, w);
    for (int nx0 = 0; nx0 < h; nx0 += Tile) {
      const int nx1 = std::min(nx0 + Tile, h);
#ifdef TESSARO_TURN_SSSE3
      if (blocks) {
        TurnTile(t, ny0, ny1, nx0, nx1);
        continue;
      }
#endif
      TurnRect(t, ny0, ny1, nx0, nx1);
    }
  }
  (void)blocks;
  Bitmap->AssignMove(std::move(turned));
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
    PairTick(y, other, (h + 1) / 2);
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
    ReportProgress(y, h);
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
    PairTick(y, other, h / 2);
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
