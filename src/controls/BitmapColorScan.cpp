#include "controls/BitmapColorScan.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

TColorSet::TColorSet() : FBits(size_t(1) << 18) {}

void TColorSet::Clear() {
  std::fill(FBits.begin(), FBits.end(), 0);
}

uint32_t StoredChannelMask(TColorLayer layers) {
  uint32_t mask = 0;
  if (layers & clyBlue)
    mask |= 0x0000FF;
  if (layers & clyGreen)
    mask |= 0x00FF00;
  if (layers & clyRed)
    mask |= 0xFF0000;
  return mask;
}

namespace {

inline TColor ColorOfStored(uint32_t bgr) {
  return RGB(uint8_t(bgr >> 16), uint8_t(bgr >> 8), uint8_t(bgr));
}

// A colour not yet seen: take it while there is room.
inline bool TakeNew(uint32_t bgr, TColorSet &seen, size_t limit, std::vector<TColor> &found) {
  if (found.size() >= limit)
    return false;
  seen.Put(bgr);
  found.push_back(ColorOfStored(bgr));
  return true;
}

} // namespace

bool ScanColorRow(const uint8_t *row, int width, uint32_t storedMask, TColorSet &seen, size_t limit,
                  std::vector<TColor> &found) {
  if (width <= 0)
    return true;
  // Neighbouring pixels often share their colour, and a colour just met is
  // in the set: comparing with the previous pixel skips most look-ups.
  uint32_t prev = 0xFFFFFFFFu;
  const uint8_t *p = row;
  // Four-byte loads for all but the last pixel, whose fourth byte may lie
  // past the end of the raster.
  for (int x = 0; x + 1 < width; ++x, p += 3) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    v &= storedMask;
    if (v == prev)
      continue;
    prev = v;
    if (seen.Has(v))
      continue;
    if (!TakeNew(v, seen, limit, found))
      return false;
  }
  const uint32_t last = (uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16)) & storedMask;
  if (last != prev && !seen.Has(last) && !TakeNew(last, seen, limit, found))
    return false;
  return true;
}

} // namespace tessaro
