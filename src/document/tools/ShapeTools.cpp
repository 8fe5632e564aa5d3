// The shape tools: rectangle (square or rounded corners), 3D rectangle,
// polygon, ellipse, arc, chord and pie.
#include "document/tools/ShapeTools.h"

#include "document/UnChild.h"
#include "document/tools/BoxTool.h"

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

// Ranges of the option toolbars' up-down controls.
int CornerValue(const TToolEngine &e) {
  return ToolNumber(e.Attributes().RectRoundCorners, 0, 0, 360);
}
int FrameWidth(const TToolEngine &e) {
  return ToolNumber(e.Attributes().StdSize, 5, 0, 9999);
}

class TRoundRectTool : public TBoxTool {
protected:
  void Band(TToolEngine &e, TPoint q) const override {
    const int r = CornerValue(e);
    e.Canvas().RoundRect(e.FStartPoint.X, e.FStartPoint.Y, q.X, q.Y, r, r);
  }
  void Commit(TToolEngine &e, TPoint p, int, int) const override {
    TCanvas &c = e.Canvas();
    ApplyDrawAttributes(c, e.Attributes());
    const int r = CornerValue(e);
    c.RoundRect(e.FStartPoint.X, e.FStartPoint.Y, p.X, p.Y, r, r);
  }
};

// The preview is the frame of the whole box; the result is a rectangle
// inset by the frame width, outlined and filled, whose outer rings then get
// the two 3D colours.
class TRect3DTool : public TBoxTool {
protected:
  void Band(TToolEngine &e, TPoint q) const override {
    const TToolAttributes &a = e.Attributes();
    BoxBevel(e.Canvas(), TRect(e.FStartPoint.X, e.FStartPoint.Y, q.X, q.Y), a.Color3DTop, a.Color3DBottom,
             FrameWidth(e));
  }
  void Commit(TToolEngine &e, TPoint p, int, int) const override {
    TCanvas &c = e.Canvas();
    const TToolAttributes &a = e.Attributes();
    const int w = FrameWidth(e);
    const TRect box = NormalizeRect(e.FStartPoint.X, e.FStartPoint.Y, p.X, p.Y);
    const TRect inner(box.Left + w, box.Top + w, box.Right - w, box.Bottom - w);
    if (inner.Right <= inner.Left || inner.Bottom <= inner.Top)
      return;
    ApplyDrawAttributes(c, a);
    c.Rectangle(inner);
    BoxBevel(c, inner, a.Color3DTop, a.Color3DBottom, w);
  }
};

// Every click's release draws the whole closed polygon with the frame's
// attributes, closing edge included. The click's inverted dot goes first.
// There is no preview to remove: an inverted pass over the polygon would stay
// behind wherever the final figure does not cover it (a clear fill, no line,
// a dashed pen).
class TPolygonTool : public TToolHandler {
public:
  void Release(TToolEngine &e, TPoint, int, int) const override {
    if (e.FPoints.empty())
      return;
    if (e.FDotted)
      e.InvertDot(e.FPoints.back());
    TCanvas &c = e.Canvas();
    ApplyDrawAttributes(c, e.Attributes());
    c.Polygon(e.FPoints);
  }
};

class TEllipseTool : public TBoxTool {
protected:
  void Band(TToolEngine &e, TPoint q) const override {
    e.Canvas().Ellipse(e.FStartPoint.X, e.FStartPoint.Y, q.X, q.Y);
  }
  void Commit(TToolEngine &e, TPoint p, int, int) const override {
    TCanvas &c = e.Canvas();
    ApplyDrawAttributes(c, e.Attributes());
    c.Ellipse(e.FStartPoint.X, e.FStartPoint.Y, p.X, p.Y);
  }
};

// Arc, chord and pie: the whole ellipse as the preview; the result runs
// counter-clockwise from the start angle to the start angle plus the arc
// angle of the "Kreisformen" toolbar.
class TArcTool : public TEllipseTool {
public:
  explicit TArcTool(TDrawTool tool) : FTool(tool) {}

protected:
  void Commit(TToolEngine &e, TPoint p, int x, int y) const override {
    TCanvas &c = e.Canvas();
    const TToolAttributes &a = e.Attributes();
    ApplyDrawAttributes(c, a);
    if (FTool == dtArc)
      c.Brush.Style = bsClear;
    const int arc = ToolNumber(a.EllipseArc, 90, -360, 360);
    const int start = ToolNumber(a.EllipseStart, 90, -360, 360);
    int end = arc + start;
    if (end > 360)
      end -= 360;
    const TPoint s = e.FStartPoint;
    const double dx = x - s.X, dy = y - s.Y;
    // The mouse in the document window's client area.
    TfrmChild &doc = e.Document();
    const double clientX = doc.mapFromGlobal(doc.Image->mapToGlobal(QPoint(x, y))).x();
    const double z = e.ZoomFactor();
    const TArcOffset o1 = ArcEndOffset(start, dx, dy, clientX, z);
    const TArcOffset o2 = ArcEndOffset(end, dx, dy, clientX, z);
    const int x3 = int(std::trunc(s.X + o1.X)), y3 = int(std::trunc(s.Y + o1.Y));
    const int x4 = int(std::trunc(s.X + o2.X)), y4 = int(std::trunc(s.Y + o2.Y));
    switch (FTool) {
    case dtArc:
      c.Arc(s.X, s.Y, p.X, p.Y, x3, y3, x4, y4);
      break;
    case dtChord:
      c.Chord(s.X, s.Y, p.X, p.Y, x3, y3, x4, y4);
      break;
    default:
      c.Pie(s.X, s.Y, p.X, p.Y, x3, y3, x4, y4);
      break;
    }
  }

private:
  TDrawTool FTool;
};

} // namespace

TArcOffset ArcEndOffset(int angle, double dx, double dy, double clientX, double z) {
  TArcOffset o;
  const double a = angle;
  if (angle == 0 || angle == 360) {
    o.X = clientX / z;
    o.Y = dy / 2;
  } else if (angle >= 1 && angle <= 179) {
    o.X = 1.5 * dx - (dx / 90) * a;
    o.Y = dy / 2 - (dy / 90) * a;
  } else if (angle == 180) {
    o.X = 0;
    o.Y = dy / 2;
  } else if (angle >= 181 && angle <= 359) {
    o.X = (dx / 90) * a - 2.5 * dx;
    o.Y = (dy / 90) * a - 1.5 * dy;
  }
  o.X /= z;
  o.Y /= z;
  return o;
}

void BoxBevel(TCanvas &canvas, const TRect &box, TColor top, TColor bottom, int width) {
  TRect r = NormalizeRect(box.Left, box.Top, box.Right, box.Bottom);
  const int fits = (std::min(r.Right - r.Left, r.Bottom - r.Top) + 1) / 2;
  const int rings = std::clamp(width, 0, fits);
  if (rings > 0)
    DrawBevelFrame(canvas, r, top, bottom, rings);
}

const TToolHandler *ShapeToolHandler(TDrawTool tool) {
  static const TRoundRectTool roundRect;
  static const TRect3DTool rect3D;
  static const TPolygonTool polygon;
  static const TEllipseTool ellipse;
  static const TArcTool arc(dtArc), chord(dtChord), pie(dtPie);
  switch (tool) {
  case dtRoundRect:
    return &roundRect;
  case dtRect3D:
    return &rect3D;
  case dtPolygon:
    return &polygon;
  case dtEllipse:
    return &ellipse;
  case dtArc:
    return &arc;
  case dtChord:
    return &chord;
  case dtPie:
    return &pie;
  default:
    return nullptr;
  }
}

} // namespace tessaro
