// Quarter turns, mirrors, free rotation, skew, resize and the paper size.
#include "ops/Bitmap32.h"
#include "ops/LUMGraphics.h"
#include "ops/OpsInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

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

// Replaces the bitmap's contents by `result` without copying its pixels.
void TakeResult(TBitmap &bmp, TBitmap &&result) {
  bmp.AssignMove(std::move(result));
}

// How often a pairwise pass (pair p is row p and row h - 1 - p) runs the
// message loop before pair p: once for each of its rows whose index is a
// multiple of 100.
inline int PairTicks(int p, int h) {
  const int partner = h - 1 - p;
  return (p % 100 == 0 ? 1 : 0) + (partner != p && partner % 100 == 0 ? 1 : 0);
}

// Runs pairs(p0, p1) for the pairs of rows of a pairwise pass, in bands
// between the runs of the message loop, then announces the change.
template <class Fn> bool PairwisePass(TRasterView &view, Fn &&pairs) {
  const int h = view.Height;
  const bool ran = ForEachBand(
      0, (h + 1) / 2, INT_MAX, [h](int p) { return PairTicks(p, h); }, [&] { return view.Refresh(); },
      [&](int p0, int p1) { ParallelFor(p0, p1, ThreadsFor(view.Pixels()), pairs); });
  if (ran)
    AnnounceChange(*view.Bitmap);
  return ran;
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
  TRasterView view(*Bitmap);
  const int w = view.Width, h = view.Height;
  TBitmap turned;
  turned.Allocate(h, w, pf24bit, false); // every pixel is written below
  TTurn t{view.Bits, view.Stride, turned.Bits(), turned.RowBytes(), w, h};
#ifdef TESSARO_TURN_SSSE3
  const bool blocks = __builtin_cpu_supports("ssse3");
#else
  const bool blocks = false;
#endif
  // New rows in bands of 512: a tile reads four old rows at a time along
  // the band, so the reads stream; the band's part of the new rows stays in
  // the cache until the tile has filled it.
  constexpr int Band = 512;
  auto turnRows = [&](int ny0, int ny1) {
    constexpr int Tile = 64;
    for (int by = ny0; by < ny1; by += Band) {
      const int by1 = std::min(ny1, by + Band);
      for (int nx0 = 0; nx0 < h; nx0 += Tile) {
        const int nx1 = std::min(nx0 + Tile, h);
#ifdef TESSARO_TURN_SSSE3
        if (blocks) {
          TurnTile(t, by, by1, nx0, nx1);
          continue;
        }
#endif
        TurnRect(t, by, by1, nx0, nx1);
      }
    }
  };
  (void)blocks;
  const int threads = ThreadsFor(view.Pixels());
  // The message loop runs for the new rows of a band before the band.
  // Threads share the new rows in whole blocks of four; each writes only
  // its own rows.
  const bool ran = ForEachBand(
      0, (w + Band - 1) / Band, INT_MAX,
      [&](int b) {
        const int ny0 = b * Band, ny1 = std::min(w, ny0 + Band);
        return (ny1 + 99) / 100 - (ny0 + 99) / 100;
      },
      [&] {
        if (!view.Refresh())
          return false;
        t.Src = view.Bits;
        return true;
      },
      [&](int b0, int b1) {
        const int ny0 = b0 * Band, ny1 = std::min(w, b1 * Band);
        ParallelFor(0, (ny1 - ny0 + 3) / 4, threads,
                    [&](int q0, int q1) { turnRows(ny0 + 4 * q0, std::min(ny1, ny0 + 4 * q1)); });
      });
  if (!ran)
    return false;
  Bitmap->AssignMove(std::move(turned));
  return true;
}

bool Rotate180(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  TRasterView view(*Bitmap);
  const int w = view.Width, h = view.Height;
  const size_t bytes = PixelBytes(*Bitmap);
  // Row p and row h - 1 - p trade places, each reversed; pairs are
  // independent of each other.
  auto pairs = [&](int p0, int p1) {
    std::vector<uint8_t> savedTop(bytes + 4), savedBottom(bytes + 4);
    for (int y = p0; y < p1; ++y) {
      const int other = h - 1 - y;
      uint8_t *top = view.Row(y), *bottom = view.Row(other);
      std::memcpy(savedTop.data(), top, bytes);
      std::memcpy(savedBottom.data(), bottom, bytes);
      if (other != y)
        ReversePixels(top, savedBottom.data(), w);
      ReversePixels(bottom, savedTop.data(), w);
    }
  };
  return PairwisePass(view, pairs);
}

