#include "OpsTestUtil.h"
#include "ops/LUMGraphics.h"

using namespace tessaro;
using namespace tessaro::test;

TEST(QuarterTurns, CornersMoveAsOnScreen) {
  TBitmap b = Pattern(3, 2);
  const TRGB topLeft = Px(b, 0, 0);
  TBitmap right = b;
  ASSERT_TRUE(Rotate90(&right));
  ASSERT_EQ(right.Width(), 2);
  ASSERT_EQ(right.Height(), 3);
  EXPECT_EQ(Px(right, 1, 0), topLeft);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x)
      EXPECT_EQ(Px(right, x, y), Px(b, y, 2 - 1 - x));
  TBitmap left = b; // "90° Links": the half turn, then the quarter turn
  Rotate180(&left);
  Rotate90(&left);
  EXPECT_EQ(Px(left, 0, 2), topLeft);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x)
      EXPECT_EQ(Px(left, x, y), Px(b, 3 - 1 - y, x));
}

TEST(QuarterTurns, IdentitiesOnOddAndPaddedSizes) {
  for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {77, 53}, {130, 9}}) {
    TBitmap b = Pattern(w, h), before = b;
    for (int i = 0; i < 4; ++i)
      Rotate90(&b);
    EXPECT_TRUE(SamePixels(b, before)) << w << "x" << h;
    Rotate180(&b);
    EXPECT_EQ(Px(b, 0, 0), Px(before, w - 1, h - 1));
    Rotate180(&b);
    EXPECT_TRUE(SamePixels(b, before));
    FlipHorizontal(&b);
    EXPECT_EQ(Px(b, 0, h - 1), Px(before, w - 1, h - 1));
    FlipHorizontal(&b);
    FlipVertical(&b);
    EXPECT_EQ(Px(b, w - 1, 0), Px(before, w - 1, h - 1));
    FlipVertical(&b);
    EXPECT_TRUE(SamePixels(b, before));
  }
  TBitmap thin = Pattern(1, 9), flat = Pattern(9, 1);
  TBitmap t0 = thin, f0 = flat;
  FlipHorizontal(&thin);
  FlipVertical(&flat);
  EXPECT_TRUE(SamePixels(thin, t0));
  EXPECT_TRUE(SamePixels(flat, f0));
  TBitmap empty(0, 5, pf24bit);
  EXPECT_TRUE(Rotate180(&empty));
  EXPECT_TRUE(FlipHorizontal(&empty));
  EXPECT_TRUE(Rotate90(&empty));
}

// Sizes around the 4 x 4 blocks of the quarter turn: widths whose last block
// ends at the raster's last byte, heights that end within a block, more than
// one band of new rows. The row padding stays zero.
TEST(QuarterTurns, EveryPixelAndPaddingOnBlockEdges) {
  for (auto [w, h] : {std::pair{4, 4}, {8, 5}, {4, 7}, {12, 6}, {5, 16}, {64, 64}, {68, 130}, {520, 9}}) {
    const TBitmap b = Pattern(w, h);
    TBitmap r = b;
    ASSERT_TRUE(Rotate90(&r));
    ASSERT_EQ(r.Width(), h);
    ASSERT_EQ(r.Height(), w);
    bool same = true, zeroPad = true;
    for (int y = 0; y < w; ++y) {
      for (int x = 0; x < h; ++x)
        same = same && Px(r, x, y) == Px(b, y, h - 1 - x);
      for (size_t i = size_t(h) * 3; i < r.RowBytes(); ++i)
        zeroPad = zeroPad && r.ScanLine(y)[i] == 0;
    }
    EXPECT_TRUE(same) << w << "x" << h;
    EXPECT_TRUE(zeroPad) << w << "x" << h;
  }
}

TEST(FreeRotation, ZeroDegreesOnEnlargedPaperCentresThePicture) {
  TBitmap b = Pattern(300, 400), before = b;
  ASSERT_TRUE(RotateBitmap(&b, true, clRed, 0, -1, -1));
  ASSERT_EQ(b.Width(), 500);
  ASSERT_EQ(b.Height(), 500);
  EXPECT_EQ(Px(b, 100, 50), Px(before, 0, 0));
  EXPECT_EQ(Px(b, 399, 449), Px(before, 299, 399));
  EXPECT_EQ(Px(b, 99, 50), (TRGB{255, 0, 0}));
  EXPECT_EQ(Px(b, 0, 0), (TRGB{255, 0, 0}));
}

