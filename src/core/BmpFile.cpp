#include "core/BmpFile.h"

#include "core/ByteOrder.h"
#include "core/FileUtil.h"
#include "core/Parallel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace tessaro {

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
// Largest raster a file may claim (pixels); beyond it the load is refused.
constexpr uint64_t MaxBmpPixels = uint64_t(1) << 28;

bool Fail(std::string *error, const char *text) {
  if (error)
    *error = text;
  return false;
}

// What the headers say about the pixels.
struct TDibInfo {
  uint32_t HeaderSize = 0;
  int Width = 0;
  int Height = 0;
  bool TopDown = false;
  int BitCount = 0;
  uint32_t Compression = BI_RGB;
  uint32_t Masks[4] = {0, 0, 0, 0};
  TPalette Palette;
  TPixelFormat Format = pf24bit;
};

// Channel extraction for arbitrary bit-field masks.
struct TMaskChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;
  explicit TMaskChannel(uint32_t m) : Mask(m) {
    if (!m)
      return;
    while (!((m >> Shift) & 1))
      ++Shift;
    while (Shift + Bits < 32 && ((m >> (Shift + Bits)) & 1))
      ++Bits;
  }
  uint8_t Get(uint32_t v) const {
    if (!Bits)
      return 0;
    uint32_t c = (v & Mask) >> Shift;
    if (Bits >= 8)
      return uint8_t(c >> (Bits - 8));
    // Replicate the bits to fill eight.
    uint32_t out = 0;
    int have = 0;
    while (have < 8) {
      out = (out << Bits) | c;
      have += Bits;
    }
    return uint8_t(out >> (have - 8));
  }
};

