#include "document/objects/TextRender.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace tessaro {

namespace {

// The font at a multiple of its size, glyphs without smoothing of their
// own; the scaled fonts are unhinted, so that they keep the shapes of the
// plain one.
QFont LineFont(const TFont &font, int scale) {
  QFont f(QString::fromStdString(font.Name));
  f.setPixelSize(std::max(1, font.PixelHeight()) * scale);
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  f.setStyleStrategy(QFont::NoAntialias);
  if (scale > 1)
    f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

int Supersampling(int quality) {
  static constexpr int Factors[] = {1, 2, 3, 4, 6};
  return Factors[std::clamp(quality, 0, 4)];
}

} // namespace

int RenderLineHeight(const TFont &font) {
  return QFontMetrics(LineFont(font, 1)).height();
}

QRect RenderLineBounds(const TFont &font, const QString &text) {
  if (text.isEmpty())
    return QRect();
  const QFontMetrics fm(LineFont(font, 1));
  QRect box(0, 0, fm.horizontalAdvance(text), fm.height());
  // Slanted and overhanging glyphs reach past the advance; the sampled
  // shapes may lie a little beside the plain ones.
  box |= fm.boundingRect(text).translated(0, fm.ascent());
  return box.adjusted(-1, -1, 1, 1);
}

bool RenderTextLine(TBitmap &target, int x, int y, const TFont &font, const QString &text, int quality) {
  if (target.PixelFormat() != pf24bit)
    return false;
  const QRect bounds = RenderLineBounds(font, text);
  if (bounds.isEmpty())
    return true;
  const int s = Supersampling(quality);
  QImage glyphs(bounds.width() * s, bounds.height() * s, QImage::Format_Grayscale8);
  if (glyphs.isNull())
    return false;
  glyphs.fill(0);
  {
    QPainter p(&glyphs);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(LineFont(font, s));
    p.setPen(Qt::white);
    const int ascent = QFontMetrics(LineFont(font, 1)).ascent();
    p.drawText(QPoint(-bounds.x() * s, (ascent - bounds.y()) * s), text);
  }
  const TColor c = ColorToRGB(font.Color);
  const int ink[3] = {GetBValue(c), GetGValue(c), GetRValue(c)};
  const int samples = s * s;
  // Only the part inside the raster.
  const int bx0 = std::max(0, -(x + bounds.x())), by0 = std::max(0, -(y + bounds.y()));
  const int bx1 = std::min(bounds.width(), target.Width() - (x + bounds.x()));
  const int by1 = std::min(bounds.height(), target.Height() - (y + bounds.y()));
  TRect changed;
  for (int by = by0; by < by1; ++by) {
    uint8_t *row = target.ScanLine(y + bounds.y() + by);
    for (int bx = bx0; bx < bx1; ++bx) {
      int covered = 0;
      for (int j = 0; j < s; ++j) {
        const uchar *g = glyphs.constScanLine(by * s + j) + bx * s;
        for (int i = 0; i < s; ++i)
          covered += g[i] >= 128;
      }
      if (covered == 0)
        continue;
      uint8_t *p = row + size_t(x + bounds.x() + bx) * 3;
      for (int k = 0; k < 3; ++k)
        p[k] = uint8_t((ink[k] * covered + p[k] * (samples - covered) + samples / 2) / samples);
    }
  }
  if (bx0 < bx1 && by0 < by1)
    changed = TRect(x + bounds.x() + bx0, y + bounds.y() + by0, x + bounds.x() + bx1, y + bounds.y() + by1);
  if (!changed.IsEmpty())
    target.Changed(changed);
  return true;
}

} // namespace tessaro
