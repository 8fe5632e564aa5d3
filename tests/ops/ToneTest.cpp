#include "OpsTestUtil.h"
#include "ops/LUMGraphics.h"

using namespace tessaro;
using namespace tessaro::test;

TEST(Tone, BrightnessStep) {
  struct TCase {
    int Amount;
    TRGB Result;
  } cases[] = {{100, {255, 200, 100}}, {-100, {100, 0, 0}}, {0, {200, 100, 0}}, {-255, {0, 0, 0}}};
  for (const TCase &c : cases) {
    TBitmap b = Uniform(5, 3, {200, 100, 0});
    ASSERT_TRUE(ApplyBrightness(&b, c.Amount));
    EXPECT_EQ(Px(b, 4, 2), c.Result) << c.Amount;
  }
}

TEST(Tone, ChannelChangesAndIntensity) {
  struct TCase {
    bool (*Fn)(TBitmap *, uint8_t, uint8_t);
    uint8_t Value, Mode;
    TRGB Result;
  } cases[] = {
      {ChangeRed, 7, 0, {7, 130, 140}},     {ChangeRed, 200, 1, {255, 130, 140}},
      {ChangeRed, 200, 2, {0, 130, 140}},   {ChangeGreen, 5, 1, {120, 135, 140}},
      {ChangeBlue, 40, 2, {120, 130, 100}}, {ChangeBlue, 9, 3, {120, 130, 140}},
  };
  for (const TCase &c : cases) {
    TBitmap b = Uniform(7, 2, {120, 130, 140});
    ASSERT_TRUE(c.Fn(&b, c.Value, c.Mode));
    EXPECT_EQ(Px(b, 6, 1), c.Result) << int(c.Value) << " " << int(c.Mode);
  }
  TBitmap b = Uniform(3, 3, {120, 130, 140});
  ASSERT_TRUE(ApplyIntensity(&b, -255, 0, 255));
  EXPECT_EQ(Px(b, 2, 2), (TRGB{0, 130, 255}));
}

TEST(Compose, TransparentCopyClipsToTheTarget) {
  TBitmap src = Uniform(100, 100, {1, 2, 3});
  TBitmap dst = Uniform(50, 50, {9, 9, 9});
  ASSERT_TRUE(TransparentCopy(&src, &dst, 30, 30, clWhite, false));
  int copied = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x)
      copied += Px(dst, x, y) == TRGB{1, 2, 3};
  EXPECT_EQ(copied, 400);
  EXPECT_EQ(Px(dst, 30, 30), (TRGB{1, 2, 3}));
  EXPECT_EQ(Px(dst, 29, 49), (TRGB{9, 9, 9}));

  // Negative position: only what falls inside is written.
  TBitmap neg = Uniform(10, 10, {9, 9, 9});
  TBitmap small = Pattern(4, 4);
  TransparentCopy(&small, &neg, -2, -3, clWhite, false);
  EXPECT_EQ(Px(neg, 0, 0), Px(small, 2, 3));
  EXPECT_EQ(Px(neg, 2, 0), (TRGB{9, 9, 9}));
}

TEST(Compose, TransparentColourIsComparedExactly) {
  TBitmap src(3, 1, pf24bit);
  SetPx(src, 0, 0, {255, 255, 255});
  SetPx(src, 1, 0, {254, 254, 254});
  SetPx(src, 2, 0, {0, 0, 0});
  TBitmap dst = Uniform(3, 1, {50, 60, 70});
  TransparentCopy(&src, &dst, 0, 0, clWhite, true);
  EXPECT_EQ(Px(dst, 0, 0), (TRGB{50, 60, 70}));
  EXPECT_EQ(Px(dst, 1, 0), (TRGB{254, 254, 254}));
  EXPECT_EQ(Px(dst, 2, 0), (TRGB{0, 0, 0}));
  TBitmap plain = Uniform(3, 1, {50, 60, 70});
  TransparentCopy(&src, &plain, 0, 0, clWhite, false);
  EXPECT_EQ(Px(plain, 0, 0), (TRGB{255, 255, 255}));
  // A system colour never matches, even when it resolves to white.
  TBitmap sys = Uniform(3, 1, {50, 60, 70});
  TransparentCopy(&src, &sys, 0, 0, clWindow, true);
  EXPECT_EQ(Px(sys, 0, 0), (TRGB{255, 255, 255}));
  TBitmap wrong = Uniform(3, 1, {1, 1, 1});
  wrong.SetPixelFormat(pf8bit);
  EXPECT_FALSE(TransparentCopy(&src, &wrong, 0, 0, clWhite, false));
}

TEST(Compose, BlendDraw) {
  TBitmap src = Pattern(20, 10);
  TBitmap t0 = Uniform(15, 15, {10, 200, 30});
  TBitmap t = t0;
  ASSERT_TRUE(BlendDraw(&t, &src, 3, 4, 0));
  EXPECT_TRUE(SamePixels(t, t0));
  ASSERT_TRUE(BlendDraw(&t, &src, 3, 4, 255));
  EXPECT_EQ(Px(t, 3, 4), Px(src, 0, 0));
  EXPECT_EQ(Px(t, 14, 13), Px(src, 11, 9));
  EXPECT_EQ(Px(t, 2, 4), (TRGB{10, 200, 30}));
  TBitmap half = Uniform(2, 2, {10, 200, 30});
  TBitmap white = Uniform(2, 2, {255, 255, 255});
  BlendDraw(&half, &white, 0, 0, 127);
  // 255 * 127/255 + 10 * 128/255 = 132.0, 200 -> 227.4, 30 -> 142.1
  EXPECT_EQ(Px(half, 1, 1), (TRGB{132, 227, 142}));
  EXPECT_FALSE(BlendDraw(&half, nullptr, 0, 0, 9));
}

TEST(Tone, ReplaceColorChangesOnlyTheExactColour) {
  TBitmap b(4, 1, pf24bit);
  SetPx(b, 0, 0, {255, 255, 255});
  SetPx(b, 1, 0, {254, 254, 254});
  SetPx(b, 2, 0, {255, 255, 255});
  SetPx(b, 3, 0, {10, 20, 30});
  TBitmap sys = b;
  ASSERT_TRUE(ReplaceColor(&b, clWhite, clBlack));
  EXPECT_EQ(Px(b, 0, 0), (TRGB{0, 0, 0}));
  EXPECT_EQ(Px(b, 1, 0), (TRGB{254, 254, 254}));
  EXPECT_EQ(Px(b, 2, 0), (TRGB{0, 0, 0}));
  EXPECT_EQ(Px(b, 3, 0), (TRGB{10, 20, 30}));
  // A system colour as the old colour never matches; as the new one it is
  // written in its current value.
  ASSERT_TRUE(ReplaceColor(&sys, clWindow, clBlack));
  EXPECT_EQ(Px(sys, 0, 0), (TRGB{255, 255, 255}));
  ASSERT_TRUE(ReplaceColor(&sys, RGB(10, 20, 30), clWindow));
  EXPECT_EQ(sys.GetPixel(3, 0), ColorToRGB(clWindow));
  TBitmap wrong = Uniform(2, 1, {1, 1, 1});
  wrong.SetPixelFormat(pf8bit);
  EXPECT_FALSE(ReplaceColor(&wrong, RGB(1, 1, 1), clWhite));
}
