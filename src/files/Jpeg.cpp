// JPEG through the IJG libjpeg API. Library errors return here through
// longjmp from our error_exit, so a broken file never ends the process. The
// functions that call setjmp hold no objects with destructors.
#include "core/Palettes.h"
#include "files/ImageCodecs.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
// clang-format off
#include <jerror.h>
// clang-format on
#include <new>

namespace tessaro {

namespace {

struct TJpegError {
  jpeg_error_mgr Pub;
  jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
  auto *err = reinterpret_cast<TJpegError *>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

// Warnings are quiet, except a file that ends early: that is an error here,
// not a picture padded with grey.
void JpegEmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
    JpegErrorExit(cinfo);
}

// Hostile progressive files can hold thousands of tiny scans; give up early.
void JpegProgress(j_common_ptr cinfo) {
  if (cinfo->is_decompressor) {
    auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > 1000) {
      auto *err = reinterpret_cast<TJpegError *>(cinfo->err);
      std::snprintf(err->Message, sizeof err->Message, "too many scans");
      std::longjmp(err->Jump, 1);
    }
  }
}

void InstallErrorHandler(jpeg_common_struct *cinfo, TJpegError &err) {
  cinfo->err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = JpegErrorExit;
  err.Pub.emit_message = JpegEmitMessage;
  err.Message[0] = 0;
}

enum class TStep { Ok, LibError, TooLarge, AllocFailed };

// Phase 1: header. Returns the step result; fills the output geometry.
TStep JpegReadHeader(jpeg_decompress_struct *cinfo, TJpegError *err, const uint8_t *data, size_t size) {
  if (setjmp(err->Jump))
    return TStep::LibError;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  if (!PixelCountAcceptable(cinfo->image_width, cinfo->image_height))
    return TStep::TooLarge;
  cinfo->mem->max_memory_to_use = long(1) << 30;
  switch (cinfo->jpeg_color_space) {
  case JCS_GRAYSCALE:
    cinfo->out_color_space = JCS_GRAYSCALE;
    break;
  case JCS_CMYK:
  case JCS_YCCK:
    cinfo->out_color_space = JCS_CMYK;
    break;
  default:
    cinfo->out_color_space = JCS_EXT_BGR;
    break;
  }
  jpeg_start_decompress(cinfo);
  return TStep::Ok;
}

// Phase 2: the rows, straight into the raster (CMYK through one row buffer).
TStep JpegReadRows(jpeg_decompress_struct *cinfo, TJpegError *err, TBitmap *bmp, uint8_t *rowBuffer) {
  if (setjmp(err->Jump))
    return TStep::LibError;
  bool cmyk = cinfo->out_color_space == JCS_CMYK;
  // Photoshop writes CMYK inverted and says so in its Adobe marker.
  bool inverted = cmyk && cinfo->saw_Adobe_marker;
  while (cinfo->output_scanline < cinfo->output_height) {
    int y = int(cinfo->output_scanline);
    JSAMPROW row = cmyk ? rowBuffer : bmp->ScanLine(y);
    jpeg_read_scanlines(cinfo, &row, 1);
    if (cmyk) {
      uint8_t *d = bmp->ScanLine(y);
      const uint8_t *s = rowBuffer;
      for (JDIMENSION x = 0; x < cinfo->output_width; ++x, s += 4, d += 3) {
        unsigned c = s[0], m = s[1], ye = s[2], k = s[3];
        if (!inverted) {
          c = 255 - c;
          m = 255 - m;
          ye = 255 - ye;
          k = 255 - k;
        }
        d[2] = uint8_t((c * k + 127) / 255);
        d[1] = uint8_t((m * k + 127) / 255);
        d[0] = uint8_t((ye * k + 127) / 255);
      }
    }
  }
  jpeg_finish_decompress(cinfo);
  return TStep::Ok;
}

TStep JpegWrite(jpeg_compress_struct *cinfo, TJpegError *err, const TBitmap *bmp, bool grey, bool expand,
                const uint8_t *lut, int quality, bool progressive, uint8_t *rowBuffer, unsigned char **outBuf,
                unsigned long *outSize) {
  if (setjmp(err->Jump))
    return TStep::LibError;
  jpeg_mem_dest(cinfo, outBuf, outSize);
  cinfo->image_width = JDIMENSION(bmp->Width());
  cinfo->image_height = JDIMENSION(bmp->Height());
  cinfo->input_components = grey ? 1 : 3;
  cinfo->in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality < 1 ? 1 : quality, TRUE);
  if (progressive)
    jpeg_simple_progression(cinfo);
  jpeg_start_compress(cinfo, TRUE);
  const TPalette &pal = bmp->Palette();
  while (cinfo->next_scanline < cinfo->image_height) {
    int y = int(cinfo->next_scanline);
    const uint8_t *src = bmp->ScanLine(y);
    JSAMPROW row = const_cast<JSAMPROW>(src);
    if (grey) {
      for (int x = 0; x < bmp->Width(); ++x)
        rowBuffer[x] = lut[src[x]];
      row = rowBuffer;
    } else if (expand) {
      uint8_t *d = rowBuffer;
      for (int x = 0; x < bmp->Width(); ++x, d += 3) {
        TRGBQuad q = src[x] < pal.size() ? pal[src[x]] : TRGBQuad{};
        d[0] = q.rgbBlue;
        d[1] = q.rgbGreen;
        d[2] = q.rgbRed;
      }
      row = rowBuffer;
    }
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return TStep::Ok;
}

} // namespace

