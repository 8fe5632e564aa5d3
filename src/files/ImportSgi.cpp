// Silicon Graphics image files (.sgi .rgb .rgba .bw): 1 to 4 channels of 8
// or 16 bits, verbatim or run-length encoded, rows stored bottom-up.
#include "files/ImportCommon.h"

#include <vector>

namespace tessaro {
namespace {

using namespace importer;

struct TSgiHeader {
  uint8_t Storage, Bpc;
  uint16_t Dimension, XSize, YSize, ZSize;
  uint32_t ColorMap;
};

bool ParseHeader(const uint8_t *p, size_t size, TSgiHeader &h) {
  if (size < 512 || Be16(p) != 474)
    return false;
  h.Storage = p[2];
  h.Bpc = p[3];
  h.Dimension = Be16(p + 4);
  h.XSize = Be16(p + 6);
  h.YSize = Be16(p + 8);
  h.ZSize = Be16(p + 10);
  h.ColorMap = Be32(p + 104);
  if (h.Dimension == 1)
    h.YSize = 1;
  if (h.Dimension < 3)
    h.ZSize = 1;
  return h.Storage <= 1 && (h.Bpc == 1 || h.Bpc == 2) && h.Dimension >= 1 && h.Dimension <= 3 &&
         h.XSize > 0 && h.YSize > 0 && h.ZSize > 0;
}

// Expands one RLE row of n samples (bytes or big-endian words) into out.
bool ExpandRow(const uint8_t *data, size_t size, uint64_t start, int bpc, uint16_t *out, size_t n) {
  if (start >= size)
    return false;
  TByteReader in(data, size);
  in.Seek(start);
  size_t o = 0;
  for (;;) {
    unsigned c = bpc == 1 ? in.U8() : in.Be16();
    if (!in.Ok())
      return false;
    unsigned count = c & 0x7F;
    if (count == 0)
      break;
    if (o + count > n)
      return false;
    if (c & 0x80) {
      for (unsigned i = 0; i < count; ++i)
        out[o++] = bpc == 1 ? in.U8() : in.Be16();
    } else {
      uint16_t v = bpc == 1 ? in.U8() : in.Be16();
      for (unsigned i = 0; i < count; ++i)
        out[o++] = v;
    }
    if (!in.Ok())
      return false;
  }
  // Rows that end early keep zero samples.
  return true;
}

class TSgiReader final : public TImportReader {
public:
  const char *Name() const override { return "SGI"; }
  std::vector<std::string> Extensions() const override { return {".sgi", ".rgb", ".rgba", ".bw"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    TSgiHeader h;
    return ParseHeader(head, size, h);
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    TSgiHeader h;
    if (!ParseHeader(data, size, h))
      return Fail(error, ErrFormat);
    if (h.ColorMap != 0)
      return Fail(error, ErrUnsupported);
    const int w = h.XSize, hh = h.YSize;
    const int z = std::min<int>(h.ZSize, 4);
    const bool alpha = z == 2 || z == 4;
    const bool rle = h.Storage == 1;
    const size_t left = size - 512;
    if (rle) {
      // Offset and length tables for every row of every channel.
      if (uint64_t(hh) * h.ZSize * 8 > left)
        return Fail(error, ErrCorrupt);
    } else if (uint64_t(w) * hh * h.ZSize * h.Bpc > left) {
      return Fail(error, ErrCorrupt);
    }
    // A run of 127 samples costs two samples.
    double perPixel = rle ? double(z) * h.Bpc * 2.0 / 127.0 : 0;
    if (!AllocateImage(bmp, w, hh, alpha, error, perPixel, left))
      return false;

    std::vector<uint16_t> row(static_cast<size_t>(w));
    std::vector<uint8_t> samples(size_t(w) * 4);
    auto to8 = [&](uint16_t v) -> uint8_t {
      return h.Bpc == 1 ? uint8_t(v) : uint8_t((uint32_t(v) * 255 + 32767) / 65535);
    };
    for (int y = 0; y < hh; ++y) {
      std::fill(samples.begin(), samples.end(), uint8_t(255));
      for (int c = 0; c < z; ++c) {
        size_t r = size_t(c) * size_t(hh) + size_t(y);
        if (rle) {
          std::fill(row.begin(), row.end(), uint16_t(0));
          if (!ExpandRow(data, size, Be32(data + 512 + 4 * r), h.Bpc, row.data(), row.size()))
            return Fail(error, ErrCorrupt);
        } else {
          const uint8_t *src = data + 512 + r * size_t(w) * h.Bpc;
          for (int x = 0; x < w; ++x)
            row[size_t(x)] = h.Bpc == 1 ? src[x] : Be16(src + 2 * x);
        }
        for (int x = 0; x < w; ++x)
          samples[size_t(x) * 4 + size_t(c)] = to8(row[size_t(x)]);
      }
      uint8_t *out = bmp.ScanLine(hh - 1 - y); // bottom row first
      for (int x = 0; x < w; ++x) {
        const uint8_t *s = samples.data() + size_t(x) * 4;
        if (z <= 2)
          Put(out, x, alpha, s[0], s[0], s[0], s[1]);
        else
          Put(out, x, alpha, s[0], s[1], s[2], s[3]);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewSgiReader() {
  return std::make_unique<TSgiReader>();
}

} // namespace tessaro
