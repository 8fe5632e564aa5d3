#include "OpsTestUtil.h"
#include "core/Canvas.h"
#include "ops/LUMGraphics.h"

#include <cmath>

using namespace tessaro;
using namespace tessaro::test;

TEST(Blur, KernelExamples) {
  struct TCase {
    float Radius;
    std::vector<float> Weights;
  } cases[] = {{1, {0.25f, 0.5f, 0.25f}},
               {0.5f, {0.2f, 0.6f, 0.2f}},
               {2, {1 / 9.f, 2 / 9.f, 3 / 9.f, 2 / 9.f, 1 / 9.f}},
               {2.5f, {0.04f, 0.12f, 0.2f, 0.28f, 0.2f, 0.12f, 0.04f}}};
  for (const TCase &c : cases) {
    std::vector<float> k = MakeBlurKernel(c.Radius);
    ASSERT_EQ(k.size(), c.Weights.size()) << c.Radius;
    for (size_t i = 0; i < k.size(); ++i)
      EXPECT_NEAR(k[i], c.Weights[i], 1e-6) << c.Radius << " " << i;
  }
  EXPECT_EQ(MakeBlurKernel(99).size(), 199u);
}

TEST(Blur, SinglePixelGivesTheProductPatch) {
  TBitmap b = Uniform(7, 7, {0, 0, 0});
  SetPx(b, 3, 3, {255, 255, 255});
  ASSERT_TRUE(BlurBitmap(&b, 1));
  const int expect[3][3] = {{16, 32, 16}, {32, 64, 32}, {16, 32, 16}};
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) {
      int v = (x >= 2 && x <= 4 && y >= 2 && y <= 4) ? expect[y - 2][x - 2] : 0;
      EXPECT_EQ(Px(b, x, y), (TRGB{v, v, v})) << x << "," << y;
    }
}

TEST(Blur, UniformImageAndRadiusLimits) {
  TBitmap u = Uniform(23, 19, {17, 128, 255}), u0 = u;
  ASSERT_TRUE(BlurBitmap(&u, 7.5f));
  EXPECT_TRUE(SamePixels(u, u0));
  // Radius 0 and below count as 1, above 99 as 99.
  TBitmap a = Pattern(30, 20), b = a, c = a, d = a;
  BlurBitmap(&a, 1);
  BlurBitmap(&b, 0);
  BlurBitmap(&c, -3);
  EXPECT_TRUE(SamePixels(a, b));
  EXPECT_TRUE(SamePixels(a, c));
  TBitmap e = d;
  BlurBitmap(&d, 99);
  BlurBitmap(&e, 500);
  EXPECT_TRUE(SamePixels(d, e));
  TBitmap one(1, 1, pf24bit);
  SetPx(one, 0, 0, {1, 2, 3});
  BlurBitmap(&one, 5);
  EXPECT_EQ(Px(one, 0, 0), (TRGB{1, 2, 3}));
}

TEST(Blur, EdgePixelsRepeat) {
  // A white left column in a 3-wide black image, radius 1: column 0 gets
  // 0.75 * 255 = 191.25, column 1 0.25 * 255 = 63.75.
  TBitmap b = Uniform(3, 4, {0, 0, 0});
  for (int y = 0; y < 4; ++y)
    SetPx(b, 0, y, {255, 255, 255});
  BlurBitmap(&b, 1);
  EXPECT_EQ(Px(b, 0, 2)[0], 191);
  EXPECT_EQ(Px(b, 1, 2)[0], 64);
  EXPECT_EQ(Px(b, 2, 2)[0], 0);
}

TEST(Fog, AmountsAndOutline) {
  TBitmap w = Pattern(6, 5);
  ASSERT_TRUE(FogBitmap(&w, clWhite, 0)); // 100 %
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(Px(w, x, y), (TRGB{255, 255, 255}));
  TBitmap h = Uniform(4, 4, {200, 100, 0});
  FogBitmap(&h, clBlack, 127); // 50 %: Trunc(255 - 50 * 2.55)
  EXPECT_EQ(Px(h, 1, 1), (TRGB{99, 49, 0}));
  EXPECT_EQ(Px(h, 0, 2), (TRGB{0, 0, 0}));
  TBitmap z = Pattern(5, 4), z0 = z;
  FogBitmap(&z, clRed, 255); // 0 %: only the outline changes
  EXPECT_EQ(Px(z, 2, 1), Px(z0, 2, 1));
  EXPECT_EQ(Px(z, 3, 2), Px(z0, 3, 2));
  EXPECT_EQ(Px(z, 4, 1), (TRGB{255, 0, 0}));
  EXPECT_EQ(Px(z, 2, 3), (TRGB{255, 0, 0}));
  // Fog brighter than the pixel: the difference is negative and truncates
  // towards zero. 10 + ((0 - 10) * 100) div 255 = 10 - 3 = 7.
  TBitmap n = Uniform(3, 3, {0, 0, 0});
  FogBitmap(&n, RGB(10, 10, 10), 100);
  EXPECT_EQ(Px(n, 1, 1), (TRGB{7, 7, 7}));
  TBitmap tiny = Pattern(2, 2);
  EXPECT_TRUE(FogBitmap(&tiny, clBlue, 10));
  EXPECT_EQ(Px(tiny, 1, 1), (TRGB{0, 0, 255}));
}

