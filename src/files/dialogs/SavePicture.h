// Writing a document's picture the way every save does: in a pixel format
// the file takes, through a converted copy when the raster has another one
// (so the picture in memory keeps every colour it has), and a German message
// when the file cannot be written.
#pragma once

#include "core/Bitmap.h"

#include <string>

namespace tessaro {

// True when the file was written; otherwise beeps and says "Das Bild konnte
// nicht gespeichert werden!".
bool WritePictureFile(TBitmap &bitmap, TPixelFormat pf, const std::string &fileName, int quality,
                      bool progressive);

// Beeps and says "Das Bild konnte nicht gespeichert werden!".
void SaveFailedMessage();

} // namespace tessaro
