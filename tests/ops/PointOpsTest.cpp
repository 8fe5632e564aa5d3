#include "OpsTestUtil.h"
#include "core/Hooks.h"
#include "ops/LUMGraphics.h"

#include <functional>

using namespace tessaro;
using namespace tessaro::test;

namespace {

// Counts the hook calls a routine makes.
struct THookCounter {
  int Messages = 0, Begin = 0, End = 0;
  THookCounter() {
    SetCoreHooks(TCoreHooks{[this] { ++Messages; }, [this] { ++Begin; }, [this] { ++End; }});
  }
  ~THookCounter() { SetCoreHooks(TCoreHooks{}); }
};

} // namespace

TEST(PointOps, LightenAndDarkenSaturateOnEveryPixelOfTheRow) {
  // Width 7 leaves a partial block at the row end, where the last pixel sits.
  for (int w : {1, 7, 45}) {
    TBitmap b = Uniform(w, 2, {250, 3, 0});
    ASSERT_TRUE(LightenBitmap(&b, 5));
    for (int x = 0; x < w; ++x)
      EXPECT_EQ(Px(b, x, 1), (TRGB{255, 8, 5})) << w << " " << x;
    TBitmap d = Uniform(w, 2, {2, 200, 5});
    ASSERT_TRUE(DarkenBitmap(&d, 5));
    for (int x = 0; x < w; ++x)
      EXPECT_EQ(Px(d, x, 1), (TRGB{0, 195, 0}));
  }
  TBitmap z = Uniform(3, 1, {10, 20, 30});
  LightenBitmap(&z, 0); // step 0 counts as 1
  EXPECT_EQ(Px(z, 2, 0), (TRGB{11, 21, 31}));
  DarkenBitmap(&z, 0);
  EXPECT_EQ(Px(z, 2, 0), (TRGB{10, 20, 30}));
}

TEST(PointOps, ContrastTables) {
  struct TCase {
    int Amount, Index, Value;
  } cases[] = {
      {5, 0, 0},
      {5, 64, 61},
      {5, 128, 128},
      {5, 192, 195},
      {5, 255, 255},
      {-5, 0, 6},
      {-5, 64, 67},
      {-5, 128, 128},
      {-5, 192, 189},
      {-5, 255, 249},
      {-100, 0, 128},
      {-100, 255, 128},
      // Halves go to the even neighbour: 1.5 -> 2, 4.5 -> 4, -1.5 -> -2, -4.5 -> -4,
      // -7.5 -> -8.
      {50, 129, 130},
      {50, 131, 132},
      {50, 127, 126},
      {50, 125, 124},
      {50, 123, 120},
      // The factor is single precision: 1.3f is a little below 1.3, so 5 * f
      // stays below 6.5.
      {30, 133, 134},
      {-255, 0, 255},
      {-255, 255, 0},
  };
  for (const TCase &c : cases) {
    std::array<uint8_t, 256> t;
    ASSERT_TRUE(MakeContrastTable(c.Amount, t));
    EXPECT_EQ(t[size_t(c.Index)], c.Value) << "amount " << c.Amount << " index " << c.Index;
  }
  std::array<uint8_t, 256> t;
  EXPECT_FALSE(MakeContrastTable(256, t));
  EXPECT_FALSE(MakeContrastTable(-256, t));
}

TEST(PointOps, ContrastRoutineUsesTableAndRefusesOutOfRange) {
  TBitmap b = Pattern(37, 5);
  TBitmap before = b;
  EXPECT_FALSE(ContrastBitmap(&b, 300));
  EXPECT_TRUE(SamePixels(b, before));
  ASSERT_TRUE(ContrastBitmap(&b, 0));
  EXPECT_TRUE(SamePixels(b, before)); // contrast 0 is the identity
  std::array<uint8_t, 256> t;
  MakeContrastTable(-5, t);
  ContrastBitmap(&b, -5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 37; ++x)
      for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Px(b, x, y)[size_t(c)], t[size_t(Px(before, x, y)[size_t(c)])]);
}

TEST(PointOps, GrayScaleWritesOnlyTheChosenChannels) {
  TBitmap b = Uniform(3, 1, {255, 0, 0});
  GrayScaleBitmap(&b, gsAll);
  EXPECT_EQ(Px(b, 0, 0), (TRGB{76, 76, 76}));
  // Grey from the values before any write: (77*10 + 151*100 + 28*200) >> 8 = 83.
  struct TCase {
    uint8_t Channels;
    TRGB Result;
  } cases[] = {{gsRed, {83, 100, 200}},
               {gsBlue, {10, 100, 83}},
               {gsGreen, {10, 83, 200}},
               {gsRed | gsGreen, {83, 83, 200}},
               {0, {10, 100, 200}}};
  for (const TCase &c : cases) {
    TBitmap p = Uniform(5, 2, {10, 100, 200});
    ASSERT_TRUE(GrayScaleBitmap(&p, c.Channels));
    EXPECT_EQ(Px(p, 4, 1), c.Result) << int(c.Channels);
  }
}

