// Portable bitmap, grey map and pixel map (PBM, PGM, PPM), ASCII and binary,
// any maxval up to 65535. Only the first image of a file is read.
#include "core/Parallel.h"
#include "files/ImportCommon.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace tessaro {
namespace {

using namespace importer;

bool IsSpace(uint8_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Reads header numbers and ASCII samples, skipping white space and comments.
class TPnmText {
public:
  TPnmText(const uint8_t *data, size_t size, size_t pos) : FData(data), FSize(size), FPos(pos) {}
  size_t Pos() const { return FPos; }
  size_t Left() const { return FSize - FPos; }

  void SkipSpace() {
    while (FPos < FSize) {
      if (FData[FPos] == '#') {
        while (FPos < FSize && FData[FPos] != '\n' && FData[FPos] != '\r')
          ++FPos;
      } else if (IsSpace(FData[FPos])) {
        ++FPos;
      } else {
        break;
      }
    }
  }
  // A decimal number; false when none is there or it exceeds limit.
  bool Number(uint32_t &value, uint32_t limit) {
    SkipSpace();
    if (FPos >= FSize || FData[FPos] < '0' || FData[FPos] > '9')
      return false;
    uint64_t v = 0;
    while (FPos < FSize && FData[FPos] >= '0' && FData[FPos] <= '9') {
      v = v * 10 + (FData[FPos] - '0');
      if (v > limit)
        return false;
      ++FPos;
    }
    value = uint32_t(v);
    return true;
  }
  // One plain-PBM digit: the digits need no separators.
  bool Bit(uint32_t &value) {
    SkipSpace();
    if (FPos >= FSize || (FData[FPos] != '0' && FData[FPos] != '1'))
      return false;
    value = FData[FPos++] - '0';
    return true;
  }

private:
  const uint8_t *FData;
  size_t FSize;
  size_t FPos;
};

// Three bytes per pixel from `from` into `to` with the first and the third
// of each pixel swapped.
void SwapRedBlueScalar(uint8_t *__restrict to, const uint8_t *__restrict from, size_t pixels) {
  for (size_t x = 0; x < pixels; ++x) {
    to[3 * x] = from[3 * x + 2];
    to[3 * x + 1] = from[3 * x + 1];
    to[3 * x + 2] = from[3 * x];
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Four pixels at a time: sixteen bytes are read and written where twelve are
// needed, so the blocks stop while sixteen bytes are left; the four extra
// bytes a store writes are rewritten by the next block.
__attribute__((target("ssse3"))) void SwapRedBlueBlocks(uint8_t *__restrict to,
                                                        const uint8_t *__restrict from, size_t pixels) {
  const __m128i swap = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
  size_t x = 0;
  for (; 3 * x + 16 <= 3 * pixels; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + 3 * x));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(to + 3 * x), _mm_shuffle_epi8(v, swap));
  }
  SwapRedBlueScalar(to + 3 * x, from + 3 * x, pixels - x);
}
#endif

void SwapRedBlue(uint8_t *__restrict to, const uint8_t *__restrict from, size_t pixels) {
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool blocks = __builtin_cpu_supports("ssse3");
  if (blocks) {
    SwapRedBlueBlocks(to, from, pixels);
    return;
  }
#endif
  SwapRedBlueScalar(to, from, pixels);
}

class TPnmReader final : public TImportReader {
public:
  const char *Name() const override { return "Portable Map"; }
  std::vector<std::string> Extensions() const override { return {".ppm", ".pgm", ".pbm"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    if (size < 3 || head[0] != 'P' || head[1] < '1' || head[1] > '6')
      return false;
    if (!IsSpace(head[2]) && head[2] != '#')
      return false;
    // The width must follow.
    TPnmText t(head, size, 2);
    uint32_t w = 0;
    return t.Number(w, 0x7FFFFFFF) && w > 0;
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (!Recognise(data, size))
      return Fail(error, ErrFormat);
    const int kind = data[1] - '0';
    const bool binary = kind >= 4;
    const bool bits = kind == 1 || kind == 4;
    const int channels = (kind == 3 || kind == 6) ? 3 : 1;

    TPnmText t(data, size, 2);
    uint32_t w = 0, h = 0, maxval = 1;
    if (!t.Number(w, 0x7FFFFFFF) || !t.Number(h, 0x7FFFFFFF))
      return Fail(error, ErrCorrupt);
    if (!bits && (!t.Number(maxval, 65535) || maxval == 0))
      return Fail(error, ErrCorrupt);

    size_t pos = t.Pos();
    const int sampleBytes = maxval > 255 ? 2 : 1;
    if (binary) {
      // Exactly one white-space character separates header and data.
      if (pos >= size || !IsSpace(data[pos]))
        return Fail(error, ErrCorrupt);
      ++pos;
    }
    size_t left = size - pos;
    double minBytes = bits ? (binary ? 0.125 : 1.0) : double(channels) * (binary ? sampleBytes : 1);
    // The common pixel map (binary, three samples of one byte) is read by a
    // fast path that writes every pixel.
    const bool plain = binary && !bits && channels == 3 && maxval == 255;
    if (!AllocateImage(bmp, w, h, false, error, minBytes, left, !plain))
      return false;

    // Lookup from sample value to 8 bits (values above maxval count as maxval).
    auto scale = [maxval](uint32_t v) -> uint8_t {
      if (v >= maxval)
        return 255;
      return uint8_t((uint64_t(v) * 255 + maxval / 2) / maxval);
    };

    TPnmText text(data, size, pos);
    const uint8_t *bin = data + pos;
    const size_t rowBytes = bits ? (size_t(w) + 7) / 8 : size_t(w) * size_t(channels) * size_t(sampleBytes);
    if (binary && rowBytes * size_t(h) > left)
      return Fail(error, ErrCorrupt);

    if (plain) {
      // Each row's red, green, blue triples turned round into the raster's
      // blue, green, red, rows shared among threads.
      ParallelFor(0, int(h), ThreadsFor(int64_t(w) * h), [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
          SwapRedBlue(bmp.ScanLine(y), bin + rowBytes * size_t(y), w);
      });
      return true;
    }
    for (uint32_t y = 0; y < h; ++y) {
      uint8_t *out = bmp.ScanLine(int(y));
      const uint8_t *src = bin + rowBytes * y;
      for (uint32_t x = 0; x < w; ++x) {
        uint8_t c[3];
        if (bits) {
          uint32_t b = 0;
          if (binary)
            b = (src[x >> 3] >> (7 - (x & 7))) & 1;
          else if (!text.Bit(b))
            return Fail(error, ErrCorrupt);
          c[0] = c[1] = c[2] = b ? 0 : 255; // 1 is black
        } else {
          for (int ch = 0; ch < channels; ++ch) {
            uint32_t v = 0;
            if (binary) {
              size_t i = (size_t(x) * channels + ch) * size_t(sampleBytes);
              v = sampleBytes == 2 ? Be16(src + i) : src[i];
            } else if (!text.Number(v, 0xFFFFFFFF)) {
              return Fail(error, ErrCorrupt);
            }
            c[ch] = scale(v);
          }
          if (channels == 1)
            c[1] = c[2] = c[0];
        }
        PutRGB(out, int(x), c[0], c[1], c[2]);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewPnmReader() {
  return std::make_unique<TPnmReader>();
}

} // namespace tessaro
