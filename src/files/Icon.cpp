// Icon files: the largest image of the directory, as a 32-bit raster whose
// fourth byte is the opacity. The colour part is a packed DIB (read by the
// BMP reader) or a PNG; the AND mask after the DIB marks transparent pixels.
#include "core/BmpFile.h"
#include "core/ByteOrder.h"
#include "files/ImageCodecs.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

namespace {

bool ToOpaque32(TBitmap &img) {
  img.SetPixelFormat(pf32bit);
  for (int y = 0; y < img.Height(); ++y) {
    uint8_t *row = img.ScanLine(y);
    for (int x = 0; x < img.Width(); ++x)
      row[4 * x + 3] = 255;
  }
  return true;
}

bool ReadIconDib(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (size < 40) {
    error = "Das Symbol ist unvollständig.";
    return false;
  }
  uint32_t headerSize = Le32(data);
  int32_t width = int32_t(Le32(data + 4));
  int32_t height2 = int32_t(Le32(data + 8));
  uint16_t bits = Le16(data + 14);
  uint32_t compression = Le32(data + 16);
  uint32_t clrUsed = Le32(data + 32);
  if (headerSize < 40 || headerSize > size || width <= 0 || height2 <= 1 || compression != 0 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
    error = "Das Symbol hat ein ungültiges Format.";
    return false;
  }
  int32_t height = height2 / 2;
  if (!PixelCountAcceptable(uint64_t(width), uint64_t(height))) {
    error = "Das Symbol ist zu groß.";
    return false;
  }
  uint64_t paletteEntries = bits <= 8 ? (clrUsed && clrUsed < (1u << bits) ? clrUsed : (1u << bits)) : 0;
  uint64_t xorRow = ((uint64_t(width) * bits + 31) / 32) * 4;
  uint64_t andRow = ((uint64_t(width) + 31) / 32) * 4;
  uint64_t xorOffset = headerSize + paletteEntries * 4;
  uint64_t andOffset = xorOffset + xorRow * uint64_t(height);
  if (andOffset > size) {
    error = "Das Symbol ist unvollständig.";
    return false;
  }
  // The colour part is a DIB of half the stored height.
  std::vector<uint8_t> dib(data, data + andOffset);
  uint32_t h = uint32_t(height);
  std::memcpy(dib.data() + 8, &h, 4);
  std::memcpy(dib.data() + 32, &clrUsed, 4);
  std::string dibError;
  TBitmap colour;
  if (!ReadDib(dib.data(), dib.size(), colour, &dibError)) {
    error = "Das Symbol ist fehlerhaft: " + dibError;
    return false;
  }
  colour.SetPixelFormat(pf32bit);
  bool hasMask = andOffset + andRow * uint64_t(height) <= size;
  bool useAlpha = false;
  if (bits == 32) {
    for (int32_t y = 0; y < height && !useAlpha; ++y) {
      const uint8_t *src = data + xorOffset + xorRow * uint64_t(y);
      for (int32_t x = 0; x < width; ++x)
        if (src[4 * x + 3]) {
          useAlpha = true;
          break;
        }
    }
  }
  for (int32_t y = 0; y < height; ++y) {
    // Rows are stored bottom-up.
    int32_t fileRow = height - 1 - y;
    uint8_t *d = colour.ScanLine(y);
    const uint8_t *xorSrc = data + xorOffset + xorRow * uint64_t(fileRow);
    const uint8_t *andSrc = hasMask ? data + andOffset + andRow * uint64_t(fileRow) : nullptr;
    for (int32_t x = 0; x < width; ++x) {
      uint8_t a = 255;
      if (useAlpha)
        a = xorSrc[4 * x + 3];
      else if (andSrc && (andSrc[x / 8] & (0x80 >> (x % 8))))
        a = 0;
      d[4 * x + 3] = a;
    }
  }
  bmp = colour;
  return true;
}

} // namespace

bool IsIcoData(const uint8_t *data, size_t size) {
  return size >= 6 && Le16(data) == 0 && (Le16(data + 2) == 1 || Le16(data + 2) == 2) && Le16(data + 4) > 0;
}

bool ReadIco(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (!IsIcoData(data, size)) {
    error = "Die Datei ist kein Symbol.";
    return false;
  }
  unsigned count = Le16(data + 4);
  if (6 + size_t(count) * 16 > size) {
    error = "Das Symbol ist unvollständig.";
    return false;
  }
  // The largest image (by area, then colour depth) among those that decode.
  std::vector<unsigned> order(count);
  for (unsigned i = 0; i < count; ++i)
    order[i] = i;
  auto key = [&](unsigned i) {
    const uint8_t *e = data + 6 + size_t(i) * 16;
    unsigned w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    return uint64_t(w) * h * 64 + Le16(e + 6);
  };
  std::stable_sort(order.begin(), order.end(), [&](unsigned a, unsigned b) { return key(a) > key(b); });
  std::string lastError = "Das Symbol enthält kein Bild.";
  for (unsigned i : order) {
    const uint8_t *e = data + 6 + size_t(i) * 16;
    uint32_t bytes = Le32(e + 8), offset = Le32(e + 12);
    if (offset >= size || bytes == 0) {
      lastError = "Das Symbol ist unvollständig.";
      continue;
    }
    size_t n = std::min<size_t>(bytes, size - offset);
    const uint8_t *img = data + offset;
    std::string err;
    TBitmap out;
    bool ok = IsPngData(img, n)
                  ? ReadPng(img, n, out, err) && (out.PixelFormat() == pf32bit || ToOpaque32(out))
                  : ReadIconDib(img, n, out, err);
    if (ok) {
      bmp = out;
      bmp.Changed();
      return true;
    }
    lastError = err;
  }
  error = lastError;
  return false;
}

} // namespace tessaro