// Parses the info header (and the colour table) of a DIB that starts at
// `dib` with `size` bytes available. paletteEnd limits the colour table (the
// pixel data offset of a file), 0 for none.
bool ParseInfo(const uint8_t *dib, size_t size, size_t paletteLimit, TDibInfo &info, size_t &headerEnd,
               std::string *error) {
  if (size < 12)
    return Fail(error, "Die Bitmap-Datei ist unvollständig.");
  info.HeaderSize = Le32(dib);
  size_t pos;
  bool core = info.HeaderSize == 12;
  if (core) {
    info.Width = Le16(dib + 4);
    info.Height = int16_t(Le16(dib + 6));
    if (Le16(dib + 8) != 1 && Le16(dib + 8) != 0)
      return Fail(error, "Ungültiger Bitmap-Kopf.");
    info.BitCount = Le16(dib + 10);
    pos = 12;
  } else {
    // The header kinds that exist: OS/2 2.x (16..64), info, V2, V3, V4, V5.
    static const uint32_t sizes[] = {16, 20, 24, 32, 36, 40, 52, 56, 64, 108, 124};
    if (std::find(std::begin(sizes), std::end(sizes), info.HeaderSize) == std::end(sizes))
      return Fail(error, "Ungültiger Bitmap-Kopf.");
    if (size < info.HeaderSize)
      return Fail(error, "Die Bitmap-Datei ist unvollständig.");
    info.Width = LeS32(dib + 4);
    info.Height = LeS32(dib + 8);
    info.BitCount = Le16(dib + 14);
    info.Compression = info.HeaderSize >= 20 ? Le32(dib + 16) : BI_RGB;
    pos = info.HeaderSize;
    if (info.HeaderSize == 64 && info.Compression == 3)
      return Fail(error, "Diese Kompression wird nicht unterstützt.");
  }
  if (!core && Le16(dib + 12) != 1)
    return Fail(error, "Ungültiger Bitmap-Kopf.");
  if (info.Height < 0) {
    if (info.Height == INT32_MIN)
      return Fail(error, "Ungültige Bildhöhe.");
    info.Height = -info.Height;
    info.TopDown = true;
  }
  if (info.Width <= 0 || info.Height <= 0)
    return Fail(error, "Ungültige Bildgröße.");
  if (uint64_t(info.Width) * uint64_t(info.Height) > MaxBmpPixels)
    return Fail(error, "Das Bild ist zu groß.");

  switch (info.BitCount) {
  case 1:
  case 2:
  case 4:
  case 8:
  case 16:
  case 24:
  case 32:
    break;
  default:
    return Fail(error, "Diese Farbtiefe wird nicht unterstützt.");
  }
  switch (info.Compression) {
  case BI_RGB:
    break;
  case BI_RLE8:
  case BI_RLE4:
    // Compressed bitmaps are always stored bottom-up.
    if (info.BitCount != (info.Compression == BI_RLE8 ? 8 : 4) || info.TopDown)
      return Fail(error, "Ungültige Kompression.");
    break;
  case BI_BITFIELDS:
  case BI_ALPHABITFIELDS:
    if (info.BitCount != 16 && info.BitCount != 32)
      return Fail(error, "Ungültige Kompression.");
    break;
  default:
    return Fail(error, "Diese Kompression wird nicht unterstützt.");
  }

  // Bit-field masks: inside V2+ headers, else after a 40-byte header.
  if (info.Compression == BI_BITFIELDS || info.Compression == BI_ALPHABITFIELDS) {
    int count = info.Compression == BI_ALPHABITFIELDS ? 4 : 3;
    size_t at = 40;
    if (info.HeaderSize >= 52) {
      at = 40;
    } else {
      at = pos;
      pos += size_t(count) * 4;
    }
    if (at + size_t(count) * 4 > size)
      return Fail(error, "Die Bitmap-Datei ist unvollständig.");
    for (int i = 0; i < count; ++i)
      info.Masks[i] = Le32(dib + at + 4 * i);
    if (info.HeaderSize >= 56)
      info.Masks[3] = Le32(dib + 52);
  } else if (info.BitCount == 16) {
    info.Masks[0] = 0x7C00;
    info.Masks[1] = 0x03E0;
    info.Masks[2] = 0x001F;
  } else if (info.BitCount == 32) {
    info.Masks[0] = 0xFF0000;
    info.Masks[1] = 0xFF00;
    info.Masks[2] = 0xFF;
  }

  // Colour table.
  if (info.BitCount <= 8) {
    size_t maxEntries = size_t(1) << info.BitCount;
    uint32_t used = (!core && info.HeaderSize >= 36) ? Le32(dib + 32) : 0;
    size_t entries = used == 0 ? maxEntries : std::min<size_t>(used, maxEntries);
    size_t entrySize = core ? 3 : 4;
    size_t limit = size;
    if (paletteLimit > 0 && paletteLimit >= pos)
      limit = std::min(limit, paletteLimit);
    if (limit < pos)
      return Fail(error, "Die Bitmap-Datei ist unvollständig.");
    entries = std::min(entries, (limit - pos) / entrySize);
    if (entries == 0)
      return Fail(error, "Die Farbtabelle fehlt.");
    info.Palette.resize(entries);
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t *e = dib + pos + i * entrySize;
      info.Palette[i] = TRGBQuad{e[0], e[1], e[2], 0};
    }
    pos += entries * entrySize;
  } else if (!core && info.HeaderSize >= 36) {
    // A colour table may follow for deep formats too; it is skipped.
    uint32_t used = Le32(dib + 32);
    if (used <= 256)
      pos += size_t(used) * 4;
  }
  headerEnd = pos;

  switch (info.BitCount) {
  case 1:
    info.Format = pf1bit;
    break;
  case 2:
  case 4:
    info.Format = pf4bit;
    break;
  case 8:
    info.Format = pf8bit;
    break;
  case 16:
    if (info.Masks[0] == 0x7C00 && info.Masks[1] == 0x03E0 && info.Masks[2] == 0x001F)
      info.Format = pf15bit;
    else if (info.Masks[0] == 0xF800 && info.Masks[1] == 0x07E0 && info.Masks[2] == 0x001F)
      info.Format = pf16bit;
    else
      info.Format = pf24bit;
    break;
  case 24:
    info.Format = pf24bit;
    break;
  default:
    info.Format = pf32bit;
  }
  return true;
}

size_t FileRowBytes(const TDibInfo &info) {
  return ((uint64_t(info.Width) * info.BitCount + 31) / 32) * 4;
}

// True when the file rows have the raster's own layout.
bool DirectLayout(const TDibInfo &info) {
  if (info.Compression == BI_RLE8 || info.Compression == BI_RLE4 || info.BitCount == 2)
    return false;
  if (info.BitCount == 16)
    return info.Format == pf15bit || info.Format == pf16bit;
  if (info.BitCount == 32)
    return info.Masks[0] == 0xFF0000 && info.Masks[1] == 0xFF00 && info.Masks[2] == 0xFF;
  return true;
}

void Prepare(const TDibInfo &info, TBitmap &bmp, bool zero) {
  bmp.Allocate(info.Width, info.Height, info.Format, zero);
  if (IsPaletteFormat(info.Format))
    bmp.SetPalette(info.Palette);
}

