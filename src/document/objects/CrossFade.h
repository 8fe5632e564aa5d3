// The cross-fade of a floating image with the picture under it: the part of
// the raster below the object, scaled to the object's picture, with the
// object's source picture laid over it at an opacity of
// 255 - Trunc(position * 2.55).
#pragma once

#include "core/Bitmap.h"

#include <QRect>

namespace tessaro {

// Opacity of a cross-fade position 0 .. 100 (0 opaque, 100 only the
// background): 255 - Trunc(position * 2.55), counted in whole numbers.
uint8_t CrossFadeAlpha(int position);

// Blends source over the raster under picture (zoomed image coordinates at
// zoom percent) into out, of the picture's size. The part of the box that
// lies beyond the raster counts as white. False when the picture or source
// is empty.
bool CrossFade(TBitmap &raster, int zoom, const QRect &picture, const TBitmap &source, int position,
               TBitmap &out);

} // namespace tessaro
