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
  // A plain one-pixel copy pen is written straight into the rows; any other
  // pen goes through the canvas's own line drawing.
  const bool direct = Canvas.Pen.Style == psSolid && Canvas.Pen.Mode == pmCopy && Canvas.Pen.Width <= 1;
  for (int k = 0; k <= n; ++k) {
    uint8_t ch[3];
    for (int c = 0; c < 3; ++c) {
      if (k == 0) {
        ch[c] = uint8_t(start[c]);
        continue;
      }
      // Formed with a 64-bit mantissa, then truncated towards zero.
      long double v = (long double)start[c] + (long double)(k - 1) * (long double)step[c];
      ch[c] = ClampByte(int(std::trunc(v)));
    }
    const TColor color = RGB(ch[0], ch[1], ch[2]);
    Canvas.Pen.Color = color;
    // Line k runs from (X + Width, Y + k) to (X, Y + k), or from
    // (X + k, Y + Height) to (X + k, Y); the end point is not drawn.
    const int fx = rows ? X + Width : X + k, fy = rows ? Y + k : Y + Height;
    const int tx = rows ? X : X + k, ty = rows ? Y + k : Y;
    if (!direct) {
      Canvas.MoveTo(fx, fy);
      Canvas.LineTo(tx, ty);
      continue;
    }
    const uint32_t stored = bmp.StoredFromColor(color);
    if (rows) {
      if (fy < 0 || fy >= bmp.Height())
        continue;
      const int x0 = std::max(tx + 1, 0), x1 = std::min(fx, bmp.Width() - 1);
      for (int x = x0; x <= x1; ++x)
        bmp.SetStored(x, fy, stored);
    } else {
      if (fx < 0 || fx >= bmp.Width())
        continue;
      const int y0 = std::max(ty + 1, 0), y1 = std::min(fy, bmp.Height() - 1);
      for (int y = y0; y <= y1; ++y)
        bmp.SetStored(fx, y, stored);
    }
  }
  if (direct) {
    Canvas.PenPos = rows ? TPoint(X, Y + n) : TPoint(X + n, Y);
    bmp.Changed(rows ? TRect(X + 1, Y, X + Width + 1, Y + n + 1)
                     : TRect(X, Y + 1, X + n + 1, Y + Height + 1));
  }
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
    std::vector<int> fogRow(n);
    for (size_t i = 0; i < n; ++i)
      fogRow[i] = f[i % 3];
    const int *fr = fogRow.data();
    const int a = Amount;
    for (int y = 1; y <= h - 2; ++y) {
      RowTick(y, 50, h - 2);
      uint8_t *row = Bitmap->ScanLine(y) + 3;
      BlockLoop<16>(n, [=](size_t i) { row[i] = uint8_t(fr[i] + ((int(row[i]) - fr[i]) * a) / 255); });
    }
  }
  AnnounceChange(*Bitmap);
  return true;
}

// --- blur ------------------------------------------------------------------------------

