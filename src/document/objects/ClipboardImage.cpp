#include "document/objects/ClipboardImage.h"

#include "core/Canvas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include <cstring>

namespace tessaro {

QImage ImageOfArea(const TBitmap &raster, const TRect &area) {
  const TRect box = IntersectRect(area, TRect(0, 0, raster.Width(), raster.Height()));
  if (box.IsEmpty())
    return QImage();
  QImage image(box.Width(), box.Height(), QImage::Format_BGR888);
  if (image.isNull())
    return image;
  const size_t bytes = size_t(box.Width()) * 3;
  if (raster.PixelFormat() == pf24bit) {
    for (int y = 0; y < box.Height(); ++y)
      std::memcpy(image.scanLine(y), raster.ScanLine(box.Top + y) + size_t(box.Left) * 3, bytes);
    return image;
  }
  // Other formats go through their colours.
  TBitmap rows;
  rows.Allocate(box.Width(), box.Height(), pf24bit, false);
  rows.Canvas().Draw(-box.Left, -box.Top, raster);
  for (int y = 0; y < box.Height(); ++y)
    std::memcpy(image.scanLine(y), rows.ScanLine(y), bytes);
  return image;
}

bool BitmapOfImage(const QImage &image, TColor paper, TBitmap &bitmap) {
  if (image.isNull())
    return false;
  if (uint64_t(RowBytesFor(image.width(), pf24bit)) * uint64_t(image.height()) > MaxBitmapBytes)
    return false;
  QImage rows;
  if (image.hasAlphaChannel()) {
    // No see-through pixels in a raster: they take the paper colour.
    rows = QImage(image.size(), QImage::Format_BGR888);
    if (rows.isNull())
      return false;
    const TColor c = ColorToRGB(paper);
    rows.fill(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    QPainter p(&rows);
    p.drawImage(0, 0, image);
  } else {
    rows = image.convertToFormat(QImage::Format_BGR888);
    if (rows.isNull())
      return false;
  }
  bitmap.Allocate(rows.width(), rows.height(), pf24bit, false);
  const size_t bytes = size_t(rows.width()) * 3;
  for (int y = 0; y < rows.height(); ++y)
    std::memcpy(bitmap.ScanLine(y), rows.constScanLine(y), bytes);
  return true;
}

bool ClipboardHasBitmap() {
  const QMimeData *data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasImage();
}

bool ClipboardBitmap(TColor paper, TBitmap &bitmap) {
  if (!ClipboardHasBitmap())
    return false;
  return BitmapOfImage(QGuiApplication::clipboard()->image(), paper, bitmap);
}

void SetClipboardImage(const QImage &image) {
  QGuiApplication::clipboard()->setImage(image);
}

void ClearClipboard() {
  QGuiApplication::clipboard()->clear();
}

} // namespace tessaro
