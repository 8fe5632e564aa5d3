#include "ops/Bitmap32.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tessaro {

void TBitmap32::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (uint64_t(width) * uint64_t(height) * 4 > MaxBitmapBytes)
    throw std::bad_alloc();
  FBits.resize(size_t(width) * size_t(height));
  FWidth = width;
  FHeight = height;
}

void TBitmap32::Clear(uint32_t argb) {
  std::fill(FBits.begin(), FBits.end(), argb);
}

void TBitmap32::Assign(const TBitmap &source) {
  SetSize(source.Width(), source.Height());
  for (int y = 0; y < FHeight; ++y) {
    uint32_t *d = ScanLine(y);
    if (source.PixelFormat() == pf24bit) {
      const uint8_t *s = source.ScanLine(y);
      for (int x = 0; x < FWidth; ++x)
        d[x] = 0xFF000000u | (uint32_t(s[3 * x + 2]) << 16) | (uint32_t(s[3 * x + 1]) << 8) | s[3 * x];
    } else {
      for (int x = 0; x < FWidth; ++x) {
        TColor c = source.ColorFromStored(source.GetStored(x, y));
        d[x] = 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
      }
    }
  }
}

void TBitmap32::AssignTo(TBitmap &target) const {
  TBitmap out(FWidth, FHeight, pf24bit);
  for (int y = 0; y < FHeight; ++y) {
    const uint32_t *s = ScanLine(y);
    uint8_t *d = out.ScanLine(y);
    for (int x = 0; x < FWidth; ++x) {
      d[3 * x] = uint8_t(s[x]);
      d[3 * x + 1] = uint8_t(s[x] >> 8);
      d[3 * x + 2] = uint8_t(s[x] >> 16);
    }
  }
  target.Assign(out);
}

void TBitmap32::DrawTo(TBitmap32 &target, int x, int y) const {
  const int x0 = std::max(0, -x), y0 = std::max(0, -y);
  const int x1 = std::min(FWidth, target.Width() - x), y1 = std::min(FHeight, target.Height() - y);
  if (x0 >= x1 || y0 >= y1)
    return;
  for (int sy = y0; sy < y1; ++sy) {
    const uint32_t *s = ScanLine(sy) + x0;
    uint32_t *d = target.ScanLine(sy + y) + x0 + x;
    const int n = x1 - x0;
    if (DrawMode == dmOpaque || MasterAlpha == 255) {
      std::memcpy(d, s, size_t(n) * 4);
      continue;
    }
    for (int i = 0; i < n; ++i) {
      uint32_t a = s[i], b = d[i];
      d[i] = (b & 0xFF000000u) |
             (uint32_t(BlendChannel((a >> 16) & 255, (b >> 16) & 255, MasterAlpha)) << 16) |
             (uint32_t(BlendChannel((a >> 8) & 255, (b >> 8) & 255, MasterAlpha)) << 8) |
             BlendChannel(a & 255, b & 255, MasterAlpha);
    }
  }
}

// --- affine transformation ------------------------------------------------------

void TAffineTransformation::Clear() {
  const double id[6] = {1, 0, 0, 0, 1, 0};
  std::copy(id, id + 6, M);
}

void TAffineTransformation::Apply(double a, double b, double c, double d, double e, double f) {
  // New mapping = step o old mapping.
  double n[6] = {a * M[0] + b * M[3], a * M[1] + b * M[4], a * M[2] + b * M[5] + c,
                 d * M[0] + e * M[3], d * M[1] + e * M[4], d * M[2] + e * M[5] + f};
  std::copy(n, n + 6, M);
}

void TAffineTransformation::Translate(double dx, double dy) {
  Apply(1, 0, dx, 0, 1, dy);
}

void TAffineTransformation::Rotate(double cx, double cy, double angle) {
  const bool moved = cx != 0 || cy != 0;
  if (moved)
    Translate(-cx, -cy);
  const double a = angle * M_PI / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  Apply(c, s, 0, -s, c, 0);
  if (moved)
    Translate(cx, cy);
}

void TAffineTransformation::Scale(double sx, double sy) {
  Apply(sx, 0, 0, 0, sy, 0);
}

void TAffineTransformation::Skew(double fx, double fy) {
  Apply(1, fx, 0, fy, 1, 0);
}

void TAffineTransformation::Transform(double x, double y, double &tx, double &ty) const {
  tx = M[0] * x + M[1] * y + M[2];
  ty = M[3] * x + M[4] * y + M[5];
}

bool TAffineTransformation::Inverse(double m[6]) const {
  const double det = M[0] * M[4] - M[1] * M[3];
  if (det == 0 || !std::isfinite(det))
    return false;
  m[0] = M[4] / det;
  m[1] = -M[1] / det;
  m[3] = -M[3] / det;
  m[4] = M[0] / det;
  m[2] = -(m[0] * M[2] + m[1] * M[5]);
  m[5] = -(m[3] * M[2] + m[4] * M[5]);
  return true;
}

