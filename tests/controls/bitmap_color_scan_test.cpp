// The row scan behind the palette's bitmap colours, on rows that end exactly
// at the end of their memory (the last pixel must not be read beyond it).
#include "controls/BitmapColorScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace tessaro {
namespace {

std::vector<uint8_t> Row(const std::vector<TColor> &colors) {
  std::vector<uint8_t> bytes;
  for (TColor c : colors) {
    bytes.push_back(GetBValue(c));
    bytes.push_back(GetGValue(c));
    bytes.push_back(GetRValue(c));
  }
  return bytes;
}

TEST(BitmapColorScan, RowsOfAnyWidthKeepFirstAppearanceOrder) {
  const std::vector<TColor> pixels = {0x010203, 0x010203, 0xA0B0C0, 0x010203, 0x0000FF, 0xA0B0C1};
  for (size_t w = 1; w <= pixels.size(); ++w) {
    const std::vector<TColor> colors(pixels.begin(), pixels.begin() + long(w));
    const std::vector<uint8_t> row = Row(colors);
    TColorSet seen;
    std::vector<TColor> found;
    EXPECT_TRUE(ScanColorRow(row.data(), int(w), StoredChannelMask(AllColorLayers), seen, 100, found));
    std::vector<TColor> expected;
    for (TColor c : colors)
      if (std::find(expected.begin(), expected.end(), c) == expected.end())
        expected.push_back(c);
    EXPECT_EQ(found, expected) << w;
    for (TColor c : expected)
      EXPECT_TRUE(seen.Contains(c));
  }
}

TEST(BitmapColorScan, MaskLimitAndColoursSeenBefore) {
  const std::vector<uint8_t> row = Row({0x112233, 0x445533, 0x778899, 0x00AA33, 0xFFFFFF});
  const struct {
    TColorLayer Layers;
    size_t Limit;
    bool Whole;
    std::vector<TColor> Found;
  } cases[] = {
      {clyRed, 100, true, {0x000033, 0x000099, 0x0000FF}},
      {clyGreen | clyBlue, 100, true, {0x112200, 0x445500, 0x778800, 0x00AA00, 0xFFFF00}},
      {clyBlue, 1, false, {0x110000}},
      {0, 100, true, {0x000000}},
      {AllColorLayers, 3, false, {0x112233, 0x445533, 0x778899}},
  };
  for (const auto &c : cases) {
    TColorSet seen;
    std::vector<TColor> found;
    EXPECT_EQ(ScanColorRow(row.data(), 5, StoredChannelMask(c.Layers), seen, c.Limit, found), c.Whole);
    EXPECT_EQ(found, c.Found) << int(c.Layers);
  }
  // Colours already in the set are not found again.
  TColorSet seen;
  seen.Insert(0x445533);
  std::vector<TColor> found;
  EXPECT_TRUE(ScanColorRow(row.data(), 3, StoredChannelMask(AllColorLayers), seen, 100, found));
  EXPECT_EQ(found, (std::vector<TColor>{0x112233, 0x778899}));
}

// Rows long enough for the vector path: both paths find the same colours,
// stop at the same place, and agree with a pixel-by-pixel reading.
TEST(BitmapColorScan, VectorAndPlainPathsAgree) {
  std::mt19937 rng(11);
  for (int width : {11, 12, 19, 64, 301}) {
    std::vector<TColor> pixels;
    for (int x = 0; x < width; ++x)
      pixels.push_back(RGB(uint8_t(rng() & 0x0F), uint8_t(rng() % 3), uint8_t(x % 5 == 0 ? rng() : 7)));
    const std::vector<uint8_t> row = Row(pixels);
    for (TColorLayer layers : {AllColorLayers, TColorLayer(clyRed), TColorLayer(clyGreen | clyBlue)})
      for (size_t limit : {size_t(1000), size_t(5)}) {
        TColorSet seenA, seenB;
        seenA.Insert(pixels[3] & 0x0000FF); // a colour known before the row
        seenB.Insert(pixels[3] & 0x0000FF);
        std::vector<TColor> a, b;
        const uint32_t mask = StoredChannelMask(layers);
        const bool wholeA = ScanColorRow(row.data(), width, mask, seenA, limit, a);
        const bool wholeB = ScanColorRowPlain(row.data(), width, mask, seenB, limit, b);
        EXPECT_EQ(a, b) << width << " " << int(layers) << " " << limit;
        EXPECT_EQ(wholeA, wholeB);
        // Reference: first appearances of the masked colours.
        std::vector<TColor> expected;
        bool whole = true;
        std::vector<TColor> known{pixels[3] & 0x0000FF};
        for (TColor c : pixels) {
          c = RGB(layers & clyRed ? GetRValue(c) : 0, layers & clyGreen ? GetGValue(c) : 0,
                  layers & clyBlue ? GetBValue(c) : 0);
          if (std::find(known.begin(), known.end(), c) != known.end())
            continue;
          if (expected.size() == limit) {
            whole = false;
            break;
          }
          known.push_back(c);
          expected.push_back(c);
        }
        EXPECT_EQ(a, expected) << width << " " << int(layers) << " " << limit;
        EXPECT_EQ(wholeA, whole);
      }
  }
}

} // namespace
} // namespace tessaro
