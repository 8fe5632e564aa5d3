// Nearest-colour matching against a palette, exact (squared RGB distance,
// lowest index on ties). The colour cube is split into cells of 4 x 4 x 4
// levels; each cell keeps the palette entries that can be nearest to one of
// its colours (built on first use). Most cells have a single candidate, so a
// whole raster converts at memory speed.
#pragma once

#include "core/Bitmap.h"

#include <cstdint>
#include <vector>

namespace tessaro {

class TNearestColor {
public:
  explicit TNearestColor(const TPalette &pal);
  // Index of the palette entry nearest to (r, g, b).
  uint8_t Match(uint8_t r, uint8_t g, uint8_t b) {
    uint32_t cell =
        (uint32_t(r >> Shift) << (2 * CellBits)) | (uint32_t(g >> Shift) << CellBits) | (b >> Shift);
    if (FCount[cell] == 0)
      BuildCell(cell);
    if (FCount[cell] == 1)
      return FPool[FOffset[cell]];
    return Search(r, g, b, cell);
  }
  uint8_t Match(TColor c) { return Match(GetRValue(c), GetGValue(c), GetBValue(c)); }

private:
  static constexpr int CellBits = 6;
  static constexpr int Shift = 8 - CellBits;
  void BuildCell(uint32_t cell);
  uint8_t Search(uint8_t r, uint8_t g, uint8_t b, uint32_t cell) const;

  static constexpr int Levels = 1 << CellBits;
  static constexpr int Entries = 256;

  TPalette FPal;
  // Per channel, cell coordinate and palette entry: the smallest and the
  // largest squared distance of the entry's channel value to the cell's
  // levels. Entries beyond the palette are never nearest nor candidates.
  std::vector<int32_t> FNearSq, FFarSq;
  // Per cell: where its candidates start in FPool and how many there are
  // (0: not built yet).
  std::vector<uint32_t> FOffset;
  std::vector<uint16_t> FCount;
  std::vector<uint8_t> FPool;
};

} // namespace tessaro
