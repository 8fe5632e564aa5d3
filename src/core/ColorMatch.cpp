#include "core/ColorMatch.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tessaro {

TNearestColor::TNearestColor(const TPalette &pal)
    : FPal(pal.empty() ? TPalette{TRGBQuad{}} : pal), FNearSq(size_t(3 * Levels * Entries)),
      FFarSq(size_t(3 * Levels * Entries)), FOffset(size_t(1) << (3 * CellBits), 0),
      FCount(size_t(1) << (3 * CellBits), 0) {
  if (FPal.size() > Entries)
    FPal.resize(Entries);
  constexpr int span = 1 << Shift;
  // Far enough that three of them still add up without overflow.
  constexpr int32_t never = std::numeric_limits<int32_t>::max() / 4;
  for (int k = 0; k < 3; ++k)
    for (int c = 0; c < Levels; ++c) {
      int32_t *nearSq = FNearSq.data() + size_t((k * Levels + c) * Entries);
      int32_t *farSq = FFarSq.data() + size_t((k * Levels + c) * Entries);
      const int l = c * span, h = l + span - 1;
      for (int i = 0; i < Entries; ++i) {
        if (size_t(i) >= FPal.size()) {
          nearSq[i] = never;
          farSq[i] = never;
          continue;
        }
        const TRGBQuad &q = FPal[size_t(i)];
        const int v = k == 0 ? q.rgbRed : (k == 1 ? q.rgbGreen : q.rgbBlue);
        const int a = v < l ? l - v : (v > h ? v - h : 0);
        const int b = std::max(std::abs(v - l), std::abs(v - h));
        nearSq[i] = a * a;
        farSq[i] = b * b;
      }
    }
}

// The entries whose smallest distance to the cell is not above the smallest
// largest distance of any entry: only they can be nearest to a colour inside.
// Both distances are sums of the channels' table values, in fixed-length
// loops the compiler vectorises.
void TNearestColor::BuildCell(uint32_t cell) {
  constexpr uint32_t mask = (1u << CellBits) - 1;
  const uint32_t cr = cell >> (2 * CellBits), cg = (cell >> CellBits) & mask, cb = cell & mask;
  auto row = [](const std::vector<int32_t> &t, int k, uint32_t c) {
    return t.data() + size_t((k * Levels + int(c)) * Entries);
  };
  const int32_t *__restrict nr = row(FNearSq, 0, cr), *__restrict ng = row(FNearSq, 1, cg),
                            *__restrict nb = row(FNearSq, 2, cb);
  const int32_t *__restrict fr = row(FFarSq, 0, cr), *__restrict fg = row(FFarSq, 1, cg),
                            *__restrict fb = row(FFarSq, 2, cb);
  int32_t bound = std::numeric_limits<int32_t>::max();
  for (int i = 0; i < Entries; ++i)
    bound = std::min(bound, fr[i] + fg[i] + fb[i]);
  int32_t nearSq[Entries];
  for (int i = 0; i < Entries; ++i)
    nearSq[i] = nr[i] + ng[i] + nb[i];
  uint32_t offset = uint32_t(FPool.size());
  uint32_t count = 0;
  for (int i = 0; i < int(FPal.size()); ++i)
    if (nearSq[i] <= bound) {
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
