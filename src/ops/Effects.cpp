// Gradient, frosted glass, blur and palette mapping.
#include "core/Canvas.h"
#include "ops/LUMGraphics.h"
#include "ops/OpsInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace tessaro {

using namespace ops;

// --- gradient ---------------------------------------------------------------------

void GradientFill(TColor StartColor, TColor EndColor, TCanvas &Canvas, int Width, int Height,
                  uint8_t Orientation, int X, int Y) {
  const bool rows = Orientation == 1;
  const int n = rows ? Height : Width;
  if (n < 0)
    return;
  // The colours' bytes as stored: a system colour is not resolved here.
  const int start[3] = {GetRValue(StartColor), GetGValue(StartColor), GetBValue(StartColor)};
  const int end[3] = {GetRValue(EndColor), GetGValue(EndColor), GetBValue(EndColor)};
  double step[3] = {0, 0, 0};
  if (n > 0)
    for (int c = 0; c < 3; ++c)
      step[c] = double(end[c] - start[c]) / n;
  TBitmap &bmp = Canvas.Bitmap();
  // Line k's colour: line 0 in the start colour, line k in
  // Trunc(start + (k - 1) * d), formed with a 64-bit mantissa.
  auto lineColor = [&](int k) {
    uint8_t ch[3];
    for (int c = 0; c < 3; ++c) {
      if (k == 0) {
        ch[c] = uint8_t(start[c]);
        continue;
      }
      long double v = (long double)start[c] + (long double)(k - 1) * (long double)step[c];
      ch[c] = ClampByte(int(std::trunc(v)));
    }
    return RGB(ch[0], ch[1], ch[2]);
  };
  // Line k runs from (X + Width, Y + k) to (X, Y + k), or from
  // (X + k, Y + Height) to (X + k, Y); the end point is not drawn.
  // A plain one-pixel copy pen is written straight into the rows; any other
  // pen goes through the canvas's own line drawing, line by line.
  const bool direct = Canvas.Pen.Style == psSolid && Canvas.Pen.Mode == pmCopy && Canvas.Pen.Width <= 1;
  if (!direct) {
    for (int k = 0; k <= n; ++k) {
      Canvas.Pen.Color = lineColor(k);
      Canvas.MoveTo(rows ? X + Width : X + k, rows ? Y + k : Y + Height);
      Canvas.LineTo(rows ? X : X + k, rows ? Y + k : Y);
    }
    return;
  }
  // Lines never share a pixel: rows of the bitmap are shared among threads.
  std::vector<uint32_t> stored(size_t(n) + 1);
  for (int k = 0; k <= n; ++k)
    stored[size_t(k)] = bmp.StoredFromColor(lineColor(k));
  const int64_t pixels = int64_t(n + 1) * (rows ? Width : Height);
  if (rows) {
    // Line k is row Y + k, from X + 1 to X + Width.
    const int x0 = std::max(X + 1, 0), x1 = std::min(X + Width, bmp.Width() - 1);
    const int k0 = std::max(0, -Y), k1 = std::min(n, bmp.Height() - 1 - Y);
    ParallelFor(k0, k1 + 1, ThreadsFor(pixels), [&](int a, int b) {
      for (int k = a; k < b; ++k)
        for (int x = x0; x <= x1; ++x)
          bmp.SetStored(x, Y + k, stored[size_t(k)]);
    });
  } else {
    // Line k is column X + k, from Y + 1 to Y + Height.
    const int y0 = std::max(Y + 1, 0), y1 = std::min(Y + Height, bmp.Height() - 1);
    const int k0 = std::max(0, -X), k1 = std::min(n, bmp.Width() - 1 - X);
    ParallelFor(y0, y1 + 1, ThreadsFor(pixels), [&](int a, int b) {
      for (int y = a; y < b; ++y)
        for (int k = k0; k <= k1; ++k)
          bmp.SetStored(X + k, y, stored[size_t(k)]);
    });
  }
  Canvas.Pen.Color = lineColor(n);
  Canvas.PenPos = rows ? TPoint(X, Y + n) : TPoint(X + n, Y);
  bmp.Changed(rows ? TRect(X + 1, Y, X + Width + 1, Y + n + 1) : TRect(X, Y + 1, X + n + 1, Y + Height + 1));
}

