// The row scan behind the palette's bitmap colours, on rows that end exactly
// at the end of their memory (the last pixel must not be read beyond it).
#include "controls/BitmapColorScan.h"

#include <gtest/gtest.h>

#include <algorithm>
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

} // namespace
} // namespace tessaro
