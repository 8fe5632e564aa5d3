#include "print/PictureImage.h"

#include <QList>

namespace tessaro {

namespace {

QList<QRgb> ColorTable(const TBitmap &bitmap, int entries) {
  QList<QRgb> table(entries, qRgb(0, 0, 0));
  const TPalette &pal = bitmap.Palette();
  for (int i = 0; i < entries && i < int(pal.size()); ++i)
    table[i] = qRgb(pal[size_t(i)].rgbRed, pal[size_t(i)].rgbGreen, pal[size_t(i)].rgbBlue);
  return table;
}

// Rows of the raster seen as an image of the given format (no copy).
QImage Wrap(const TBitmap &bitmap, QImage::Format format) {
  return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), qsizetype(bitmap.RowBytes()), format);
}

// 4-bit rows have no Qt format: each nibble becomes one 8-bit index.
QImage Expand4Bit(const TBitmap &bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Indexed8);
  if (image.isNull())
    return image;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t *src = bitmap.ScanLine(y);
    uchar *dst = image.scanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x)
      dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
  }
  return image;
}

} // namespace

QImage PictureImage(const TBitmap &bitmap) {
  if (bitmap.Empty())
    return QImage();
  QImage image;
  switch (bitmap.PixelFormat()) {
  case pf1bit:
    image = Wrap(bitmap, QImage::Format_Mono).copy();
    image.setColorTable(ColorTable(bitmap, 2));
    return image;
  case pf4bit:
    image = Expand4Bit(bitmap);
    image.setColorTable(ColorTable(bitmap, 16));
    return image;
  case pf8bit:
    image = Wrap(bitmap, QImage::Format_Indexed8).copy();
    image.setColorTable(ColorTable(bitmap, 256));
    return image;
  case pf15bit:
    return Wrap(bitmap, QImage::Format_RGB555).copy();
  case pf16bit:
    return Wrap(bitmap, QImage::Format_RGB16).copy();
  case pf32bit:
    return Wrap(bitmap, QImage::Format_RGB32).copy();
  default:
    return Wrap(bitmap, QImage::Format_BGR888).copy();
  }
}

} // namespace tessaro
