// GIF through giflib 5: the first frame of a file on a raster of the logical
// screen size, and single-frame files written from any raster.
#include "core/Palettes.h"
#include "files/ImageCodecs.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <new>

namespace tessaro {

namespace {

struct TGifInput {
  const uint8_t *Data;
  size_t Size;
  size_t Pos;
};

int GifRead(GifFileType *gif, GifByteType *out, int n) {
  auto *in = static_cast<TGifInput *>(gif->UserData);
  if (n <= 0)
    return 0;
  size_t k = std::min(size_t(n), in->Size - in->Pos);
  std::memcpy(out, in->Data + in->Pos, k);
  in->Pos += k;
  return int(k);
}

int GifWrite(GifFileType *gif, const GifByteType *data, int n) {
  auto *out = static_cast<std::vector<uint8_t> *>(gif->UserData);
  try {
    out->insert(out->end(), data, data + n);
  } catch (const std::bad_alloc &) {
    return 0;
  }
  return n;
}

struct TGifReaderCloser {
  void operator()(GifFileType *g) const {
    int err = 0;
    DGifCloseFile(g, &err);
  }
};
struct TGifWriterCloser {
  void operator()(GifFileType *g) const {
    int err = 0;
    EGifCloseFile(g, &err);
  }
};

std::string GifErrorText(int code) {
  const char *t = GifErrorString(code);
  return t ? t : "unbekannter Fehler";
}

bool ReadFirstFrame(GifFileType *gif, TBitmap &bmp, std::string &error) {
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
      error = "Fehler im GIF-Bild: " + GifErrorText(gif->Error);
      return false;
    }
    if (type == TERMINATE_RECORD_TYPE) {
      error = "Das GIF-Bild enthält kein Einzelbild.";
      return false;
    }
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType *ext = nullptr;
      if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) {
        error = "Fehler im GIF-Bild: " + GifErrorText(gif->Error);
        return false;
      }
      while (ext) {
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) {
          error = "Fehler im GIF-Bild: " + GifErrorText(gif->Error);
          return false;
        }
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE)
      continue;
    if (DGifGetImageDesc(gif) == GIF_ERROR) {
      error = "Fehler im GIF-Bild: " + GifErrorText(gif->Error);
      return false;
    }
    const GifImageDesc &d = gif->Image;
    if (d.Width <= 0 || d.Height <= 0 || d.Left < 0 || d.Top < 0 ||
        !PixelCountAcceptable(uint64_t(d.Width), uint64_t(d.Height))) {
      error = "Das GIF-Bild hat eine ungültige Größe.";
      return false;
    }
    int screenW = gif->SWidth, screenH = gif->SHeight;
    // A screen smaller than the frame (or none) grows to hold it.
    screenW = std::max(screenW, d.Left + d.Width);
    screenH = std::max(screenH, d.Top + d.Height);
    if (!PixelCountAcceptable(uint64_t(screenW), uint64_t(screenH))) {
      error = "Das GIF-Bild ist zu groß.";
      return false;
    }
    const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    TPalette pal;
    if (map && map->ColorCount > 0) {
      pal.resize(size_t(std::min(map->ColorCount, 256)));
      for (size_t i = 0; i < pal.size(); ++i)
        pal[i] = TRGBQuad{map->Colors[i].Blue, map->Colors[i].Green, map->Colors[i].Red, 0};
    } else {
      pal = GrayPalette(256);
    }
    bmp.Allocate(screenW, screenH, pf8bit);
    int background = gif->SBackGroundColor < int(pal.size()) ? gif->SBackGroundColor : 0;
    if (screenW != d.Width || screenH != d.Height)
      for (int y = 0; y < screenH; ++y)
        std::memset(bmp.ScanLine(y), background, size_t(screenW));
    int maxIndex = 0;
    auto readRow = [&](int y) {
      GifPixelType *row = bmp.ScanLine(d.Top + y) + d.Left;
      if (DGifGetLine(gif, row, d.Width) == GIF_ERROR)
        return false;
      for (int x = 0; x < d.Width; ++x)
        maxIndex = std::max(maxIndex, int(row[x]));
      return true;
    };
    bool ok = true;
    if (d.Interlace) {
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4 && ok; ++pass)
        for (int y = start[pass]; y < d.Height && ok; y += step[pass])
          ok = readRow(y);
    } else {
      for (int y = 0; y < d.Height && ok; ++y)
        ok = readRow(y);
    }
    if (!ok) {
      error = "Fehler im GIF-Bild: " + GifErrorText(gif->Error);
      return false;
    }
    // Indices beyond the colour table show as black.
    if (maxIndex >= int(pal.size()))
      pal.resize(256, TRGBQuad{});
    bmp.SetPalette(pal);
    bmp.Changed();
    return true;
  }
}

} // namespace

