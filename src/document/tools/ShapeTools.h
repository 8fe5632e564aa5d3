// The shape tools' handlers (null for the other tools): rectangle with square
// or rounded corners, 3D rectangle, polygon, ellipse, arc, chord and pie.
#pragma once

#include "core/Canvas.h"
#include "document/tools/ToolEngine.h"

namespace tessaro {

const TToolHandler *ShapeToolHandler(TDrawTool tool);

// Offset from the box's press corner of a point on the ray of an angle
// (degrees, 0 to the right, counter-clockwise with y upwards on the screen),
// for a box of the raw extent dx, dy: exact at 0, 90, 180 and 270 degrees,
// linear in between. Angles of 0 and 360 take the mouse's x in the document
// window's client area; angles outside 0 to 360 point at the corner itself.
// Everything is divided by the zoom factor z at the end.
struct TArcOffset {
  double X = 0;
  double Y = 0;
};
TArcOffset ArcEndOffset(int angle, double dx, double dy, double clientX, double z);

// The 3D frame of a dragged box: the box is taken with its corners in order,
// and no more rings are drawn than fit into it (rings past the middle would
// turn inside out and run off the box).
void BoxBevel(TCanvas &canvas, const TRect &box, TColor top, TColor bottom, int width);

} // namespace tessaro
