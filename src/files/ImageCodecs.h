// The decoders and encoders behind the file routines, working on memory.
// Every decoder decodes straight into the given bitmap and returns false with
// a German reason on bad input (the bitmap's content is then unspecified, so
// callers decode into a bitmap of their own); none of them terminates the
// process.
#pragma once

#include "core/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

// JPEG: 24 bits, or 8 bits with a grey palette for greyscale files; CMYK and
// YCCK files are converted to RGB.
bool IsJpegData(const uint8_t *data, size_t size);
bool ReadJpeg(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);
// Source must be pf8bit or pf24bit. An 8-bit bitmap with a grey palette is
// written as a greyscale JPEG, any other as colour.
bool EncodeJpeg(const TBitmap &bmp, int quality, bool progressive, std::vector<uint8_t> &out,
                std::string &error);

// PNG: palette images stay 1/4/8-bit palette images, grey becomes 8-bit with
// a grey ramp, 16-bit channels are reduced to 8, alpha is kept in the fourth
// byte of a 32-bit raster.
bool IsPngData(const uint8_t *data, size_t size);
bool ReadPng(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);
bool EncodePng(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error);

// GIF: the first frame drawn on a raster of the logical screen size, 8 bits
// with the frame's palette.
bool IsGifData(const uint8_t *data, size_t size);
bool ReadGif(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);
// 1-, 4- and 8-bit rasters keep their palette; deeper ones are quantised.
bool EncodeGif(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error);

// Octree colour reduction to at most maxColors colours chosen from the image
// (24-bit source), 8 levels deep.
TPalette OctreePalette(const TBitmap &bmp24, int maxColors = 256);
// An 8-bit raster with that palette, each pixel the nearest palette colour.
TBitmap QuantizeTo8Bit(const TBitmap &bmp24, int maxColors = 256);

// Icons: the largest image of the file as a 32-bit raster whose fourth byte
// is the opacity (0 where the AND mask is set).
bool IsIcoData(const uint8_t *data, size_t size);
bool ReadIco(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);

// Metafiles, played on our own canvas at their own size.
bool IsWmfData(const uint8_t *data, size_t size);
bool ReadWmf(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);
bool EncodeWmf(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error);
bool IsEmfData(const uint8_t *data, size_t size);
bool ReadEmf(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);
bool EncodeEmf(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error);

// Upper bound of pixels a decoder accepts; a header claiming more is refused.
bool PixelCountAcceptable(uint64_t width, uint64_t height);
// Lowers that bound below MaxImportPixels (the fuzz targets do, to stay
// within their memory limit); 0 restores it.
void SetDecodePixelLimit(uint64_t pixels);

} // namespace tessaro
