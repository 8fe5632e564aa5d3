// TIFF and fax (TIFF class F) files through libtiff, read from memory. Every
// photometric kind libtiff's RGBA interface knows is accepted; the first image
// of the file is read. libtiff's messages are swallowed: failures come back
// as a German reason.
#include "files/ImportTiff.h"

#include "files/ImportCommon.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <mutex>
#include <vector>

namespace tessaro {
namespace {

using namespace importer;

struct TMemFile {
  const uint8_t *Data;
  uint64_t Size;
  uint64_t Pos;
};

tmsize_t MemRead(thandle_t h, void *buf, tmsize_t n) {
  auto *f = static_cast<TMemFile *>(h);
  if (n <= 0 || f->Pos >= f->Size)
    return 0;
  uint64_t take = std::min<uint64_t>(uint64_t(n), f->Size - f->Pos);
  std::memcpy(buf, f->Data + f->Pos, size_t(take));
  f->Pos += take;
  return tmsize_t(take);
}
tmsize_t MemWrite(thandle_t, void *, tmsize_t) {
  return 0;
}
toff_t MemSeek(thandle_t h, toff_t off, int whence) {
  auto *f = static_cast<TMemFile *>(h);
  uint64_t base = whence == SEEK_CUR ? f->Pos : whence == SEEK_END ? f->Size : 0;
  f->Pos = base + off;
  return f->Pos;
}
int MemClose(thandle_t) {
  return 0;
}
toff_t MemSize(thandle_t h) {
  return static_cast<TMemFile *>(h)->Size;
}
int MemMap(thandle_t h, void **base, toff_t *size) {
  auto *f = static_cast<TMemFile *>(h);
  *base = const_cast<uint8_t *>(f->Data);
  *size = f->Size;
  return 1;
}
void MemUnmap(thandle_t, void *, toff_t) {}

int Quiet(TIFF *, void *, const char *, const char *, va_list) {
  return 1;
}

// Messages that libtiff gives without a file handle go to its global
// handlers; those are silenced once.
void SilenceGlobalHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
  });
}

struct TTiffCloser {
  void operator()(TIFF *t) const { TIFFClose(t); }
};
struct TOptionsFree {
  void operator()(TIFFOpenOptions *o) const { TIFFOpenOptionsFree(o); }
};
struct TRGBAImageEnd {
  void operator()(TIFFRGBAImage *img) const { TIFFRGBAImageEnd(img); }
};

class TTiffReader final : public TImportReader {
public:
  const char *Name() const override { return "TIFF"; }
  std::vector<std::string> Extensions() const override { return {".tif", ".tiff", ".fax"}; }
  bool Recognise(const uint8_t *head, size_t size) const override { return LooksLikeTiff(head, size); }
  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    return ReadTiffMemory(data, size, bmp, error);
  }
};

} // namespace

bool LooksLikeTiff(const uint8_t *head, size_t size) {
  if (size < 8)
    return false;
  return (head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0) ||
         (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43));
}

bool ReadTiffMemory(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (!LooksLikeTiff(data, size))
    return Fail(error, ErrFormat);
  SilenceGlobalHandlers();
  std::unique_ptr<TIFFOpenOptions, TOptionsFree> options(TIFFOpenOptionsAlloc());
  if (!options)
    return Fail(error, ErrMemory);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), tmsize_t(256) << 20);

  TMemFile file{data, size, 0};
  std::unique_ptr<TIFF, TTiffCloser> tif(TIFFClientOpenExt(
      "memory", "rm", &file, MemRead, MemWrite, MemSeek, MemClose, MemSize, MemMap, MemUnmap, options.get()));
  if (!tif)
    return Fail(error, ErrCorrupt);

  char message[1024] = {0};
  if (!TIFFRGBAImageOK(tif.get(), message))
    return Fail(error, ErrUnsupported);
  TIFFRGBAImage img;
  std::memset(&img, 0, sizeof img);
  if (!TIFFRGBAImageBegin(&img, tif.get(), 0, message))
    return Fail(error, ErrCorrupt);
  std::unique_ptr<TIFFRGBAImage, TRGBAImageEnd> guard(&img);
  img.req_orientation = ORIENTATION_TOPLEFT;

  const uint32_t w = img.width, h = img.height;
  const bool alpha = img.alpha != 0;
  // Even a blank fax page costs about a bit per row: a few bytes cannot
  // claim a huge picture.
  if (!AllocateImage(bmp, w, h, alpha, error, 1.0 / 16384, size))
    return false;

  // Decode in bands of whole strips or tiles so that the extra buffer stays
  // small beside the raster.
  uint32_t band = 0;
  if (TIFFIsTiled(tif.get()))
    TIFFGetField(tif.get(), TIFFTAG_TILELENGTH, &band);
  else
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_ROWSPERSTRIP, &band);
  band = std::clamp<uint32_t>(band, 64, h);
  if (uint64_t(band) * w > (uint64_t(64) << 20))
    band = std::max<uint32_t>(1, uint32_t((uint64_t(64) << 20) / w));
  std::vector<uint32_t> buffer;
  try {
    buffer.resize(size_t(w) * band);
  } catch (const std::bad_alloc &) {
    return Fail(error, ErrMemory);
  }

  for (uint32_t y = 0; y < h; y += band) {
    uint32_t rows = std::min(band, h - y);
    img.row_offset = int(y);
    img.col_offset = 0;
    if (!TIFFRGBAImageGet(&img, buffer.data(), w, rows))
      return Fail(error, ErrCorrupt);
    for (uint32_t r = 0; r < rows; ++r) {
      uint8_t *out = bmp.ScanLine(int(y + r));
      const uint32_t *src = buffer.data() + size_t(r) * w;
      for (uint32_t x = 0; x < w; ++x) {
        uint32_t p = src[x];
        uint32_t r = TIFFGetR(p), g = TIFFGetG(p), b = TIFFGetB(p), a = TIFFGetA(p);
        if (alpha) {
          // libtiff hands out premultiplied colours; the raster keeps plain
          // ones beside the alpha byte.
          if (a != 0 && a != 255) {
            r = std::min<uint32_t>(255, (r * 255 + a / 2) / a);
            g = std::min<uint32_t>(255, (g * 255 + a / 2) / a);
            b = std::min<uint32_t>(255, (b * 255 + a / 2) / a);
          }
          PutRGBA(out, int(x), uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a));
        } else {
          PutRGB(out, int(x), uint8_t(r), uint8_t(g), uint8_t(b));
        }
      }
    }
  }
  return true;
}

std::unique_ptr<TImportReader> NewTiffReader() {
  return std::make_unique<TTiffReader>();
}

} // namespace tessaro
