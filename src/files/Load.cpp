#include "core/BmpFile.h"
#include "core/FileUtil.h"
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

const char *const KSupported[] = {".bmp", ".dib",  ".rle",  ".ico", ".wmf", ".emf", ".jpg", ".jpeg",
                                  ".jpe", ".jfif", ".gif",  ".png", ".tga", ".vst", ".vda", ".icb",
                                  ".tif", ".tiff", ".fax",  ".eps", ".pcx", ".pcc", ".rla", ".rpf",
                                  ".sgi", ".rgb",  ".rgba", ".bw",  ".psd", ".pdd", ".ppm", ".pgm",
                                  ".pbm", ".cel",  ".pic",  ".pcd", ".cut", ".psp"};

const char *const KSaveable[] = {".bmp", ".jpg", ".jpeg", ".wmf", ".emf", ".gif", ".png"};

bool InList(const std::string &ext, const char *const *list, size_t n) {
  return std::any_of(list, list + n, [&](const char *e) { return ext == e; });
}

bool IsJpegExt(const std::string &ext) {
  return ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif";
}

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

std::string LowerExtension(const std::string &fileName) {
  size_t slash = fileName.find_last_of('/');
  size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return std::string();
  std::string ext = fileName.substr(dot);
  for (char &c : ext)
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  return ext;
}

bool IsSupportedImageFile(const std::string &fileName) {
  return InList(LowerExtension(fileName), KSupported, std::size(KSupported));
}

bool IsSaveableImageFile(const std::string &fileName) {
  return InList(LowerExtension(fileName), KSaveable, std::size(KSaveable));
}

std::string OpenImageFilter() {
  return "Alle (*.bmp .. "
         "*.jpg)|*.bmp;*.emf;*.ico;*.jfif;*.jpe;*.jpeg;*.jpg;*.gif;*.png;*.pcd;*.pcx;*.pdd;*.pgm;"
         "*.pic;*.ppm;*.psd;*.psp;*.rgb;*.rgba;*.rla;*.rle;*.rpf;*.sgi;*.tif;*.tiff;*.wmf;|JPEG Bild "
         "(*.jpg;*.jpeg;)|*.jpg;*.jpeg|Portable Netzwerkgrafik (*.png)|*.png|GIF Bild (*.gif)|*.gif|Windows "
         "Bitmap (*.bmp)|*.bmp|Metadatei (*.wmf)|*.wmf|Erweiterte Metadatei (*.emf)|*.emf|TIF Bild (*.tif; "
         "*.tiff)|*.tif;*.tiff|Symbol (*.ico)|*.ico|Paintshop Pro Bild (*.psp)|*.psp|Kodak Foto CD Bild "
         "(*.pcd)|*.pcd|Autodesk Bild (*.pic)|*.pic|Autodesk Bild (*.cel)|*.cel|Portable Bitmap "
         "(*.pbm)|*.pbm|Portable Graustufen Bild (*.pgm)|*.pgm|Portables Pixel Map Bild "
         "(*.ppm)|*.ppm|Photoshop "
         "Bild (*.pdd)|*.pdd|Photoshop Bild (*.psd)|*.psd|SGI Schwarz/Weiß Bild (*.bw)|*.bw|SGI Echtfarben "
         "Bild "
         "(*.rgb)|*.rgb|SGI Alpha Echtfarben Bild (*.rgba)|*.rgba|SGI Echtfarben Bild (*.sgi)|*.sgi|Alias "
         "Wavefront Bild (*.rla)|*.rla|Alias Wavefront Bild (*.rpf)|*.rpf|Paintbrush Bild "
         "(*.pcc)|*.pcc|Paintbrush "
         "Bild (*.pcx)|*.pcx|Postscript Bild (*.eps)|*.eps|DIB Bitmap (*.dib)|*.dib|RLE Bitmap "
         "(*.rle)|*.rle|";
}

std::string SaveImageFilter() {
  return "Windows Bitmap (*.bmp)|*.bmp|JPEG Bild (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF Bild (*.gif)|*.gif|PNG Bild "
         "(*.png)|*.png|Metadatei (*.wmf;*.emf)|*.wmf;*.emf";
}

void GetOpenImageFilter(std::string &filter) {
  filter = OpenImageFilter();
}
void GetSaveImageFilter(std::string &filter) {
  filter = SaveImageFilter();
}

namespace {
uint64_t GDecodePixelLimit = 0;
}

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
  std::string ext = LowerExtension(path);
  isIcon = false;
  try {
    if (ext == ".gif")
      return ReadGif(data, size, img, error);
    if (ext == ".png")
      return ReadPng(data, size, img, error);
    // Content first: the import readers in their registration order.
    size_t headSize = std::min<size_t>(size, 4096);
    for (const auto &reader : ImportReaders())
      if (reader->Recognise(data, headSize))
        return reader->Read(path, data, size, img, error);
    // Then the reader registered for the extension.
    if (ext == ".bmp" || ext == ".dib" || ext == ".rle") {
      if (ext == ".dib" && size >= 2 && !(data[0] == 'B' && data[1] == 'M'))
        return ReadDib(data, size, img, &error);
      return ReadBmp(data, size, img, &error);
    }
    if (ext == ".ico") {
      isIcon = true;
      return ReadIco(data, size, img, error);
    }
    if (ext == ".wmf")
      return ReadWmf(data, size, img, error);
    if (ext == ".emf")
      return ReadEmf(data, size, img, error);
    if (IsJpegExt(ext))
      return ReadJpeg(data, size, img, error);
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
      std::string ext = LowerExtension(fileName);
      bool keepFormat = ext == ".gif" || ext == ".png";
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
            bitmap.Assign(img);
          } else {
            bitmap.SetSize(img.Width(), img.Height());
            DrawOnto24(bitmap, img, isIcon);
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