TEST(FreeRotation, QuarterTurnsAndDirection) {
  TBitmap b = Pattern(300, 400), before = b;
  ASSERT_TRUE(RotateBitmap(&b, true, clBlue, 90, -1, -1));
  ASSERT_EQ(b.Width(), 500);
  EXPECT_EQ(Px(b, 0, 0), (TRGB{0, 0, 255}));     // corner not covered
  EXPECT_EQ(Px(b, 499, 499), (TRGB{0, 0, 255})); // corner not covered
  // Counter-clockwise: the old top-right corner comes to the top left of the
  // turned picture, which lies centred at (50, 100).
  EXPECT_EQ(Px(b, 50, 101), Px(before, 299, 0));
  EXPECT_EQ(Px(b, 449, 400), Px(before, 0, 399));
  EXPECT_EQ(Px(b, 50, 100), (TRGB{0, 0, 255}));

  TBitmap same = Pattern(300, 400);
  ASSERT_TRUE(RotateBitmap(&same, false, clBlue, 90, -1, -1));
  EXPECT_EQ(same.Width(), 300);
  EXPECT_EQ(same.Height(), 400);
  EXPECT_EQ(Px(same, 0, 0), (TRGB{0, 0, 255})); // turned outside: lost

  TBitmap full = Pattern(31, 20), f0 = full;
  RotateBitmap(&full, false, clBlue, 360, -1, -1);
  EXPECT_TRUE(SamePixels(full, f0));
}

TEST(FreeRotation, RotationPointTopLeft) {
  // About (0, 0) by 90 degrees counter-clockwise the picture leaves the
  // paper upwards; only its left column stays, as row 0.
  TBitmap b = Pattern(20, 10), b0 = b;
  RotateBitmap(&b, false, clWhite, 90, 0, 0);
  EXPECT_EQ(Px(b, 5, 0), Px(b0, 0, 5));
  for (int y = 1; y < 10; ++y)
    EXPECT_EQ(Px(b, 5, y), (TRGB{255, 255, 255}));
  // By -90 it swings to the left; only its top row stays, as column 0.
  TBitmap c = Pattern(20, 10), c0 = c;
  RotateBitmap(&c, false, clWhite, -90, 0, 0);
  EXPECT_EQ(Px(c, 0, 3), Px(c0, 3, 0));
}

TEST(Skew, HalfAlongXShiftsRowsAndRoundsHalvesDown) {
  TBitmap b = Pattern(200, 100), before = b;
  ASSERT_TRUE(SkewBitmap(&b, clRed, 0.5f, 0));
  EXPECT_EQ(b.Width(), 200);
  EXPECT_EQ(b.Height(), 100);
  EXPECT_EQ(Px(b, 49, 99), (TRGB{255, 0, 0}));
  EXPECT_EQ(Px(b, 50, 99), Px(before, 0, 99)); // source 0.5 rounds down to 0
  EXPECT_EQ(Px(b, 51, 99), Px(before, 1, 99)); // 1.5 -> 1
  EXPECT_EQ(Px(b, 0, 0), Px(before, 0, 0));
  EXPECT_EQ(Px(b, 199, 98), Px(before, 150, 98));
  EXPECT_EQ(Px(b, 0, 50), (TRGB{255, 0, 0}));
}

TEST(Resize, SizesAndFilters) {
  TBitmap b = Pattern(101, 101);
  ASSERT_TRUE(ResizeBitmap(&b, sftLinear, clWhite, 50, 50));
  EXPECT_EQ(b.Width(), 50);
  EXPECT_EQ(b.Height(), 50);
  TBitmap c = Pattern(640, 480);
  ResizeBitmap(&c, sftNearest, clWhite, 16, 16);
  EXPECT_EQ(c.Width(), 102);
  EXPECT_EQ(c.Height(), 76);
  TBitmap z = Pattern(10, 10);
  ResizeBitmap(&z, sftLinear, clWhite, 0, 100);
  EXPECT_EQ(z.Width(), 0);
  EXPECT_EQ(z.Height(), 10);
  // The three names beyond linear select the same bilinear resampling.
  TBitmap lin = Pattern(40, 30);
  ResizeBitmap(&lin, sftLinear, clWhite, 173, 61);
  for (TStretchFilter f : {sftSpline, sftLanczos, sftMitchell}) {
    TBitmap o = Pattern(40, 30);
    ResizeBitmap(&o, f, clWhite, 173, 61);
    EXPECT_TRUE(SamePixels(o, lin)) << int(f);
  }
}

