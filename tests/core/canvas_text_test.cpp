// Text output through the Qt text rasteriser (offscreen platform).
#include "core/Canvas.h"

#include "canvas_test_util.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::BoundsOf;
using test::FilledBitmap;
using test::PixelsNot;

TEST(CanvasText, MeasuresAndDrawsInsideTheTextBox) {
  ASSERT_NE(GetTextRasterizer(), nullptr);
  TBitmap bmp = FilledBitmap(200, 60, pf24bit);
  TCanvas c(bmp);
  c.Font.Size = 12;
  c.Font.Color = clRed;
  int w = c.TextWidth("Hallo Welt"), h = c.TextHeight("Hallo Welt");
  EXPECT_GT(w, c.TextWidth("Hallo"));
  EXPECT_GT(h, 10);
  EXPECT_EQ(c.TextWidth(""), 0);
  c.Brush.Style = bsClear;
  c.TextOut(10, 5, "Hallo Welt");
  auto pts = PixelsNot(bmp, clWhite);
  ASSERT_FALSE(pts.empty());
  TRect b = BoundsOf(pts);
  EXPECT_GE(b.Left, 10);
  EXPECT_GE(b.Top, 5);
  EXPECT_LE(b.Right, 10 + w);
  EXPECT_LE(b.Bottom, 5 + h);
  for (const TPoint &p : pts)
    ASSERT_EQ(bmp.GetPixel(p.X, p.Y), clRed); // aliased: font colour only
}

TEST(CanvasText, SolidBrushFillsTheBackgroundBox) {
  TBitmap bmp = FilledBitmap(200, 60, pf8bit);
  TCanvas c(bmp);
  c.Font.Color = clBlack;
  c.Brush.Color = clYellow;
  c.Brush.Style = bsSolid;
  c.Pen.Mode = pmNotXor; // text is copied whatever the pen mode
  c.TextOut(20, 10, "Tessaro");
  TSize ext = c.TextExtent("Tessaro");
  EXPECT_EQ(BoundsOf(PixelsNot(bmp, clWhite)), TRect(20, 10, 20 + ext.cx, 10 + ext.cy));
  int yellow = 0, black = 0;
  for (int y = 10; y < 10 + ext.cy; ++y)
    for (int x = 20; x < 20 + ext.cx; ++x) {
      yellow += bmp.GetPixel(x, y) == clYellow;
      black += bmp.GetPixel(x, y) == clBlack;
    }
  EXPECT_EQ(yellow + black, ext.cx * ext.cy);
  EXPECT_GT(black, 20);
  // Styles change the glyphs.
  TBitmap bold = FilledBitmap(200, 60, pf24bit), plain = FilledBitmap(200, 60, pf24bit);
  TCanvas cb(bold), cp(plain);
  cb.Font.Style = fsBold | fsUnderline;
  cb.TextOut(0, 0, "Tessaro");
  cp.TextOut(0, 0, "Tessaro");
  EXPECT_GT(PixelsNot(bold, clWhite).size(), PixelsNot(plain, clWhite).size());
}

} // namespace
} // namespace tessaro
