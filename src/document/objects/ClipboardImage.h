// Pictures between the raster and the desktop's clipboard. The clipboard
// holds 24-bit pictures whose rows are laid out like the raster's (blue,
// green, red, rows padded to 4 bytes), so each direction copies the pixels
// once.
#pragma once

#include "core/Bitmap.h"

#include <QImage>

namespace tessaro {

// A part of a raster (clipped to it) as a picture. Null when the part is
// empty or the picture cannot be had.
QImage ImageOfArea(const TBitmap &raster, const TRect &area);

// A picture as a 24-bit raster; a picture that carries alpha is laid on the
// paper colour first. False for a null picture or one too big to hold.
bool BitmapOfImage(const QImage &image, TColor paper, TBitmap &bitmap);

// Whether the clipboard holds a picture, and the picture as a raster.
bool ClipboardHasBitmap();
bool ClipboardBitmap(TColor paper, TBitmap &bitmap);
// Puts a picture on the clipboard; empties it.
void SetClipboardImage(const QImage &image);
void ClearClipboard();

} // namespace tessaro