TEST(Resize, NearestAndBilinearSamples) {
  // 2 x 1 source: black, white. Doubling maps destination x to 0.5 x.
  TBitmap n(2, 1, pf24bit);
  SetPx(n, 0, 0, {0, 0, 0});
  SetPx(n, 1, 0, {200, 100, 40});
  TBitmap l = n;
  ResizeBitmap(&n, sftNearest, clWhite, 200, 100);
  ASSERT_EQ(n.Width(), 4);
  EXPECT_EQ(Px(n, 1, 0), (TRGB{0, 0, 0})); // 0.5 rounds down
  EXPECT_EQ(Px(n, 2, 0), (TRGB{200, 100, 40}));
  EXPECT_EQ(Px(n, 3, 0), (TRGB{200, 100, 40})); // 1.5 -> 1
  ResizeBitmap(&l, sftLinear, clWhite, 200, 100);
  EXPECT_EQ(Px(l, 0, 0), (TRGB{0, 0, 0}));
  EXPECT_EQ(Px(l, 1, 0), (TRGB{100, 50, 20})); // halfway
  EXPECT_EQ(Px(l, 2, 0), (TRGB{200, 100, 40}));
  EXPECT_EQ(Px(l, 3, 0), (TRGB{200, 100, 40})); // edge pixel repeats
  TBitmap u = Uniform(17, 9, {9, 99, 199});
  ResizeBitmap(&u, sftLinear, clWhite, 333, 71);
  for (int y = 0; y < u.Height(); ++y)
    for (int x = 0; x < u.Width(); ++x)
      ASSERT_EQ(Px(u, x, y), (TRGB{9, 99, 199}));
}

TEST(PaperSize, AnchorPositionsRoundHalvesToEven) {
  struct TCase {
    int Anchor, Dx, Dy, X, Y;
  } cases[] = {{4, 160, 120, 80, 60}, {8, 160, 120, 160, 120}, {4, -40, -80, -20, -40}, {1, 3, 0, 2, 0},
               {1, 5, 0, 2, 0},       {1, -3, 0, -2, 0},       {3, 0, 7, 0, 4},         {0, 9, 9, 0, 0},
               {2, 9, 9, 9, 0},       {5, 9, 9, 9, 4},         {6, 9, 9, 0, 9},         {7, 1, 1, 0, 1}};
  for (const TCase &c : cases)
    EXPECT_EQ(PaperAnchorPosition(c.Anchor, c.Dx, c.Dy), TPoint(c.X, c.Y)) << c.Anchor << " " << c.Dx;
}

TEST(PaperSize, NewPaperInOwnFormat) {
  TBitmap b = Pattern(640, 480), before = b;
  ASSERT_TRUE(ChangePaperSize(&b, 800, 600, 4, clRed));
  EXPECT_EQ(b.Width(), 800);
  EXPECT_EQ(Px(b, 80, 60), Px(before, 0, 0));
  EXPECT_EQ(Px(b, 79, 60), (TRGB{255, 0, 0}));
  TBitmap s = Pattern(640, 480);
  ASSERT_TRUE(ChangePaperSize(&s, 600, 400, 4, clRed));
  EXPECT_EQ(Px(s, 0, 0), Px(before, 20, 40));
  EXPECT_FALSE(ChangePaperSize(&s, 0, 400, 4, clRed));
  EXPECT_EQ(s.Width(), 600);

  // 4-bit: no conversion, the pixels keep their palette indices.
  TBitmap p = Pattern(9, 5);
  p.SetPixelFormat(pf4bit);
  TBitmap p0 = p;
  ASSERT_TRUE(ChangePaperSize(&p, 12, 6, 8, clWhite));
  EXPECT_EQ(p.PixelFormat(), pf4bit);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(p.GetStored(x + 3, y + 1), p0.GetStored(x, y));
  EXPECT_EQ(p.GetPixel(0, 0), clWhite);
}

TEST(Transform, ExtremeFactorsStayInsideTheRasters) {
  // Singular (fx * fy = 1), huge and tiny factors: no pixel is read outside
  // the source, the result keeps its size, uncovered pixels show the fill.
  struct TCase {
    float Fx, Fy;
  } cases[] = {{1, 1}, {2, 0.5f}, {1e30f, 0}, {0, -1e30f}, {1e-30f, 1e-30f}, {-1.999f, 2}};
  for (const TCase &c : cases) {
    TBitmap b = Pattern(37, 23);
    ASSERT_TRUE(SkewBitmap(&b, clRed, c.Fx, c.Fy));
    EXPECT_EQ(b.Width(), 37);
    EXPECT_EQ(b.Height(), 23);
  }
  TBitmap s = Pattern(37, 23);
  SkewBitmap(&s, clRed, 1, 1);
  EXPECT_EQ(Px(s, 5, 5), (TRGB{255, 0, 0}));
  TBitmap big = Pattern(10, 10);
  EXPECT_THROW(ResizeBitmap(&big, sftLinear, clWhite, 1e9f, 1e9f), std::bad_alloc);
  EXPECT_EQ(big.Width(), 10); // the bitmap is left as it was
  TBitmap tiny = Pattern(10, 10);
  ASSERT_TRUE(ResizeBitmap(&tiny, sftNearest, clWhite, 1e-3f, 1e-3f));
  EXPECT_TRUE(tiny.Empty());
}
