#include "frame/ImageToolGlyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace tessaro {

namespace {

const QColor Ink(40, 40, 40);

void Arrow(QPainter &p, QPointF tip, double dx, double dy) {
  // A small filled head pointing along (dx, dy).
  const QPointF back = tip - QPointF(dx, dy) * 4;
  const QPointF side(-dy * 2.5, dx * 2.5);
  QPolygonF head{tip, back + side, back - side};
  p.setBrush(Ink);
  p.drawPolygon(head);
}

void Turn(QPainter &p, bool clockwise) {
  p.setPen(QPen(Ink, 1.6));
  p.setBrush(Qt::NoBrush);
  const QRectF r(3, 3, 10, 10);
  p.drawArc(r, clockwise ? 180 * 16 : 0, clockwise ? -270 * 16 : 270 * 16);
  p.setPen(Qt::NoPen);
  if (clockwise)
    Arrow(p, QPointF(8, 13.5), -1, 0);
  else
    Arrow(p, QPointF(8, 13.5), 1, 0);
}

void Mirror(QPainter &p, bool horizontal) {
  p.setPen(QPen(Ink, 1, Qt::DashLine));
  if (horizontal)
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
  else
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
  p.setPen(QPen(Ink, 1));
  QPolygonF a, b;
  if (horizontal) {
    a << QPointF(6.5, 3) << QPointF(6.5, 13) << QPointF(1.5, 13);
    b << QPointF(9.5, 3) << QPointF(9.5, 13) << QPointF(14.5, 13);
  } else {
    a << QPointF(3, 6.5) << QPointF(13, 6.5) << QPointF(13, 1.5);
    b << QPointF(3, 9.5) << QPointF(13, 9.5) << QPointF(13, 14.5);
  }
  p.setBrush(QColor(70, 110, 200));
  p.drawPolygon(a);
  p.setBrush(QColor(200, 220, 255));
  p.drawPolygon(b);
}

void Sign(QPainter &p, bool plus) {
  p.setPen(QPen(Ink, 1.8));
  p.drawLine(QPointF(10, 12.5), QPointF(15, 12.5));
  if (plus)
    p.drawLine(QPointF(12.5, 10), QPointF(12.5, 15));
}

void Sun(QPainter &p) {
  p.setPen(QPen(QColor(200, 140, 0), 1.2));
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(7, 7);
    p.rotate(i * 45);
    p.drawLine(QPointF(4, 0), QPointF(6, 0));
    p.restore();
  }
  p.setBrush(QColor(255, 200, 0));
  p.drawEllipse(QPointF(7, 7), 3, 3);
}

void HalfCircle(QPainter &p) {
  p.setPen(QPen(Ink, 1));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
  p.setBrush(Ink);
  p.drawPie(QRectF(1.5, 1.5, 11, 11), 90 * 16, 180 * 16);
}

QColor Channel(int c) {
  return c == 0 ? QColor(220, 30, 30) : (c == 1 ? QColor(30, 170, 30) : QColor(40, 70, 220));
}

void Square(QPainter &p, const QColor &c) {
  p.setPen(QPen(Ink, 1));
  p.setBrush(c);
  p.drawRect(QRectF(2.5, 2.5, 11, 11));
}

