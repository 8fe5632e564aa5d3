// Pixel-level behaviour of the canvas primitives that the drawing tools
// depend on.
#include "core/Canvas.h"

#include "canvas_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace tessaro {
namespace {

using test::BoundsOf;
using test::FilledBitmap;
using test::PixelsNot;

void XorStyle(TCanvas &c) {
  c.Pen.Mode = pmNotXor;
  c.Pen.Color = clBlack;
  c.Pen.Style = psSolid;
  c.Pen.Width = 1;
  c.Brush.Style = bsClear;
}

TEST(CanvasLine, XorLineTwiceRestoresAndExcludesEndPoint) {
  TBitmap bmp = FilledBitmap(64, 48, pf24bit, RGB(10, 200, 30));
  auto before = test::StoredPixels(bmp);
  TCanvas c(bmp);
  XorStyle(c);
  c.MoveTo(10, 10);
  c.LineTo(50, 30);
  EXPECT_EQ(c.PenPos, TPoint(50, 30));
  auto touched = PixelsNot(bmp, RGB(10, 200, 30));
  EXPECT_EQ(touched.size(), 40u); // one pixel per column 10..49
  EXPECT_EQ(bmp.GetPixel(10, 10), RGB(245, 55, 225));
  EXPECT_EQ(bmp.GetPixel(50, 30), RGB(10, 200, 30));
  c.MoveTo(10, 10);
  c.LineTo(50, 30);
  EXPECT_EQ(test::StoredPixels(bmp), before);
}

TEST(CanvasLine, PolylineJointsAreDrawnOnceAndLastPointIsLeft) {
  TBitmap bmp = FilledBitmap(20, 20, pf8bit);
  TCanvas c(bmp);
  c.Pen.Mode = pmNot;
  TPoint pts[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}, {2, 2}};
  c.Polyline(pts);
  // A closed square outline 2..10: every pixel inverted exactly once.
  auto touched = PixelsNot(bmp, clWhite);
  EXPECT_EQ(touched.size(), 32u);
  EXPECT_EQ(BoundsOf(touched), TRect(2, 2, 11, 11));
}

TEST(CanvasLine, WidePenCoversItsWidthWithRoundCaps) {
  for (int w : {2, 3, 4, 5, 8}) {
    TBitmap bmp = FilledBitmap(60, 40, pf24bit);
    TCanvas c(bmp);
    c.Pen.Width = w;
    c.MoveTo(10, 20);
    c.LineTo(40, 20);
    int rows = 0;
    for (int y = 0; y < 40; ++y)
      rows += bmp.GetPixel(25, y) == clBlack;
    EXPECT_EQ(rows, w) << "width " << w;
    // Round caps reach about half the width beyond both ends.
    EXPECT_EQ(bmp.GetPixel(10 - (w - 1) / 2, 20), clBlack) << w;
    EXPECT_EQ(bmp.GetPixel(10 - w, 20), clWhite) << w;
    EXPECT_EQ(bmp.GetPixel(40, 20), clBlack) << w;
  }
}

TEST(CanvasLine, DashedPenLeavesGapsAndClearPenDrawsNothing) {
  TBitmap bmp = FilledBitmap(100, 5, pf24bit);
  TCanvas c(bmp);
  for (TPenStyle style : {psDash, psDot, psDashDot, psDashDotDot}) {
    c.Pen.Style = style;
    c.Pen.Mode = pmCopy;
    c.Brush.Style = bsClear;
    c.Rectangle(0, 0, 100, 5); // clear
    c.Pen.Style = psClear;
    c.Brush.Style = bsSolid;
    c.Brush.Color = clWhite;
    c.Rectangle(0, 0, 100, 5);
    c.Pen.Style = style;
    c.MoveTo(0, 2);
    c.LineTo(99, 2);
    int on = 0;
    for (int x = 0; x < 99; ++x)
      on += bmp.GetPixel(x, 2) == clBlack;
    EXPECT_GT(on, 20) << int(style);
    EXPECT_LT(on, 90) << int(style);
  }
  TBitmap clean = FilledBitmap(20, 20, pf24bit);
  TCanvas c2(clean);
  c2.Pen.Style = psClear;
  c2.MoveTo(0, 0);
  c2.LineTo(19, 19);
  EXPECT_TRUE(PixelsNot(clean, clWhite).empty());
  EXPECT_EQ(c2.PenPos, TPoint(19, 19));
}

