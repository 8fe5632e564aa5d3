// Adobe Photoshop (PSD, PDD, and the large PSB variant): the merged composite
// image that follows the layers, in bitmap, grey, duotone, indexed, RGB and
// CMYK modes, 8 and 16 bits, raw or PackBits-compressed. Extra (alpha and
// spot) channels are left out: a composite with transparency is stored
// matted on white, which is how it shows on the 24-bit raster.
#include "files/ImportCommon.h"

#include <vector>

namespace tessaro {
namespace {

using namespace importer;

enum : uint16_t {
  modeBitmap = 0,
  modeGrey = 1,
  modeIndexed = 2,
  modeRGB = 3,
  modeCMYK = 4,
  modeMulti = 7,
  modeDuotone = 8
};

bool ValidMode(uint16_t mode, uint16_t depth) {
  switch (mode) {
  case modeBitmap:
    return depth == 1;
  case modeIndexed:
    return depth == 8;
  case modeGrey:
  case modeRGB:
  case modeCMYK:
  case modeDuotone:
    return depth == 8 || depth == 16;
  }
  return false;
}

// Channels that make up the colour of one pixel.
int ColourChannels(uint16_t mode) {
  switch (mode) {
  case modeRGB:
    return 3;
  case modeCMYK:
    return 4;
  default:
    return 1;
  }
}

// Expands one PackBits row into out (exactly n bytes); false when the
// segment ends early or overflows.
bool UnpackBits(const uint8_t *src, size_t len, uint8_t *out, size_t n) {
  size_t i = 0, o = 0;
  while (o < n) {
    if (i >= len)
      return false;
    int c = int8_t(src[i++]);
    if (c >= 0) {
      size_t k = size_t(c) + 1;
      if (i + k > len || o + k > n)
        return false;
      std::memcpy(out + o, src + i, k);
      i += k;
      o += k;
    } else if (c != -128) {
      size_t k = size_t(1 - c);
      if (i >= len || o + k > n)
        return false;
      std::memset(out + o, src[i++], k);
      o += k;
    }
  }
  return true;
}

class TPsdReader final : public TImportReader {
public:
  const char *Name() const override { return "Photoshop"; }
  std::vector<std::string> Extensions() const override { return {".psd", ".pdd"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    return size >= 26 && StartsWith(head, size, "8BPS") && (Be16(head + 4) == 1 || Be16(head + 4) == 2);
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (!Recognise(data, size))
      return Fail(error, ErrFormat);
    TByteReader in(data, size);
    in.Skip(4);
    const bool large = in.Be16() == 2;
    in.Skip(6);
    const uint16_t channels = in.Be16();
    const uint32_t height = in.Be32(), width = in.Be32();
    const uint16_t depth = in.Be16(), mode = in.Be16();
    if (!ValidMode(mode, depth))
      return Fail(error, ErrUnsupported);
    const int colours = ColourChannels(mode);
    if (channels < colours || channels > 56)
      return Fail(error, ErrCorrupt);

    // Colour mode data (the palette of indexed images), image resources,
    // layers and masks.
    uint32_t modeLength = in.Be32();
    const uint8_t *modeData = in.Take(modeLength);
    if (!modeData || (mode == modeIndexed && modeLength < 768))
      return Fail(error, ErrCorrupt);
    in.Skip(in.Be32());
    uint64_t layers = large ? (uint64_t(in.Be32()) << 32) | in.Be32() : in.Be32();
    in.Skip(layers);
    uint16_t compression = in.Be16();
    if (!in.Ok())
      return Fail(error, ErrCorrupt);
    if (compression > 1)
      return Fail(error, ErrUnsupported);

    const size_t rowBytes = (size_t(width) * depth + 7) / 8;
    const int sampleBytes = depth == 16 ? 2 : 1;
    double perPixel = double(colours) * sampleBytes * (compression ? 2.0 / 128.0 : 1.0);
    if (depth == 1)
      perPixel = compression ? 2.0 / 1024.0 : 1.0 / 8.0;
    if (!AllocateImage(bmp, width, height, false, error, perPixel, in.Left()))
      return false;

    // Row segments of the compressed data: a table of byte counts for every
    // row of every channel comes first.
    std::vector<const uint8_t *> rowStart;
    std::vector<uint32_t> rowLength;
    if (compression == 1) {
      size_t rows = size_t(height) * channels;
      int countBytes = large ? 4 : 2;
      const uint8_t *table = in.Take(uint64_t(rows) * countBytes);
      if (!table)
        return Fail(error, ErrCorrupt);
      rowStart.resize(size_t(height) * colours);
      rowLength.resize(rowStart.size());
      size_t pos = in.Pos();
      for (size_t r = 0; r < rowStart.size(); ++r) {
        uint32_t n = large ? Be32(table + 4 * r) : Be16(table + 2 * r);
        if (n > size - pos)
          return Fail(error, ErrCorrupt);
        rowStart[r] = data + pos;
        rowLength[r] = n;
        pos += n;
      }
    } else if (uint64_t(rowBytes) * height * colours > in.Left()) {
      return Fail(error, ErrCorrupt);
    }

    // Black ink of CMYK images waits in its own plane until the other three
    // channels are in place.
    std::vector<uint8_t> black;
    if (mode == modeCMYK)
      black.resize(size_t(width) * height);
    std::vector<uint8_t> row(rowBytes);
    const uint8_t *raw = in.Here();

    for (int c = 0; c < colours; ++c) {
      for (uint32_t y = 0; y < height; ++y) {
        size_t r = size_t(c) * height + y;
        const uint8_t *src;
        if (compression == 1) {
          if (!UnpackBits(rowStart[r], rowLength[r], row.data(), rowBytes))
            return Fail(error, ErrCorrupt);
          src = row.data();
        } else {
          src = raw + r * rowBytes;
        }
        uint8_t *out = bmp.ScanLine(int(y));
        if (depth == 1) {
          for (uint32_t x = 0; x < width; ++x) {
            uint8_t v = (src[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255; // 1 is black
            PutRGB(out, int(x), v, v, v);
          }
          continue;
        }
        for (uint32_t x = 0; x < width; ++x) {
          uint8_t v = depth == 16 ? uint8_t((uint32_t(Be16(src + 2 * x)) * 255 + 32767) / 65535) : src[x];
          if (c == 3)
            black[size_t(y) * width + x] = v;
          else if (mode == modeRGB || mode == modeCMYK)
            out[size_t(x) * 3 + size_t(2 - c)] = v;
          else if (mode == modeIndexed)
            PutRGB(out, int(x), modeData[v], modeData[256 + v], modeData[512 + v]);
          else
            PutRGB(out, int(x), v, v, v);
        }
      }
    }

    if (mode == modeCMYK) {
      // Ink values are stored inverted (255 is no ink).
      for (uint32_t y = 0; y < height; ++y) {
        uint8_t *out = bmp.ScanLine(int(y));
        const uint8_t *k = black.data() + size_t(y) * width;
        for (uint32_t x = 0; x < width; ++x)
          for (int i = 0; i < 3; ++i) {
            uint8_t &v = out[size_t(x) * 3 + size_t(i)];
            v = uint8_t((uint32_t(v) * k[x] + 127) / 255);
          }
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewPsdReader() {
  return std::make_unique<TPsdReader>();
}

} // namespace tessaro
