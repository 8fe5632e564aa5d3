// Integers stored in byte buffers: the little-endian fields of the Windows
// formats (bitmaps, icons, metafiles, the undo snapshots) and the big-endian
// ones of several import formats, read from and appended to memory.
#pragma once

#include <cstdint>
#include <vector>

namespace tessaro {

inline uint16_t Le16(const uint8_t *p) {
  return uint16_t(p[0] | (p[1] << 8));
}
inline uint32_t Le32(const uint8_t *p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline int16_t LeS16(const uint8_t *p) {
  return int16_t(Le16(p));
}
inline int32_t LeS32(const uint8_t *p) {
  return int32_t(Le32(p));
}

inline uint16_t Be16(const uint8_t *p) {
  return uint16_t((p[0] << 8) | p[1]);
}
inline uint32_t Be32(const uint8_t *p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// Appends the low 16 bits of x, or all of its 32 bits, low byte first.
inline void PutLe16(std::vector<uint8_t> &v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
inline void PutLe32(std::vector<uint8_t> &v, uint32_t x) {
  for (int i = 0; i < 4; ++i)
    v.push_back(uint8_t(x >> (8 * i)));
}

} // namespace tessaro
