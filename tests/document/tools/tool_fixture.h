// A document on a bare host loaded with a patterned picture, and the same
// picture with a figure drawn straight on its canvas to compare with.
#pragma once

#include "../bare_host.h"
#include "core/Canvas.h"

#include <functional>
#include <memory>

namespace tessaro::test {

// A picture whose stored values vary, so that an inverted trace shows.
inline TBitmap Pattern(TPixelFormat pf, int w = 120, int h = 90) {
  TBitmap bmp(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetPixel(x, y, RGB(uint8_t(x * 2), uint8_t(y * 3), uint8_t((x ^ y) * 5)));
  bmp.SetPixelFormat(pf);
  return bmp;
}

class ToolTest : public BareDocumentTest {
protected:
  void Load(TPixelFormat pf, int w = 120, int h = 90) { Load(Pattern(pf, w, h)); }
  void Load(const TBitmap &picture) {
    Doc->Bitmap().Assign(picture);
    Doc->SetDocument("Test.bmp", "Test.bmp", false, false);
    Doc->SetZoom(100);
    QApplication::processEvents();
    Before = std::make_unique<TBitmap>(Doc->Bitmap());
    Host.Attributes.PenColor = RGB(200, 30, 40);
    Host.Attributes.PenWidth = 3;
    Host.Attributes.PenStyle = psSolid;
    Host.Attributes.BrushColor = RGB(10, 220, 30);
  }
  // The picture as loaded with the figure drawn on it after the frame's
  // attributes were applied.
  TBitmap Expected(const std::function<void(TCanvas &)> &draw) {
    TBitmap bmp(*Before);
    TCanvas &c = bmp.Canvas();
    ApplyDrawAttributes(c, Host.Attributes);
    draw(c);
    return bmp;
  }
  int Steps() const { return Doc->Undo().UndoIndex() + 1; }
  void ExpectPixels(const TBitmap &expected) {
    const TBitmap &got = Doc->Bitmap();
    ASSERT_EQ(got.PixelFormat(), expected.PixelFormat());
    ASSERT_EQ(got.Width(), expected.Width());
    ASSERT_EQ(got.Height(), expected.Height());
    int differ = 0;
    for (int y = 0; y < got.Height(); ++y)
      for (int x = 0; x < got.Width(); ++x)
        if (got.GetStored(x, y) != expected.GetStored(x, y) && differ++ < 5)
          ADD_FAILURE() << "pixel " << x << "," << y;
    EXPECT_EQ(differ, 0);
  }
  void ExpectUnchanged() { ExpectPixels(*Before); }
  std::unique_ptr<TBitmap> Before;
};

class FormatToolTest : public ToolTest, public ::testing::WithParamInterface<TPixelFormat> {};

inline std::string FormatName(const ::testing::TestParamInfo<TPixelFormat> &info) {
  return PixelFormatName(info.param);
}

#define TESSARO_ALL_FORMATS ::testing::Values(pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit)

} // namespace tessaro::test
