// Flood fill and block copies.
#include "core/Canvas.h"

#include "canvas_test_util.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::FilledBitmap;
using test::PixelsNot;
using test::StoredPixels;

// A white raster split by a black diagonal-free wall with one diagonal gap.
TBitmap Walled() {
  TBitmap bmp = FilledBitmap(30, 20, pf24bit);
  TCanvas c(bmp);
  c.Pen.Color = clBlack;
  c.MoveTo(15, 0);
  c.LineTo(15, 10);
  c.MoveTo(16, 10);
  c.LineTo(16, 20); // the two halves touch only at a corner
  return bmp;
}

TEST(CanvasFloodFill, FillsTheFourConnectedSurface) {
  TBitmap bmp = Walled();
  TCanvas c(bmp);
  c.Brush.Color = clRed;
  c.FloodFill(2, 2, clWhite, fsSurface);
  EXPECT_EQ(bmp.GetPixel(0, 0), clRed);
  EXPECT_EQ(bmp.GetPixel(15, 15), clRed);
  EXPECT_EQ(bmp.GetPixel(17, 2), clWhite); // beyond the corner
  EXPECT_EQ(bmp.GetPixel(15, 5), clBlack);
  // fsBorder: everything up to the black border.
  TBitmap b2 = Walled();
  TCanvas c2(b2);
  c2.Brush.Color = clBlue;
  c2.FloodFill(2, 2, clBlack, fsBorder);
  EXPECT_EQ(b2.GetPixel(14, 19), clBlue);
  EXPECT_EQ(b2.GetPixel(17, 2), clWhite);
}

TEST(CanvasFloodFill, BrushEqualToTargetChangesNothing) {
  TBitmap bmp = Walled();
  auto before = StoredPixels(bmp);
  int calls = 0;
  bmp.Subscribe([&](const TRect &) { ++calls; });
  TCanvas c(bmp);
  c.Brush.Color = clWhite;
  c.FloodFill(2, 2, clWhite, fsSurface);
  c.Brush.Color = clBlack;
  c.Pen.Mode = pmMerge; // white | black stays white
  c.FloodFill(2, 2, clWhite, fsSurface);
  c.FloodFill(2, 2, clRed, fsSurface); // start pixel is not the target
  EXPECT_EQ(StoredPixels(bmp), before);
  EXPECT_EQ(calls, 0);
}

TEST(CanvasFloodFill, EndsForModesAndHatchesThatKeepTheTarget) {
  for (TPixelFormat pf : test::AllFormats) {
    TBitmap bmp = FilledBitmap(40, 30, pf);
    TCanvas c(bmp);
    // Hatched white on white: the target stays after the fill.
    c.Brush.Color = clWhite;
    c.Brush.Style = bsDiagCross;
    c.FloodFill(5, 5, clWhite, fsSurface);
    EXPECT_TRUE(PixelsNot(bmp, clWhite).empty()) << PixelFormatName(pf);
    // Inverting fill: every pixel once.
    c.Brush.Style = bsSolid;
    c.Pen.Mode = pmNotXor;
    c.Brush.Color = clBlack;
    c.FloodFill(5, 5, clWhite, fsSurface);
    EXPECT_EQ(PixelsNot(bmp, clWhite).size(), 1200u) << PixelFormatName(pf);
  }
}

TEST(CanvasFloodFill, HatchedBrushWritesOnlyItsLines) {
  TBitmap bmp = FilledBitmap(32, 32, pf8bit);
  TCanvas c(bmp);
  c.Brush.Color = clBlack;
  c.Brush.Style = bsHorizontal;
  c.FloodFill(3, 3, clWhite, fsSurface);
  auto changed = PixelsNot(bmp, clWhite);
  EXPECT_EQ(changed.size(), 4u * 32u);
  for (const TPoint &p : changed)
    EXPECT_EQ(p.Y % 8, 0);
}

