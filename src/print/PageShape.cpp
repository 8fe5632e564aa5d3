#include "print/PageShape.h"

#include <QPainter>

namespace tessaro {

TPageShape::TPageShape(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TPageShape::SetPen(const QColor &color, Qt::PenStyle style) {
  FPenColor = color;
  FPenStyle = style;
  update();
}

void TPageShape::SetBrush(const QColor &color, Qt::BrushStyle style) {
  FBrushColor = color;
  FBrushStyle = style;
  update();
}

void TPageShape::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  if (FBrushStyle != Qt::NoBrush)
    painter.fillRect(rect(), QBrush(FBrushColor, FBrushStyle));
  if (FPenStyle != Qt::NoPen && width() > 0 && height() > 0) {
    painter.setPen(QPen(FPenColor, 1, FPenStyle));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

} // namespace tessaro