bool DrawGradient(TBitmap *Bitmap, TColor StartColor, TColor EndColor, uint8_t Orientation, int Width,
                  int Height, int X, int Y, int Transparency) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  TBitmap gradient(std::max(Width, 0), std::max(Height, 0), pf24bit);
  GradientFill(StartColor, EndColor, gradient.Canvas(), gradient.Width(), gradient.Height(), Orientation, -1,
               -1);
  if (Transparency == 0) {
    Bitmap->Canvas().Draw(X, Y, gradient);
    return true;
  }
  const double opacity = std::clamp(std::trunc(255 - Transparency * 2.55), 0.0, 255.0);
  return BlendDraw(Bitmap, &gradient, X, Y, uint8_t(opacity));
}

// --- frosted glass -------------------------------------------------------------------

namespace {

// Every byte c of the row moves towards its fog byte f: f + (c - f) * a / 255,
// the quotient truncated towards zero. The distance times the amount stays
// below 65536, so the sums run in 16-bit lanes, and the division by 255 is
// (p + 1 + (p >> 8)) >> 8, exact over that range.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void FogRow(uint8_t *__restrict row, const uint8_t *__restrict fog, uint8_t amount, size_t n) {
  const uint16_t a = amount;
  BlockLoop<32>(n, [=](size_t i) {
    const uint16_t c = row[i], f = fog[i];
    const uint16_t d = c >= f ? uint16_t(c - f) : uint16_t(f - c);
    const uint16_t p = uint16_t(d * a);
    const uint16_t q = uint16_t((p + 1 + (p >> 8)) >> 8);
    row[i] = uint8_t(c >= f ? f + q : f - q);
  });
}

} // namespace

bool FogBitmap(TBitmap *Bitmap, TColor Color, uint8_t Amount) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const TColor fog = ColorToRGB(Color);
  const int f[3] = {GetBValue(fog), GetGValue(fog), GetRValue(fog)};
  auto put = [&](int x, int y) {
    uint8_t *p = Bitmap->ScanLine(y) + size_t(x) * 3;
    p[0] = uint8_t(f[0]);
    p[1] = uint8_t(f[1]);
    p[2] = uint8_t(f[2]);
  };
  // The one-pixel outline around the whole image.
  for (int x = 0; x < w && h > 0; ++x) {
    put(x, 0);
    put(x, h - 1);
  }
  for (int y = 0; y < h && w > 0; ++y) {
    put(0, y);
    put(w - 1, y);
  }
  TWaitCursor wait;
  if (w >= 3 && h >= 3) {
    const size_t n = size_t(w - 2) * 3;
    std::vector<uint8_t> fogRow(n);
    for (size_t i = 0; i < n; ++i)
      fogRow[i] = uint8_t(f[i % 3]);
    const uint8_t *fr = fogRow.data();
    TRasterView view(*Bitmap);
    const bool ran = RowBands(
        1, h - 1, 50, ThreadsFor(view.Pixels()),
        [&](int y0, int y1) {
          for (int y = y0; y < y1; ++y)
            FogRow(view.Row(y) + 3, fr, Amount, n);
        },
        view);
    if (!ran)
      return false;
  }
  AnnounceChange(*Bitmap);
  return true;
}

// --- blur ------------------------------------------------------------------------------

