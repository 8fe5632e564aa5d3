#include "controls/ColBtn.h"

#include "platform/QtColor.h"

#include <QPainter>
#include <QPixmap>

namespace tessaro {

namespace {
constexpr int GlyphSize = 14;
constexpr TColor GlyphFrame = 0x808080;
} // namespace

TColBtn::TColBtn(QWidget *parent) : QToolButton(parent) {
  setAutoRaise(true);
  setCheckable(true);
  setFocusPolicy(Qt::TabFocus);
  setIconSize(QSize(GlyphSize, GlyphSize));
  setFixedSize(20, 20);
  UpdateGlyph();
}

void TColBtn::SetSqareColor(TColor value) {
  FSqareColor = value;
  UpdateGlyph();
}

void TColBtn::UpdateGlyph() {
  // The square is opaque, so it never shows the button's face through it,
  // whatever its colour.
  QPixmap glyph(GlyphSize, GlyphSize);
  glyph.fill(ToQColor(GlyphFrame));
  QPainter p(&glyph);
  p.fillRect(1, 1, GlyphSize - 2, GlyphSize - 2, ToQColor(FSqareColor));
  p.end();
  setIcon(QIcon(glyph));
}

} // namespace tessaro
