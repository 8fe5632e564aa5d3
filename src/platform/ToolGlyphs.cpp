#include "platform/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace tessaro {

namespace {

const QColor Ink(32, 32, 32);
const QColor ShapeFill(127, 178, 229);
const QColor Marking(0, 0, 0);

QPen InkPen(double width = 1.6) {
  QPen pen(Ink, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QPen DashPen() {
  QPen pen(Marking, 1.2);
  pen.setDashPattern({2.5, 2});
  return pen;
}

QPolygonF Poly(std::initializer_list<QPointF> points) {
  return QPolygonF(QList<QPointF>(points));
}

// An arrow head at tip pointing from `from`.
void ArrowHead(QPainter &p, QPointF from, QPointF tip) {
  const QLineF l(tip, from);
  QLineF a = l;
  a.setLength(4);
  QLineF b = a;
  a.setAngle(l.angle() + 30);
  b.setAngle(l.angle() - 30);
  p.setBrush(Ink);
  p.drawPolygon(Poly({tip, a.p2(), b.p2()}));
}

void DimLine(QPainter &p, bool horizontal) {
  p.setPen(InkPen(1.4));
  auto pt = [horizontal](double along, double across) {
    return horizontal ? QPointF(along, across) : QPointF(across, along);
  };
  p.drawLine(pt(3, 6), pt(3, 18));
  p.drawLine(pt(21, 6), pt(21, 18));
  p.drawLine(pt(4, 12), pt(20, 12));
  ArrowHead(p, pt(12, 12), pt(4, 12));
  ArrowHead(p, pt(12, 12), pt(20, 12));
}

void Pipette(QPainter &p) {
  p.setPen(InkPen(1.3));
  // Glass tube from the tip at the lower left to the bulb at the upper right.
  p.setBrush(QColor(230, 240, 250));
  p.drawPolygon(Poly({{3, 21}, {4, 17}, {13, 8}, {16, 11}, {7, 20}}));
  p.setBrush(QColor(60, 60, 60));
  p.drawPolygon(Poly({{12, 7}, {17, 12}, {19, 10}, {14, 5}}));
  p.drawEllipse(QPointF(18.5, 5.5), 3.5, 3.5);
}

void Bucket(QPainter &p) {
  p.setPen(InkPen(1.3));
  p.setBrush(QColor(200, 200, 200));
  p.drawPolygon(Poly({{6, 10}, {13, 3}, {21, 11}, {14, 18}}));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(9, 1, 10, 10), 30 * 16, 150 * 16);
  // The pouring paint ends in a drop at the lower left, where the fill acts.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 90, 200));
  QPainterPath drop;
  drop.moveTo(6, 10);
  drop.cubicTo(3, 12, 2, 17, 3, 19);
  drop.cubicTo(4, 22, 7, 21, 6, 18);
  drop.cubicTo(5, 16, 6, 13, 8, 12);
  drop.closeSubpath();
  p.drawPath(drop);
}

void Eraser(QPainter &p) {
  p.setPen(InkPen(1.2));
  p.setBrush(QColor(240, 150, 170));
  p.drawPolygon(Poly({{3, 16}, {10, 9}, {15, 14}, {8, 21}}));
  p.setBrush(QColor(90, 130, 210));
  p.drawPolygon(Poly({{10, 9}, {17, 2}, {22, 7}, {15, 14}}));
}

void Brush(QPainter &p) {
  QPen handle(QColor(150, 90, 40), 3);
  handle.setCapStyle(Qt::RoundCap);
  p.setPen(handle);
  p.drawLine(QPointF(21, 3), QPointF(13, 11));
  p.setPen(InkPen(1.2));
  p.setBrush(QColor(180, 180, 180));
  p.drawPolygon(Poly({{11, 10}, {14, 13}, {12, 15}, {9, 12}}));
  p.setBrush(QColor(40, 90, 200));
  QPainterPath tuft;
  tuft.moveTo(9, 12);
  tuft.cubicTo(5, 13, 5, 17, 3, 21);
  tuft.cubicTo(7, 20, 11, 19, 12, 15);
  tuft.closeSubpath();
  p.drawPath(tuft);
}

void Clone(QPainter &p) {
  p.setPen(InkPen(1.2));
  p.setBrush(QColor(150, 90, 40));
  p.drawRoundedRect(QRectF(9, 2, 6, 9), 2, 2);
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(5, 11, 14, 5));
  p.setBrush(QColor(40, 90, 200));
  p.drawRect(QRectF(3, 16, 18, 4));
}

void Crop(QPainter &p) {
  p.setPen(InkPen(2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(Poly({{7, 2}, {7, 17}, {22, 17}}));
  p.drawPolyline(Poly({{2, 7}, {17, 7}, {17, 22}}));
}

void Pointer(QPainter &p) {
  p.setPen(InkPen(1.2));
  p.setBrush(Qt::white);
  p.drawPolygon(Poly({{7, 3}, {7, 19}, {11, 15.5}, {14, 21.5}, {16.5, 20.5}, {13.5, 14.5}, {18.5, 14.5}}));
}

void Text(QPainter &p) {
  p.setPen(InkPen(2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(Poly({{5, 21}, {12, 3}, {19, 21}}));
  p.drawLine(QPointF(8, 15), QPointF(16, 15));
}

} // namespace

QPixmap DrawnPixmap(QSize size, qreal ratio, const std::function<void(QPainter &)> &paint) {
  QPixmap pm(int(size.width() * ratio), int(size.height() * ratio));
  pm.setDevicePixelRatio(ratio);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  paint(p);
  return pm;
}

void PaintToolGlyph(QPainter &p, TToolGlyph glyph, const QRectF &box) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.translate(box.topLeft());
  p.scale(box.width() / 24.0, box.height() / 24.0);
  p.setBrush(Qt::NoBrush);
  p.setPen(InkPen());
  switch (glyph) {
  case TToolGlyph::Pointer:
    Pointer(p);
    break;
  case TToolGlyph::Line:
    p.setPen(InkPen(2));
    p.drawLine(QPointF(4, 20), QPointF(20, 4));
    break;
  case TToolGlyph::PolyLine:
    p.setPen(InkPen(2));
    p.drawPolyline(Poly({{3, 19}, {8, 6}, {14, 16}, {21, 5}}));
    break;
  case TToolGlyph::FreeLine: {
    QPainterPath path;
    path.moveTo(3, 17);
    path.cubicTo(6, 3, 10, 23, 14, 11);
    path.cubicTo(16, 5, 19, 9, 21, 5);
    p.setPen(InkPen(2));
    p.drawPath(path);
    break;
  }
  case TToolGlyph::Bezier: {
    QPen guide(QColor(120, 120, 120), 1);
    guide.setDashPattern({2, 2});
    p.setPen(guide);
    p.drawLine(QPointF(3, 20), QPointF(6, 3));
    p.drawLine(QPointF(21, 4), QPointF(18, 21));
    QPainterPath path;
    path.moveTo(3, 20);
    path.cubicTo(6, 3, 18, 21, 21, 4);
    p.setPen(InkPen(2));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    for (QPointF c : {QPointF(6, 3), QPointF(18, 21)})
      p.drawRect(QRectF(c.x() - 1.5, c.y() - 1.5, 3, 3));
    break;
  }
  case TToolGlyph::DimHor:
    DimLine(p, true);
    break;
  case TToolGlyph::DimVert:
    DimLine(p, false);
    break;
  case TToolGlyph::Rect:
    p.setBrush(ShapeFill);
    p.drawRect(QRectF(3, 6, 18, 12));
    break;
  case TToolGlyph::RoundRect:
    p.setBrush(ShapeFill);
    p.drawRoundedRect(QRectF(3, 6, 18, 12), 4, 4);
    break;
  case TToolGlyph::Polygon:
    p.setBrush(ShapeFill);
    p.drawPolygon(Poly({{4, 18}, {7, 5}, {16, 4}, {21, 12}, {13, 21}}));
    break;
  case TToolGlyph::Ellipse:
    p.setBrush(ShapeFill);
    p.drawEllipse(QRectF(2, 5, 20, 14));
    break;
  case TToolGlyph::Arc:
    p.setPen(InkPen(2));
    p.drawArc(QRectF(2, 5, 20, 14), 20 * 16, 200 * 16);
    break;
  case TToolGlyph::Chord:
    p.setBrush(ShapeFill);
    p.drawChord(QRectF(2, 5, 20, 14), 20 * 16, 200 * 16);
    break;
  case TToolGlyph::Pie:
    p.setBrush(ShapeFill);
    p.drawPie(QRectF(2, 4, 20, 16), 40 * 16, 280 * 16);
    break;
  case TToolGlyph::MarkRect:
    p.setPen(DashPen());
    p.drawRect(QRectF(3.5, 5.5, 17, 13));
    break;
  case TToolGlyph::MarkEllipse:
    p.setPen(DashPen());
    p.drawEllipse(QRectF(2.5, 5.5, 19, 13));
    break;
  case TToolGlyph::MarkHand: {
    QPainterPath path;
    path.moveTo(4, 12);
    path.cubicTo(3, 4, 13, 2, 15, 6);
    path.cubicTo(17, 9, 22, 7, 21, 14);
    path.cubicTo(20, 21, 11, 22, 9, 18);
    path.cubicTo(7, 15, 5, 17, 4, 12);
    p.setPen(DashPen());
    p.drawPath(path);
    break;
  }
  case TToolGlyph::Pipette:
    Pipette(p);
    break;
  case TToolGlyph::Eraser:
    Eraser(p);
    break;
  case TToolGlyph::Bucket:
    Bucket(p);
    break;
  case TToolGlyph::Brush:
    Brush(p);
    break;
  case TToolGlyph::Clone:
    Clone(p);
    break;
  case TToolGlyph::Crop:
    Crop(p);
    break;
  case TToolGlyph::Text:
    Text(p);
    break;
  case TToolGlyph::UndoMark: {
    p.setPen(DashPen());
    p.drawRect(QRectF(2.5, 4.5, 15, 12));
    QPen cross(QColor(200, 30, 30), 2.2);
    cross.setCapStyle(Qt::RoundCap);
    p.setPen(cross);
    p.drawLine(QPointF(13, 13), QPointF(21, 21));
    p.drawLine(QPointF(21, 13), QPointF(13, 21));
    break;
  }
  }
  p.restore();
}

} // namespace tessaro
