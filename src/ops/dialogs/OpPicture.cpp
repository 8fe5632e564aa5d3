#include "ops/dialogs/OpPicture.h"

#include "print/PictureImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessaro {

TOpPicture::TOpPicture(int boxSize, bool autoSize, QWidget *parent) : QWidget(parent), FAutoSize(autoSize) {
  setFixedSize(boxSize, boxSize);
}

void TOpPicture::SetBitmap(const TBitmap &bitmap) {
  FImage = PictureImage(bitmap);
  if (FAutoSize)
    setFixedSize(std::max(bitmap.Width(), 1), std::max(bitmap.Height(), 1));
  update();
}

void TOpPicture::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (!FImage.isNull())
    p.drawImage(0, 0, FImage);
}

void TOpPicture::mousePressEvent(QMouseEvent *event) {
  const QPoint pos = event->position().toPoint();
  emit MouseDown(event->button(), pos.x(), pos.y());
}

} // namespace tessaro
