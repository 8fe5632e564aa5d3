#include "frame/FontLabel.h"

#include "platform/QtColor.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessaro {

TFontLabel::TFontLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent) {
  setCursor(Qt::PointingHandCursor);
  setAlignment(Qt::AlignCenter);
  FFont = font();
}

void TFontLabel::SetLabelFont(const QFont &font) {
  FFont = font;
  setFont(font);
  update();
}

void TFontLabel::SetFontColor(TColor color) {
  FFontColor = color;
  update();
}

void TFontLabel::SetColor(TColor color) {
  FColor = color;
  update();
}

void TFontLabel::SetTransparent(bool transparent) {
  FTransparent = transparent;
  update();
}

void TFontLabel::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (!FTransparent)
    p.fillRect(rect(), ToQColor(IsSystemColor(FColor) ? FColor : FColor & 0xFFFFFF));
  p.setFont(FFont);
  p.setPen(ToQColor(FFontColor));
  p.drawText(contentsRect(), int(alignment()), text());
}

void TFontLabel::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Clicked();
  QLabel::mouseReleaseEvent(event);
}

} // namespace tessaro
