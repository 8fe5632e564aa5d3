#include "document/objects/Marking.h"

#include "document/objects/ClipboardImage.h"

#include <algorithm>
#include <climits>

namespace tessaro {

TRect OutlineBounds(const std::vector<TPoint> &outline) {
  if (outline.empty())
    return TRect();
  TRect r(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  for (const TPoint &p : outline) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X + 1);
    r.Bottom = std::max(r.Bottom, p.Y + 1);
  }
  return r;
}

namespace {

// The shape's figure with the canvas's current pen and brush, shifted.
void DrawShape(TCanvas &c, const TRect &rect, const TMarkShape &shape, int dx = 0, int dy = 0) {
  switch (shape.Kind) {
  case mkRect:
    c.Rectangle(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
    break;
  case mkEllipse:
    c.Ellipse(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
    break;
  case mkHand: {
    std::vector<TPoint> pts(shape.Outline);
    for (TPoint &p : pts)
      p = TPoint(p.X + dx, p.Y + dy);
    c.Polygon(pts);
    break;
  }
  }
}

void SolidStyle(TCanvas &c, TColor color) {
  c.Pen.Mode = pmCopy;
  c.Pen.Style = psSolid;
  c.Pen.Width = 1;
  c.Pen.Color = color;
  c.Brush.Style = bsSolid;
  c.Brush.Color = color;
}

} // namespace

void DrawMarkingFrame(TCanvas &canvas, const TRect &rect, const TMarkShape &shape) {
  canvas.Pen.Mode = pmNotXor;
  canvas.Pen.Color = clBlack;
  canvas.Pen.Style = psDot;
  canvas.Pen.Width = 1;
  canvas.Brush.Style = bsClear;
  DrawShape(canvas, rect, shape);
}

void FillMarking(TCanvas &canvas, const TRect &rect, const TMarkShape &shape, TColor color) {
  SolidStyle(canvas, color);
  DrawShape(canvas, rect, shape);
}

QImage MarkedImage(const TBitmap &raster, const TRect &rect, const TMarkShape &shape, TColor outside) {
  const TRect box = IntersectRect(NormalizeRect(rect.Left, rect.Top, rect.Right, rect.Bottom),
                                  TRect(0, 0, raster.Width(), raster.Height()));
  QImage image = ImageOfArea(raster, box);
  if (image.isNull() || shape.Kind == mkRect)
    return image;
  // Which pixels of the box the shape covers: the same figure that a cut
  // fills, drawn on a one-bit picture of the box.
  TBitmap mask;
  mask.Allocate(box.Width(), box.Height(), pf1bit, true);
  const uint32_t off = mask.GetStored(0, 0);
  SolidStyle(mask.Canvas(), mask.ColorFromStored(off ^ 1));
  DrawShape(mask.Canvas(), rect, shape, -box.Left, -box.Top);
  const TColor c = ColorToRGB(outside);
  for (int y = 0; y < box.Height(); ++y) {
    uint8_t *row = image.scanLine(y);
    for (int x = 0; x < box.Width(); ++x) {
      if (mask.GetStored(x, y) != off)
        continue;
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  return image;
}

} // namespace tessaro
