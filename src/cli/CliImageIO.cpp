#include "cli/Cli.h"

#include "core/BmpFile.h"
#include "core/FileUtil.h"
#include "files/ImageCodecs.h"
#include "files/LUMGraphicsFiles.h"

#include <exception>
#include <new>

namespace tessaro::cli {

bool LoadCliImage(const std::string &path, TBitmap &bmp, std::string &error) {
  std::string reason;
  bool ok = false;
  try {
    std::vector<uint8_t> data;
    std::string ext = LowerExtension(path);
    if (!IsSupportedImageFile(path)) {
      reason = "dieses Dateiformat kann nicht gelesen werden.";
    } else if ((ext == ".bmp" || ext == ".dib" || ext == ".rle") && LoadBmpFile(path, bmp, nullptr)) {
      // Windows bitmaps stream straight from the file into the raster.
      ok = true;
    } else if (ReadWholeFile(path, data, &reason)) {
      bool isIcon = false;
      ok = DecodeImageData(path, data.data(), data.size(), bmp, isIcon, reason);
    }
  } catch (const std::bad_alloc &) {
    reason = "nicht genug Speicher.";
  } catch (const std::exception &e) {
    reason = e.what();
  }
  if (!ok)
    error = path + ": " + reason;
  return ok;
}

bool SaveCliImage(const std::string &path, const TBitmap &bmp, const TSaveOptions &options,
                  std::string &error) {
  std::string ext = LowerExtension(path);
  std::string reason;
  bool ok = false;
  try {
    if (ext == ".bmp" || ext == ".dib" || ext == ".rle") {
      ok = SaveBmpFile(bmp, path, &reason);
    } else if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif") {
      std::vector<uint8_t> out;
      int quality = options.JpegQuality > 100 ? 100 : options.JpegQuality < 0 ? 0 : options.JpegQuality;
      if (bmp.PixelFormat() == pf24bit || bmp.PixelFormat() == pf8bit) {
        ok = EncodeJpeg(bmp, quality, options.JpegProgressive, out, reason);
      } else {
        TBitmap deep(bmp);
        deep.SetPixelFormat(pf24bit);
        ok = EncodeJpeg(deep, quality, options.JpegProgressive, out, reason);
      }
      ok = ok && WriteFileAtomically(path, out.data(), out.size(), &reason);
    } else if (ext == ".png" || ext == ".gif" || ext == ".wmf" || ext == ".emf") {
      std::vector<uint8_t> out;
      if (ext == ".png")
        ok = EncodePng(bmp, out, reason);
      else if (ext == ".gif")
        ok = EncodeGif(bmp, out, reason);
      else if (ext == ".wmf")
        ok = EncodeWmf(bmp, out, reason);
      else
        ok = EncodeEmf(bmp, out, reason);
      ok = ok && WriteFileAtomically(path, out.data(), out.size(), &reason);
    } else {
      reason = "dieses Dateiformat kann nicht geschrieben werden.";
    }
  } catch (const std::bad_alloc &) {
    reason = "nicht genug Speicher.";
  } catch (const std::exception &e) {
    reason = e.what();
  }
  if (!ok)
    error = path + ": " + reason;
  return ok;
}

} // namespace tessaro::cli