TEST(PointOps, ChannelKeepAndRemove) {
  struct TCase {
    bool (*Fn)(TBitmap *);
    TRGB Result;
  } cases[] = {{KeepRedOnly, {10, 0, 0}},  {KeepGreenOnly, {0, 100, 0}}, {KeepBlueOnly, {0, 0, 200}},
               {RemoveRed, {0, 100, 200}}, {RemoveGreen, {10, 0, 200}},  {RemoveBlue, {10, 100, 0}}};
  for (const TCase &c : cases) {
    TBitmap b = Uniform(11, 3, {10, 100, 200});
    ASSERT_TRUE(c.Fn(&b));
    EXPECT_EQ(Px(b, 10, 2), c.Result);
    EXPECT_EQ(Px(b, 0, 0), c.Result);
  }
  TBitmap src = Uniform(4, 4, {10, 100, 200}), r, g, bl;
  ASSERT_TRUE(SplitChannels(&src, r, g, bl));
  EXPECT_EQ(Px(r, 3, 3), (TRGB{10, 0, 0}));
  EXPECT_EQ(Px(g, 3, 3), (TRGB{0, 100, 0}));
  EXPECT_EQ(Px(bl, 3, 3), (TRGB{0, 0, 200}));
  EXPECT_EQ(Px(src, 3, 3), (TRGB{10, 100, 200})); // the source keeps its pixels
}

TEST(PointOps, InvertTwiceIsIdentity) {
  TBitmap b = Pattern(33, 17), before = b;
  InvertBitmap(&b);
  EXPECT_EQ(Px(b, 5, 6)[0], 255 - Px(before, 5, 6)[0]);
  InvertBitmap(&b);
  EXPECT_TRUE(SamePixels(b, before));
}

TEST(PointOps, WrongFormatOrMissingBitmapChangesNothing) {
  TBitmap b = Pattern(6, 4);
  b.SetPixelFormat(pf32bit);
  TBitmap before = b;
  std::vector<std::function<bool(TBitmap *)>> routines = {
      InvertBitmap,
      [](TBitmap *p) { return GrayScaleBitmap(p, 7); },
      [](TBitmap *p) { return LightenBitmap(p, 5); },
      [](TBitmap *p) { return DarkenBitmap(p, 5); },
      [](TBitmap *p) { return ContrastBitmap(p, 5); },
      KeepRedOnly,
      RemoveBlue,
      Rotate90,
      Rotate180,
      FlipHorizontal,
      FlipVertical,
      [](TBitmap *p) { return ChangeRed(p, 5, 1); },
      [](TBitmap *p) { return RotateBitmap(p, true, clWhite, 30, -1, -1); },
      [](TBitmap *p) { return SkewBitmap(p, clWhite, 0.5f, 0); },
      [](TBitmap *p) { return ResizeBitmap(p, sftLinear, clWhite, 50, 50); },
      [](TBitmap *p) { return FogBitmap(p, clWhite, 100); },
      [](TBitmap *p) { return BlurBitmap(p, 2); },
      [](TBitmap *p) { return PaletteMapBitmap(p, 5, 3, false, 0, 0, 1); },
  };
  for (size_t i = 0; i < routines.size(); ++i) {
    EXPECT_FALSE(routines[i](&b)) << i;
    EXPECT_FALSE(routines[i](nullptr)) << i;
    EXPECT_TRUE(SamePixels(b, before)) << i;
  }
}

TEST(PointOps, HooksRunAtTheRowIntervals) {
  {
    THookCounter hooks;
    TBitmap b = Pattern(3, 250);
    int announced = 0;
    b.Subscribe([&](const TRect &) { ++announced; });
    InvertBitmap(&b);
    EXPECT_EQ(hooks.Messages, 3); // rows 0, 100, 200
    EXPECT_EQ(hooks.Begin, 1);
    EXPECT_EQ(hooks.End, 1);
    EXPECT_EQ(announced, 1);
  }
  {
    THookCounter hooks;
    TBitmap b = Pattern(250, 3);
    FlipHorizontal(&b); // per pixel index within a row: 0, 100, 200 in 3 rows
    EXPECT_EQ(hooks.Messages, 9);
  }
  for (int h : {1, 100, 101, 201}) {
    THookCounter hooks;
    TBitmap b = Pattern(2, h);
    Rotate180(&b);
    FlipVertical(&b);
    EXPECT_EQ(hooks.Messages, 2 * ((h + 99) / 100)) << h;
  }
  {
    THookCounter hooks;
    TBitmap b = Pattern(130, 2); // the quarter turn counts its new rows
    Rotate90(&b);
    EXPECT_EQ(hooks.Messages, 2);
  }
  {
    THookCounter hooks;
    TBitmap b = Pattern(4, 41);
    BlurBitmap(&b, 1); // every 20 rows, in both passes
    EXPECT_EQ(hooks.Messages, 6);
    EXPECT_EQ(hooks.Begin, 1);
  }
  {
    THookCounter hooks;
    TBitmap b = Pattern(4, 102);
    FogBitmap(&b, clWhite, 10); // inner rows 1..100: 50 and 100
    EXPECT_EQ(hooks.Messages, 2);
  }
  {
    THookCounter hooks;
    TBitmap b = Pattern(40, 30);
    RotateBitmap(&b, true, clWhite, 30, -1, -1);
    ResizeBitmap(&b, sftLinear, clWhite, 50, 50);
    PaletteMapBitmap(&b, 5, 3, false, 0, 0, 1);
    EXPECT_EQ(hooks.Messages + hooks.Begin, 0); // no hourglass, no message loop
  }
}
