// Finding the distinct colours of a 24-bit raster for the palette grid: a
// set of colour values with one bit per 24-bit value, and a row scan that
// collects the colours not yet in the set, in the order they appear, with
// colour channels masked out. Plain C++.
#pragma once

#include "core/Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaro {

// Colour channels that a bitmap scan keeps; a channel not in the set reads
// as 0.
enum TColorLayerItem : uint8_t { clyGreen = 1, clyBlue = 2, clyRed = 4 };
using TColorLayer = uint8_t;
constexpr TColorLayer AllColorLayers = clyGreen | clyBlue | clyRed;

// A set of plain colour values ($00BBGGRR; the high byte is ignored), one
// bit per 24-bit value (2 MB).
class TColorSet {
public:
  TColorSet() : FWords(size_t(1) << 19) {}
  bool Contains(TColor c) const { return Has(KeyOf(c)); }
  void Insert(TColor c) { Put(KeyOf(c)); }

  // The same, keyed by a pixel's stored bytes blue, green, red read as a
  // little-endian number.
  bool Has(uint32_t bgr) const {
    const uint32_t i = BitOf(bgr);
    return (FWords[i >> 5] >> (i & 31)) & 1;
  }
  void Put(uint32_t bgr) {
    const uint32_t i = BitOf(bgr);
    FWords[i >> 5] |= uint32_t(1) << (i & 31);
  }

  static constexpr uint32_t KeyOf(TColor c) {
    return uint32_t(GetBValue(c)) | (uint32_t(GetGValue(c)) << 8) | (uint32_t(GetRValue(c)) << 16);
  }
  // The bit of a key: a one-to-one mix of its 24 bits. Without it the keys
  // of the red channel alone would lie 8 KB apart and all compete for the
  // same cache set.
  static constexpr uint32_t BitOf(uint32_t bgr) {
    bgr &= 0xFFFFFF;
    return bgr ^ (bgr >> 9);
  }
  const uint32_t *Words() const { return FWords.data(); }

private:
  std::vector<uint32_t> FWords;
};

// Mask over a pixel's stored bytes (blue, green, red) that keeps the chosen
// channels.
uint32_t StoredChannelMask(TColorLayer layers);

// Scans one row of width 24-bit pixels. Every masked colour that is not yet
// in seen is added to seen and appended to found, until found holds limit
// colours; the next new colour then stops the row. Returns false when the
// row was stopped that way, true when it was read to its end. Uses AVX2
// where the processor has it.
bool ScanColorRow(const uint8_t *row, int width, uint32_t storedMask, TColorSet &seen, size_t limit,
                  std::vector<TColor> &found);
// The same without vector instructions.
bool ScanColorRowPlain(const uint8_t *row, int width, uint32_t storedMask, TColorSet &seen, size_t limit,
                       std::vector<TColor> &found);

} // namespace tessaro
