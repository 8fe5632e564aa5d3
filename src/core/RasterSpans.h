// Internal helpers of the canvas: coverages as sets of horizontal spans and
// the raster operations applied to stored pixel values along those spans.
#pragma once

#include "core/Bitmap.h"
#include "core/ByteOrder.h"
#include "core/Canvas.h"
#include "core/Types.h"

#include <cstdint>
#include <vector>

namespace tessaro::raster {

// Bits that a stored value of the format can hold.
constexpr uint32_t FormatMask(TPixelFormat pf) {
  switch (pf) {
  case pf1bit:
    return 0x1;
  case pf4bit:
    return 0xF;
  case pf8bit:
    return 0xFF;
  case pf15bit:
    return 0x7FFF;
  case pf16bit:
    return 0xFFFF;
  case pf24bit:
    return 0xFFFFFF;
  case pf32bit:
    return 0xFFFFFFFF;
  default:
    return 0;
  }
}

inline uint32_t ReadStored(const uint8_t *row, int x, TPixelFormat pf) {
  switch (pf) {
  case pf1bit:
    return (row[x >> 3] >> (7 - (x & 7))) & 1u;
  case pf4bit:
    return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
  case pf8bit:
    return row[x];
  case pf15bit:
  case pf16bit:
    return Le16(row + 2 * x);
  case pf24bit: {
    const uint8_t *p = row + 3 * x;
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
  }
  case pf32bit:
    return Le32(row + 4 * x);
  default:
    return 0;
  }
}

inline void WriteStored(uint8_t *row, int x, TPixelFormat pf, uint32_t v) {
  switch (pf) {
  case pf1bit: {
    uint8_t bit = uint8_t(0x80u >> (x & 7));
    if (v & 1)
      row[x >> 3] |= bit;
    else
      row[x >> 3] &= uint8_t(~bit);
    break;
  }
  case pf4bit:
    if (x & 1)
      row[x >> 1] = uint8_t((row[x >> 1] & 0xF0) | (v & 0x0F));
    else
      row[x >> 1] = uint8_t((row[x >> 1] & 0x0F) | ((v & 0x0F) << 4));
    break;
  case pf8bit:
    row[x] = uint8_t(v);
    break;
  case pf15bit:
  case pf16bit:
    row[2 * x] = uint8_t(v);
    row[2 * x + 1] = uint8_t(v >> 8);
    break;
  case pf24bit: {
    uint8_t *p = row + 3 * x;
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    break;
  }
  case pf32bit: {
    uint8_t *p = row + 4 * x;
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
    break;
  }
  default:
    break;
  }
}

// Any pen raster operation with a fixed pen value is, bit by bit, one of
// 0, 1, D or not D, so it reduces to dest = (dest & And) ^ Xor.
struct TRopMasks {
  uint32_t And = 0;
  uint32_t Xor = 0;
  bool IsNop(uint32_t formatMask) const {
    return (And & formatMask) == formatMask && (Xor & formatMask) == 0;
  }
  uint32_t Apply(uint32_t d) const { return (d & And) ^ Xor; }
};

TRopMasks Rop2Masks(TPenMode mode, uint32_t pen, uint32_t formatMask);

// A horizontal run of pixels X0 .. X1 - 1 on row Y.
struct TSpan {
  int Y;
  int X0;
  int X1;
};

// A set of pixels as spans. Spans added are clipped to the clip rectangle;
// Normalize sorts them and merges overlaps so that every pixel occurs once.
class TCoverage {
public:
  explicit TCoverage(const TRect &clip) : FClip(clip) {}
  void Add(int y, int x0, int x1) {
    if (y < FClip.Top || y >= FClip.Bottom)
      return;
    if (x0 < FClip.Left)
      x0 = FClip.Left;
    if (x1 > FClip.Right)
      x1 = FClip.Right;
    if (x0 >= x1)
      return;
    FSpans.push_back(TSpan{y, x0, x1});
  }
  void AddPixel(int x, int y) { Add(y, x, x + 1); }
  void Append(const TCoverage &other) {
    FSpans.insert(FSpans.end(), other.FSpans.begin(), other.FSpans.end());
  }
  void Normalize();
  // This minus other; both must be normalized.
  TCoverage Subtract(const TCoverage &other) const;
  bool Contains(int x, int y) const; // normalized only; binary search
  const std::vector<TSpan> &Spans() const { return FSpans; }
  std::vector<TSpan> &Spans() { return FSpans; }
  const TRect &Clip() const { return FClip; }
  bool Empty() const { return FSpans.empty(); }
  TRect Bounds() const;
  size_t PixelCount() const;

private:
  TRect FClip;
  std::vector<TSpan> FSpans;
};

// Hatch patterns of the brush styles, 8 x 8 cells aligned to the bitmap
// origin. bsSolid covers everything, bsClear nothing.
inline bool HatchCovers(TBrushStyle style, int x, int y) {
  int hx = x & 7, hy = y & 7;
  switch (style) {
  case bsSolid:
    return true;
  case bsClear:
    return false;
  case bsHorizontal:
    return hy == 0;
  case bsVertical:
    return hx == 0;
  case bsFDiagonal:
    return hx == hy;
  case bsBDiagonal:
    return hx + hy == 7;
  case bsCross:
    return hx == 0 || hy == 0;
  case bsDiagCross:
    return hx == hy || hx + hy == 7;
  }
  return false;
}

// Applies the masks to the pixels x0 .. x1 - 1 of row y (already clipped).
void ApplySpan(TBitmap &bmp, int y, int x0, int x1, const TRopMasks &m);
// Applies the masks to every pixel of the coverage, filtered by the hatch of
// style (bsSolid for all pixels). Returns the bounding rectangle touched.
TRect ApplyCoverage(TBitmap &bmp, const TCoverage &cov, const TRopMasks &m, TBrushStyle style = bsSolid);

// Pen raster operation of `mode` with the stored value of `color` in bmp.
TRopMasks PenMasks(const TBitmap &bmp, TPenMode mode, TColor color);

} // namespace tessaro::raster