TEST(CanvasCopy, CopyRectStretchesByNearestNeighbour) {
  TBitmap src(2, 2, pf24bit);
  src.SetPixel(0, 0, clRed);
  src.SetPixel(1, 0, clLime);
  src.SetPixel(0, 1, clBlue);
  src.SetPixel(1, 1, clYellow);
  TBitmap dst = FilledBitmap(10, 10, pf24bit);
  TCanvas sc(src), dc(dst);
  dc.CopyRect(TRect(2, 2, 6, 6), sc, TRect(0, 0, 2, 2));
  EXPECT_EQ(dst.GetPixel(2, 2), clRed);
  EXPECT_EQ(dst.GetPixel(3, 3), clRed);
  EXPECT_EQ(dst.GetPixel(4, 2), clLime);
  EXPECT_EQ(dst.GetPixel(5, 5), clYellow);
  EXPECT_EQ(dst.GetPixel(6, 6), clWhite);
  // Opposite signs of the widths mirror.
  dc.CopyRect(TRect(8, 0, 6, 2), sc, TRect(0, 0, 2, 2));
  EXPECT_EQ(dst.GetPixel(6, 0), clLime);
  EXPECT_EQ(dst.GetPixel(7, 0), clRed);
}

TEST(CanvasCopy, OverlappingCopyWithinOneRasterUsesTheOldPixels) {
  TBitmap bmp(20, 1, pf24bit);
  for (int x = 0; x < 20; ++x)
    bmp.SetPixel(x, 0, RGB(uint8_t(x), 0, 0));
  TCanvas c(bmp);
  c.CopyRect(TRect(2, 0, 12, 1), c, TRect(0, 0, 10, 1));
  for (int x = 2; x < 12; ++x)
    EXPECT_EQ(bmp.GetPixel(x, 0), RGB(uint8_t(x - 2), 0, 0));
  // A source rectangle partly outside copies only the part that exists.
  c.CopyRect(TRect(0, 0, 5, 1), c, TRect(-3, 0, 2, 1));
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(bmp.GetPixel(3, 0), RGB(0, 0, 0));
  EXPECT_EQ(bmp.GetPixel(4, 0), RGB(1, 0, 0));
}

TEST(CanvasCopy, ConvertsColoursBetweenFormats) {
  TBitmap src(4, 1, pf24bit);
  TColor cols[] = {clRed, clBlue, clWhite, clBlack};
  for (int x = 0; x < 4; ++x)
    src.SetPixel(x, 0, cols[x]);
  for (TPixelFormat pf : test::AllFormats) {
    TBitmap dst = FilledBitmap(4, 1, pf, clGray);
    TCanvas dc(dst);
    dc.Draw(0, 0, src);
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(dst.GetStored(x, 0), dst.StoredFromColor(cols[x])) << PixelFormatName(pf) << " " << x;
    // And back into 24 bits.
    TBitmap back = FilledBitmap(4, 1, pf24bit, clGray);
    TCanvas bc(back);
    bc.StretchDraw(TRect(0, 0, 4, 1), dst);
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(back.GetPixel(x, 0), dst.GetPixel(x, 0)) << PixelFormatName(pf);
  }
}

TEST(CanvasCopy, DrawHonoursCopyModeAndBrushCopyReplacesAColour) {
  TBitmap src = FilledBitmap(3, 3, pf24bit, clWhite);
  src.SetPixel(1, 1, clRed);
  TBitmap dst = FilledBitmap(5, 5, pf24bit, RGB(0x11, 0x22, 0x33));
  TCanvas dc(dst);
  dc.CopyMode = cmSrcAnd;
  dc.Draw(1, 1, src);
  EXPECT_EQ(dst.GetPixel(1, 1), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(dst.GetPixel(2, 2), RGB(0x11, 0, 0));
  EXPECT_EQ(dst.GetPixel(0, 0), RGB(0x11, 0x22, 0x33));
  dc.Brush.Color = clLime;
  dc.BrushCopy(TRect(0, 0, 3, 3), src, TRect(0, 0, 3, 3), clRed);
  EXPECT_EQ(dst.GetPixel(1, 1), clLime);
  EXPECT_EQ(dst.GetPixel(0, 0), clWhite);
  dc.BrushCopy(TRect(0, 0, 3, 3), src, TRect(0, 0, 3, 3), clNone);
  EXPECT_EQ(dst.GetPixel(1, 1), clRed);
}

} // namespace
} // namespace tessaro
