#include "core/Bitmap.h"
#include "core/ColorMatch.h"
#include "core/Hooks.h"
#include "core/Palettes.h"

#include <gtest/gtest.h>

#include <random>

using namespace tessaro;

namespace {
const TPixelFormat AllFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

TBitmap RandomPhoto(int w, int h, unsigned seed) {
  TBitmap b(w, h, pf24bit);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (size_t i = 0; i < size_t(w) * 3; ++i)
      b.ScanLine(y)[i] = uint8_t(rng());
  return b;
}
} // namespace

TEST(Bitmap, RowsArePaddedToFourBytes) {
  struct Case {
    TPixelFormat pf;
    int width;
    size_t row;
  } cases[] = {{pf1bit, 1, 4},  {pf1bit, 33, 8}, {pf4bit, 9, 8},   {pf8bit, 5, 8},  {pf15bit, 3, 8},
               {pf16bit, 2, 4}, {pf24bit, 1, 4}, {pf24bit, 5, 16}, {pf32bit, 3, 12}};
  for (const Case &c : cases) {
    TBitmap b(c.width, 2, c.pf);
    EXPECT_EQ(b.RowBytes(), c.row) << PixelFormatName(c.pf) << " width " << c.width;
    EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), ptrdiff_t(c.row));
  }
}

TEST(Bitmap, NewAndGrownAreasAreWhiteAndOldPixelsStay) {
  for (TPixelFormat pf : AllFormats) {
    TBitmap b(5, 3, pf);
    EXPECT_EQ(b.GetPixel(4, 2), clWhite) << PixelFormatName(pf);
    b.SetPixel(4, 2, clBlack);
    b.SetPixel(0, 0, clBlack);
    b.SetSize(11, 7);
    EXPECT_EQ(b.GetPixel(4, 2), clBlack) << PixelFormatName(pf);
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(b.GetPixel(5, 2), clWhite);
    EXPECT_EQ(b.GetPixel(10, 6), clWhite);
    b.SetWidth(1);
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
  }
}

TEST(Bitmap, PixelsOutsideReadInvalidAndWritesAreIgnored) {
  TBitmap b(2, 2);
  EXPECT_EQ(b.GetPixel(-1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.GetPixel(2, 0), 0xFFFFFFFFu);
  b.SetPixel(5, 5, clRed); // no crash
}

TEST(Bitmap, ChangeNotificationCarriesDirtyRectangle) {
  TBitmap b(10, 10);
  std::vector<TRect> seen;
  int token = b.Subscribe([&](const TRect &r) { seen.push_back(r); });
  b.SetPixel(3, 4, clRed);
  AnnounceChange(b);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], TRect(3, 4, 4, 5));
  EXPECT_EQ(seen[1], TRect(0, 0, 10, 10));
  b.Unsubscribe(token);
  b.SetPixel(1, 1, clRed);
  EXPECT_EQ(seen.size(), 2u);
}

TEST(Bitmap, StoredValuesOfColours) {
  TBitmap b15(1, 1, pf15bit), b16(1, 1, pf16bit), b24(1, 1, pf24bit);
  EXPECT_EQ(b15.StoredFromColor(clWhite), 0x7FFFu);
  EXPECT_EQ(b16.StoredFromColor(clWhite), 0xFFFFu);
  EXPECT_EQ(b16.StoredFromColor(clRed), 0xF800u);
  EXPECT_EQ(b15.StoredFromColor(clLime), 0x03E0u);
  b24.SetPixel(0, 0, RGB(1, 2, 3));
  EXPECT_EQ(b24.ScanLine(0)[0], 3); // blue first
  EXPECT_EQ(b24.ScanLine(0)[2], 1);
  TBitmap b4(1, 1, pf4bit);
  EXPECT_EQ(b4.StoredFromColor(RGB(250, 5, 5)), 9u); // VGA bright red
}

TEST(Colors, SystemColoursResolveAndPlainOnesStay) {
  EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
  SetSystemColor(COLOR_BTNFACE, RGB(10, 20, 30));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(10, 20, 30));
  TBitmap b(1, 1);
  b.SetPixel(0, 0, clBtnFace);
  EXPECT_EQ(b.GetPixel(0, 0), RGB(10, 20, 30));
  SetSystemColor(COLOR_BTNFACE, RGB(192, 192, 192));
  EXPECT_EQ(Color32(RGB(0x11, 0x22, 0x33)), 0xFF112233u);
  EXPECT_EQ(WinColor(0xFF112233u), RGB(0x11, 0x22, 0x33));
}

TEST(PixelFormat, PaletteFormatsToTwentyFourBitsAreLossless) {
  TBitmap src = RandomPhoto(37, 11, 1);
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit}) {
    TBitmap b = src;
    b.SetPixelFormat(pf);
    TBitmap wide = b;
    wide.SetPixelFormat(pf24bit);
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        ASSERT_EQ(wide.GetPixel(x, y), b.GetPixel(x, y)) << PixelFormatName(pf);
    // And back again gives the same indices.
    wide.SetPixelFormat(pf);
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        ASSERT_EQ(wide.GetStored(x, y), b.GetStored(x, y)) << PixelFormatName(pf);
  }
}

TEST(PixelFormat, TargetsGetTheirFixedPalettes) {
  TBitmap b = RandomPhoto(8, 8, 2);
  b.SetPixelFormat(pf4bit);
  EXPECT_EQ(b.Palette(), VgaPalette());
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(b.Palette(), HalftonePalette());
  EXPECT_EQ(HalftonePalette().size(), 256u);
  b.SetPixelFormat(pf1bit);
  EXPECT_EQ(b.Palette(), BlackWhitePalette());
}

