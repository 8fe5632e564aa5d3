// Reading and writing image files: which files are read and written, the
// filters of the open and save dialogs (all answered from the format table,
// FileFormats.h), and the routines that turn a file into a bitmap and a
// bitmap into a file.
#pragma once

#include "core/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaro {

// The 38 readable extensions (lower-case comparison).
bool IsSupportedImageFile(const std::string &fileName);
// The seven writable extensions: .bmp .jpg .jpeg .wmf .emf .gif .png.
bool IsSaveableImageFile(const std::string &fileName);

void GetOpenImageFilter(std::string &filter);
void GetSaveImageFilter(std::string &filter);
std::string OpenImageFilter();
std::string SaveImageFilter();

// Fills the caller's bitmap from the file. GIF and PNG keep the pixel format
// their library gives; every other format arrives as a 24-bit bitmap. All
// errors give false (with a German reason in *error when given).
bool LoadImageFile(const std::string &fileName, TBitmap &bitmap, std::string *error = nullptr);

// How the frame opens a file as a document: a .bmp file straight into the
// bitmap in its own pixel format, any other through LoadImageFile. The
// file's read-only flag is cleared for the read and set again afterwards.
// False with the German message for the user in error.
bool LoadPictureFile(const std::string &fileName, TBitmap &bitmap, std::string &error);

// Writes bitmap in the format of the file's extension. Quality above 100 is
// taken as 100 (the JPEG library takes 0 as 1); gifReduction 7 quantises.
// The JPEG branch converts a bitmap that is neither 8 nor 24 bits to 24 bits.
// The target is replaced only by a completely written file; false when the
// bitmap is missing, the extension is not writable or the writer failed.
bool SaveImageFile(TBitmap *bitmap, const std::string &fileName, uint8_t quality, uint8_t gifReduction,
                   bool progressive, std::string *error = nullptr);

// Decodes file content in the pixel format the format keeps (no drawing on a
// 24-bit raster): GIF and PNG by their extension, otherwise the import
// readers by content first, then the reader of the extension. isIcon tells
// that the result is a 32-bit raster with opacity in the fourth byte.
bool DecodeImageData(const std::string &path, const uint8_t *data, size_t size, TBitmap &img, bool &isIcon,
                     std::string &error);

// Lower-case extension with the dot ("" when the name has none).
std::string LowerExtension(const std::string &fileName);

} // namespace tessaro
