#include "core/ColorMatch.h"

#include <algorithm>
#include <limits>

namespace tessaro {

TNearestColor::TNearestColor(const TPalette &pal)
    : FPal(pal.empty() ? TPalette{TRGBQuad{}} : pal), FCacheKey(CacheSize, 0xFFFFFFFFu),
      FCacheValue(CacheSize, 0), FCells(1u << (3 * CellBits)), FCellReady(1u << (3 * CellBits), false) {
  if (FPal.size() > 256)
    FPal.resize(256);
}

// Palette entries that can be nearest to some colour of the cell: those whose
// smallest distance to the cell is not above the smallest largest distance.
const std::vector<uint8_t> &TNearestColor::Candidates(int cell) {
  if (FCellReady[size_t(cell)])
    return FCells[size_t(cell)];
  constexpr int span = 256 >> CellBits;
  int lo[3] = {(cell >> (2 * CellBits)) * span, ((cell >> CellBits) & ((1 << CellBits) - 1)) * span,
               (cell & ((1 << CellBits) - 1)) * span};
  auto axis = [&](int v, int l, int &dmin, int &dmax) {
    int h = l + span - 1;
    int a = v < l ? l - v : (v > h ? v - h : 0);
    int b = std::max(std::abs(v - l), std::abs(v - h));
    dmin += a * a;
    dmax += b * b;
  };
  std::vector<int> mins(FPal.size());
  int bound = std::numeric_limits<int>::max();
  for (size_t i = 0; i < FPal.size(); ++i) {
    int dmin = 0, dmax = 0;
    axis(FPal[i].rgbRed, lo[0], dmin, dmax);
    axis(FPal[i].rgbGreen, lo[1], dmin, dmax);
    axis(FPal[i].rgbBlue, lo[2], dmin, dmax);
    mins[i] = dmin;
    bound = std::min(bound, dmax);
  }
  std::vector<uint8_t> &list = FCells[size_t(cell)];
  for (size_t i = 0; i < FPal.size(); ++i)
    if (mins[i] <= bound)
      list.push_back(uint8_t(i));
  FCellReady[size_t(cell)] = true;
  return list;
}

uint8_t TNearestColor::Search(uint8_t r, uint8_t g, uint8_t b) {
  int cell =
      ((r >> (8 - CellBits)) << (2 * CellBits)) | ((g >> (8 - CellBits)) << CellBits) | (b >> (8 - CellBits));
  const std::vector<uint8_t> &cand = Candidates(cell);
  int best = std::numeric_limits<int>::max();
  uint8_t bestIndex = 0;
  for (uint8_t i : cand) {
    const TRGBQuad &q = FPal[i];
    int dr = int(q.rgbRed) - r, dg = int(q.rgbGreen) - g, db = int(q.rgbBlue) - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < best) {
      best = d;
      bestIndex = i;
      if (d == 0)
        break;
    }
  }
  return bestIndex;
}

} // namespace tessaro
