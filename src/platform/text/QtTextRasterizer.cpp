#include "platform/text/QtTextRasterizer.h"

#include "core/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>

namespace tessaro {

namespace {

QFont MakeFont(const TFont &font) {
  QFont f(QString::fromStdString(font.Name));
  f.setPixelSize(std::max(1, font.PixelHeight()));
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  // The raster is aliased: glyphs are drawn without smoothing.
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

class TQtTextRasterizer : public TTextRasterizer {
public:
  TSize TextExtent(const TFont &font, const std::string &utf8) override {
    QFontMetrics fm(MakeFont(font));
    return TSize{fm.horizontalAdvance(QString::fromStdString(utf8)), fm.height()};
  }

  TTextImage Render(const TFont &font, const std::string &utf8) override {
    QFont f = MakeFont(font);
    QFontMetrics fm(f);
    QString text = QString::fromStdString(utf8);
    TTextImage out;
    out.Width = fm.horizontalAdvance(text);
    out.Height = fm.height();
    if (out.Width <= 0 || out.Height <= 0) {
      out.Width = out.Height = 0;
      return out;
    }
    QImage img(out.Width, out.Height, QImage::Format_Grayscale8);
    img.fill(0);
    {
      QPainter p(&img);
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setRenderHint(QPainter::TextAntialiasing, false);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(0, fm.ascent(), text);
    }
    out.Coverage.resize(size_t(out.Width) * size_t(out.Height));
    for (int y = 0; y < out.Height; ++y) {
      const uchar *line = img.constScanLine(y);
      std::copy(line, line + out.Width, out.Coverage.begin() + ptrdiff_t(y) * out.Width);
    }
    return out;
  }
};

} // namespace

void InstallQtTextRasterizer() {
  SetTextRasterizer(std::make_shared<TQtTextRasterizer>());
}

} // namespace tessaro
