// Shared helpers of the import readers: bounds-checked byte access over the
// byte order helpers of core, the German failure texts and the checked
// allocation of the target raster.
#pragma once

#include "core/Bitmap.h"
#include "core/ByteOrder.h"
#include "files/ImportReaders.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

namespace tessaro::importer {

inline constexpr const char *ErrCorrupt = "Die Bilddatei ist beschädigt oder unvollständig.";
inline constexpr const char *ErrFormat = "Die Bilddatei hat ein unbekanntes Format.";
inline constexpr const char *ErrUnsupported = "Diese Variante des Bildformats wird nicht unterstützt.";
inline constexpr const char *ErrTooLarge = "Das Bild ist zu groß.";
inline constexpr const char *ErrMemory = "Nicht genug Speicher für das Bild.";

inline bool Fail(std::string &error, const char *text) {
  error = text;
  return false;
}

// Sequential reader over a memory block; every access is checked, and once a
// read runs past the end Ok() stays false and reads give zero.
class TByteReader {
public:
  TByteReader(const uint8_t *data, size_t size) : FData(data), FSize(size) {}

  bool Ok() const { return FOk; }
  size_t Pos() const { return FPos; }
  size_t Size() const { return FSize; }
  size_t Left() const { return FSize - FPos; }
  const uint8_t *Here() const { return FData + FPos; }

  bool Seek(uint64_t pos) {
    if (pos > FSize)
      return FOk = false;
    FPos = size_t(pos);
    return true;
  }
  bool Skip(uint64_t n) {
    if (n > Left())
      return FOk = false;
    FPos += size_t(n);
    return true;
  }
  // Pointer to the next n bytes, or nullptr when fewer are left.
  const uint8_t *Take(uint64_t n) {
    if (n > Left()) {
      FOk = false;
      return nullptr;
    }
    const uint8_t *p = FData + FPos;
    FPos += size_t(n);
    return p;
  }
  uint8_t U8() {
    const uint8_t *p = Take(1);
    return p ? p[0] : 0;
  }
  uint16_t Le16() {
    const uint8_t *p = Take(2);
    return p ? tessaro::Le16(p) : 0;
  }
  uint32_t Le32() {
    const uint8_t *p = Take(4);
    return p ? tessaro::Le32(p) : 0;
  }
  uint16_t Be16() {
    const uint8_t *p = Take(2);
    return p ? tessaro::Be16(p) : 0;
  }
  uint32_t Be32() {
    const uint8_t *p = Take(4);
    return p ? tessaro::Be32(p) : 0;
  }

private:
  const uint8_t *FData;
  size_t FSize;
  size_t FPos = 0;
  bool FOk = true;
};

// Makes bmp a w x h raster of 24 bits (32 with alpha) after checking the size
// against the pixel cap. minBytesPerPixel (may be fractional for compressed
// data: the least number of file bytes one pixel can cost) is checked against
// the bytes the file still holds, so that a short file cannot claim a huge
// raster. A reader that writes every pixel may leave the pixels unset (zero
// false).
inline bool AllocateImage(TBitmap &bmp, int64_t w, int64_t h, bool alpha, std::string &error,
                          double minBytesPerPixel = 0, size_t bytesLeft = 0, bool zero = true) {
  if (w <= 0 || h <= 0)
    return Fail(error, ErrCorrupt);
  if (w > 0x7FFFFFF || h > 0x7FFFFFF || uint64_t(w) * uint64_t(h) > MaxImportPixels)
    return Fail(error, ErrTooLarge);
  if (minBytesPerPixel > 0 && double(w) * double(h) * minBytesPerPixel > double(bytesLeft))
    return Fail(error, ErrCorrupt);
  try {
    bmp.Allocate(int(w), int(h), alpha ? pf32bit : pf24bit, zero);
  } catch (const std::bad_alloc &) {
    return Fail(error, ErrMemory);
  } catch (const std::length_error &) {
    return Fail(error, ErrMemory);
  }
  return true;
}

// Stores one pixel in a row of a raster made by AllocateImage.
inline void PutRGB(uint8_t *row, int x, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t *p = row + size_t(x) * 3;
  p[0] = b;
  p[1] = g;
  p[2] = r;
}
inline void PutRGBA(uint8_t *row, int x, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  uint8_t *p = row + size_t(x) * 4;
  p[0] = b;
  p[1] = g;
  p[2] = r;
  p[3] = a;
}
inline void Put(uint8_t *row, int x, bool alpha, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (alpha)
    PutRGBA(row, x, r, g, b, a);
  else
    PutRGB(row, x, r, g, b);
}

// Case-sensitive comparison of a memory block with a text.
inline bool StartsWith(const uint8_t *head, size_t size, const char *magic) {
  size_t n = std::strlen(magic);
  return size >= n && std::memcmp(head, magic, n) == 0;
}

} // namespace tessaro::importer
