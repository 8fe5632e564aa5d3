// Windows bitmap files (BMP/DIB/RLE): reading every pixel format, compression
// and header kind; writing every pixel format so that reading it back gives
// the same format and the same pixels.
#pragma once

#include "core/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

// Reads a BMP from memory into bmp. On failure returns false, leaves bmp
// unchanged and puts a German reason into *error (if given).
bool ReadBmp(const uint8_t *data, size_t size, TBitmap &bmp, std::string *error = nullptr);
// The same for a packed DIB (info header, palette, pixels; no file header),
// as held by the clipboard and by icon and metafile records.
bool ReadDib(const uint8_t *data, size_t size, TBitmap &bmp, std::string *error = nullptr);
bool LoadBmpFile(const std::string &path, TBitmap &bmp, std::string *error = nullptr);

// The file image of bmp in its own pixel format: 1/4/8 bits with their
// palette, 15 bits as 16 bpp 5-5-5, 16 bits as bit fields 5-6-5, 24 and
// 32 bits uncompressed.
std::vector<uint8_t> EncodeBmp(const TBitmap &bmp);
// Packed DIB of bmp (EncodeBmp without the 14-byte file header).
std::vector<uint8_t> EncodeDib(const TBitmap &bmp);
// Writes the file through a temporary file in the same folder that replaces
// the target only when complete; on failure the old file stays untouched.
bool SaveBmpFile(const TBitmap &bmp, const std::string &path, std::string *error = nullptr);

// Header fields shown in the image properties.
struct TBmpHeaderInfo {
  uint32_t FileSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  uint16_t Planes = 0;
  uint16_t BitCount = 0;
  uint32_t Compression = 0;
  uint32_t ImageSize = 0;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ClrUsed = 0;
};
bool ReadBmpHeader(const std::string &path, TBmpHeaderInfo &info);

} // namespace tessaro
