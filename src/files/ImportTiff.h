// The TIFF reader's entry point, shared with the EPS reader for the TIFF
// preview of binary EPS files.
#pragma once

#include "core/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaro {

// True when the bytes start like a TIFF (classic or big) file.
bool LooksLikeTiff(const uint8_t *head, size_t size);
// Reads the first image of a TIFF file held in memory through libtiff.
bool ReadTiffMemory(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);

} // namespace tessaro