// Converts one file row of a format without direct layout.
void ConvertRow(const TDibInfo &info, const uint8_t *src, uint8_t *dst) {
  int w = info.Width;
  if (info.BitCount == 2) {
    for (int x = 0; x < w; ++x) {
      uint8_t v = (src[x >> 2] >> (6 - 2 * (x & 3))) & 3;
      if (x & 1)
        dst[x >> 1] = uint8_t((dst[x >> 1] & 0xF0) | v);
      else
        dst[x >> 1] = uint8_t((dst[x >> 1] & 0x0F) | (v << 4));
    }
    return;
  }
  TMaskChannel r(info.Masks[0]), g(info.Masks[1]), b(info.Masks[2]), a(info.Masks[3]);
  for (int x = 0; x < w; ++x) {
    uint32_t v = info.BitCount == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
    if (info.Format == pf32bit) {
      dst[4 * x] = b.Get(v);
      dst[4 * x + 1] = g.Get(v);
      dst[4 * x + 2] = r.Get(v);
      dst[4 * x + 3] = info.Masks[3] ? a.Get(v) : 0xFF;
    } else {
      dst[3 * x] = b.Get(v);
      dst[3 * x + 1] = g.Get(v);
      dst[3 * x + 2] = r.Get(v);
    }
  }
}

// Run-length decoding of RLE8 / RLE4 into the (freshly zeroed) raster. Every
// escape is checked against the data left and the raster bounds.
bool DecodeRle(const TDibInfo &info, const uint8_t *data, size_t size, TBitmap &bmp, std::string *error) {
  bool four = info.Compression == BI_RLE4;
  int x = 0, line = 0; // line counts from the bottom of the picture
  size_t p = 0;
  // A run that leaves the raster marks the data as broken.
  bool outside = false;
  auto put = [&](int px, uint8_t v) {
    if (px < 0 || px >= info.Width || line >= info.Height) {
      outside = true;
      return;
    }
    bmp.SetStored(px, info.Height - 1 - line, v);
  };
  while (p + 1 < size) {
    uint8_t count = data[p], value = data[p + 1];
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i, ++x)
        put(x, four ? uint8_t((i & 1) ? (value & 15) : (value >> 4)) : value);
    } else if (value == 0) { // end of line
      x = 0;
      ++line;
    } else if (value == 1) { // end of bitmap
      return true;
    } else if (value == 2) { // delta
      if (p + 1 >= size)
        break;
      x += data[p];
      line += data[p + 1];
      p += 2;
      if (x > info.Width || line > info.Height)
        outside = true;
    } else { // absolute run
      int n = value;
      size_t bytes = four ? (size_t(n) + 1) / 2 : size_t(n);
      if (p + bytes > size)
        return Fail(error, "Die komprimierten Bilddaten sind fehlerhaft.");
      for (int i = 0; i < n; ++i, ++x) {
        uint8_t v = four ? uint8_t((i & 1) ? (data[p + i / 2] & 15) : (data[p + i / 2] >> 4)) : data[p + i];
        put(x, v);
      }
      p += (bytes + 1) & ~size_t(1);
    }
    if (outside)
      return Fail(error, "Die komprimierten Bilddaten sind fehlerhaft.");
    if (line >= info.Height)
      return true;
  }
  // Data ended without an end-of-bitmap code: keep what was decoded, as
  // other readers do.
  return true;
}

// Decodes the pixel data of a parsed DIB held in memory.
bool DecodePixels(const TDibInfo &info, const uint8_t *data, size_t size, TBitmap &out, std::string *error) {
  TBitmap bmp;
  bool rle = info.Compression == BI_RLE8 || info.Compression == BI_RLE4;
  size_t rowBytes = FileRowBytes(info);
  // The last row need not be padded.
  size_t lastRow = (uint64_t(info.Width) * info.BitCount + 7) / 8;
  if (!rle && uint64_t(rowBytes) * (info.Height - 1) + lastRow > size)
    return Fail(error, "Die Bitmap-Datei ist unvollständig.");
  // Skipped pixels of compressed data are index 0; 2-bit rows are merged.
  Prepare(info, bmp, rle || info.BitCount == 2);
  if (rle) {
    if (!DecodeRle(info, data, size, bmp, error))
      return false;
  } else {
    // Rows are independent of each other: they are shared among threads.
    bool direct = DirectLayout(info);
    ParallelFor(0, info.Height, ThreadsFor(int64_t(info.Width) * info.Height), [&](int l0, int l1) {
      for (int line = l0; line < l1; ++line) {
        int y = info.TopDown ? line : info.Height - 1 - line;
        const uint8_t *src = data + size_t(line) * rowBytes;
        size_t n = std::min(rowBytes, size - size_t(line) * rowBytes);
        if (direct)
          std::memcpy(bmp.ScanLine(y), src, std::min(n, bmp.RowBytes()));
        else
          ConvertRow(info, src, bmp.ScanLine(y));
      }
    });
  }
  out.AssignMove(std::move(bmp));
  return true;
}

} // namespace