namespace {

// Rounds a sum to the nearest byte value, halves to even (the default
// rounding mode): after clamping to 0..255, adding 1.5 * 2^23 leaves the
// rounded value in the low bits of the float.
inline uint8_t RoundToByte(float v) {
  v = v < 0 ? 0.0f : v;
  v = v > 255 ? 255.0f : v;
  const float shifted = v + 12582912.0f;
  uint32_t bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  return uint8_t(bits);
}

// out[i] = sum over k of w[k] * rows[k][i], summed from 0 in the order of
// k, for i in [0, n); written as floats, or rounded to bytes when bytes is
// given. Blocks of four vectors of sums stay in registers while the taps
// run. Every product and every sum is rounded on its own (no fused
// multiply-add), in the same order for every vector width and for the rest,
// so all of them give the same floats.
template <class V>
inline __attribute__((always_inline)) void
ConvolveKernel(float *out, uint8_t *bytes, const float *const *rows, const float *w, int taps, size_t n) {
  constexpr size_t Lanes = sizeof(V) / sizeof(float), Block = 4 * Lanes;
  size_t i = 0;
  for (; i + Block <= n; i += Block) {
    V a0 = {}, a1 = {}, a2 = {}, a3 = {};
    for (int k = 0; k < taps; ++k) {
      const float *p = rows[k] + i;
      const V wk = V{} + w[k];
      V p0, p1, p2, p3;
      std::memcpy(&p0, p, sizeof p0);
      std::memcpy(&p1, p + Lanes, sizeof p1);
      std::memcpy(&p2, p + 2 * Lanes, sizeof p2);
      std::memcpy(&p3, p + 3 * Lanes, sizeof p3);
      a0 = a0 + wk * p0;
      a1 = a1 + wk * p1;
      a2 = a2 + wk * p2;
      a3 = a3 + wk * p3;
    }
    float sums[Block];
    std::memcpy(sums, &a0, sizeof a0);
    std::memcpy(sums + Lanes, &a1, sizeof a1);
    std::memcpy(sums + 2 * Lanes, &a2, sizeof a2);
    std::memcpy(sums + 3 * Lanes, &a3, sizeof a3);
    if (bytes)
      for (size_t j = 0; j < Block; ++j)
        bytes[i + j] = RoundToByte(sums[j]);
    else
      std::memcpy(out + i, sums, sizeof sums);
  }
  for (; i < n; ++i) {
    float a = 0;
    for (int k = 0; k < taps; ++k)
      a = a + w[k] * rows[k][i];
    if (bytes)
      bytes[i] = RoundToByte(a);
    else
      out[i] = a;
  }
}

// Bytes to floats in fixed blocks, which the compiler vectorises.
inline __attribute__((always_inline)) void ToFloatsKernel(float *__restrict to,
                                                          const uint8_t *__restrict from, size_t n) {
  BlockLoop<32>(n, [=](size_t i) { to[i] = float(from[i]); });
}

using TConvolve = void (*)(float *, uint8_t *, const float *const *, const float *, int, size_t);
using TToFloats = void (*)(float *__restrict, const uint8_t *__restrict, size_t);

void ToFloatsPlain(float *__restrict to, const uint8_t *__restrict from, size_t n) {
  ToFloatsKernel(to, from, n);
}

void ConvolvePlain(float *out, uint8_t *bytes, const float *const *rows, const float *w, int taps, size_t n) {
  typedef float V4 __attribute__((vector_size(16)));
  ConvolveKernel<V4>(out, bytes, rows, w, taps, n);
}

// Wider versions for the processors that have them, chosen at run time.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target("avx2"))) void ConvolveAvx2(float *out, uint8_t *bytes, const float *const *rows,
                                                  const float *w, int taps, size_t n) {
  typedef float V8 __attribute__((vector_size(32)));
  ConvolveKernel<V8>(out, bytes, rows, w, taps, n);
}
__attribute__((target("avx2"))) void ToFloatsAvx2(float *__restrict to, const uint8_t *__restrict from,
                                                  size_t n) {
  ToFloatsKernel(to, from, n);
}
__attribute__((target("avx512f,avx512bw"))) void ToFloatsAvx512(float *__restrict to,
                                                                const uint8_t *__restrict from, size_t n) {
  ToFloatsKernel(to, from, n);
}
__attribute__((target("avx512f,avx512bw"))) void
ConvolveAvx512(float *out, uint8_t *bytes, const float *const *rows, const float *w, int taps, size_t n) {
  typedef float V16 __attribute__((vector_size(64)));
  ConvolveKernel<V16>(out, bytes, rows, w, taps, n);
}
#endif

TConvolve PickConvolve() {
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw"))
    return ConvolveAvx512;
  if (__builtin_cpu_supports("avx2"))
    return ConvolveAvx2;
#endif
  return ConvolvePlain;
}

const TConvolve Convolve = PickConvolve();

TToFloats PickToFloats() {
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
  if (Convolve == ConvolveAvx512)
    return ToFloatsAvx512;
  if (Convolve == ConvolveAvx2)
    return ToFloatsAvx2;
#endif
  return ToFloatsPlain;
}

const TToFloats ToFloats = PickToFloats();

} // namespace

