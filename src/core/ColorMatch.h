// Nearest-colour matching against a palette, exact (squared RGB distance,
// lowest index on ties), with a cache so that whole rasters convert at
// memory speed.
#pragma once

#include "core/Bitmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace tessaro {

class TNearestColor {
public:
  explicit TNearestColor(const TPalette &pal);
  // Index of the palette entry nearest to (r, g, b).
  uint8_t Match(uint8_t r, uint8_t g, uint8_t b) {
    uint32_t key = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    uint32_t slot = ((key * 2654435761u) >> 16) & (CacheSize - 1);
    if (FCacheKey[slot] == key)
      return FCacheValue[slot];
    uint8_t v = Search(r, g, b);
    FCacheKey[slot] = key;
    FCacheValue[slot] = v;
    return v;
  }
  uint8_t Match(TColor c) { return Match(GetRValue(c), GetGValue(c), GetBValue(c)); }

private:
  static constexpr uint32_t CacheSize = 1u << 16;
  static constexpr int CellBits = 3; // 8 x 8 x 8 cells of 32 levels
  uint8_t Search(uint8_t r, uint8_t g, uint8_t b);
  const std::vector<uint8_t> &Candidates(int cell);

  TPalette FPal;
  std::vector<uint32_t> FCacheKey;
  std::vector<uint8_t> FCacheValue;
  std::vector<std::vector<uint8_t>> FCells;
  std::vector<bool> FCellReady;
};

} // namespace tessaro
