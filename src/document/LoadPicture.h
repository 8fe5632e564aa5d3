// Reading a picture file the way open and restore do.
#pragma once

#include "core/Bitmap.h"

#include <string>

namespace tessaro {

// Windows bitmaps keep their own pixel format, every other format goes
// through the image file library. The file's read-only flag is the same
// afterwards. False with a German reason in error when the file cannot be
// read.
bool LoadPictureFile(const std::string &fileName, TBitmap &bitmap, std::string &error);

} // namespace tessaro