std::vector<float> MakeBlurKernel(float Radius) {
  const float s = Radius + 1.0f;
  int n = int(std::trunc(s));
  if (float(n) == s)
    --n;
  n = std::max(n, 0);
  std::vector<float> k(size_t(2 * n + 1));
  float sum = 0;
  for (int i = -n; i <= n; ++i) {
    k[size_t(i + n)] = s - float(std::abs(i));
    sum += k[size_t(i + n)];
  }
  for (float &v : k)
    v /= sum;
  return k;
}

namespace {

// Taps of the widest kernel (radius 99).
constexpr int MaxTaps = 199;

// The two passes of the blur over rows of a raster.
struct TBlurPasses {
  const std::vector<float> &Kernel;
  int Taps, N, W, H;
  size_t RowFloats;

  // Row r of the horizontal pass: the row with its edge pixels repeated n
  // times on each side (in `padded`), convolved into `out`.
  void Horizontal(const uint8_t *src, float *out, std::vector<float> &padded) const {
    padded.resize((size_t(W) + 2 * size_t(N)) * 3);
    float *p = padded.data();
    for (int j = 0; j < N; ++j, p += 3)
      for (int c = 0; c < 3; ++c)
        p[c] = src[c];
    ToFloats(p, src, RowFloats);
    p += RowFloats;
    for (int j = 0; j < N; ++j, p += 3)
      for (int c = 0; c < 3; ++c)
        p[c] = src[RowFloats - 3 + size_t(c)];
    const float *rows[MaxTaps];
    for (int k = 0; k < Taps; ++k)
      rows[k] = padded.data() + size_t(k) * 3;
    Convolve(out, nullptr, rows, Kernel.data(), Taps, RowFloats);
  }
  // Output row y from the rows of the horizontal pass that row(r) gives.
  template <class Row> void Vertical(int y, uint8_t *out, Row &&row) const {
    const float *rows[MaxTaps];
    for (int k = 0; k < Taps; ++k)
      rows[k] = row(std::clamp(y + k - N, 0, H - 1));
    Convolve(nullptr, out, rows, Kernel.data(), Taps, RowFloats);
  }
};

// The blur with a message loop installed: the rows go in bands between the
// runs of the message loop, which come at the same points of the work as
// in a single-threaded row loop. Row r of the horizontal pass is made right
// before output row r - n (rows 0 .. n before output row 0), where it is
// first needed. In each band, first the rows of the horizontal pass the
// band's output rows need, then the band's output rows, which overwrite the
// bitmap in place. Only the rows a band still needs are kept: row r lives in
// slot r mod slots, and a band of up to MaxBand rows needs MaxBand + 2n.
bool BlurInBands(const TBlurPasses &pass, TRasterView &view, int threads) {
  const int n = pass.N, h = pass.H;
  constexpr int MaxBand = 120;
  const int slots = int(std::min<int64_t>(int64_t(MaxBand) + 2 * n, h));
  auto buffer = std::make_unique_for_overwrite<float[]>(pass.RowFloats * size_t(slots));
  auto slot = [&](int r) { return buffer.get() + size_t(r % slots) * pass.RowFloats; };
  auto horizontal = [&](int r0, int r1) {
    std::vector<float> padded;
    for (int r = r0; r < r1; ++r)
      pass.Horizontal(view.Row(r), slot(r), padded);
  };
  auto vertical = [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y)
      pass.Vertical(y, view.Row(y), slot);
  };
  // The message loop runs every 20 rows of each pass: before output row y
  // for y itself and for the row of the horizontal pass made there.
  auto ticks = [&](int y) {
    int k = y % 20 == 0 ? 1 : 0;
    if (y == 0)
      k += (std::min(h, n + 1) + 19) / 20;
    else if (y + n < h && (y + n) % 20 == 0)
      ++k;
    return k;
  };
  int made = 0; // rows 0 .. made - 1 have been through the horizontal pass
  return ForEachBand(
      0, h, MaxBand, ticks, [&] { return view.Refresh(); },
      [&](int y0, int y1) {
        // The rows a band reads are not yet overwritten: earlier bands wrote
        // only rows above y0, and made is at least y0 + n by now.
        const int need = std::min(h, y1 + n);
        ParallelFor(made, need, threads, horizontal);
        made = std::max(made, need);
        ParallelFor(y0, y1, threads, vertical);
      });
}