// Every byte value against fog bytes on both sides of it, for amounts at
// the ends and in the middle: f + ((c - f) * amount) div 255, truncated
// towards zero.
TEST(Fog, EveryByteMovesByTheTruncatedQuotient) {
  TBitmap b(258, 258, pf24bit);
  for (int y = 0; y < 258; ++y)
    for (int x = 0; x < 258; ++x)
      SetPx(b, x, y, {(x + y) & 255, (y + 255) & 255, (x + 255) & 255});
  const TRGB fogs[] = {{0, 255, 128}, {254, 1, 77}, {13, 200, 100}};
  for (const TRGB &fog : fogs)
    for (int amount : {0, 1, 100, 127, 128, 254, 255}) {
      TBitmap f = b;
      ASSERT_TRUE(FogBitmap(&f, RGB(uint8_t(fog[0]), uint8_t(fog[1]), uint8_t(fog[2])), uint8_t(amount)));
      for (int y = 1; y < 257; ++y)
        for (int x = 1; x < 257; ++x) {
          const TRGB c = Px(b, x, y);
          TRGB want;
          for (int k = 0; k < 3; ++k)
            want[k] = fog[k] + (c[k] - fog[k]) * amount / 255;
          ASSERT_EQ(Px(f, x, y), want) << x << " " << y << " amount " << amount;
        }
    }
}

TEST(Gradient, DefaultStripRows) {
  TBitmap img = Pattern(400, 300), before = img;
  TBitmap g(40, 300, pf24bit);
  GradientFill(clYellow, clAqua, g.Canvas(), 40, 300, 1, -1, -1);
  struct TRow {
    int Y;
    TRGB Color;
  } rows[] = {{0, {255, 255, 0}},
              {1, {254, 255, 0}},
              {20, {238, 255, 16}},
              {100, {170, 255, 84}},
              {299, {0, 255, 254}}};
  for (const TRow &r : rows) {
    EXPECT_EQ(Px(g, 0, r.Y), r.Color) << r.Y;
    EXPECT_EQ(Px(g, 39, r.Y), r.Color) << r.Y;
  }
  img.Canvas().Draw(0, 0, g);
  EXPECT_EQ(Px(img, 39, 100), (TRGB{170, 255, 84}));
  EXPECT_EQ(Px(img, 40, 100), Px(before, 40, 100));
}

TEST(Gradient, ColumnsAndNarrowStrips) {
  TBitmap g(5, 3, pf24bit);
  GradientFill(RGB(0, 0, 0), RGB(250, 100, 50), g.Canvas(), 5, 3, 0, -1, -1);
  EXPECT_EQ(Px(g, 0, 0), (TRGB{0, 0, 0}));
  EXPECT_EQ(Px(g, 1, 2), (TRGB{50, 20, 10}));
  EXPECT_EQ(Px(g, 4, 1), (TRGB{200, 80, 40})); // one step short of the end
  TBitmap one(1, 4, pf24bit);
  one.Canvas().Brush.Color = clBlack;
  one.Canvas().FillRect(one.Canvas().ClipRect());
  GradientFill(clRed, clBlue, one.Canvas(), 1, 4, 1, -1, -1);
  EXPECT_EQ(Px(one, 0, 0), (TRGB{255, 0, 0}));
  // Width 0 draws nothing inside the bitmap (the lines end before x = 0).
  TBitmap none = Uniform(3, 3, {1, 2, 3});
  GradientFill(clRed, clBlue, none.Canvas(), 0, 3, 1, -1, -1);
  EXPECT_EQ(Px(none, 0, 1), (TRGB{1, 2, 3}));
}

TEST(Palette, HSLToColorAndWrapAround) {
  struct TCase {
    float H, S, L;
    uint32_t Argb;
  } cases[] = {
      {0, 0, 0.1f, 0xFF1A1A1A}, // Round(25.5) = 26
      {0, 0, 1, 0xFFFFFFFF},           {0.66f, 1, 0.4f, 0xFF0008CC},
      {-0.04f, 1, 0.8f, 0xFFFF99B1},   {0, 0, 256 / 255.f, 0xFF000000}, // 256 wraps to 0
      {0, 0, 300 / 255.f, 0xFF2C2C2C},                                  // 300 wraps to 44
      {0, 0, -1 / 255.f, 0xFFFFFFFF},                                   // -1 wraps to 255
      {0, 1, 0.5f, 0xFFFF0000},
  };
  for (const TCase &c : cases)
    EXPECT_EQ(HSLToColor(c.H, c.S, c.L), c.Argb) << c.H << " " << c.S << " " << c.L;
}

