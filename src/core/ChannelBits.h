// The 5- and 6-bit channels of the 15- and 16-bit pixel formats widened to
// bytes: the high bits repeat in the low ones, so 31 (or 63) gives 255 and
// the widening is exact for every value.
#pragma once

#include <cstdint>

namespace tessaro {

inline uint8_t Expand5(uint32_t v) {
  return uint8_t((v << 3) | (v >> 2));
}
inline uint8_t Expand6(uint32_t v) {
  return uint8_t((v << 2) | (v >> 4));
}

} // namespace tessaro