// The blur without a message loop: each thread takes blocks of rows and runs
// both passes over them as one row loop would, keeping the 2n + 1 rows of
// the horizontal pass it still needs. The rows next to a block that belong
// to its neighbours are taken through the horizontal pass first, before any
// block overwrites its rows.
void BlurInBlocks(const TBlurPasses &pass, TRasterView &view, int threads) {
  const int n = pass.N, h = pass.H;
  const size_t rowFloats = pass.RowFloats;
  const int blocks = std::min(h, threads > 1 ? 2 * threads : 1);
  auto first = [&](int b) { return int(int64_t(h) * b / blocks); };
  // Per block: the n rows above it and the n rows below it.
  std::vector<std::unique_ptr<float[]>> above(static_cast<size_t>(blocks)),
      below(static_cast<size_t>(blocks));
  auto halo = [&](int b0, int b1) {
    std::vector<float> padded;
    for (int b = b0; b < b1; ++b) {
      const int y0 = first(b), y1 = first(b + 1);
      above[size_t(b)] = std::make_unique_for_overwrite<float[]>(rowFloats * size_t(n));
      below[size_t(b)] = std::make_unique_for_overwrite<float[]>(rowFloats * size_t(n));
      for (int i = 0; i < n; ++i) {
        if (y0 - n + i >= 0)
          pass.Horizontal(view.Row(y0 - n + i), above[size_t(b)].get() + size_t(i) * rowFloats, padded);
        if (y1 + i < h)
          pass.Horizontal(view.Row(y1 + i), below[size_t(b)].get() + size_t(i) * rowFloats, padded);
      }
    }
  };
  ParallelFor(0, blocks, threads, halo);
  auto rows = [&](int b0, int b1) {
    std::vector<float> padded;
    for (int b = b0; b < b1; ++b) {
      const int y0 = first(b), y1 = first(b + 1);
      const int slots = std::min(2 * n + 1, y1 - y0);
      auto ring = std::make_unique_for_overwrite<float[]>(rowFloats * size_t(slots));
      auto row = [&](int r) -> const float * {
        if (r < y0)
          return above[size_t(b)].get() + size_t(r - (y0 - n)) * rowFloats;
        if (r >= y1)
          return below[size_t(b)].get() + size_t(r - y1) * rowFloats;
        return ring.get() + size_t((r - y0) % slots) * rowFloats;
      };
      int made = y0;
      for (int y = y0; y < y1; ++y) {
        for (; made < y1 && made <= y + n; ++made)
          pass.Horizontal(view.Row(made), ring.get() + size_t((made - y0) % slots) * rowFloats, padded);
        pass.Vertical(y, view.Row(y), row);
      }
    }
  };
  ParallelFor(0, blocks, threads, rows);
}

} // namespace

bool BlurBitmap(TBitmap *Bitmap, float Radius) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  if (!(Radius > 0))
    Radius = 1;
  if (Radius > 99)
    Radius = 99;
  const std::vector<float> kernel = MakeBlurKernel(Radius);
  const int w = Bitmap->Width(), h = Bitmap->Height();
  if (w == 0 || h == 0) {
    AnnounceChange(*Bitmap);
    return true;
  }
  // The horizontal pass's results are kept in single precision, one float
  // per channel and pixel, so that rounding happens once, at the end of the
  // vertical pass.
  const TBlurPasses pass{kernel, int(kernel.size()), int(kernel.size() / 2), w, h, size_t(w) * 3};
  TRasterView view(*Bitmap);
  const int threads = ThreadsFor(view.Pixels());
  if (HaveMessageLoop()) {
    if (!BlurInBands(pass, view, threads))
      return false;
  } else {
    BlurInBlocks(pass, view, threads);
  }
  AnnounceChange(*Bitmap);
  return true;
}

// --- palette mapping -------------------------------------------------------------------

