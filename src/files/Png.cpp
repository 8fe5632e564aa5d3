// PNG through libpng. Library errors return through png_error's longjmp to
// the functions below that call setjmp; those hold no objects with
// destructors, everything they fill is owned by their callers.
#include "core/ByteOrder.h"
#include "core/Palettes.h"
#include "core/Parallel.h"
#include "files/ImageCodecs.h"

#include <cstring>
#include <new>
#include <png.h>

namespace tessaro {

namespace {

struct TMemReader {
  const uint8_t *Data;
  size_t Size;
  size_t Pos;
};

void PngReadFn(png_structp png, png_bytep out, png_size_t n) {
  auto *r = static_cast<TMemReader *>(png_get_io_ptr(png));
  if (n > r->Size - r->Pos)
    png_error(png, "Die Datei ist unvollständig");
  std::memcpy(out, r->Data + r->Pos, n);
  r->Pos += n;
}

struct TMemWriter {
  std::vector<uint8_t> *Out;
};

void PngWriteFn(png_structp png, png_bytep data, png_size_t n) {
  auto *w = static_cast<TMemWriter *>(png_get_io_ptr(png));
  bool failed = false;
  try {
    w->Out->insert(w->Out->end(), data, data + n);
  } catch (const std::bad_alloc &) {
    failed = true;
  }
  if (failed)
    png_error(png, "Nicht genug Speicher");
}

void PngFlushFn(png_structp) {}

void PngErrorFn(png_structp png, png_const_charp msg) {
  auto *text = static_cast<std::string *>(png_get_error_ptr(png));
  // Only called from within the library; a failed assign would be worse
  // than a lost message, so the text is copied into a fixed buffer first.
  char buf[256];
  std::snprintf(buf, sizeof buf, "%s", msg ? msg : "");
  try {
    *text = buf;
  } catch (...) {
  }
  png_longjmp(png, 1);
}

void PngWarningFn(png_structp, png_const_charp) {}

struct TPngInfo {
  png_uint_32 Width = 0, Height = 0;
  int BitDepth = 0, ColorType = 0, Interlace = 0;
  TPixelFormat Format = pf24bit;
  int PaletteCount = 0;
  png_color Palette[256];
  bool Unpack2 = false; // 2-bit palette: read as bytes, packed into nibbles
};

enum class TStep { Ok, LibError, TooLarge };

TStep PngReadHeader(png_structp png, png_infop info, TMemReader *reader, TPngInfo *pi) {
  if (setjmp(png_jmpbuf(png)))
    return TStep::LibError;
  png_set_read_fn(png, reader, PngReadFn);
  png_set_user_limits(png, 0x7FFFFFF, 0x7FFFFFF);
  png_read_info(png, info);
  png_get_IHDR(png, info, &pi->Width, &pi->Height, &pi->BitDepth, &pi->ColorType, &pi->Interlace, nullptr,
               nullptr);
  if (!PixelCountAcceptable(pi->Width, pi->Height))
    return TStep::TooLarge;
  if (pi->BitDepth == 16)
    png_set_strip_16(png);
  switch (pi->ColorType) {
  case PNG_COLOR_TYPE_PALETTE: {
    png_colorp pal = nullptr;
    int n = 0;
    if (png_get_PLTE(png, info, &pal, &n) && pal) {
      pi->PaletteCount = n > 256 ? 256 : n;
      std::memcpy(pi->Palette, pal, sizeof(png_color) * size_t(pi->PaletteCount));
    }
    if (pi->BitDepth == 1) {
      pi->Format = pf1bit;
    } else if (pi->BitDepth == 2) {
      pi->Format = pf4bit;
      pi->Unpack2 = true;
      png_set_packing(png);
    } else if (pi->BitDepth == 4) {
      pi->Format = pf4bit;
    } else {
      pi->Format = pf8bit;
    }
    break;
  }
  case PNG_COLOR_TYPE_GRAY:
    pi->Format = pf8bit;
    if (pi->BitDepth < 8)
      png_set_expand_gray_1_2_4_to_8(png);
    break;
  case PNG_COLOR_TYPE_GRAY_ALPHA:
    pi->Format = pf32bit;
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    break;
  case PNG_COLOR_TYPE_RGB_ALPHA:
    pi->Format = pf32bit;
    png_set_bgr(png);
    break;
  default:
    pi->Format = pf24bit;
    png_set_bgr(png);
    break;
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return TStep::Ok;
}

TStep PngReadRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png)))
    return TStep::LibError;
  png_read_image(png, rows);
  return TStep::Ok;
}

