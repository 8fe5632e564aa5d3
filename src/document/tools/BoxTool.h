// Tools dragged from the press point as a box: every move draws the preview
// for the current point inverted and the one for the previous point again,
// which removes it, so the raster always shows exactly one preview. The
// release removes the preview of the last point and draws the result.
#pragma once

#include "document/tools/ToolEngine.h"

namespace tessaro {

class TBoxTool : public TToolHandler {
public:
  void Move(TToolEngine &e, TPoint p, int x, int y) const override {
    Band(e, p);
    Band(e, e.FLastPoint);
    e.ShowExtent(x, y);
  }
  // The preview shown is the one of the last move (a release elsewhere, with
  // no move before it, must not invert a figure that was never drawn).
  void Release(TToolEngine &e, TPoint p, int x, int y) const override {
    e.SetXorStyle();
    Band(e, e.FLastPoint);
    Commit(e, p, x, y);
  }
  void Cancel(TToolEngine &e) const override { Band(e, e.FLastPoint); }

protected:
  // The preview of the box from the press point to q, in the canvas's
  // current (inverting) style.
  virtual void Band(TToolEngine &e, TPoint q) const = 0;
  // The result for the release at image point p (raw control coordinates x,
  // y).
  virtual void Commit(TToolEngine &e, TPoint p, int x, int y) const = 0;
};

} // namespace tessaro