void Paint(QPainter &p, TImageGlyph g) {
  p.setRenderHint(QPainter::Antialiasing);
  switch (g) {
  case TImageGlyph::ResizeImage:
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(200, 220, 255));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(70, 110, 200));
    p.drawRect(QRectF(1.5, 7.5, 7, 7));
    p.drawLine(QPointF(9, 7), QPointF(13, 3));
    p.setPen(Qt::NoPen);
    Arrow(p, QPointF(14, 2), 0.7, -0.7);
    break;
  case TImageGlyph::ResizePaper:
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{{2.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {2.5, 14.5}});
    p.setBrush(QColor(70, 110, 200));
    p.drawRect(QRectF(5.5, 6.5, 5, 5));
    break;
  case TImageGlyph::RotateLeft:
    Turn(p, false);
    break;
  case TImageGlyph::RotateRight:
    Turn(p, true);
    break;
  case TImageGlyph::RotateFree:
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(200, 220, 255));
    p.save();
    p.translate(8, 8);
    p.rotate(-25);
    p.drawRect(QRectF(-5, -4, 10, 8));
    p.restore();
    p.setBrush(Ink);
    p.drawEllipse(QPointF(8, 8), 1.2, 1.2);
    break;
  case TImageGlyph::ReflectHor:
    Mirror(p, true);
    break;
  case TImageGlyph::ReflectVert:
    Mirror(p, false);
    break;
  case TImageGlyph::Skew:
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(200, 220, 255));
    p.drawPolygon(QPolygonF{{5.5, 2.5}, {14.5, 2.5}, {10.5, 13.5}, {1.5, 13.5}});
    break;
  case TImageGlyph::GrayScale: {
    QLinearGradient grad(0, 0, 16, 0);
    grad.setColorAt(0, Qt::black);
    grad.setColorAt(1, Qt::white);
    p.setPen(QPen(Ink, 1));
    p.setBrush(grad);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    break;
  }
  case TImageGlyph::Invert:
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF{{1.5, 2.5}, {14.5, 2.5}, {1.5, 13.5}});
    break;
  case TImageGlyph::ReplaceColors:
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawRect(QRectF(1.5, 1.5, 6, 6));
    p.setBrush(QColor(40, 70, 220));
    p.drawRect(QRectF(8.5, 8.5, 6, 6));
    p.drawLine(QPointF(5, 9), QPointF(5, 12));
    p.drawLine(QPointF(5, 12), QPointF(7, 12));
    p.setPen(Qt::NoPen);
    Arrow(p, QPointF(8, 12), 1, 0);
    break;
  case TImageGlyph::Intensity:
    p.setPen(Qt::NoPen);
    for (int c = 0; c < 3; ++c) {
      p.setBrush(Channel(c));
      p.drawRect(QRectF(2 + c * 4.5, 14 - (6 + c * 3), 3.5, 6 + c * 3));
    }
    break;
  case TImageGlyph::Lighter:
    Sun(p);
    Sign(p, true);
    break;
  case TImageGlyph::Darker:
    Sun(p);
    Sign(p, false);
    break;
  case TImageGlyph::Light:
    p.translate(1, 1);
    Sun(p);
    break;
  case TImageGlyph::ContrastMore:
    HalfCircle(p);
    Sign(p, true);
    break;
  case TImageGlyph::ContrastLess:
    HalfCircle(p);
    Sign(p, false);
    break;
  case TImageGlyph::Contrast:
    p.translate(1, 1);
    HalfCircle(p);
    break;
  case TImageGlyph::SmoothColors: {
    QLinearGradient grad(0, 2, 0, 14);
    grad.setColorAt(0, Qt::yellow);
    grad.setColorAt(1, Qt::cyan);
    p.setPen(QPen(Ink, 1));
    p.setBrush(grad);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    break;
  }
  case TImageGlyph::FrostedGlass:
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(70, 110, 200));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawRect(QRectF(2, 2, 12, 12));
    break;
  case TImageGlyph::Blur: {
    QRadialGradient grad(QPointF(8, 8), 7);
    grad.setColorAt(0, Ink);
    grad.setColorAt(1, QColor(40, 40, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(grad);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    break;
  }
  case TImageGlyph::ChPalette: {
    const QColor bands[] = {Qt::red,  QColor(255, 160, 0), Qt::yellow, Qt::green,
                            Qt::blue, QColor(140, 0, 200)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
      p.setBrush(bands[i]);
      p.drawRect(QRectF(1 + i * 2.4, 2, 2.4, 12));
    }
    break;
  }
  case TImageGlyph::GrayRed:
  case TImageGlyph::GrayGreen:
  case TImageGlyph::GrayBlue: {
    const int c = g == TImageGlyph::GrayRed ? 0 : (g == TImageGlyph::GrayGreen ? 1 : 2);
    Square(p, Channel(c));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 128));
    p.drawPolygon(QPolygonF{{13.5, 2.5}, {13.5, 13.5}, {2.5, 13.5}});
    break;
  }
  case TImageGlyph::OnlyRed:
  case TImageGlyph::OnlyGreen:
  case TImageGlyph::OnlyBlue:
    Square(p, Channel(g == TImageGlyph::OnlyRed ? 0 : (g == TImageGlyph::OnlyGreen ? 1 : 2)));
    break;
  case TImageGlyph::WithoutRed:
  case TImageGlyph::WithoutGreen:
  case TImageGlyph::WithoutBlue:
    Square(p, Channel(g == TImageGlyph::WithoutRed ? 0 : (g == TImageGlyph::WithoutGreen ? 1 : 2)));
    p.setPen(QPen(Ink, 1.8));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
    break;
  }
}

QPixmap Picture(TImageGlyph g, int scale) {
  QPixmap pm(16 * scale, 16 * scale);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.scale(scale, scale);
  Paint(p, g);
  p.end();
  pm.setDevicePixelRatio(scale);
  return pm;
}

} // namespace

QIcon ImageGlyphIcon(TImageGlyph glyph) {
  QIcon icon;
  icon.addPixmap(Picture(glyph, 1));
  icon.addPixmap(Picture(glyph, 2));
  return icon;
}

} // namespace tessaro
