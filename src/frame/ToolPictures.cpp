#include "frame/ToolPictures.h"

#include "platform/ToolGlyphs.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace tessaro {

namespace {

constexpr std::array<TToolGlyph, ToolPictureCount> PictureGlyphs = {
    TToolGlyph::Pointer,  TToolGlyph::Line,     TToolGlyph::FreeLine,    TToolGlyph::Bezier,
    TToolGlyph::DimVert,  TToolGlyph::DimHor,   TToolGlyph::Rect,        TToolGlyph::Polygon,
    TToolGlyph::Ellipse,  TToolGlyph::Arc,      TToolGlyph::Pie,         TToolGlyph::Chord,
    TToolGlyph::Text,     TToolGlyph::MarkRect, TToolGlyph::MarkEllipse, TToolGlyph::MarkHand,
    TToolGlyph::UndoMark, TToolGlyph::Pipette,  TToolGlyph::Eraser,      TToolGlyph::Bucket,
    TToolGlyph::Brush,    TToolGlyph::Clone,    TToolGlyph::Crop,        TToolGlyph::RoundRect,
    TToolGlyph::PolyLine,
};

void PaintSmall(QPainter &p, TSmallPicture picture) {
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPen ink(QColor(32, 32, 32), 1.5);
  QPen strike(QColor(210, 30, 30), 2);
  strike.setCapStyle(Qt::RoundCap);
  auto letter = [&p](const QString &text, bool bold, bool italic, bool underline, bool strikeOut) {
    QFont f("Liberation Serif");
    f.setPixelSize(13);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    p.setFont(f);
    p.setPen(QColor(20, 20, 20));
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
  };
  auto lines = [&p](int align) {
    p.setPen(QPen(QColor(32, 32, 32), 1.5, Qt::SolidLine, Qt::FlatCap));
    const int widths[] = {13, 8, 13, 8};
    for (int i = 0; i < 4; ++i) {
      const int w = widths[i];
      const double x = align < 0 ? 1.5 : align == 0 ? (16 - w) / 2.0 : 14.5 - w;
      p.drawLine(QPointF(x, 3.5 + 3 * i), QPointF(x + w, 3.5 + 3 * i));
    }
  };
  switch (picture) {
  case TSmallPicture::NoFill:
    p.setPen(ink);
    p.setBrush(QColor(127, 178, 229));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setPen(strike);
    p.drawLine(QPointF(2, 14), QPointF(14, 2));
    break;
  case TSmallPicture::NoLine:
    p.setPen(QPen(QColor(32, 32, 32), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 3, 10, 10));
    p.setPen(strike);
    p.drawLine(QPointF(2, 14), QPointF(14, 2));
    break;
  case TSmallPicture::Use3D:
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(2, 2, 12, 12), QColor(192, 192, 192));
    p.setPen(QColor(255, 255, 255));
    p.drawLine(2, 2, 13, 2);
    p.drawLine(2, 2, 2, 13);
    p.setPen(QColor(96, 96, 96));
    p.drawLine(3, 13, 13, 13);
    p.drawLine(13, 3, 13, 13);
    p.drawLine(4, 12, 12, 12);
    p.drawLine(12, 4, 12, 12);
    break;
  case TSmallPicture::Bold:
    letter("F", true, false, false, false);
    break;
  case TSmallPicture::Italic:
    letter("K", false, true, false, false);
    break;
  case TSmallPicture::Underline:
    letter("U", false, false, true, false);
    break;
  case TSmallPicture::StrikeOut:
    letter("S", false, false, false, true);
    break;
  case TSmallPicture::AlignLeft:
    lines(-1);
    break;
  case TSmallPicture::AlignCenter:
    lines(0);
    break;
  case TSmallPicture::AlignRight:
    lines(1);
    break;
  case TSmallPicture::Numbering:
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 32, 32));
    for (int i = 0; i < 3; ++i)
      p.drawEllipse(QPointF(3, 3.5 + 4.5 * i), 1.6, 1.6);
    p.setPen(QPen(QColor(32, 32, 32), 1.5, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 3; ++i)
      p.drawLine(QPointF(6.5, 3.5 + 4.5 * i), QPointF(15, 3.5 + 4.5 * i));
    break;
  case TSmallPicture::SeeThrough:
    // A picture with holes: the checks of what shows through them.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        p.fillRect(QRect(2 + 3 * x, 2 + 3 * y, 3, 3),
                   (x + y) % 2 ? QColor(255, 255, 255) : QColor(160, 160, 160));
    p.setBrush(QColor(127, 178, 229));
    p.setPen(Qt::NoPen);
    p.drawRect(QRect(5, 5, 6, 6));
    p.setPen(QColor(32, 32, 32));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(1, 1, 13, 13));
    break;
  }
}

} // namespace

QIcon SmallPicture(TSmallPicture picture) {
  QIcon icon;
  for (qreal ratio : {1, 2})
    icon.addPixmap(DrawnPixmap(QSize(16, 16), ratio, [picture](QPainter &p) { PaintSmall(p, picture); }));
  return icon;
}

QIcon ToolPicture(int index) {
  if (index < 0 || index >= ToolPictureCount)
    return QIcon();
  const TToolGlyph glyph = PictureGlyphs[size_t(index)];
  QIcon icon;
  for (qreal ratio : {1, 2})
    icon.addPixmap(DrawnPixmap(QSize(ToolPictureSize, ToolPictureSize), ratio, [glyph](QPainter &p) {
      PaintToolGlyph(p, glyph, QRectF(0, 0, ToolPictureSize, ToolPictureSize));
    }));
  return icon;
}

TPictureButton::TPictureButton(int imageIndex, QWidget *parent) : QToolButton(parent) {
  SetImageIndex(imageIndex);
}

void TPictureButton::SetImageIndex(int index) {
  if (index == FImageIndex)
    return;
  FImageIndex = index;
  setIcon(ToolPicture(index));
}

} // namespace tessaro
