#include "core/ColorMatch.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tessaro {

TNearestColor::TNearestColor(const TPalette &pal)
    : FPal(pal.empty() ? TPalette{TRGBQuad{}} : pal), FOffset(size_t(1) << (3 * CellBits), 0),
      FCount(size_t(1) << (3 * CellBits), 0) {
  if (FPal.size() > 256)
    FPal.resize(256);
}

// The entries whose smallest distance to the cell is not above the smallest
// largest distance of any entry: only they can be nearest to a colour inside.
void TNearestColor::BuildCell(uint32_t cell) {
  constexpr int span = 1 << Shift;
  constexpr uint32_t mask = (1u << CellBits) - 1;
  int lo[3] = {int(cell >> (2 * CellBits)) * span, int((cell >> CellBits) & mask) * span,
               int(cell & mask) * span};
  int mins[256];
  int bound = std::numeric_limits<int>::max();
  for (size_t i = 0; i < FPal.size(); ++i) {
    int v[3] = {FPal[i].rgbRed, FPal[i].rgbGreen, FPal[i].rgbBlue};
    int dmin = 0, dmax = 0;
    for (int k = 0; k < 3; ++k) {
      int l = lo[k], h = lo[k] + span - 1;
      int a = v[k] < l ? l - v[k] : (v[k] > h ? v[k] - h : 0);
      int b = std::max(std::abs(v[k] - l), std::abs(v[k] - h));
      dmin += a * a;
      dmax += b * b;
    }
    mins[i] = dmin;
    bound = std::min(bound, dmax);
  }
  uint32_t offset = uint32_t(FPool.size());
  uint32_t count = 0;
  for (size_t i = 0; i < FPal.size(); ++i)
    if (mins[i] <= bound) {
      FPool.push_back(uint8_t(i));
      ++count;
    }
  FOffset[cell] = offset;
  FCount[cell] = uint16_t(count);
}

uint8_t TNearestColor::Search(uint8_t r, uint8_t g, uint8_t b, uint32_t cell) const {
  const uint8_t *cand = FPool.data() + FOffset[cell];
  uint32_t count = FCount[cell];
  int best = std::numeric_limits<int>::max();
  uint8_t bestIndex = 0;
  for (uint32_t k = 0; k < count; ++k) {
    const TRGBQuad &q = FPal[cand[k]];
    int dr = int(q.rgbRed) - r, dg = int(q.rgbGreen) - g, db = int(q.rgbBlue) - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < best) {
      best = d;
      bestIndex = cand[k];
    }
  }
  return bestIndex;
}

} // namespace tessaro