TEST(CanvasBezier, OnlyOnePlusThreeKPointsDraw) {
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7}) {
    TBitmap bmp = FilledBitmap(40, 40, pf24bit);
    TCanvas c(bmp);
    std::vector<TPoint> pts;
    for (int i = 0; i < n; ++i)
      pts.emplace_back(3 + 5 * i, (i % 2) ? 30 : 5);
    c.PolyBezier(pts);
    bool drawn = !PixelsNot(bmp, clWhite).empty();
    EXPECT_EQ(drawn, n == 4 || n == 7) << n << " points";
  }
}

TEST(CanvasRectangle, RightAndBottomEdgesExcluded) {
  TBitmap bmp = FilledBitmap(20, 20, pf24bit);
  TCanvas c(bmp);
  c.Pen.Color = clRed;
  c.Brush.Color = clBlue;
  c.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(BoundsOf(PixelsNot(bmp, clWhite)), TRect(0, 0, 10, 10));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bmp.GetPixel(i, 0), clRed);
    EXPECT_EQ(bmp.GetPixel(i, 9), clRed);
    EXPECT_EQ(bmp.GetPixel(0, i), clRed);
    EXPECT_EQ(bmp.GetPixel(9, i), clRed);
  }
  EXPECT_EQ(bmp.GetPixel(1, 1), clBlue);
  EXPECT_EQ(bmp.GetPixel(8, 8), clBlue);
  // Corners in any order give the same figure.
  TBitmap other = FilledBitmap(20, 20, pf24bit);
  TCanvas c2(other);
  c2.Pen.Color = clRed;
  c2.Brush.Color = clBlue;
  c2.Rectangle(10, 10, 0, 0);
  EXPECT_EQ(test::StoredPixels(other), test::StoredPixels(bmp));
}

TEST(CanvasRectangle, InsideFrameKeepsWideOutlineInsideTheBox) {
  for (int w : {2, 3, 6, 7}) {
    TBitmap bmp = FilledBitmap(60, 50, pf24bit);
    TCanvas c(bmp);
    c.Pen.Width = w;
    c.Pen.Style = psInsideFrame;
    c.Brush.Style = bsClear;
    c.Rectangle(10, 10, 40, 30);
    EXPECT_EQ(BoundsOf(PixelsNot(bmp, clWhite)), TRect(10, 10, 40, 30)) << w;
    // The left edge is exactly w pixels thick in the middle.
    int thick = 0;
    for (int x = 10; x < 40; ++x)
      thick += bmp.GetPixel(x, 20) == clBlack;
    EXPECT_EQ(thick, 2 * w) << w;
    TBitmap plain = FilledBitmap(60, 50, pf24bit);
    TCanvas c2(plain);
    c2.Pen.Width = w;
    c2.Brush.Style = bsClear;
    c2.Rectangle(10, 10, 40, 30);
    TRect b = BoundsOf(PixelsNot(plain, clWhite));
    EXPECT_LT(b.Left, 10) << w;
  }
}

TEST(CanvasRectangle, EllipseAndRoundRectStayInTheirBox) {
  TBitmap bmp = FilledBitmap(60, 50, pf24bit);
  TCanvas c(bmp);
  c.Brush.Color = clYellow;
  c.Ellipse(10, 10, 31, 22);
  EXPECT_EQ(BoundsOf(PixelsNot(bmp, clWhite)), TRect(10, 10, 31, 22));
  EXPECT_EQ(bmp.GetPixel(20, 16), clYellow);
  EXPECT_EQ(bmp.GetPixel(10, 10), clWhite); // corner outside the ellipse
  TBitmap rr = FilledBitmap(60, 50, pf24bit);
  TCanvas c2(rr);
  c2.RoundRect(5, 5, 45, 35, 10, 10);
  EXPECT_EQ(BoundsOf(PixelsNot(rr, clWhite)), TRect(5, 5, 45, 35));
  EXPECT_EQ(rr.GetPixel(5, 5), clWhite);
  EXPECT_EQ(rr.GetPixel(25, 5), clBlack);
  TBitmap square = FilledBitmap(60, 50, pf24bit);
  TCanvas c3(square);
  c3.RoundRect(5, 5, 45, 35, 0, 0);
  EXPECT_EQ(square.GetPixel(5, 5), clBlack);
}