bool ReadDib(const uint8_t *data, size_t size, TBitmap &bmp, std::string *error) {
  try {
    TDibInfo info;
    size_t headerEnd = 0;
    if (!ParseInfo(data, size, 0, info, headerEnd, error))
      return false;
    if (headerEnd > size)
      return Fail(error, "Die Bitmap-Datei ist unvollständig.");
    return DecodePixels(info, data + headerEnd, size - headerEnd, bmp, error);
  } catch (const std::bad_alloc &) {
    return Fail(error, "Nicht genügend Speicher für das Bild.");
  }
}

bool ReadBmp(const uint8_t *data, size_t size, TBitmap &bmp, std::string *error) {
  try {
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
      return Fail(error, "Die Datei ist keine Windows-Bitmap.");
    uint32_t offBits = Le32(data + 10);
    TDibInfo info;
    size_t headerEnd = 0;
    size_t paletteLimit = offBits > 14 ? offBits - 14 : 0;
    if (!ParseInfo(data + 14, size - 14, paletteLimit, info, headerEnd, error))
      return false;
    size_t pixels = 14 + headerEnd;
    // A zero or impossible offset: the pixels follow the colour table.
    if (offBits >= pixels && offBits < size)
      pixels = offBits;
    if (pixels >= size)
      return Fail(error, "Die Bitmap-Datei ist unvollständig.");
    return DecodePixels(info, data + pixels, size - pixels, bmp, error);
  } catch (const std::bad_alloc &) {
    return Fail(error, "Nicht genügend Speicher für das Bild.");
  }
}

bool LoadBmpFile(const std::string &path, TBitmap &bmp, std::string *error) {
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f)
    return Fail(error, "Die Datei kann nicht geöffnet werden.");
  struct TCloser {
    FILE *F;
    ~TCloser() { std::fclose(F); }
  } closer{f};
  if (std::fseek(f, 0, SEEK_END) != 0)
    return Fail(error, "Die Datei kann nicht gelesen werden.");
  long fileSize = std::ftell(f);
  std::rewind(f);
  if (fileSize < 0)
    return Fail(error, "Die Datei kann nicht gelesen werden.");
  // The headers and the colour table lie in the first kilobytes.
  std::vector<uint8_t> head(size_t(std::min<long>(fileSize, 64 * 1024)));
  if (std::fread(head.data(), 1, head.size(), f) != head.size())
    return Fail(error, "Die Datei kann nicht gelesen werden.");
  try {
    if (head.size() >= 26 && head[0] == 'B' && head[1] == 'M') {
      uint32_t offBits = Le32(head.data() + 10);
      TDibInfo info;
      size_t headerEnd = 0;
      size_t paletteLimit = offBits > 14 ? offBits - 14 : 0;
      if (ParseInfo(head.data() + 14, head.size() - 14, paletteLimit, info, headerEnd, nullptr) &&
          DirectLayout(info) && offBits >= 14 + headerEnd &&
          uint64_t(offBits) + uint64_t(FileRowBytes(info)) * info.Height <= uint64_t(fileSize)) {
        // Rows go straight from the file into the raster.
        TBitmap tmp;
        Prepare(info, tmp, false);
        if (std::fseek(f, long(offBits), SEEK_SET) != 0)
          return Fail(error, "Die Datei kann nicht gelesen werden.");
        size_t rowBytes = FileRowBytes(info);
        for (int line = 0; line < info.Height; ++line) {
          int y = info.TopDown ? line : info.Height - 1 - line;
          if (std::fread(tmp.ScanLine(y), 1, rowBytes, f) != rowBytes)
            return Fail(error, "Die Datei kann nicht gelesen werden.");
        }
        bmp.AssignMove(std::move(tmp));
        return true;
      }
    }
  } catch (const std::bad_alloc &) {
    return Fail(error, "Nicht genügend Speicher für das Bild.");
  }
  std::vector<uint8_t> all;
  if (!ReadWholeFile(path, all, error))
    return false;
  return ReadBmp(all.data(), all.size(), bmp, error);
}

