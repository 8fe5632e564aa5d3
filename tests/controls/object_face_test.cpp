// The floating object's face rendered strip by strip equals the face drawn
// whole (background, picture, focus frame), and the see-through region holds
// exactly the face pixels of another colour than the see-through colour.
#include "controls/ObjectFace.h"
#include "controls/ObjectFrame.h"
#include "controls/TransparentRegion.h"
#include "core/Canvas.h"

#include <QProgressBar>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace tessaro {
namespace {

// A picture with runs of one colour between noise.
std::shared_ptr<const TBitmap> Picture(int w, int h, TColor holes, unsigned seed = 1) {
  auto bmp = std::make_shared<TBitmap>(w, h, pf24bit);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool hole = ((x / 7 + y / 5) % 2 == 0) || rng() % 5 == 0;
      bmp->SetPixel(x, y, hole ? holes : RGB(uint8_t(rng()), uint8_t(x * 3), uint8_t(y * 5)));
    }
  return bmp;
}

// The face as the control's painting describes it, drawn whole.
TBitmap WholeFace(const TFaceLook &s, TColor background) {
  TBitmap face(s.Width, s.Height, pf24bit);
  TCanvas &c = face.Canvas();
  c.Pen.Color = background;
  c.Brush.Color = background;
  c.Brush.Style = bsSolid;
  c.Rectangle(c.ClipRect());
  if (s.Bitmap && !s.Bitmap->Empty()) {
    if (!s.Stretch)
      c.Draw(4, 4, *s.Bitmap);
    else if (s.Width > 8 && s.Height > 8)
      c.StretchDraw(TRect(4, 4, s.Width - 4, s.Height - 4), *s.Bitmap);
  }
  if (s.Frame)
    DrawFocusFrame(&c, s.Width, s.Height, s.LineColor, s.SizerColor, pmCopy);
  return face;
}

struct TFaceCase {
  int W, H, PicW, PicH;
  bool Stretch;
};

TEST(ObjectFaceTest, StripsMatchTheWholeFace) {
  for (const TFaceCase &k :
       {TFaceCase{108, 58, 100, 50, false}, TFaceCase{150, 90, 100, 50, true},
        TFaceCase{60, 40, 100, 50, false}, TFaceCase{9, 30, 5, 20, true}, TFaceCase{211, 37, 40, 90, true}}) {
    SCOPED_TRACE(testing::Message() << k.W << "x" << k.H << (k.Stretch ? " stretched" : ""));
    const TFaceLook look{
        Picture(k.PicW, k.PicH, clWhite), k.W, k.H, k.Stretch, true, clBlue, RGB(10, 200, 30)};
    const TBitmap whole = WholeFace(look, RGB(250, 240, 0));
    const TObjectFace face(look);
    int differ = 0;
    // Odd tiles that cut through dots, sizers and picture alike.
    for (int y0 = 0; y0 < k.H; y0 += 13)
      for (int x0 = 0; x0 < k.W; x0 += 17) {
        TBitmap strip;
        strip.Allocate(std::min(17, k.W - x0), std::min(13, k.H - y0), pf24bit, false);
        face.Render(x0, y0, strip, RGB(250, 240, 0));
        for (int y = 0; y < strip.Height(); ++y)
          for (int x = 0; x < strip.Width(); ++x)
            if (strip.GetPixel(x, y) != whole.GetPixel(x0 + x, y0 + y) && differ++ < 5)
              ADD_FAILURE() << "pixel " << x0 + x << "," << y0 + y;
      }
    EXPECT_EQ(differ, 0);
  }
}

TEST(ObjectFaceTest, NoFrameBelowTenPixels) {
  TBitmap bmp(9, 40, pf24bit);
  const TBitmap before(bmp);
  EXPECT_FALSE(DrawFocusFrame(&bmp.Canvas(), 9, 40, clBlack, clBlack, pmCopy));
  EXPECT_FALSE(DrawFocusFrame(nullptr, 40, 40, clBlack, clBlack, pmCopy));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(bmp.GetPixel(x, y), before.GetPixel(x, y));
}

// Every pixel of the region is a face pixel of another colour, and every
// such pixel is in the region exactly once.
void ExpectRegionIsKeptPixels(const TFaceLook &look, TColor transparent, const QRegion &region) {
  const TBitmap face = WholeFace(look, transparent);
  std::vector<int> covered(size_t(look.Width) * size_t(look.Height));
  for (const QRect &r : region) {
    ASSERT_TRUE(QRect(0, 0, look.Width, look.Height).contains(r)) << r.x() << "," << r.y();
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        ++covered[size_t(y) * size_t(look.Width) + size_t(x)];
  }
  int differ = 0;
  for (int y = 0; y < look.Height; ++y)
    for (int x = 0; x < look.Width; ++x) {
      const int kept = face.GetPixel(x, y) != transparent ? 1 : 0;
      if (covered[size_t(y) * size_t(look.Width) + size_t(x)] != kept && differ++ < 5)
        ADD_FAILURE() << "pixel " << x << "," << y << (kept ? " left out" : " kept");
    }
  EXPECT_EQ(differ, 0);
  // The region answers hit tests like its rectangles.
  EXPECT_EQ(region.contains(QPoint(0, 0)), covered[0] == 1);
}

TEST(TransparentRegionTest, RegionHoldsExactlyThePixelsOfOtherColours) {
  const TColor see = RGB(0, 255, 0);
  struct TCase {
    const char *Name;
    int W, H;
    bool Stretch;
    TColor Line, Sizer;
  };
  for (const TCase &k : {TCase{"plain", 108, 58, false, clBlack, clBlack},
                         TCase{"stretched", 160, 97, true, clSilver, clSilver},
                         TCase{"frame in the see-through colour", 108, 58, false, see, clBlue},
                         TCase{"sizers in the see-through colour", 108, 58, false, clBlue, see},
                         TCase{"too narrow for a frame", 9, 58, false, clBlack, clBlack}}) {
    SCOPED_TRACE(k.Name);
    const TFaceLook look{Picture(100, 50, see, 7), k.W, k.H, k.Stretch, true, k.Line, k.Sizer};
    ExpectRegionIsKeptPixels(look, see, KeptRegion(look, see));
  }
}

TEST(TransparentRegionTest, SystemColourKeepsTheWholeControl) {
  const TFaceLook look{Picture(100, 50, clWhite), 108, 58, false, true, clBlack, clBlack};
  EXPECT_EQ(KeptRegion(look, clBtnFace), QRegion(0, 0, 108, 58));
}

TEST(TransparentRegionTest, WorkerMovesTheProgressBarAndResetsIt) {
  const TFaceLook look{Picture(300, 260, clWhite), 308, 268, false, true, clBlack, clBlack};
  QProgressBar bar;
  bar.setValue(17);
  TThreadTransparent worker(look, clWhite, &bar);
  const QRegion region = worker.Execute();
  EXPECT_EQ(bar.maximum(), 260 / 50);
  EXPECT_EQ(bar.value(), 0);
  ExpectRegionIsKeptPixels(look, clWhite, region);
}

} // namespace
} // namespace tessaro