bool FlipHorizontal(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const size_t bytes = PixelBytes(*Bitmap);
  if (HaveMessageLoop()) {
    // The message loop runs before every pixel whose index is a multiple of
    // 100, in the middle of the rows: the rows are mirrored one after the
    // other in runs of 100 pixels, on this thread.
    std::vector<uint8_t> saved(bytes + 4);
    for (int y = 0; y < h; ++y) {
      uint8_t *row = Bitmap->ScanLine(y);
      std::memcpy(saved.data(), row, bytes);
      for (int x0 = 0; x0 < w; x0 += 100) {
        ProcessMessages();
        if (Bitmap->Width() != w || Bitmap->Height() != h || Bitmap->PixelFormat() != pf24bit)
          return false;
        row = Bitmap->ScanLine(y);
        const int n = std::min(100, w - x0);
        ReversePixels(row + size_t(x0) * 3, saved.data() + size_t(w - x0 - n) * 3, n);
      }
    }
  } else {
    ParallelFor(0, h, ThreadsFor(int64_t(w) * h), [&](int y0, int y1) {
      std::vector<uint8_t> saved(bytes + 4);
      for (int y = y0; y < y1; ++y) {
        uint8_t *row = Bitmap->ScanLine(y);
        std::memcpy(saved.data(), row, bytes);
        ReversePixels(row, saved.data(), w);
      }
    });
  }
  AnnounceChange(*Bitmap);
  return true;
}

bool FlipVertical(TBitmap *Bitmap) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  TRasterView view(*Bitmap);
  const int h = view.Height;
  const size_t bytes = PixelBytes(*Bitmap);
  auto pairs = [&](int p0, int p1) {
    std::vector<uint8_t> saved(bytes + 1);
    for (int y = p0; y < std::min(p1, h / 2); ++y) {
      uint8_t *top = view.Row(y), *bottom = view.Row(h - 1 - y);
      std::memcpy(saved.data(), top, bytes);
      std::memcpy(top, bottom, bytes);
      std::memcpy(bottom, saved.data(), bytes);
    }
  };
  // The middle row of an odd height stays where it is; its pair is itself.
  return PairwisePass(view, pairs);
}

// --- transformations through inverse mapping -------------------------------------

namespace {

// Destination of the given size in FillColor with the source mapped in; the
// result replaces the bitmap's contents. Rows are independent of each other:
// each is filled and mapped by one thread.
void TransformInto(TBitmap &bmp, int dw, int dh, TColor fill, const TAffineTransformation &t, bool linear) {
  TBitmap out;
  out.Allocate(dw, dh, pf24bit, false); // filled next
  const TColor c = ColorToRGB(fill);
  const size_t bytes = PixelBytes(out);
  std::vector<uint8_t> fillRow(bytes);
  for (size_t i = 0; i + 2 < bytes; i += 3) {
    fillRow[i] = GetBValue(c);
    fillRow[i + 1] = GetGValue(c);
    fillRow[i + 2] = GetRValue(c);
  }
  const bool map = dw > 0 && dh > 0 && !bmp.Empty();
  double m[6];
  const bool invertible = map && t.Inverse(m);
  // The work follows the pixels of both rasters.
  const int64_t pixels = int64_t(dw) * dh + int64_t(bmp.Width()) * bmp.Height();
  ParallelFor(0, dh, ThreadsFor(pixels), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y)
      std::memcpy(out.ScanLine(y), fillRow.data(), bytes);
    if (invertible)
      TransformRows(out.Bits(), out.RowBytes(), dw, y0, y1, bmp.Bits(), bmp.RowBytes(), bmp.Width(),
                    bmp.Height(), 3, m, linear);
  });
  TakeResult(bmp, std::move(out));
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
  TBitmap paper;
  paper.Allocate(NewWidth, NewHeight, pf, false); // every row is filled below
  if (IsPaletteFormat(pf) && !old.Palette().empty())
    paper.SetPalette(old.Palette());
  const uint32_t fill = paper.StoredFromColor(PaperColor);
  for (int x = 0; x < NewWidth; ++x)
    paper.SetStored(x, 0, fill);
  const std::vector<uint8_t> fillRow(paper.ScanLine(0), paper.ScanLine(0) + paper.RowBytes());
  // The old image drawn at the anchor, clipped to the new paper; each new
  // row is filled and drawn by one thread.
  const int x0 = std::max(0, -at.X), x1 = std::min(old.Width(), NewWidth - at.X);
  const int y0 = std::max(0, -at.Y), y1 = std::min(old.Height(), NewHeight - at.Y);
  const int bpp = BitsPerPixel(pf);
  ParallelFor(0, NewHeight, ThreadsFor(int64_t(NewWidth) * NewHeight), [&](int r0, int r1) {
    for (int r = r0; r < r1; ++r) {
      if (r > 0)
        std::memcpy(paper.ScanLine(r), fillRow.data(), fillRow.size());
      const int y = r - at.Y;
      if (y < y0 || y >= y1 || x0 >= x1)
        continue;
      if (bpp >= 8) {
        const size_t b = size_t(bpp / 8);
        std::memcpy(paper.ScanLine(r) + size_t(x0 + at.X) * b, old.ScanLine(y) + size_t(x0) * b,
                    size_t(x1 - x0) * b);
      } else {
        for (int x = x0; x < x1; ++x)
          paper.SetStored(x + at.X, r, old.GetStored(x, y));
      }
    }
  });
  // The old pixels go before the copy (palette formats take the palette
  // along with it).
  if (Bitmap->ImageBytes() != paper.ImageBytes())
    Bitmap->Allocate(0, 0, pf);
  Bitmap->Assign(paper);
  return true;
}

} // namespace tessaro
