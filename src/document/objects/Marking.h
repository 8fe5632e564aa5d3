// The marking of a document: a rectangle, an ellipse or a freehand outline,
// shown as a dotted outline inverted into the raster itself (drawing it
// again removes it), and what copy and cut take from the raster.
#pragma once

#include "core/Bitmap.h"
#include "core/Canvas.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace tessaro {

enum TMarkKind : uint8_t { mkRect, mkEllipse, mkHand };

// The shape inside the marking rectangle: the rectangle itself, the ellipse
// it bounds, or the closed freehand outline (image coordinates).
struct TMarkShape {
  TMarkKind Kind = mkRect;
  std::vector<TPoint> Outline;
};

// A marking exists when its rectangle has a width and a height (in either
// direction: the rectangle is kept as dragged).
constexpr bool MarkingExists(const TRect &r) {
  return r.Left != r.Right && r.Top != r.Bottom;
}

// The smallest rectangle holding every pixel of an outline.
TRect OutlineBounds(const std::vector<TPoint> &outline);

// The dotted outline: pen pmNotXor, black, psDot, width 1, clear brush.
void DrawMarkingFrame(TCanvas &canvas, const TRect &rect, const TMarkShape &shape);

// Fills the marked pixels with a colour (pen and brush of that colour, the
// pen one pixel wide so that nothing outside the marking changes).
void FillMarking(TCanvas &canvas, const TRect &rect, const TMarkShape &shape, TColor color);

// The marked pixels as a picture of the marking's box (clipped to the
// raster); pixels of the box outside an ellipse or outline take the colour
// `outside`. Null when nothing of the box lies on the raster or the picture
// cannot be had.
QImage MarkedImage(const TBitmap &raster, const TRect &rect, const TMarkShape &shape, TColor outside);

} // namespace tessaro