bool IsGifData(const uint8_t *data, size_t size) {
  return size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0);
}

bool ReadGif(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (!IsGifData(data, size)) {
    error = "Die Datei ist kein GIF-Bild.";
    return false;
  }
  TGifInput input{data, size, 0};
  int err = 0;
  std::unique_ptr<GifFileType, TGifReaderCloser> gif(DGifOpen(&input, GifRead, &err));
  if (!gif) {
    error = "Fehler im GIF-Bild: " + GifErrorText(err);
    return false;
  }
  return ReadFirstFrame(gif.get(), bmp, error);
}

bool EncodeGif(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error) {
  if (bmp.Empty()) {
    error = "Ein leeres Bild kann nicht als GIF gespeichert werden.";
    return false;
  }
  // Palette rasters keep their palette; deeper ones are reduced by the octree.
  TBitmap reduced;
  const TBitmap *src = &bmp;
  TPixelFormat pf = bmp.PixelFormat();
  if (!IsPaletteFormat(pf)) {
    if (pf == pf24bit) {
      reduced = QuantizeTo8Bit(bmp);
    } else {
      TBitmap deep(bmp);
      deep.SetPixelFormat(pf24bit);
      reduced = QuantizeTo8Bit(deep);
    }
    src = &reduced;
    pf = pf8bit;
  }
  TPalette pal = src->Palette().empty() ? DefaultPalette(pf) : src->Palette();
  int bits = 1;
  while ((1 << bits) < int(pal.size()) && bits < 8)
    ++bits;
  if (pal.size() > 256)
    pal.resize(256);
  // Indices a file cannot hold otherwise: the table grows to the format's.
  if (BitsPerPixel(pf) > bits && pf != pf8bit)
    bits = BitsPerPixel(pf);
  std::vector<GifColorType> colors(size_t(1) << bits, GifColorType{0, 0, 0});
  for (size_t i = 0; i < pal.size(); ++i)
    colors[i] = GifColorType{pal[i].rgbRed, pal[i].rgbGreen, pal[i].rgbBlue};
  std::vector<GifPixelType> row(size_t(src->Width()));
  // An 8-bit raster may use indices beyond a short palette: widen the table.
  if (pf == pf8bit) {
    int maxIndex = 0;
    for (int y = 0; y < src->Height(); ++y) {
      const uint8_t *s = src->ScanLine(y);
      maxIndex = std::max(maxIndex, int(*std::max_element(s, s + src->Width())));
    }
    while ((1 << bits) <= maxIndex)
      ++bits;
    colors.resize(size_t(1) << bits, GifColorType{0, 0, 0});
  }
  out.clear();
  int err = 0;
  std::unique_ptr<GifFileType, TGifWriterCloser> gif(EGifOpen(&out, GifWrite, &err));
  if (!gif) {
    error = "Fehler beim Schreiben des GIF-Bildes: " + GifErrorText(err);
    return false;
  }
  std::unique_ptr<ColorMapObject, void (*)(ColorMapObject *)> map(GifMakeMapObject(1 << bits, colors.data()),
                                                                  GifFreeMapObject);
  bool ok = map &&
            EGifPutScreenDesc(gif.get(), src->Width(), src->Height(), bits, 0, map.get()) != GIF_ERROR &&
            EGifPutImageDesc(gif.get(), 0, 0, src->Width(), src->Height(), false, nullptr) != GIF_ERROR;
  for (int y = 0; ok && y < src->Height(); ++y) {
    const uint8_t *s = src->ScanLine(y);
    int w = src->Width();
    if (pf == pf8bit) {
      std::memcpy(row.data(), s, size_t(w));
    } else if (pf == pf4bit) {
      for (int x = 0; x < w; ++x)
        row[size_t(x)] = (x & 1) ? (s[x / 2] & 0x0F) : (s[x / 2] >> 4);
    } else {
      for (int x = 0; x < w; ++x)
        row[size_t(x)] = (s[x / 8] >> (7 - (x & 7))) & 1;
    }
    ok = EGifPutLine(gif.get(), row.data(), w) != GIF_ERROR;
  }
  if (!ok) {
    error = "Fehler beim Schreiben des GIF-Bildes: " + GifErrorText(gif->Error);
    return false;
  }
  int closeErr = 0;
  GifFileType *raw = gif.release();
  if (EGifCloseFile(raw, &closeErr) == GIF_ERROR) {
    error = "Fehler beim Schreiben des GIF-Bildes: " + GifErrorText(closeErr);
    return false;
  }
  return true;
}

} // namespace tessaro
