// The dimension tools: a line from the press to the release point with a
// tick across each end and its length in millimetres of the screen as the
// label. The horizontal tool ticks vertically and writes below the middle,
// the vertical one ticks horizontally and writes left of the middle.
#include "document/tools/DimensionTools.h"

#include "document/UnChild.h"
#include "document/tools/BoxTool.h"
#include "platform/ScreenMetrics.h"

#include <QFont>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

constexpr int TickHalf = 5;
constexpr int LabelBelow = 10;
constexpr int LabelGap = 2;

class TDimensionTool : public TBoxTool {
public:
  explicit TDimensionTool(bool horizontal) : FHorizontal(horizontal) {}

protected:
  // The line to q and both ticks in picture pixels. The start tick is part
  // of every preview, so the preview for the press point itself draws it
  // twice and shows nothing.
  void Band(TToolEngine &e, TPoint q) const override {
    TCanvas &c = e.Canvas();
    const TPoint s = e.FStartPoint;
    c.MoveTo(s.X, s.Y);
    c.LineTo(q.X, q.Y);
    Tick(c, s.X, s.Y);
    Tick(c, q.X, q.Y);
  }
  void Commit(TToolEngine &e, TPoint p, int x, int y) const override {
    TCanvas &c = e.Canvas();
    const TToolAttributes &a = e.Attributes();
    const TPoint s = e.FStartPoint;
    const double z = e.ZoomFactor();
    // A dimension line is always drawn, with a visible pen.
    ApplyDrawAttributes(c, a);
    if (c.Pen.Width == 0)
      c.Pen.Width = 1;
    if (c.Pen.Style == psClear)
      c.Pen.Style = psSolid;
    c.Brush.Style = bsClear;
    c.MoveTo(s.X, s.Y);
    c.LineTo(p.X, p.Y);
    if (FHorizontal) {
      c.MoveTo(s.X, s.Y - TickHalf);
      c.LineTo(s.X, s.Y + TickHalf);
      c.MoveTo(p.X, int(std::trunc((y - TickHalf) / z)));
      c.LineTo(p.X, int(std::trunc((y + TickHalf) / z)));
    } else {
      c.MoveTo(s.X - TickHalf, s.Y);
      c.LineTo(s.X + TickHalf, s.Y);
      c.MoveTo(int(std::trunc((x - TickHalf) / z)), p.Y);
      c.LineTo(int(std::trunc((x + TickHalf) / z)), p.Y);
    }
    // The label's box is filled with the fill colour when the fill is solid.
    ApplyDrawAttributes(c, a);
    const float dx = float(p.X - s.X), dy = float(p.Y - s.Y);
    const float length = std::sqrt(dx * dx + dy * dy);
    const std::string text =
        DimensionLabel(FHorizontal ? HorzMm(length) : VertMm(length), a.DimUnit).toStdString();
    c.Font = DimensionFont(a);
    // The text stays readable on a box of its own colour.
    if (c.Brush.Style != bsClear && c.Brush.Color == c.Font.Color)
      c.Brush.Color = ~c.Font.Color & 0xFFFFFF;
    const double midX = (x / z - s.X) / 2 + s.X, midY = (y / z - s.Y) / 2 + s.Y;
    const int tw = c.TextWidth(text), th = c.TextHeight(text);
    int tx, ty;
    if (FHorizontal) {
      tx = int(std::trunc(midX - tw / 2.0));
      ty = int(std::trunc(midY - th / 2.0)) + LabelBelow;
    } else {
      tx = int(std::trunc(midX - tw - LabelGap));
      ty = int(std::trunc(midY - th / 2.0));
    }
    c.TextOut(tx, ty, text);
    e.Document().SetDimensioned(true);
  }

private:
  void Tick(TCanvas &c, int x, int y) const {
    if (FHorizontal) {
      c.MoveTo(x, y - TickHalf);
      c.LineTo(x, y + TickHalf);
    } else {
      c.MoveTo(x - TickHalf, y);
      c.LineTo(x + TickHalf, y);
    }
  }

  bool FHorizontal;
};

} // namespace

QString DimensionLabel(double millimetres, const QString &unit) {
  return QLocale().toString(millimetres, 'f', 1) + " " + unit;
}

TFont DimensionFont(const TToolAttributes &a) {
  const QFont &q = a.DimFont;
  TFont f;
  f.Name = q.family().toStdString();
  // A font set in pixels carries a negative size.
  f.Size = q.pointSizeF() > 0 ? int(std::lround(q.pointSizeF())) : -std::max(1, q.pixelSize());
  f.Color = a.DimFontColor;
  f.Style = (q.bold() ? fsBold : 0) | (q.italic() ? fsItalic : 0) | (q.underline() ? fsUnderline : 0) |
            (q.strikeOut() ? fsStrikeOut : 0);
  return f;
}

const TToolHandler *DimensionToolHandler(TDrawTool tool) {
  static const TDimensionTool horizontal(true), vertical(false);
  switch (tool) {
  case dtDimHor:
    return &horizontal;
  case dtDimVert:
    return &vertical;
  default:
    return nullptr;
  }
}

} // namespace tessaro
