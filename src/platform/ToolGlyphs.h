// The small pictures of the drawing tools (a line, a rectangle, a pipette, a
// bucket ...), painted with QPainter at any size. The tool buttons and the
// mouse cursors are made from them, so both stay sharp at every device
// pixel ratio.
#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>

#include <functional>

class QPainter;

namespace tessaro {

enum class TToolGlyph {
  Pointer,
  Line,
  PolyLine,
  FreeLine,
  Bezier,
  DimHor,
  DimVert,
  Rect,
  RoundRect,
  Polygon,
  Ellipse,
  Arc,
  Chord,
  Pie,
  MarkRect,
  MarkEllipse,
  MarkHand,
  Pipette,
  Eraser,
  Bucket,
  Brush,
  Clone,
  Crop,
  Text,
  UndoMark,
};

// Paints the glyph into box (designed on a 24 x 24 grid and scaled to the
// box).
void PaintToolGlyph(QPainter &painter, TToolGlyph glyph, const QRectF &box);

// A transparent pixmap of a logical size at a device pixel ratio, painted in
// logical coordinates.
QPixmap DrawnPixmap(QSize size, qreal ratio, const std::function<void(QPainter &)> &paint);

} // namespace tessaro