TEST(Palette, MapExamples) {
  TBitmap b(2, 1, pf24bit);
  SetPx(b, 0, 0, {0, 0, 0});
  SetPx(b, 1, 0, {255, 255, 255});
  TBitmap g = b;
  ASSERT_TRUE(PaletteMapBitmap(&g, pcWeightedRGB, 0, false, 0, 0, 0));
  EXPECT_EQ(Px(g, 0, 0), (TRGB{26, 26, 26}));
  EXPECT_EQ(Px(g, 1, 0), (TRGB{255, 255, 255}));
  TBitmap r = b;
  PaletteMapBitmap(&r, pcWeightedRGB, 3, false, 0, 0, 0);
  EXPECT_EQ(Px(r, 0, 0), (TRGB{0, 8, 204}));
  TBitmap a = Pattern(5, 5);
  PaletteMapBitmap(&a, pcAlpha, 3, false, 0, 0, 0);
  EXPECT_EQ(Px(a, 3, 2), (TRGB{255, 153, 177}));
  TBitmap u = Uniform(2, 2, {10, 20, 33});
  PaletteMapBitmap(&u, pcUniformRGB, 0, true, 0, 0, 1); // custom grey ramp: entry 21
  EXPECT_EQ(Px(u, 1, 1), (TRGB{21, 21, 21}));
  EXPECT_FALSE(PaletteMapBitmap(&u, 6, 0, false, 0, 0, 0));
  EXPECT_FALSE(PaletteMapBitmap(&u, 0, 4, false, 0, 0, 0));
}

TEST(Palette, CustomRamps) {
  std::array<uint32_t, 256> p;
  ASSERT_TRUE(MakeMapPalette(3, true, 0, 0, 1, p)); // custom wins over the standard choice
  for (uint32_t i = 0; i < 256; ++i)
    ASSERT_EQ(p[i], 0xFF000000u | i * 0x010101u) << i;
  MakeMapPalette(0, true, 0, 0, 2, p);
  EXPECT_EQ(p[128], 0xFF000000u);
  EXPECT_EQ(p[200], 0xFF909090u);
}

TEST(Blur, MatchesTheTwoPassDefinition) {
  // Reference: horizontal pass into a full float buffer, then the vertical
  // pass, sums from 0 in kernel order, edge pixels repeated, one rounding.
  for (float radius : {1.0f, 3.5f, 6.0f}) {
    TBitmap b = Pattern(53, 61), src = b;
    const std::vector<float> k = MakeBlurKernel(radius);
    const int n = int(k.size() / 2), w = 53, h = 61;
    std::vector<float> buf(size_t(w * h * 3));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c) {
          float sum = 0;
          for (int i = -n; i <= n; ++i)
            sum += k[size_t(i + n)] * float(src.ScanLine(y)[std::clamp(x + i, 0, w - 1) * 3 + c]);
          buf[size_t((y * w + x) * 3 + c)] = sum;
        }
    ASSERT_TRUE(BlurBitmap(&b, radius));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c) {
          float sum = 0;
          for (int i = -n; i <= n; ++i)
            sum += k[size_t(i + n)] * buf[size_t((std::clamp(y + i, 0, h - 1) * w + x) * 3 + c)];
          ASSERT_EQ(int(b.ScanLine(y)[x * 3 + c]), int(std::nearbyint(sum)))
              << radius << " " << x << "," << y;
        }
  }
}

TEST(Gradient, DrawnOrBlendedAtItsPlace) {
  const TBitmap before = Uniform(10, 8, {20, 40, 60});
  TBitmap drawn = before;
  ASSERT_TRUE(DrawGradient(&drawn, clYellow, clAqua, 1, 4, 5, 3, 2, 0));
  EXPECT_EQ(Px(drawn, 3, 2), (TRGB{255, 255, 0})); // first row in the start colour
  EXPECT_EQ(Px(drawn, 6, 6), Px(drawn, 3, 6));
  EXPECT_EQ(Px(drawn, 7, 2), Px(before, 7, 2));
  EXPECT_EQ(Px(drawn, 3, 7), Px(before, 3, 7));
  // Transparency 50 blends with opacity 127, 100 with 0.
  TBitmap half = before;
  ASSERT_TRUE(DrawGradient(&half, clWhite, clWhite, 0, 10, 8, 0, 0, 50));
  EXPECT_EQ(Px(half, 5, 5), (TRGB{137, 147, 157}));
  TBitmap none = before;
  ASSERT_TRUE(DrawGradient(&none, clRed, clBlue, 1, 10, 8, 0, 0, 100));
  EXPECT_TRUE(SamePixels(none, before));
}