TEST(CanvasRectangle, WideCurvesStayWithinHalfTheWidthOfTheirBox) {
  for (int w : {2, 3, 5, 8}) {
    for (int kind = 0; kind < 3; ++kind) {
      for (TPenStyle style : {psSolid, psDash, psInsideFrame}) {
        TBitmap bmp = FilledBitmap(80, 60, pf24bit);
        TCanvas c(bmp);
        c.Pen.Width = w;
        c.Pen.Style = style;
        c.Brush.Color = clRed;
        if (kind == 0)
          c.Ellipse(20, 15, 61, 46);
        else if (kind == 1)
          c.RoundRect(20, 15, 61, 46, 16, 12);
        else
          c.Pie(20, 15, 61, 46, 61, 30, 40, 0);
        TRect b = BoundsOf(PixelsNot(bmp, clWhite));
        int m = style == psInsideFrame ? 0 : w / 2 + 1;
        EXPECT_GE(b.Left, 20 - m) << w << " " << kind;
        EXPECT_GE(b.Top, 15 - m) << w << " " << kind;
        EXPECT_LE(b.Right, 61 + m) << w << " " << kind;
        EXPECT_LE(b.Bottom, 46 + m) << w << " " << kind;
        if (style == psInsideFrame && kind == 0) {
          EXPECT_EQ(b, TRect(20, 15, 61, 46)) << w;
        }
      }
    }
  }
}

TEST(CanvasBrush, HatchDrawsLinesInBrushColourAndLeavesTheRest) {
  for (TBrushStyle style : {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross}) {
    TBitmap bmp(40, 40, pf24bit);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        bmp.SetPixel(x, y, RGB(uint8_t(x * 5), uint8_t(y * 5), 77));
    TBitmap before = bmp;
    TCanvas c(bmp);
    c.Pen.Style = psClear;
    c.Brush.Style = style;
    c.Brush.Color = clRed;
    c.Rectangle(0, 0, 40, 40);
    int lines = 0, kept = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        if (bmp.GetPixel(x, y) == clRed)
          ++lines;
        else if (bmp.GetPixel(x, y) == before.GetPixel(x, y))
          ++kept;
      }
    EXPECT_EQ(lines + kept, 1600) << int(style);
    EXPECT_GT(lines, 100) << int(style);
    EXPECT_GT(kept, 800) << int(style);
  }
}

TEST(CanvasArc, CounterClockwiseFromStartRayToEndRay) {
  auto arc = [](int x3, int y3, int x4, int y4) {
    TBitmap bmp = FilledBitmap(50, 50, pf24bit);
    TCanvas c(bmp);
    c.Arc(0, 0, 41, 41, x3, y3, x4, y4);
    return bmp;
  };
  // From east to north: the upper right quarter only.
  TBitmap q = arc(40, 20, 20, 0);
  auto pts = PixelsNot(q, clWhite);
  ASSERT_FALSE(pts.empty());
  for (const TPoint &p : pts) {
    EXPECT_GE(p.X, 20);
    EXPECT_LE(p.Y, 21);
  }
  // From north to east: the other three quarters.
  TBitmap rest = arc(20, 0, 40, 20);
  EXPECT_EQ(rest.GetPixel(0, 20), clBlack);
  EXPECT_EQ(rest.GetPixel(20, 40), clBlack);
  EXPECT_EQ(rest.GetPixel(34, 6), clWhite);
  // Identical rays: the whole ellipse.
  TBitmap full = arc(40, 20, 40, 20);
  TBitmap ellipse = FilledBitmap(50, 50, pf24bit);
  TCanvas c(ellipse);
  c.Brush.Style = bsClear;
  c.Ellipse(0, 0, 41, 41);
  EXPECT_EQ(test::StoredPixels(full), test::StoredPixels(ellipse));
}

