// The ways a floating image is laid into the picture under it: the entries
// of the frame's "Kombinationsart" list, each a raster operation (ROP3 code)
// of source (the object's pixels), destination (the picture) and pattern
// (the brush).
#pragma once

#include "core/Bitmap.h"

#include <cstdint>
#include <span>

namespace tessaro {

struct TCombineType {
  const char *Caption;
  uint32_t CopyMode;
};

// The list in its order; entry 0 ("Standard") is the plain copy.
std::span<const TCombineType> CombineTypes();
// The copy mode of a list entry; the plain copy for an index outside it.
uint32_t CombineCopyMode(int index);

// Lays source into target with its top-left pixel at (x, y), clipped to the
// target, each pixel combined by copyMode with pattern as the brush colour;
// with transparent set, source pixels of transparentColor are left out.
// Both bitmaps 24-bit; false (and nothing changed) otherwise.
bool CombineCopy(const TBitmap &source, TBitmap &target, int x, int y, uint32_t copyMode, TColor pattern,
                 TColor transparentColor, bool transparent);

} // namespace tessaro
