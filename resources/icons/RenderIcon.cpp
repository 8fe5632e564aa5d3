// Draws the program's SVG icon as a square PNG of a given size (the icon
// theme's fixed sizes are made from it at build time).
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s ICON.svg SIZE OUT.png\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  const int size = QString::fromLocal8Bit(argv[2]).toInt();
  if (!svg.isValid() || size < 1 || size > 4096) {
    std::fprintf(stderr, "cannot draw %s at %s\n", argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  painter.end();
  const QString out = QString::fromLocal8Bit(argv[3]);
  QDir().mkpath(QFileInfo(out).absolutePath());
  return image.save(out, "PNG") ? 0 : 1;
}
