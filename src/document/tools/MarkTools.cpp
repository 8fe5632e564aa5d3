// The marking tools: a rectangle, an ellipse or a freehand outline dragged
// with an inverted rubber band, left in the raster as a dotted inverted
// outline. A new marking removes the old one before its undo step.
#include "document/tools/MarkTools.h"

#include "core/Canvas.h"
#include "document/UnChild.h"

namespace tessaro {

namespace {

// What the three tools share: the old marking goes first, and a release
// that leaves a marking draws its frame and stores it.
class TMarkTool : public TToolHandler {
public:
  void BeforePress(TToolEngine &e) const override { e.Document().RemoveMarking(); }

protected:
  static void Keep(TToolEngine &e, const TRect &rect, TMarkShape shape) {
    if (!MarkingExists(rect))
      return;
    DrawMarkingFrame(e.Canvas(), rect, shape);
    e.Document().SetMarking(rect, std::move(shape));
  }
};

// The rectangle and the ellipse: a box from the press point to the pointer.
class TMarkBoxTool : public TMarkTool {
public:
  explicit TMarkBoxTool(TMarkKind kind) : FKind(kind) {}
  void Move(TToolEngine &e, TPoint p, int x, int y) const override {
    Figure(e, p);
    Figure(e, e.FLastPoint);
    e.ShowExtent(x, y);
  }
  void Release(TToolEngine &e, TPoint p, int, int) const override {
    e.SetXorStyle();
    Figure(e, e.FLastPoint);
    Keep(e, TRect(e.FStartPoint.X, e.FStartPoint.Y, p.X, p.Y), TMarkShape{FKind, {}});
  }
  void Cancel(TToolEngine &e) const override { Figure(e, e.FLastPoint); }

private:
  void Figure(TToolEngine &e, TPoint p) const {
    TCanvas &c = e.Canvas();
    if (FKind == mkEllipse)
      c.Ellipse(e.FStartPoint.X, e.FStartPoint.Y, p.X, p.Y);
    else
      c.Rectangle(e.FStartPoint.X, e.FStartPoint.Y, p.X, p.Y);
  }
  TMarkKind FKind;
};

// The freehand outline: the path grows segment by segment while the button
// is held; the release closes it.
class TMarkHandTool : public TMarkTool {
public:
  void Pressed(TToolEngine &e, TPoint p) const override { e.Document().MarkPath() = {p}; }
  void Move(TToolEngine &e, TPoint p, int, int) const override {
    std::vector<TPoint> &path = e.Document().MarkPath();
    if (path.empty() || path.back() == p)
      return;
    TCanvas &c = e.Canvas();
    c.MoveTo(path.back().X, path.back().Y);
    c.LineTo(p.X, p.Y);
    path.push_back(p);
  }
  void Release(TToolEngine &e, TPoint p, int, int) const override {
    e.SetXorStyle();
    std::vector<TPoint> path = TakePath(e);
    if (!path.empty() && path.back() != p)
      path.push_back(p);
    if (path.size() < 3)
      return;
    const TRect bounds = OutlineBounds(path);
    Keep(e, bounds, TMarkShape{mkHand, std::move(path)});
  }
  void Cancel(TToolEngine &e) const override { TakePath(e); }

private:
  // Takes the rubber band out of the raster (each segment drawn again as it
  // was drawn) and hands over the path.
  static std::vector<TPoint> TakePath(TToolEngine &e) {
    std::vector<TPoint> path;
    path.swap(e.Document().MarkPath());
    TCanvas &c = e.Canvas();
    for (size_t i = 1; i < path.size(); ++i) {
      c.MoveTo(path[i - 1].X, path[i - 1].Y);
      c.LineTo(path[i].X, path[i].Y);
    }
    return path;
  }
};

} // namespace

const TToolHandler *MarkToolHandler(TDrawTool tool) {
  static const TMarkBoxTool rect(mkRect);
  static const TMarkBoxTool ellipse(mkEllipse);
  static const TMarkHandTool hand;
  switch (tool) {
  case dtMarkRect:
    return &rect;
  case dtMarkEllipse:
    return &ellipse;
  case dtMarkHand:
    return &hand;
  default:
    return nullptr;
  }
}

} // namespace tessaro