namespace {

// The blur's inner loops, built for AVX2 beside the plain version and chosen
// at run time (no fused multiply-add: every product is rounded on its own,
// the same in both versions).
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define TESSARO_BLUR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TESSARO_BLUR_CLONES
#endif

TESSARO_BLUR_CLONES void MulAdd(float *__restrict acc, const float *__restrict p, float w, size_t n) {
  size_t i = 0;
  for (; i + 16 <= n; i += 16)
    for (size_t j = i; j < i + 16; ++j)
      acc[j] += w * p[j];
  for (; i < n; ++i)
    acc[i] += w * p[i];
}

// Adding and removing 1.5 * 2^23 rounds to the nearest integer, halves to
// even, in the default rounding mode.
inline uint8_t RoundToByte(float v) {
  constexpr float Magic = 12582912.0f;
  v = (v + Magic) - Magic;
  v = v < 0 ? 0 : (v > 255 ? 255 : v);
  return uint8_t(int(v));
}

TESSARO_BLUR_CLONES void StoreRounded(uint8_t *__restrict dst, const float *__restrict acc, size_t n) {
  size_t i = 0;
  for (; i + 16 <= n; i += 16)
    for (size_t j = i; j < i + 16; ++j)
      dst[j] = RoundToByte(acc[j]);
  for (; i < n; ++i)
    dst[i] = RoundToByte(acc[i]);
}

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

bool BlurBitmap(TBitmap *Bitmap, float Radius) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  TWaitCursor wait;
  if (!(Radius > 0))
    Radius = 1;
  if (Radius > 99)
    Radius = 99;
  const std::vector<float> kernel = MakeBlurKernel(Radius);
  const int n = int(kernel.size() / 2);
  const int w = Bitmap->Width(), h = Bitmap->Height();
  if (w == 0 || h == 0) {
    AnnounceChange(*Bitmap);
    return true;
  }
  const size_t rowFloats = size_t(w) * 3;
  // The horizontal pass's results in single precision, one float per channel
  // and pixel, so that rounding happens once, at the end of the vertical
  // pass. Only the 2n + 1 rows the vertical pass still needs are kept: row r
  // lives in slot r mod (2n + 1) and is no longer needed when row r + 2n + 1
  // is made.
  const int slots = std::min(2 * n + 1, h);
  auto buffer = std::make_unique_for_overwrite<float[]>(rowFloats * size_t(slots));
  auto slot = [&](int r) { return buffer.get() + size_t(r % slots) * rowFloats; };
  std::vector<float> padded((size_t(w) + 2 * size_t(n)) * 3);
  auto horizontal = [&](int y) {
    RowTick(y, 20);
    const uint8_t *src = Bitmap->ScanLine(y);
    // The row with its edge pixels repeated n times on each side.
    for (int j = 0; j < w + 2 * n; ++j) {
      const int x = std::clamp(j - n, 0, w - 1);
      for (int c = 0; c < 3; ++c)
        padded[size_t(j) * 3 + c] = src[size_t(x) * 3 + c];
    }
    float *out = slot(y);
    std::fill(out, out + rowFloats, 0.0f);
    for (int i = 0; i <= 2 * n; ++i)
      MulAdd(out, padded.data() + size_t(i) * 3, kernel[size_t(i)], rowFloats);
  };
  std::vector<float> acc(rowFloats);
  float *a = acc.data();
  int made = 0; // rows 0 .. made - 1 have been through the horizontal pass
  for (int y = 0; y < h; ++y) {
    // Rows are overwritten in place below, so each is taken through the
    // horizontal pass before its own output row is written.
    while (made < h && made <= y + n)
      horizontal(made++);
    RowTick(y, 20, h);
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int i = 0; i <= 2 * n; ++i)
      MulAdd(a, slot(std::clamp(y + i - n, 0, h - 1)), kernel[size_t(i)], rowFloats);
    StoreRounded(Bitmap->ScanLine(y), a, rowFloats);
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
  const int w = Bitmap->Width();
  for (int y = 0; y < Bitmap->Height(); ++y) {
    uint8_t *p = Bitmap->ScanLine(y);
    for (int x = 0; x < w; ++x, p += 3) {
      const unsigned b = p[0], g = p[1], r = p[2];
      unsigned v;
      switch (Conversion) {
      case pcRed:
        v = r;
        break;
      case pcGreen:
        v = g;
        break;
      case pcBlue:
        v = b;
        break;
      case pcAlpha:
        v = 255; // the alpha byte of the 32-bit copy
        break;
      case pcUniformRGB:
        v = (r + g + b) / 3;
        break;
      default:
        v = (61 * r + 174 * g + 21 * b) >> 8;
        break;
      }
      p[0] = bgr[v][0];
      p[1] = bgr[v][1];
      p[2] = bgr[v][2];
    }
  }
  AnnounceChange(*Bitmap);
  return true;
}

} // namespace tessaro