TEST(CanvasArc, PieAndChordFillTheirSideOnly) {
  for (int w : {1, 3}) {
    TBitmap pie = FilledBitmap(50, 50, pf24bit);
    TCanvas c(pie);
    c.Pen.Width = w;
    c.Brush.Color = clBlue;
    c.Pie(0, 0, 41, 41, 40, 20, 20, 0);
    EXPECT_EQ(pie.GetPixel(28, 12), clBlue) << w;
    EXPECT_EQ(pie.GetPixel(12, 28), clWhite) << w;
    EXPECT_EQ(pie.GetPixel(12, 12), clWhite) << w;
    EXPECT_EQ(pie.GetPixel(20, 10), clBlack) << w; // the vertical radius
    TBitmap big = FilledBitmap(50, 50, pf24bit);   // three quarters
    TCanvas cbig(big);
    cbig.Pen.Width = w;
    cbig.Brush.Color = clBlue;
    cbig.Pie(0, 0, 41, 41, 20, 0, 40, 20);
    EXPECT_EQ(big.GetPixel(28, 12), clWhite) << w;
    EXPECT_EQ(big.GetPixel(12, 28), clBlue) << w;
    EXPECT_EQ(big.GetPixel(12, 12), clBlue) << w;
    EXPECT_EQ(big.GetPixel(28, 28), clBlue) << w;
    TBitmap chord = FilledBitmap(50, 50, pf24bit);
    TCanvas c2(chord);
    c2.Pen.Width = w;
    c2.Brush.Color = clBlue;
    c2.Chord(0, 0, 41, 41, 40, 20, 20, 0);
    EXPECT_EQ(chord.GetPixel(33, 8), clBlue) << w;
    EXPECT_EQ(chord.GetPixel(24, 16), clWhite) << w;
  }
}

TEST(CanvasPolygon, AlternateFillLeavesTheStarCentre) {
  TBitmap bmp = FilledBitmap(60, 60, pf24bit);
  TCanvas c(bmp);
  c.Brush.Color = clLime;
  TPoint star[] = {{30, 2}, {47, 55}, {3, 22}, {57, 22}, {13, 55}};
  c.Polygon(star);
  EXPECT_EQ(bmp.GetPixel(30, 32), clWhite);
  EXPECT_EQ(bmp.GetPixel(30, 12), clLime);
  EXPECT_EQ(bmp.GetPixel(30, 2), clBlack);
}

TEST(CanvasChange, EveryCallAnnouncesItsBoundsOnce) {
  TBitmap bmp = FilledBitmap(100, 100, pf24bit);
  std::vector<TRect> seen;
  bmp.Subscribe([&](const TRect &r) { seen.push_back(r); });
  TCanvas c(bmp);
  c.Rectangle(10, 20, 30, 40);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], TRect(10, 20, 30, 40));
  seen.clear();
  c.Pen.Width = 5;
  TPoint pts[] = {{10, 10}, {50, 10}, {50, 50}};
  c.Polyline(pts);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], TRect(8, 8, 53, 53));
  seen.clear();
  c.Rectangle(-50, -50, -10, -10); // outside: nothing touched, nothing announced
  EXPECT_TRUE(seen.empty());
}

