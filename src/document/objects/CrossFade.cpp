#include "document/objects/CrossFade.h"

#include "controls/LUMWinImage.h"
#include "core/Canvas.h"
#include "ops/LUMGraphics.h"

#include <algorithm>
#include <cmath>

namespace tessaro {

uint8_t CrossFadeAlpha(int position) {
  position = std::clamp(position, 0, 100);
  return uint8_t(255 - position * 255 / 100);
}

bool CrossFade(TBitmap &raster, int zoom, const QRect &picture, const TBitmap &source, int position,
               TBitmap &out) {
  if (picture.isEmpty() || source.Empty())
    return false;
  const int w = picture.width(), h = picture.height();
  const double f = std::max(zoom, 1) / 100.0;
  // The background: the raster under the picture, in image pixels, scaled
  // to the picture's size.
  TBitmap background(w, h, pf24bit);
  const double x0 = picture.x(), y0 = picture.y();
  const TRect under(int(std::trunc(x0 / f)), int(std::trunc(y0 / f)), int(std::trunc((x0 + w) / f)),
                    int(std::trunc((y0 + h) / f)));
  if (!raster.Empty())
    background.Canvas().CopyRect(TRect(0, 0, w, h), raster.Canvas(), under);
  // The source at the picture's size (a copy only when it has another one).
  const TBitmap *over = &source;
  TBitmap resized;
  if (source.Width() != w || source.Height() != h) {
    resized = source;
    resized.SetPixelFormat(pf24bit);
    if (!ResizeBitmap(&resized, sftLinear, clWhite, ExactResizePercent(source.Width(), w),
                      ExactResizePercent(source.Height(), h)))
      return false;
    over = &resized;
  }
  if (!BlendDraw(&background, over, 0, 0, CrossFadeAlpha(position)))
    return false;
  out.AssignMove(std::move(background));
  return true;
}

} // namespace tessaro
