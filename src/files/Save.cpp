#include "files/FileFormats.h"
#include "files/LUMGraphicsFiles.h"

#include <exception>
#include <new>

namespace tessaro {

bool SaveImageFile(TBitmap *bitmap, const std::string &fileName, uint8_t quality, uint8_t gifReduction,
                   bool progressive, std::string *error) {
  (void)gifReduction; // every caller quantises (7)
  std::string err;
  bool ok = false;
  try {
    if (!bitmap) {
      err = "Kein Bild vorhanden.";
    } else if (!IsSaveableImageFile(fileName)) {
      err = "In diesem Dateiformat kann nicht gespeichert werden.";
    } else {
      const TImageFormat &format = *ImageFormatOf(fileName);
      // JPEG converts the caller's own bitmap when it is neither 8 nor 24 bits.
      if (format.Format == ffJpeg && bitmap->PixelFormat() != pf24bit && bitmap->PixelFormat() != pf8bit)
        bitmap->SetPixelFormat(pf24bit);
      ok = format.Write(*bitmap, fileName, TWriteOptions{quality, progressive}, err);
    }
  } catch (const std::bad_alloc &) {
    err = "Nicht genug Speicher zum Speichern des Bildes.";
  } catch (const std::exception &e) {
    err = e.what();
  }
  if (!ok && error)
    *error = err;
  return ok;
}

} // namespace tessaro