TEST(CanvasBevel, DrawsNestedFramesAndShrinksTheRectangle) {
  TBitmap bmp = FilledBitmap(60, 50, pf24bit);
  TCanvas c(bmp);
  c.Pen.Width = 4;
  TRect r(10, 10, 50, 40);
  DrawBevelFrame(c, r, clRed, clBlue, 3);
  EXPECT_EQ(r, TRect(13, 13, 47, 37));
  EXPECT_EQ(c.Pen.Width, 1);
  EXPECT_EQ(c.Pen.Color, clBlue);
  for (int x : {10, 11, 12})
    EXPECT_EQ(bmp.GetPixel(x, 25), clRed) << x;
  EXPECT_EQ(bmp.GetPixel(13, 25), clWhite);
  for (int x : {47, 48, 49})
    EXPECT_EQ(bmp.GetPixel(x, 25), clBlue) << x;
  EXPECT_EQ(bmp.GetPixel(50, 25), clWhite);
  EXPECT_EQ(bmp.GetPixel(10, 39), clBlue); // bottom line reaches the left edge
  EXPECT_EQ(BoundsOf(PixelsNot(bmp, clWhite)), TRect(10, 10, 50, 40));
  // In XOR style the frame drawn twice disappears.
  TBitmap x = FilledBitmap(60, 50, pf8bit);
  auto before = test::StoredPixels(x);
  TCanvas cx(x);
  cx.Pen.Mode = pmNotXor;
  for (int i = 0; i < 2; ++i) {
    TRect rr(10, 10, 50, 40);
    DrawBevelFrame(cx, rr, clBlack, clBlack, 2);
  }
  EXPECT_EQ(test::StoredPixels(x), before);
}

TEST(CanvasCoordinates, ControlToImageTruncatesTowardZero) {
  EXPECT_EQ(ControlToImage(149, 10, 50), TPoint(298, 20));
  EXPECT_EQ(ControlToImage(149, 10, 300), TPoint(49, 3));
  EXPECT_EQ(ControlToImage(-149, -1, 300), TPoint(-49, 0));
  EXPECT_EQ(ControlToImage(7, 7, 100), TPoint(7, 7));
}

TEST(CanvasPixels, ClipAndSystemColours) {
  TBitmap bmp = FilledBitmap(10, 10, pf24bit);
  TCanvas c(bmp);
  c.SetPixels(-1, 3, clRed);
  c.SetPixels(10, 3, clRed);
  EXPECT_TRUE(PixelsNot(bmp, clWhite).empty());
  c.Brush.Color = clBtnFace;
  c.FillRect(TRect(0, 0, 10, 10));
  EXPECT_EQ(c.Pixels(5, 5), ColorToRGB(clBtnFace));
  c.Pen.Width = 9;
  c.MoveTo(-100000, -100000);
  c.LineTo(100000, 100000); // far outside: clipped, finishes at once
  EXPECT_EQ(c.Pixels(5, 5), clBlack);
}

TEST(CanvasPixels, AbsurdCoordinatesAreClippedWithoutOverflow) {
  constexpr int Lo = std::numeric_limits<int>::min(), Hi = std::numeric_limits<int>::max();
  for (int w : {1, 6}) {
    TBitmap bmp = FilledBitmap(30, 20, pf24bit);
    TCanvas c(bmp);
    c.Pen.Width = w;
    c.Brush.Color = clRed;
    c.Ellipse(Lo, Lo, Hi, Hi);
    EXPECT_EQ(c.Pixels(15, 10), clRed) << w; // deep inside the huge ellipse
    c.Rectangle(Lo, 5, Hi, 15);
    c.RoundRect(Lo, Lo, Hi, Hi, Lo, Hi);
    c.Pie(Lo, Lo, Hi, Hi, Hi, 0, 0, Lo);
    c.Chord(-5, -5, Hi, 25, Lo, Lo, Hi, Hi);
    TPoint pts[] = {{Lo, Lo}, {Hi, 3}, {3, Hi}};
    c.Polygon(pts);
    c.Polyline(pts);
    TPoint bez[] = {{Lo, Lo}, {Hi, Lo}, {Lo, Hi}, {Hi, Hi}};
    c.PolyBezier(bez);
    c.StretchDraw(TRect(Lo, Lo, Hi, Hi), bmp);
    c.CopyRect(TRect(0, 0, 30, 20), c, TRect(Lo, Lo, Hi, Hi));
    c.Draw(Hi, Hi, bmp);
  }
}

} // namespace
} // namespace tessaro
