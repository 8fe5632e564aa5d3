#include "print/PreviewWidgets.h"

#include "print/PrintReport.h"

#include <QPaintEvent>
#include <QPainter>

namespace tessaro {

TPreviewImage::TPreviewImage(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TPreviewImage::SetPicture(const QImage &picture) {
  FPicture = picture;
  update();
}

void TPreviewImage::paintEvent(QPaintEvent *event) {
  if (FPicture.isNull() || width() <= 0 || height() <= 0)
    return;
  // Only the exposed part is scaled, so a large picture costs what shows.
  const QRectF target = event->rect();
  const double sx = double(FPicture.width()) / width();
  const double sy = double(FPicture.height()) / height();
  const QRectF source(target.x() * sx, target.y() * sy, target.width() * sx, target.height() * sy);
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, FPicture, source);
}

TPreviewLabel::TPreviewLabel(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TPreviewLabel::SetCaption(const QString &caption) {
  FCaption = caption;
  setAccessibleName(caption);
  update();
}

void TPreviewLabel::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setFont(font());
  DrawReportLabel(painter, QRectF(rect()), FCaption);
}

} // namespace tessaro
