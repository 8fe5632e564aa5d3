// A document's raster as a QImage for printing: the pixels are copied in the
// raster's own format where Qt has one (palette formats keep their palette),
// so the picture goes to the printer or PDF at its own resolution and size.
#pragma once

#include "core/Bitmap.h"

#include <QImage>

namespace tessaro {

// A null image for an empty raster.
QImage PictureImage(const TBitmap &bitmap);

} // namespace tessaro