namespace {

// Info header and colour table of bmp; pixel bytes follow.
void AppendInfo(std::vector<uint8_t> &out, const TBitmap &bmp) {
  TPixelFormat pf = bmp.PixelFormat();
  int bits = BitsPerPixel(pf);
  bool fields = pf == pf16bit;
  size_t paletteEntries = IsPaletteFormat(pf) ? bmp.Palette().size() : 0;
  PutLe32(out, 40);
  PutLe32(out, uint32_t(bmp.Width()));
  PutLe32(out, uint32_t(bmp.Height()));
  PutLe16(out, 1);
  PutLe16(out, uint16_t(bits));
  PutLe32(out, fields ? BI_BITFIELDS : BI_RGB);
  PutLe32(out, uint32_t(bmp.ImageBytes()));
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, uint32_t(paletteEntries == (size_t(1) << bits) ? 0 : paletteEntries));
  PutLe32(out, 0);
  if (fields) {
    PutLe32(out, 0xF800);
    PutLe32(out, 0x07E0);
    PutLe32(out, 0x001F);
  }
  for (size_t i = 0; i < paletteEntries; ++i) {
    const TRGBQuad &q = bmp.Palette()[i];
    out.push_back(q.rgbBlue);
    out.push_back(q.rgbGreen);
    out.push_back(q.rgbRed);
    out.push_back(0);
  }
}

std::vector<uint8_t> FileHeader(const TBitmap &bmp, size_t infoSize) {
  std::vector<uint8_t> h;
  uint32_t off = uint32_t(14 + infoSize);
  h.push_back('B');
  h.push_back('M');
  PutLe32(h, uint32_t(off + bmp.ImageBytes()));
  PutLe32(h, 0);
  PutLe32(h, off);
  return h;
}

} // namespace

std::vector<uint8_t> EncodeDib(const TBitmap &bmp) {
  std::vector<uint8_t> out;
  AppendInfo(out, bmp);
  size_t start = out.size();
  out.resize(start + bmp.ImageBytes());
  for (int line = 0; line < bmp.Height(); ++line)
    std::memcpy(out.data() + start + size_t(line) * bmp.RowBytes(), bmp.ScanLine(bmp.Height() - 1 - line),
                bmp.RowBytes());
  return out;
}

std::vector<uint8_t> EncodeBmp(const TBitmap &bmp) {
  std::vector<uint8_t> dib = EncodeDib(bmp);
  std::vector<uint8_t> info;
  AppendInfo(info, bmp);
  std::vector<uint8_t> out = FileHeader(bmp, info.size());
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

bool SaveBmpFile(const TBitmap &bmp, const std::string &path, std::string *error) {
  if (bmp.Empty())
    return Fail(error, "Ein leeres Bild kann nicht gespeichert werden.");
  std::vector<uint8_t> info;
  AppendInfo(info, bmp);
  std::vector<uint8_t> header = FileHeader(bmp, info.size());
  return WriteFileAtomically(
      path,
      [&](FILE *f) {
        if (std::fwrite(header.data(), 1, header.size(), f) != header.size() ||
            std::fwrite(info.data(), 1, info.size(), f) != info.size())
          return false;
        for (int line = 0; line < bmp.Height(); ++line)
          if (std::fwrite(bmp.ScanLine(bmp.Height() - 1 - line), 1, bmp.RowBytes(), f) != bmp.RowBytes())
            return false;
        return true;
      },
      error);
}

bool ReadBmpHeader(const std::string &path, TBmpHeaderInfo &info) {
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f)
    return false;
  uint8_t h[54] = {};
  size_t n = std::fread(h, 1, sizeof h, f);
  std::fclose(f);
  if (n < 54 || h[0] != 'B' || h[1] != 'M')
    return false;
  const uint8_t *i = h + 14;
  info.FileSize = Le32(h + 2);
  info.Width = LeS32(i + 4);
  info.Height = LeS32(i + 8);
  info.Planes = Le16(i + 12);
  info.BitCount = Le16(i + 14);
  info.Compression = Le32(i + 16);
  info.ImageSize = Le32(i + 20);
  info.XPelsPerMeter = LeS32(i + 24);
  info.YPelsPerMeter = LeS32(i + 28);
  info.ClrUsed = Le32(i + 32);
  return true;
}

} // namespace tessaro
