#include "ops/dialogs/ColorShape.h"

#include "platform/Hints.h"
#include "platform/QtColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace tessaro {

QToolButton *ColorButton(QWidget *parent, const QString &hint) {
  auto *b = new QToolButton(parent);
  b->setText("...");
  SetHint(b, hint);
  b->setAccessibleName(hint);
  return b;
}

TColorShape::TColorShape(TColor color, const QString &name, QWidget *parent) : QFrame(parent), FColor(color) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setFixedSize(65, 21);
  setAccessibleName(name);
}

void TColorShape::SetColor(TColor color) {
  FColor = color;
  update();
}

void TColorShape::paintEvent(QPaintEvent *event) {
  {
    QPainter p(this);
    p.fillRect(contentsRect(), ToQColor(FColor));
  }
  QFrame::paintEvent(event);
}

void TColorShape::mousePressEvent(QMouseEvent *event) {
  emit MouseDown(event->button());
}

} // namespace tessaro
