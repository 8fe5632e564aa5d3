// The printed picture keeps the raster's pixels in every pixel format.
#include "core/Bitmap.h"
#include "print/PictureImage.h"

#include <gtest/gtest.h>

namespace tessaro::test {
namespace {

TEST(PictureImage, EveryPixelFormatKeepsItsColours) {
  const TColor colors[] = {clBlack,        clWhite,        RGB(255, 0, 0),
                           RGB(0, 0, 255), RGB(0, 128, 0), RGB(128, 128, 128)};
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap bmp(13, 5, pf24bit);
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        bmp.SetPixel(x, y, colors[(x + y) % 6]);
    bmp.SetPixelFormat(pf);
    const QImage image = PictureImage(bmp);
    ASSERT_EQ(image.size(), QSize(13, 5)) << PixelFormatName(pf);
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) {
        const TColor c = bmp.GetPixel(x, y);
        const QRgb q = image.pixel(x, y);
        ASSERT_NEAR(qRed(q), GetRValue(c), 8) << PixelFormatName(pf) << " at " << x << "," << y;
        ASSERT_NEAR(qGreen(q), GetGValue(c), 8) << PixelFormatName(pf);
        ASSERT_NEAR(qBlue(q), GetBValue(c), 8) << PixelFormatName(pf);
      }
  }
  EXPECT_TRUE(PictureImage(TBitmap()).isNull());
}

} // namespace
} // namespace tessaro::test
