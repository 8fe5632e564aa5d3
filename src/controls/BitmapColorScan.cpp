#include "controls/BitmapColorScan.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define TESSARO_SCAN_AVX2 1
#endif

namespace tessaro {

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

// Reading ahead of the scan: the raster streams from memory faster than
// the processor's own prefetching fetches it for this loop.
constexpr int PrefetchDistance = 1024;

inline TColor ColorOfStored(uint32_t bgr) {
  return RGB(uint8_t(bgr >> 16), uint8_t(bgr >> 8), uint8_t(bgr));
}

// Pixels x0..x1-1 one by one, in order; false when a new colour found no room.
inline bool ScanPixels(const uint8_t *row, int x0, int x1, uint32_t mask, TColorSet &seen, size_t limit,
                       std::vector<TColor> &found) {
  const uint8_t *p = row + 3 * size_t(x0);
  for (int x = x0; x < x1; ++x, p += 3) {
    const uint32_t c = (uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16)) & mask;
    if (seen.Has(c))
      continue;
    if (found.size() >= limit)
      return false;
    seen.Put(c);
    found.push_back(ColorOfStored(c));
  }
  return true;
}

#ifdef TESSARO_SCAN_AVX2
// Eight pixels at a time: their keys are gathered from the set in one
// step, and in the common case all eight are known.
__attribute__((target("avx2"))) bool ScanRowAvx2(const uint8_t *row, int width, uint32_t mask,
                                                 TColorSet &seen, size_t limit, std::vector<TColor> &found) {
  const __m256i spreadLanes = _mm256_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6);
  const __m256i pick = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, //
                                        0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m256i keyMask = _mm256_set1_epi32(int(mask & 0xFFFFFF));
  const __m256i one = _mm256_set1_epi32(1);
  const __m256i low5 = _mm256_set1_epi32(31);
  const int *words = reinterpret_cast<const int *>(seen.Words());
  int x = 0;
  // 32 bytes are loaded for 24: the last group stops 11 pixels short of
  // the end of the row.
  for (; x + 11 <= width; x += 8) {
    const uint8_t *p = row + 3 * size_t(x);
    __builtin_prefetch(p + PrefetchDistance);
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
    v = _mm256_permutevar8x32_epi32(v, spreadLanes); // bytes 0..15 | 12..27
    v = _mm256_and_si256(_mm256_shuffle_epi8(v, pick), keyMask);
    const __m256i bit = _mm256_xor_si256(v, _mm256_srli_epi32(v, 9)); // TColorSet::BitOf
    const __m256i w = _mm256_i32gather_epi32(words, _mm256_srli_epi32(bit, 5), 4);
    const __m256i hit = _mm256_and_si256(w, _mm256_sllv_epi32(one, _mm256_and_si256(bit, low5)));
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(hit, _mm256_setzero_si256())) == 0)
      continue;
    if (!ScanPixels(row, x, x + 8, mask, seen, limit, found))
      return false;
  }
  return ScanPixels(row, x, width, mask, seen, limit, found);
}
#endif

} // namespace

bool ScanColorRowPlain(const uint8_t *row, int width, uint32_t storedMask, TColorSet &seen, size_t limit,
                       std::vector<TColor> &found) {
  const uint8_t *p = row;
  int x = 0;
  // Four pixels (twelve bytes, read as eight and four) at a time: in the
  // common case all four are known, and one well-predicted test passes them.
  for (; x + 4 <= width; x += 4, p += 12) {
    __builtin_prefetch(p + PrefetchDistance);
    uint64_t lo;
    uint32_t hi;
    std::memcpy(&lo, p, 8);
    std::memcpy(&hi, p + 8, 4);
    const uint32_t a = uint32_t(lo) & storedMask, b = uint32_t(lo >> 24) & storedMask,
                   c = (uint32_t(lo >> 48) | (hi << 16)) & storedMask, d = (hi >> 8) & storedMask;
    if (seen.Has(a) & seen.Has(b) & seen.Has(c) & seen.Has(d))
      continue;
    if (!ScanPixels(row, x, x + 4, storedMask, seen, limit, found))
      return false;
  }
  return ScanPixels(row, x, width, storedMask, seen, limit, found);
}

bool ScanColorRow(const uint8_t *row, int width, uint32_t storedMask, TColorSet &seen, size_t limit,
                  std::vector<TColor> &found) {
#ifdef TESSARO_SCAN_AVX2
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2)
    return ScanRowAvx2(row, width, storedMask, seen, limit, found);
#endif
  return ScanColorRowPlain(row, width, storedMask, seen, limit, found);
}

} // namespace tessaro
