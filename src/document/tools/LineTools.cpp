// The line tools: line, polyline, freehand line and Bézier curve.
#include "document/tools/LineTools.h"

#include "core/Canvas.h"
#include "document/UnChild.h"
#include "platform/ScreenMetrics.h"

#include <cmath>

namespace tessaro {

namespace {

class TLineTool : public TToolHandler {
public:
  void Move(TToolEngine &e, TPoint p, int x, int) const override {
    TCanvas &c = e.Canvas();
    c.MoveTo(e.FStartPoint.X, e.FStartPoint.Y);
    c.LineTo(p.X, p.Y);
    c.MoveTo(e.FStartPoint.X, e.FStartPoint.Y);
    c.LineTo(e.FLastPoint.X, e.FLastPoint.Y);
    // The line's texts at every zoom: one pixel of height and the
    // horizontal difference as its length.
    const double z = e.ZoomFactor();
    const TScreenMetrics m = ScreenMetrics();
    const QString unit = e.Attributes().DimUnit;
    e.SetStatus(2, "H: 1 (" + FormatMm(m.HeightMm / m.HeightPx * (1 / z)) + " " + unit + ")");
    const int b = int(std::trunc((x - e.FStartPoint.X) / z));
    e.SetStatus(3, "L: " + e.Measure(b, b, true));
  }
  void Release(TToolEngine &e, TPoint p, int, int) const override {
    TCanvas &c = e.Canvas();
    c.MoveTo(e.FStartPoint.X, e.FStartPoint.Y);
    c.LineTo(p.X, p.Y);
    e.ApplyLineAttributes();
    c.MoveTo(e.FStartPoint.X, e.FStartPoint.Y);
    c.LineTo(p.X, p.Y);
  }
  void Cancel(TToolEngine &e) const override {
    TCanvas &c = e.Canvas();
    c.MoveTo(e.FStartPoint.X, e.FStartPoint.Y);
    c.LineTo(e.FLastPoint.X, e.FLastPoint.Y);
  }
};

// Each click's release redraws the whole polyline from the first point: once
// in the style the click left (removing the previous one), then with the
// frame's attributes. The click's dot goes first: a thin line ends before
// its last point, which would otherwise stay inverted.
class TPolyLineTool : public TToolHandler {
public:
  void Release(TToolEngine &e, TPoint, int, int) const override {
    TCanvas &c = e.Canvas();
    if (e.FDotted && !e.FPoints.empty())
      e.InvertDot(e.FPoints.back());
    c.Polyline(e.FPoints);
    e.ApplyLineAttributes();
    c.Polyline(e.FPoints);
  }
};

class TFreeLineTool : public TToolHandler {
public:
  void Move(TToolEngine &e, TPoint p, int, int) const override {
    e.ApplyLineAttributes();
    e.Canvas().LineTo(p.X, p.Y);
  }
};

// Drawn only when the stored points make whole segments (1 + 3k points).
class TBezierTool : public TToolHandler {
public:
  void Release(TToolEngine &e, TPoint, int, int) const override {
    TCanvas &c = e.Canvas();
    c.PolyBezier(e.FPoints);
    e.ApplyLineAttributes();
    c.PolyBezier(e.FPoints);
  }
};

} // namespace

const TToolHandler *LineToolHandler(TDrawTool tool) {
  static const TLineTool line;
  static const TPolyLineTool polyLine;
  static const TFreeLineTool freeLine;
  static const TBezierTool bezier;
  switch (tool) {
  case dtLine:
    return &line;
  case dtPolyLine:
    return &polyLine;
  case dtFreeLine:
    return &freeLine;
  case dtBezier:
    return &bezier;
  default:
    return nullptr;
  }
}

} // namespace tessaro