TStep PngWrite(png_structp png, png_infop info, TMemWriter *writer, const TBitmap *bmp, int colorType,
               int bitDepth, png_colorp palette, int paletteCount, bool bgr, bool invertAlpha,
               png_bytepp rows) {
  if (setjmp(png_jmpbuf(png)))
    return TStep::LibError;
  png_set_write_fn(png, writer, PngWriteFn, PngFlushFn);
  png_set_IHDR(png, info, png_uint_32(bmp->Width()), png_uint_32(bmp->Height()), bitDepth, colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (colorType == PNG_COLOR_TYPE_PALETTE)
    png_set_PLTE(png, info, palette, paletteCount);
  if (colorType != PNG_COLOR_TYPE_PALETTE) {
    // Truecolour rasters: a fast deflate level with the Average filter gives
    // files within a few percent of the library's defaults in a fraction of
    // the time (the defaults try every filter on every row).
    png_set_compression_level(png, 2);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_AVG);
  }
  png_write_info(png, info);
  if (bgr)
    png_set_bgr(png);
  if (invertAlpha)
    png_set_invert_alpha(png);
  png_write_image(png, rows);
  png_write_end(png, info);
  return TStep::Ok;
}

} // namespace

bool IsPngData(const uint8_t *data, size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool ReadPng(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (!IsPngData(data, size)) {
    error = "Die Datei ist kein PNG-Bild.";
    return false;
  }
  std::string libError;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &libError, PngErrorFn, PngWarningFn);
  if (!png) {
    error = "Nicht genug Speicher für das PNG-Bild.";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  TMemReader reader{data, size, 0};
  TPngInfo pi;
  std::vector<png_bytep> rows;
  std::vector<uint8_t> bytes; // 2-bit palette images only
  TStep step = info ? PngReadHeader(png, info, &reader, &pi) : TStep::LibError;
  bool allocFailed = false;
  if (step == TStep::Ok) {
    try {
      bmp.Allocate(int(pi.Width), int(pi.Height), pi.Format);
      if (pi.ColorType == PNG_COLOR_TYPE_PALETTE) {
        TPalette pal(size_t(pi.PaletteCount));
        for (int i = 0; i < pi.PaletteCount; ++i)
          pal[size_t(i)] = TRGBQuad{pi.Palette[i].blue, pi.Palette[i].green, pi.Palette[i].red, 0};
        if (pal.empty())
          pal = GrayPalette(1 << (pi.BitDepth > 8 ? 8 : pi.BitDepth));
        bmp.SetPalette(pal);
      } else if (pi.Format == pf8bit) {
        bmp.SetPalette(GrayPalette(256));
      }
      rows.resize(pi.Height);
      if (pi.Unpack2) {
        bytes.resize(size_t(pi.Width) * pi.Height);
        for (png_uint_32 y = 0; y < pi.Height; ++y)
          rows[y] = bytes.data() + size_t(y) * pi.Width;
      } else {
        for (png_uint_32 y = 0; y < pi.Height; ++y)
          rows[y] = bmp.ScanLine(int(y));
      }
    } catch (const std::bad_alloc &) {
      allocFailed = true;
    }
    if (!allocFailed)
      step = PngReadRows(png, rows.data());
  }
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  if (allocFailed) {
    error = "Nicht genug Speicher für das PNG-Bild.";
    return false;
  }
  if (step == TStep::TooLarge) {
    error = "Das PNG-Bild ist zu groß.";
    return false;
  }
  if (step != TStep::Ok) {
    error = "Fehler im PNG-Bild: " + libError;
    return false;
  }
  if (pi.Unpack2) {
    for (png_uint_32 y = 0; y < pi.Height; ++y) {
      const uint8_t *s = rows[y];
      uint8_t *d = bmp.ScanLine(int(y));
      for (png_uint_32 x = 0; x < pi.Width; x += 2)
        d[x / 2] = uint8_t((s[x] << 4) | (x + 1 < pi.Width ? s[x + 1] : 0));
    }
  }
  bmp.Changed();
  return true;
}

bool EncodePng(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error) {
  if (bmp.Empty()) {
    error = "Ein leeres Bild kann nicht als PNG gespeichert werden.";
    return false;
  }
  int colorType = PNG_COLOR_TYPE_RGB, bitDepth = 8;
  bool bgr = true, invertAlpha = false;
  png_color palette[256];
  int paletteCount = 0;
  std::vector<png_bytep> rows(size_t(bmp.Height()));
  std::vector<uint8_t> converted; // 15- and 16-bit rasters as 24 bits
  TPixelFormat pf = bmp.PixelFormat();
  if (IsPaletteFormat(pf)) {
    colorType = PNG_COLOR_TYPE_PALETTE;
    bitDepth = BitsPerPixel(pf);
    const TPalette &pal = bmp.Palette().empty() ? DefaultPalette(pf) : bmp.Palette();
    paletteCount = int(std::min<size_t>(pal.size(), size_t(1) << bitDepth));
    for (int i = 0; i < paletteCount; ++i)
      palette[i] = png_color{pal[size_t(i)].rgbRed, pal[size_t(i)].rgbGreen, pal[size_t(i)].rgbBlue};
  } else if (pf == pf32bit) {
    colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    // A raster whose fourth byte is nowhere set is opaque, not invisible.
    bool anyAlpha = false;
    for (int y = 0; y < bmp.Height() && !anyAlpha; ++y) {
      const uint8_t *s = bmp.ScanLine(y);
      for (int x = 0; x < bmp.Width(); ++x)
        if (s[4 * x + 3]) {
          anyAlpha = true;
          break;
        }
    }
    invertAlpha = !anyAlpha;
  } else if (pf == pf15bit || pf == pf16bit) {
    size_t rowBytes = size_t(bmp.Width()) * 3;
    converted.resize(rowBytes * size_t(bmp.Height()));
    ParallelFor(0, bmp.Height(), ThreadsFor(int64_t(bmp.Width()) * bmp.Height()), [&](int y0, int y1) {
      for (int y = y0; y < y1; ++y) {
        uint8_t *d = converted.data() + rowBytes * size_t(y);
        const uint8_t *s = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x, d += 3) {
          TColor c = bmp.ColorFromStored(Le16(s + 2 * x));
          d[0] = GetBValue(c);
          d[1] = GetGValue(c);
          d[2] = GetRValue(c);
        }
      }
    });
  }
  for (int y = 0; y < bmp.Height(); ++y)
    rows[size_t(y)] = converted.empty() ? const_cast<png_bytep>(bmp.ScanLine(y))
                                        : converted.data() + size_t(bmp.Width()) * 3 * size_t(y);
  if (colorType == PNG_COLOR_TYPE_PALETTE)
    bgr = false;
  std::string libError;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &libError, PngErrorFn, PngWarningFn);
  if (!png) {
    error = "Nicht genug Speicher zum Schreiben des PNG-Bildes.";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  out.clear();
  TMemWriter writer{&out};
  TStep step = info ? PngWrite(png, info, &writer, &bmp, colorType, bitDepth, palette, paletteCount, bgr,
                               invertAlpha, rows.data())
                    : TStep::LibError;
  png_destroy_write_struct(&png, info ? &info : nullptr);
  if (step != TStep::Ok) {
    error = "Fehler beim Schreiben des PNG-Bildes: " + libError;
    return false;
  }
  return true;
}

} // namespace tessaro
