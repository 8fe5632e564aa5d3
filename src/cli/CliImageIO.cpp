#include "cli/Cli.h"

#include "core/FileUtil.h"
#include "files/FileFormats.h"
#include "files/LUMGraphicsFiles.h"

#include <exception>
#include <new>

namespace tessaro::cli {

namespace {

// Runs work, which gives its reason on failure; what it throws becomes the
// reason too. On failure error is "path: reason".
template <class F> bool WithReason(const std::string &path, std::string &error, F &&work) {
  std::string reason;
  bool ok = false;
  try {
    ok = work(reason);
  } catch (const std::bad_alloc &) {
    reason = "nicht genug Speicher.";
  } catch (const std::exception &e) {
    reason = e.what();
  }
  if (!ok)
    error = path + ": " + reason;
  return ok;
}

} // namespace

bool LoadCliImage(const std::string &path, TBitmap &bmp, std::string &error) {
  return WithReason(path, error, [&](std::string &reason) {
    const TImageFormat *format = ImageFormatOf(path);
    if (format == nullptr) {
      reason = "dieses Dateiformat kann nicht gelesen werden.";
      return false;
    }
    // Windows bitmaps stream straight from the file into the raster; a file
    // the streaming reader refuses is read whole.
    std::string streamed;
    if (format->ReadFile && format->ReadFile(path, bmp, streamed))
      return true;
    TPixelBuffer data;
    bool isIcon = false;
    return ReadWholeFile(path, data, &reason) &&
           DecodeImageData(path, data.data(), data.size(), bmp, isIcon, reason);
  });
}

bool SaveCliImage(const std::string &path, const TBitmap &bmp, const TSaveOptions &options,
                  std::string &error) {
  return WithReason(path, error, [&](std::string &reason) {
    // Every extension of a format with a writer is written, also those the
    // program's save dialog does not offer (.dib, .rle, .jpe, .jfif).
    const TImageFormat *format = ImageFormatOf(path);
    if (format == nullptr || format->Write == nullptr) {
      reason = "dieses Dateiformat kann nicht geschrieben werden.";
      return false;
    }
    return format->Write(bmp, path, TWriteOptions{options.JpegQuality, options.JpegProgressive}, reason);
  });
}

} // namespace tessaro::cli