namespace {

// Source positions are held with 32 fractional bits: rounding the inverse
// mapping to that grid removes the last-bit noise of the trigonometry (a
// quarter turn maps onto whole pixels, a skew by 0.5 onto exact halves), and
// a whole row of steps drifts by far less than 1/256 of a pixel.
constexpr int FracBits = 32;
constexpr double FixedOne = 4294967296.0;
constexpr int64_t HalfDown = (int64_t(1) << (FracBits - 1)) - 1;

// The part of destination row [0, dw) whose source position b + s * x may lie
// inside [0, size) on one axis, widened by a pixel against rounding.
void AxisRange(double b, double s, int size, int dw, int &from, int &to) {
  if (s == 0) {
    if (!(b >= -1 && b <= size + 1))
      to = -1;
    return;
  }
  // A pixel's margin on the source side too: positions are snapped to the grid.
  double x1 = (-1 - b) / s, x2 = (size + 1 - b) / s;
  if (x1 > x2)
    std::swap(x1, x2);
  if (!(x2 >= -1) || !(x1 <= dw + 1)) {
    to = -1;
    return;
  }
  from = std::max(from, int(std::max(std::floor(x1) - 1, 0.0)));
  to = std::min(to, int(std::min(std::ceil(x2) + 1, double(dw - 1))));
}

template <int BPP>
inline void Sample(uint8_t *o, const uint8_t *src, size_t srcStride, int sw, int sh, int64_t px, int64_t py,
                   bool linear) {
  if (!linear) {
    const int64_t nx = std::min<int64_t>((px + HalfDown) >> FracBits, sw - 1);
    const int64_t ny = std::min<int64_t>((py + HalfDown) >> FracBits, sh - 1);
    const uint8_t *s = src + size_t(ny) * srcStride + size_t(nx) * BPP;
    for (int c = 0; c < BPP; ++c)
      o[c] = s[c];
    return;
  }
  const int64_t fx0 = px >> FracBits, fy0 = py >> FracBits;
  const unsigned fx = unsigned((px >> (FracBits - 8)) & 255), fy = unsigned((py >> (FracBits - 8)) & 255);
  const int x0 = int(fx0), x1 = int(std::min<int64_t>(fx0 + 1, sw - 1));
  const int y0 = int(fy0), y1 = int(std::min<int64_t>(fy0 + 1, sh - 1));
  const uint8_t *r0 = src + size_t(y0) * srcStride, *r1 = src + size_t(y1) * srcStride;
  const uint8_t *p00 = r0 + size_t(x0) * BPP, *p10 = r0 + size_t(x1) * BPP;
  const uint8_t *p01 = r1 + size_t(x0) * BPP, *p11 = r1 + size_t(x1) * BPP;
  const unsigned wx0 = 256 - fx, wy0 = 256 - fy;
  for (int c = 0; c < BPP; ++c) {
    unsigned top = p00[c] * wx0 + p10[c] * fx, bottom = p01[c] * wx0 + p11[c] * fx;
    o[c] = uint8_t((top * wy0 + bottom * fy + 32768) >> 16);
  }
}

template <int BPP>
void TransformT(uint8_t *dst, size_t dstStride, int dw, int y0, int y1, const uint8_t *src, size_t srcStride,
                int sw, int sh, const double m[6], bool linear) {
  const int64_t limitX = int64_t(sw) << FracBits, limitY = int64_t(sh) << FracBits;
  // Steps beyond a million pixels per pixel leave no two neighbours inside.
  if (!(std::fabs(m[0]) < 1048576.0 && std::fabs(m[3]) < 1048576.0))
    return;
  const int64_t sx = int64_t(std::nearbyint(m[0] * FixedOne)), sy = int64_t(std::nearbyint(m[3] * FixedOne));
  for (int y = y0; y < y1; ++y) {
    const double bx = m[1] * y + m[2], by = m[4] * y + m[5];
    int from = 0, to = dw - 1;
    AxisRange(bx, m[0], sw, dw, from, to);
    AxisRange(by, m[3], sh, dw, from, to);
    if (from > to || !(std::fabs(bx) < 1e9 && std::fabs(by) < 1e9))
      continue;
    const int64_t fx = int64_t(std::nearbyint(bx * FixedOne)), fy = int64_t(std::nearbyint(by * FixedOne));
    uint8_t *d = dst + size_t(y) * dstStride;
    int64_t px = fx + int64_t(from) * sx, py = fy + int64_t(from) * sy;
    for (int x = from; x <= to; ++x, px += sx, py += sy) {
      // Inside the source rectangle (0, 0, W, H)?
      if (px < 0 || py < 0 || px >= limitX || py >= limitY)
        continue;
      Sample<BPP>(d + size_t(x) * BPP, src, srcStride, sw, sh, px, py, linear);
    }
  }
}

} // namespace

void TransformRows(uint8_t *dst, size_t dstStride, int dstWidth, int y0, int y1, const uint8_t *src,
                   size_t srcStride, int srcWidth, int srcHeight, int bytesPerPixel, const double m[6],
                   bool linear) {
  if (srcWidth <= 0 || srcHeight <= 0)
    return;
  if (bytesPerPixel == 4)
    TransformT<4>(dst, dstStride, dstWidth, y0, y1, src, srcStride, srcWidth, srcHeight, m, linear);
  else
    TransformT<3>(dst, dstStride, dstWidth, y0, y1, src, srcStride, srcWidth, srcHeight, m, linear);
}

void TransformPixels(uint8_t *dst, size_t dstStride, int dstWidth, int dstHeight, const uint8_t *src,
                     size_t srcStride, int srcWidth, int srcHeight, int bytesPerPixel,
                     const TAffineTransformation &t, bool linear) {
  double m[6];
  if (t.Inverse(m))
    TransformRows(dst, dstStride, dstWidth, 0, dstHeight, src, srcStride, srcWidth, srcHeight, bytesPerPixel,
                  m, linear);
}

void Transform(TBitmap32 &dst, const TBitmap32 &src, const TAffineTransformation &t, bool linear) {
  if (dst.Width() == 0 || dst.Height() == 0)
    return;
  TransformPixels(reinterpret_cast<uint8_t *>(dst.ScanLine(0)), size_t(dst.Width()) * 4, dst.Width(),
                  dst.Height(), src.Width() ? reinterpret_cast<const uint8_t *>(src.ScanLine(0)) : nullptr,
                  size_t(src.Width()) * 4, src.Width(), src.Height(), 4, t, linear);
}

} // namespace tessaro