bool IsJpegData(const uint8_t *data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool ReadJpeg(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (!IsJpegData(data, size)) {
    error = "Die Datei ist kein JPEG-Bild.";
    return false;
  }
  jpeg_decompress_struct cinfo;
  TJpegError err;
  std::memset(&cinfo, 0, sizeof cinfo);
  InstallErrorHandler(reinterpret_cast<jpeg_common_struct *>(&cinfo), err);
  jpeg_progress_mgr progress{};
  progress.progress_monitor = JpegProgress;
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &progress;
  std::vector<uint8_t> rowBuffer;
  TStep step = JpegReadHeader(&cinfo, &err, data, size);
  if (step == TStep::Ok) {
    try {
      bool grey = cinfo.out_color_space == JCS_GRAYSCALE;
      bmp.Allocate(int(cinfo.output_width), int(cinfo.output_height), grey ? pf8bit : pf24bit);
      if (grey)
        bmp.SetPalette(GrayPalette(256));
      if (cinfo.out_color_space == JCS_CMYK)
        rowBuffer.resize(size_t(cinfo.output_width) * 4);
    } catch (const std::bad_alloc &) {
      step = TStep::AllocFailed;
    }
  }
  if (step == TStep::Ok)
    step = JpegReadRows(&cinfo, &err, &bmp, rowBuffer.data());
  jpeg_destroy_decompress(&cinfo);
  switch (step) {
  case TStep::Ok:
    bmp.Changed();
    return true;
  case TStep::TooLarge:
    error = "Das JPEG-Bild ist zu groß.";
    break;
  case TStep::AllocFailed:
    error = "Nicht genug Speicher für das JPEG-Bild.";
    break;
  case TStep::LibError:
    error = std::string("Fehler im JPEG-Bild: ") + err.Message;
    break;
  }
  return false;
}

bool EncodeJpeg(const TBitmap &bmp, int quality, bool progressive, std::vector<uint8_t> &out,
                std::string &error) {
  if (bmp.Empty()) {
    error = "Ein leeres Bild kann nicht als JPEG gespeichert werden.";
    return false;
  }
  bool grey = false, expand = false;
  uint8_t lut[256] = {};
  if (bmp.PixelFormat() == pf8bit) {
    // A grey palette gives a greyscale JPEG; a colour palette is written as
    // colour, entry by entry.
    const TPalette &pal = bmp.Palette();
    grey = !pal.empty();
    for (size_t i = 0; i < pal.size(); ++i) {
      grey = grey && pal[i].rgbRed == pal[i].rgbGreen && pal[i].rgbGreen == pal[i].rgbBlue;
      lut[i] = pal[i].rgbRed;
    }
    expand = !grey;
  } else if (bmp.PixelFormat() != pf24bit) {
    error = "Nur 8- und 24-Bit-Bilder können als JPEG gespeichert werden.";
    return false;
  }
  std::vector<uint8_t> rowBuffer(size_t(bmp.Width()) * 3);
  jpeg_compress_struct cinfo;
  TJpegError err;
  std::memset(&cinfo, 0, sizeof cinfo);
  InstallErrorHandler(reinterpret_cast<jpeg_common_struct *>(&cinfo), err);
  jpeg_create_compress(&cinfo);
  unsigned char *buf = nullptr;
  unsigned long bufSize = 0;
  TStep step = JpegWrite(&cinfo, &err, &bmp, grey, expand, lut, quality > 100 ? 100 : quality, progressive,
                         rowBuffer.data(), &buf, &bufSize);
  jpeg_destroy_compress(&cinfo);
  bool ok = step == TStep::Ok && buf;
  if (ok) {
    try {
      out.assign(buf, buf + bufSize);
    } catch (const std::bad_alloc &) {
      ok = false;
      std::snprintf(err.Message, sizeof err.Message, "out of memory");
    }
  }
  std::free(buf);
  if (!ok)
    error = std::string("Fehler beim Schreiben des JPEG-Bildes: ") + err.Message;
  return ok;
}

} // namespace tessaro