TEST(PixelFormat, NearestColourIsExact) {
  // Every pixel maps to a palette entry at minimal distance.
  TBitmap src = RandomPhoto(64, 64, 3);
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit}) {
    TBitmap b = src;
    b.SetPixelFormat(pf);
    const TPalette &pal = b.Palette();
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        TColor c = src.GetPixel(x, y);
        auto dist = [&](const TRGBQuad &q) {
          int dr = q.rgbRed - GetRValue(c), dg = q.rgbGreen - GetGValue(c), db = q.rgbBlue - GetBValue(c);
          return dr * dr + dg * dg + db * db;
        };
        int best = 1 << 30;
        for (const TRGBQuad &q : pal)
          best = std::min(best, dist(q));
        ASSERT_EQ(dist(pal[b.GetStored(x, y)]), best) << PixelFormatName(pf);
      }
  }
}

// The matcher against the exhaustive search, lowest index on ties, for
// palettes of one entry, of repeated entries and of odd sizes, over a sweep
// of the colour cube that crosses every cell border.
TEST(PixelFormat, MatcherAgreesWithTheExhaustiveSearch) {
  std::mt19937 rng(17);
  TPalette repeated;
  for (int i = 0; i < 37; ++i)
    repeated.push_back(TRGBQuad{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0});
  repeated.push_back(repeated[5]);
  repeated.push_back(TRGBQuad{12, 200, 40, 0});
  repeated.push_back(TRGBQuad{12, 200, 41, 0});
  TPalette wide;
  for (int i = 0; i < 256; ++i)
    wide.push_back(TRGBQuad{uint8_t(rng() & 0xF0), uint8_t(rng() & 0xF8), uint8_t(rng() | 3), 0});
  const TPalette palettes[] = {TPalette{TRGBQuad{9, 9, 9, 0}}, repeated, wide, VgaPalette()};
  for (const TPalette &pal : palettes) {
    TNearestColor match(pal);
    for (int r = 0; r < 256; r += 5)
      for (int g = 1; g < 256; g += 7)
        for (int b = 2; b < 256; b += 3) {
          int best = 1 << 30;
          size_t bestIndex = 0;
          for (size_t i = 0; i < pal.size(); ++i) {
            const int dr = pal[i].rgbRed - r, dg = pal[i].rgbGreen - g, db = pal[i].rgbBlue - b;
            if (dr * dr + dg * dg + db * db < best) {
              best = dr * dr + dg * dg + db * db;
              bestIndex = i;
            }
          }
          ASSERT_EQ(match.Match(uint8_t(r), uint8_t(g), uint8_t(b)), bestIndex)
              << pal.size() << " entries: " << r << " " << g << " " << b;
        }
  }
}

TEST(PixelFormat, DeepFormatsRoundTrip) {
  TBitmap src = RandomPhoto(13, 5, 4);
  TBitmap b32 = src;
  b32.SetPixelFormat(pf32bit);
  EXPECT_EQ(b32.ScanLine(0)[3], 0xFF);
  b32.SetPixelFormat(pf24bit);
  for (int y = 0; y < 5; ++y)
    EXPECT_EQ(0, memcmp(b32.ScanLine(y), src.ScanLine(y), 13 * 3));
  for (TPixelFormat pf : {pf15bit, pf16bit}) {
    TBitmap b = src;
    b.SetPixelFormat(pf);
    TBitmap back = b;
    back.SetPixelFormat(pf24bit);
    back.SetPixelFormat(pf);
    for (int y = 0; y < 5; ++y)
      EXPECT_EQ(0, memcmp(back.ScanLine(y), b.ScanLine(y), 13 * 2)) << PixelFormatName(pf);
    EXPECT_EQ(b.GetPixel(0, 0) & 0xF8F8F8u, src.GetPixel(0, 0) & 0xF8F8F8u);
  }
  TBitmap w(1, 1, pf16bit);
  w.SetPixelFormat(pf24bit);
  EXPECT_EQ(w.GetPixel(0, 0), clWhite); // 5 and 6 bits expand to full white
}

TEST(PixelFormat, ConversionAnnouncesTheWholePicture) {
  TBitmap b(4, 4);
  int calls = 0;
  b.Subscribe([&](const TRect &r) {
    ++calls;
    EXPECT_EQ(r, TRect(0, 0, 4, 4));
  });
  b.SetPixelFormat(pf24bit); // same format: nothing
  EXPECT_EQ(calls, 0);
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(calls, 1);
}

TEST(Hooks, WorkingBitmapRuleAndRowTicks) {
  TBitmap b24(1, 1, pf24bit), b32(1, 1, pf32bit);
  EXPECT_TRUE(IsWorkingBitmap(&b24));
  EXPECT_FALSE(IsWorkingBitmap(&b32));
  EXPECT_FALSE(IsWorkingBitmap(nullptr));
  int ticks = 0, cursor = 0;
  SetCoreHooks({[&] { ++ticks; }, [&] { ++cursor; }, [&] { --cursor; }});
  {
    TWaitCursor wait;
    EXPECT_EQ(cursor, 1);
    for (int y = 0; y < 250; ++y)
      RowTick(y);
  }
  EXPECT_EQ(cursor, 0);
  EXPECT_EQ(ticks, 3); // rows 0, 100, 200
  SetCoreHooks({});
}
