#include "core/BmpFile.h"
#include "core/FileUtil.h"
#include "files/ImageCodecs.h"
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
    std::string ext = LowerExtension(fileName);
    if (!bitmap) {
      err = "Kein Bild vorhanden.";
    } else if (!IsSaveableImageFile(fileName)) {
      err = "In diesem Dateiformat kann nicht gespeichert werden.";
    } else if (ext == ".bmp") {
      ok = SaveBmpFile(*bitmap, fileName, &err);
    } else {
      std::vector<uint8_t> out;
      bool encoded = false;
      if (ext == ".jpg" || ext == ".jpeg") {
        if (bitmap->PixelFormat() != pf24bit && bitmap->PixelFormat() != pf8bit)
          bitmap->SetPixelFormat(pf24bit);
        encoded = EncodeJpeg(*bitmap, quality > 100 ? 100 : quality, progressive, out, err);
      } else if (ext == ".wmf") {
        encoded = EncodeWmf(*bitmap, out, err);
      } else if (ext == ".emf") {
        encoded = EncodeEmf(*bitmap, out, err);
      } else if (ext == ".gif") {
        encoded = EncodeGif(*bitmap, out, err);
      } else if (ext == ".png") {
        encoded = EncodePng(*bitmap, out, err);
      }
      ok = encoded && WriteFileAtomically(fileName, out.data(), out.size(), &err);
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
