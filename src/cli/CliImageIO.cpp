#include "cli/Cli.h"

#include "core/FileUtil.h"
#include "files/FileFormats.h"
#include "files/LUMGraphicsFiles.h"

#include <exception>
#include <new>

namespace tessaro::cli {

bool LoadCliImage(const std::string &path, TBitmap &bmp, std::string &error) {
  std::string reason;
  bool ok = false;
  try {
    std::vector<uint8_t> data;
    std::string streamed; // a file the streaming reader refuses is read whole
    const TImageFormat *format = ImageFormatOf(path);
    if (format == nullptr) {
      reason = "dieses Dateiformat kann nicht gelesen werden.";
    } else if (format->ReadFile && format->ReadFile(path, bmp, streamed)) {
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
  std::string reason;
  bool ok = false;
  try {
    // Every extension of a format with a writer is written, also those the
    // program's save dialog does not offer (.dib, .rle, .jpe, .jfif).
    const TImageFormat *format = ImageFormatOf(path);
    if (format == nullptr || format->Write == nullptr)
      reason = "dieses Dateiformat kann nicht geschrieben werden.";
    else
      ok = format->Write(bmp, path, TWriteOptions{options.JpegQuality, options.JpegProgressive}, reason);
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