uint32_t HSLToColor(float H, float S, float L) {
  // Each channel keeps only the low 8 bits of its rounded value.
  auto channel = [](double v) -> uint32_t {
    double r = RoundEven(v);
    if (!std::isfinite(r) || std::fabs(r) > 1e15)
      return 0;
    return uint32_t(int64_t(r) & 0xFF);
  };
  if (S == 0) {
    const uint32_t v = channel(double(L) * 255.0);
    return 0xFF000000u | (v << 16) | (v << 8) | v;
  }
  const float m2 = L <= 0.5f ? L * (1 + S) : L + S - L * S;
  const float m1 = 2 * L - m2;
  auto hue = [m1, m2](float h) -> float {
    h = h - std::floor(h);
    if (6 * h < 1)
      return m1 + (m2 - m1) * 6 * h;
    if (2 * h < 1)
      return m2;
    if (3 * h < 2)
      return m1 + (m2 - m1) * (2.0f / 3.0f - h) * 6;
    return m1;
  };
  const uint32_t r = channel(255.0 * double(hue(H + 1.0f / 3.0f)));
  const uint32_t g = channel(255.0 * double(hue(H)));
  const uint32_t b = channel(255.0 * double(hue(H - 1.0f / 3.0f)));
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

bool MakeMapPalette(uint8_t Standard, bool UseCustom, float H, float S, float L,
                    std::array<uint32_t, 256> &Palette) {
  if (!UseCustom && Standard >= StandardPaletteCount)
    return false;
  for (int i = 0; i < 256; ++i) {
    const float t = float(i) / 255.0f;
    const double d = t;
    float h = 0, s = 0, l = 0;
    if (UseCustom) {
      h = H * t;
      s = S * t;
      l = L * t;
    } else {
      switch (Standard) {
      case 0:
        l = float(0.1 + 0.9 * d);
        break;
      case 1:
        h = float(0.4 * d);
        s = 0.5f;
        l = float(0.2 + 0.4 * d);
        break;
      case 2:
        h = float(0.8 + 0.3 * d);
        s = float(0.7 + 0.3 * d);
        l = float(0.1 + 0.85 * d);
        break;
      default:
        h = float(0.66 - 0.7 * d);
        s = 1;
        l = float(0.4 + 0.4 * d);
        break;
      }
    }
    Palette[size_t(i)] = HSLToColor(h, s, l);
  }
  return true;
}

bool PaletteMapBitmap(TBitmap *Bitmap, uint8_t Conversion, uint8_t Standard, bool UseCustom, float H, float S,
                      float L) {
  std::array<uint32_t, 256> pal;
  if (!IsWorkingBitmap(Bitmap) || Conversion > pcWeightedRGB ||
      !MakeMapPalette(Standard, UseCustom, H, S, L, pal))
    return false;
  uint8_t bgr[256][3];
  for (int i = 0; i < 256; ++i) {
    bgr[i][0] = uint8_t(pal[size_t(i)]);
    bgr[i][1] = uint8_t(pal[size_t(i)] >> 8);
    bgr[i][2] = uint8_t(pal[size_t(i)] >> 16);
  }
  // The value of a pixel, chosen once per call rather than per pixel.
  auto mapRows = [&](auto value) {
    const int w = Bitmap->Width();
    ParallelFor(0, Bitmap->Height(), ThreadsFor(int64_t(w) * Bitmap->Height()), [&](int y0, int y1) {
      for (int y = y0; y < y1; ++y) {
        uint8_t *p = Bitmap->ScanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
          const unsigned v = value(p[2], p[1], p[0]);
          p[0] = bgr[v][0];
          p[1] = bgr[v][1];
          p[2] = bgr[v][2];
        }
      }
    });
  };
  switch (Conversion) {
  case pcRed:
    mapRows([](unsigned r, unsigned, unsigned) { return r; });
    break;
  case pcGreen:
    mapRows([](unsigned, unsigned g, unsigned) { return g; });
    break;
  case pcBlue:
    mapRows([](unsigned, unsigned, unsigned b) { return b; });
    break;
  case pcAlpha:
    // The alpha byte of the 32-bit copy.
    mapRows([](unsigned, unsigned, unsigned) { return 255u; });
    break;
  case pcUniformRGB:
    mapRows([](unsigned r, unsigned g, unsigned b) { return (r + g + b) / 3; });
    break;
  default:
    mapRows([](unsigned r, unsigned g, unsigned b) { return (61 * r + 174 * g + 21 * b) >> 8; });
    break;
  }
  AnnounceChange(*Bitmap);
  return true;
}

} // namespace tessaro
