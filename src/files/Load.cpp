#include "core/FileUtil.h"
#include "files/FileFormats.h"
#include "files/ImageCodecs.h"
#include "files/ImportReaders.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <sys/stat.h>

namespace tessaro {

namespace {

uint64_t GDecodePixelLimit = 0;

// Draws img at (0, 0) on the 24-bit target; a 32-bit icon raster is blended
// over what the target holds by its opacity byte.
void DrawOnto24(TBitmap &target, TBitmap &img, bool blendAlpha) {
  if (blendAlpha && img.PixelFormat() == pf32bit) {
    for (int y = 0; y < img.Height(); ++y) {
      const uint8_t *s = img.ScanLine(y);
      uint8_t *d = target.ScanLine(y);
      for (int x = 0; x < img.Width(); ++x, s += 4, d += 3) {
        unsigned a = s[3];
        if (a == 255) {
          d[0] = s[0];
          d[1] = s[1];
          d[2] = s[2];
        } else if (a != 0) {
          for (int c = 0; c < 3; ++c)
            d[c] = uint8_t((s[c] * a + d[c] * (255 - a) + 127) / 255);
        }
      }
    }
  } else {
    img.SetPixelFormat(pf24bit);
    for (int y = 0; y < img.Height(); ++y)
      std::memcpy(target.ScanLine(y), img.ScanLine(y), size_t(img.Width()) * 3);
  }
  target.Changed();
}

} // namespace

void SetDecodePixelLimit(uint64_t pixels) {
  GDecodePixelLimit = pixels;
}

bool PixelCountAcceptable(uint64_t width, uint64_t height) {
  if (width == 0 || height == 0 || width > 0x7FFFFFF || height > 0x7FFFFFF)
    return false;
  uint64_t limit = GDecodePixelLimit ? std::min(GDecodePixelLimit, MaxImportPixels) : MaxImportPixels;
  return width * height <= limit && width * height * 4 <= MaxBitmapBytes;
}

bool DecodeImageData(const std::string &path, const uint8_t *data, size_t size, TBitmap &img, bool &isIcon,
                     std::string &error) {
  const TImageFormat *format = ImageFormatOf(path);
  isIcon = false;
  try {
    if (format && format->Direct)
      return format->Read(data, size, img, error);
    // Content first: the import readers in their registration order.
    size_t headSize = std::min<size_t>(size, 4096);
    for (const auto &reader : ImportReaders())
      if (reader->Recognise(data, headSize))
        return reader->Read(path, data, size, img, error);
    // Then the reader of the extension.
    if (format && format->Read) {
      isIcon = format->Opacity;
      return format->Read(data, size, img, error);
    }
    const std::string ext = LowerExtension(path);
    for (const auto &reader : ImportReaders()) {
      auto exts = reader->Extensions();
      if (std::find(exts.begin(), exts.end(), ext) != exts.end())
        return reader->Read(path, data, size, img, error);
    }
    error = "Das Dateiformat wird nicht unterstützt.";
    return false;
  } catch (const std::bad_alloc &) {
    error = "Nicht genug Speicher für das Bild.";
  } catch (const std::exception &e) {
    error = e.what();
  }
  return false;
}

bool LoadImageFile(const std::string &fileName, TBitmap &bitmap, std::string *error) {
  std::string err;
  bool ok = false;
  try {
    struct stat st;
    if (stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      err = "Die Datei ist nicht vorhanden.";
    } else if (!IsSupportedImageFile(fileName)) {
      err = "Das Dateiformat wird nicht unterstützt.";
    } else {
      const bool keepFormat = ImageFormatOf(fileName)->Direct;
      // GIF and PNG files lose their attributes when they are opened; here
      // that is the read-only flag (the frame puts it back).
      if (keepFormat && IsFileReadOnly(fileName))
        chmod(fileName.c_str(), (st.st_mode & 07777) | S_IWUSR);
      else if (!keepFormat)
        bitmap.SetPixelFormat(pf24bit);
      std::vector<uint8_t> data;
      if (ReadWholeFile(fileName, data, &err)) {
        TBitmap img;
        bool isIcon = false;
        if (DecodeImageData(fileName, data.data(), data.size(), img, isIcon, err)) {
          // The file's bytes are no longer needed: free them before the copy.
          std::vector<uint8_t>().swap(data);
          if (keepFormat) {
            bitmap.AssignMove(std::move(img));
          } else if (isIcon && img.PixelFormat() == pf32bit) {
            bitmap.SetSize(img.Width(), img.Height());
            DrawOnto24(bitmap, img, true);
          } else {
            // Every pixel is replaced: the decoded raster is taken over
            // rather than copied (a large photograph costs no second copy).
            img.SetPixelFormat(pf24bit);
            bitmap.AssignMove(std::move(img));
          }
          ok = true;
        }
      }
    }
  } catch (const std::bad_alloc &) {
    err = "Nicht genug Speicher für das Bild.";
  } catch (const std::exception &e) {
    err = e.what();
  }
  if (!ok && error)
    *error = err;
  return ok;
}

} // namespace tessaro
