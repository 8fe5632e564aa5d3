// Lines of text drawn again into a raster in one font, plain or smoothed:
// how a text object is combined with the picture when its formatting is
// given up for the text toolbar's settings.
#pragma once

#include "core/Bitmap.h"
#include "core/Canvas.h"

#include <QRect>
#include <QString>

namespace tessaro {

// The font (name, size in points, colour, styles) and the smoothing level:
// 0 "Nur übertragen" draws plain text, 1 to 4 ever smoother.
struct TTextRender {
  TFont Font;
  int Quality = 0;
};

// The height of a line of text in the font, in pixels.
int RenderLineHeight(const TFont &font);
// The rectangle, relative to the line's top-left, that drawing it may
// change.
QRect RenderLineBounds(const TFont &font, const QString &text);
// Draws a line with its top-left at (x, y) into a 24-bit raster, clipped at
// the raster's edges. Level 0 sets the pixels the glyphs cover; levels 1 to
// 4 sample each pixel 2 x 2, 3 x 3, 4 x 4 and 6 x 6 times and blend the
// font's colour by the share covered. Only pixels under the text change.
// False when the raster is not 24-bit.
bool RenderTextLine(TBitmap &target, int x, int y, const TFont &font, const QString &text, int quality);

} // namespace tessaro
