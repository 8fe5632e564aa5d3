// The canvas state, raster operation codes, pixels, rectangles and frames.
#include "core/Canvas.h"

#include "core/RasterShapes.h"
#include "core/RasterSpans.h"

#include <cmath>
#include <limits>

namespace tessaro {

using raster::TCoverage;

namespace {
std::shared_ptr<TTextRasterizer> &TextRasterizerSlot() {
  static std::shared_ptr<TTextRasterizer> slot;
  return slot;
}
} // namespace

void SetTextRasterizer(std::shared_ptr<TTextRasterizer> r) {
  TextRasterizerSlot() = std::move(r);
}
TTextRasterizer *GetTextRasterizer() {
  return TextRasterizerSlot().get();
}

int TFont::PixelHeight() const {
  // Rounded like MulDiv(Size, 96, 72); a negative size already is pixels.
  if (Size < 0)
    return -Size;
  return (Size * 96 + 36) / 72;
}

TCanvas::TCanvas(TBitmap &bitmap) : FBitmap(bitmap) {}

uint32_t ApplyRop2(TPenMode mode, uint32_t pen, uint32_t dest) {
  return raster::Rop2Masks(mode, pen, 0xFFFFFFFFu).Apply(dest);
}

uint32_t ApplyRop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t dest) {
  uint32_t code = (rop >> 16) & 0xFF;
  uint32_t result = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((code >> i) & 1))
      continue;
    uint32_t term = ((i & 4) ? pattern : ~pattern) & ((i & 2) ? source : ~source) & ((i & 1) ? dest : ~dest);
    result |= term;
  }
  return result;
}

TPoint ControlToImage(int x, int y, int zoom) {
  double z = (zoom < 1 ? 1 : zoom) / 100.0;
  // Computed in floating point and truncated toward zero.
  return TPoint(int(std::trunc(x / z)), int(std::trunc(y / z)));
}

void TCanvas::PaintFigure(TCoverage *outline, TCoverage *region) {
  TRect changed;
  if (outline) {
    outline->Normalize();
    changed = raster::ApplyCoverage(FBitmap, *outline, raster::PenMasks(FBitmap, Pen.Mode, Pen.Color));
  }
  if (region && Brush.Style != bsClear) {
    region->Normalize();
    TRect r;
    raster::TRopMasks bm = raster::PenMasks(FBitmap, Pen.Mode, Brush.Color);
    if (outline && !outline->Empty())
      r = raster::ApplyCoverage(FBitmap, region->Subtract(*outline), bm, Brush.Style);
    else
      r = raster::ApplyCoverage(FBitmap, *region, bm, Brush.Style);
    changed = UnionRect(changed, r);
  }
  if (!changed.IsEmpty())
    FBitmap.Changed(changed);
}

void TCanvas::SetPixels(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= FBitmap.Width() || y >= FBitmap.Height())
    return;
  FBitmap.SetStored(x, y, FBitmap.StoredFromColor(ColorToRGB(c) & 0xFFFFFF));
  FBitmap.Changed(TRect(x, y, x + 1, y + 1));
}

void TCanvas::FillRect(const TRect &r) {
  // Fills with the brush pattern, always copying (the pen mode is not used).
  TRect box = IntersectRect(NormalizeRect(r.Left, r.Top, r.Right, r.Bottom), ClipRect());
  if (box.IsEmpty() || Brush.Style == bsClear)
    return;
  TCoverage cov(ClipRect());
  for (int y = box.Top; y < box.Bottom; ++y)
    cov.Add(y, box.Left, box.Right);
  raster::ApplyCoverage(FBitmap, cov, raster::PenMasks(FBitmap, pmCopy, Brush.Color), Brush.Style);
  FBitmap.Changed(box);
}

void TCanvas::FrameRect(const TRect &r) {
  TRect box = NormalizeRect(r.Left, r.Top, r.Right, r.Bottom);
  if (box.IsEmpty())
    return;
  TCoverage cov(ClipRect());
  cov.Add(box.Top, box.Left, box.Right);
  for (int y = box.Top + 1; y < box.Bottom - 1; ++y) {
    cov.Add(y, box.Left, box.Left + 1);
    cov.Add(y, box.Right - 1, box.Right);
  }
  if (box.Bottom - 1 > box.Top)
    cov.Add(box.Bottom - 1, box.Left, box.Right);
  cov.Normalize();
  TRect changed = raster::ApplyCoverage(FBitmap, cov, raster::PenMasks(FBitmap, pmCopy, Brush.Color));
  if (!changed.IsEmpty())
    FBitmap.Changed(changed);
}

void DrawBevelFrame(TCanvas &canvas, TRect &rect, TColor topColor, TColor bottomColor, int width) {
  canvas.Pen.Width = 1;
  --rect.Right;
  --rect.Bottom;
  for (int i = 0; i < width; ++i) {
    canvas.Pen.Color = topColor;
    TPoint top[3] = {TPoint(rect.Left, rect.Bottom), TPoint(rect.Left, rect.Top),
                     TPoint(rect.Right, rect.Top)};
    canvas.Polyline(top);
    canvas.Pen.Color = bottomColor;
    TPoint bottom[3] = {TPoint(rect.Right, rect.Top), TPoint(rect.Right, rect.Bottom),
                        TPoint(rect.Left - 1, rect.Bottom)};
    canvas.Polyline(bottom);
    ++rect.Left;
    ++rect.Top;
    --rect.Right;
    --rect.Bottom;
  }
  ++rect.Right;
  ++rect.Bottom;
}

} // namespace tessaro
