// The 32-bit raster library: one $AARRGGBB value per pixel, a master alpha
// and a draw mode for blending one raster onto another, and the affine
// transformation with inverse mapping that free rotation, skew and resize
// are built on.
#pragma once

#include "core/Bitmap.h"

#include <cstdint>
#include <vector>

namespace tessaro {

enum TDrawMode : uint8_t { dmOpaque, dmBlend };

// One channel of Source over Target at opacity Alpha / 255 (rounded);
// Alpha 255 gives Source, Alpha 0 gives Target.
inline uint8_t BlendChannel(unsigned source, unsigned target, unsigned alpha) {
  return uint8_t((source * alpha + target * (255 - alpha) + 127) / 255);
}

class TBitmap32 {
public:
  TBitmap32() = default;
  TBitmap32(int width, int height) { SetSize(width, height); }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Contents are undefined after a size change; Clear fills them.
  void SetSize(int width, int height);
  void Clear(uint32_t argb);

  uint32_t *ScanLine(int y) { return FBits.data() + size_t(y) * size_t(FWidth); }
  const uint32_t *ScanLine(int y) const { return FBits.data() + size_t(y) * size_t(FWidth); }
  uint32_t Pixel(int x, int y) const { return ScanLine(y)[x]; }
  void SetPixel(int x, int y, uint32_t argb) { ScanLine(y)[x] = argb; }

  // Copies a bitmap of any format in; every alpha byte becomes 255.
  void Assign(const TBitmap &source);
  // Copies the pixels out into a pf24bit bitmap (alpha dropped).
  void AssignTo(TBitmap &target) const;

  uint8_t MasterAlpha = 255;
  TDrawMode DrawMode = dmOpaque;

  // Draws this raster onto Target with its top-left pixel at (X, Y), clipped
  // to Target; dmBlend mixes at MasterAlpha.
  void DrawTo(TBitmap32 &target, int x, int y) const;

private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint32_t> FBits;
};

// A mapping from source to destination coordinates, built from the identity
// by steps that each act on the result of the previous ones.
class TAffineTransformation {
public:
  void Clear();
  void Translate(double dx, double dy);
  // With y growing downwards a positive angle (degrees) turns counter-clockwise.
  void Rotate(double cx, double cy, double angle);
  void Scale(double sx, double sy);
  void Skew(double fx, double fy);

  // Destination position of a source position.
  void Transform(double x, double y, double &tx, double &ty) const;
  // Inverse matrix (a, b, c, d, e, f): x = a x' + b y' + c, y = d x' + e y' + f.
  // False when the mapping is singular.
  bool Inverse(double m[6]) const;

private:
  void Apply(double a, double b, double c, double d, double e, double f);
  // x' = M[0] x + M[1] y + M[2], y' = M[3] x + M[4] y + M[5]
  double M[6] = {1, 0, 0, 0, 1, 0};
};

// Inverse mapping of every destination pixel (integer coordinates, no
// half-pixel offset) into the source. A pixel whose source position lies
// inside the source rectangle (0, 0, W, H) takes its colour, by nearest
// neighbour (halves round down, the last column and row standing for the
// positions beyond their centres) or bilinearly (weights in steps of 1/256,
// edge pixels repeat);
// other pixels keep what the destination held. Positions are held with 32
// fractional bits.
void TransformPixels(uint8_t *dst, size_t dstStride, int dstWidth, int dstHeight, const uint8_t *src,
                     size_t srcStride, int srcWidth, int srcHeight, int bytesPerPixel,
                     const TAffineTransformation &t, bool linear);

// The destination rows [y0, y1) of TransformPixels, with the inverse
// matrix of the transformation (TAffineTransformation::Inverse).
void TransformRows(uint8_t *dst, size_t dstStride, int dstWidth, int y0, int y1, const uint8_t *src,
                   size_t srcStride, int srcWidth, int srcHeight, int bytesPerPixel, const double m[6],
                   bool linear);

void Transform(TBitmap32 &dst, const TBitmap32 &src, const TAffineTransformation &t, bool linear);

} // namespace tessaro
