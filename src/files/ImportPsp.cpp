// Paint Shop Pro images (PSP), file versions 4 and later: the raster layers
// are merged bottom to top on white, each with its opacity and transparency
// mask, into one 24-bit picture. Channels may be raw, run-length or zlib
// (LZ77) compressed; 1-, 4- and 8-bit layers use the file's palette.
#include "files/ImportCommon.h"

#include <zlib.h>

#include <vector>

namespace tessaro {
namespace {

using namespace importer;

constexpr char Signature[] = "Paint Shop Pro Image File\n\x1a";
constexpr size_t SignatureSize = 32;

enum : uint16_t { blockImage = 0, blockColour = 2, blockLayerStart = 3, blockLayer = 4, blockChannel = 5 };
enum : uint16_t { compNone = 0, compRle = 1, compLz77 = 2 };

struct TBlock {
  uint16_t Id = 0;
  size_t Start = 0; // first byte of the block's data
  size_t End = 0;   // one past its last byte
};

struct TRect32 {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TPspFile {
public:
  TPspFile(const uint8_t *data, size_t size) : FData(data), FSize(size) {}

  // Reads the block header at pos (within limit).
  bool Block(size_t pos, size_t limit, TBlock &b) const {
    const size_t head = 10;
    if (pos > limit || limit - pos < head || std::memcmp(FData + pos, "~BK\0", 4) != 0)
      return false;
    b.Id = Le16(FData + pos + 4);
    uint32_t total = Le32(FData + pos + head - 4);
    b.Start = pos + head;
    if (total > limit - b.Start)
      return false;
    b.End = b.Start + total;
    return true;
  }

  const uint8_t *Data() const { return FData; }
  size_t Size() const { return FSize; }

private:
  const uint8_t *FData;
  size_t FSize;
};

// Expands one channel into out (exactly n bytes).
bool Expand(const uint8_t *src, size_t len, uint16_t compression, uint8_t *out, size_t n) {
  switch (compression) {
  case compNone:
    if (len < n)
      return false;
    std::memcpy(out, src, n);
    return true;
  case compRle: {
    size_t i = 0, o = 0;
    while (o < n) {
      if (i >= len)
        return false;
      unsigned c = src[i++];
      if (c > 128) {
        size_t k = c - 128;
        if (i >= len || o + k > n)
          return false;
        std::memset(out + o, src[i++], k);
        o += k;
      } else {
        size_t k = c;
        if (i + k > len || o + k > n)
          return false;
        std::memcpy(out + o, src + i, k);
        i += k;
        o += k;
      }
    }
    return true;
  }
  case compLz77: {
    uLongf outLen = uLongf(n);
    if (uncompress(out, &outLen, src, uLong(len)) != Z_OK)
      return false;
    return outLen == n;
  }
  }
  return false;
}

class TPspReader final : public TImportReader {
public:
  const char *Name() const override { return "Paintshop Pro"; }
  std::vector<std::string> Extensions() const override { return {".psp"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    return size >= SignatureSize + 4 && std::memcmp(head, Signature, sizeof Signature - 1) == 0;
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (!Recognise(data, size))
      return Fail(error, ErrFormat);
    const uint16_t major = Le16(data + SignatureSize);
    // Files of Paint Shop Pro 5 and older (version 3) lay their blocks out
    // without chunk sizes; they are not read.
    if (major < 4)
      return Fail(error, ErrUnsupported);
    TPspFile file(data, size);

    // Image attributes and palette first; the layers follow in their block.
    int32_t width = 0, height = 0;
    uint16_t compression = 0, depth = 0;
    bool haveImage = false;
    std::vector<TRGBQuad> palette;
    std::vector<TBlock> layerBlocks;
    size_t pos = SignatureSize + 4;
    TBlock b;
    while (pos < size) {
      if (!file.Block(pos, size, b))
        return Fail(error, ErrCorrupt);
      TByteReader in(data, b.End);
      in.Seek(b.Start);
      if (b.Id == blockImage) {
        in.Skip(4); // chunk size
        width = int32_t(in.Le32());
        height = int32_t(in.Le32());
        in.Skip(9); // resolution and its unit
        compression = in.Le16();
        depth = in.Le16();
        haveImage = in.Ok();
      } else if (b.Id == blockColour) {
        uint32_t chunk = in.Le32();
        size_t entries = in.Le32();
        in.Seek(uint64_t(b.Start) + chunk);
        for (size_t i = 0; i < std::min<size_t>(entries, 256) && in.Ok(); ++i) {
          const uint8_t *q = in.Take(4);
          if (q)
            palette.push_back(TRGBQuad{q[0], q[1], q[2], 0});
        }
      } else if (b.Id == blockLayerStart) {
        size_t sub = b.Start;
        TBlock layer;
        while (sub < b.End) {
          if (!file.Block(sub, b.End, layer))
            return Fail(error, ErrCorrupt);
          if (layer.Id == blockLayer)
            layerBlocks.push_back(layer);
          sub = layer.End;
        }
      }
      pos = b.End;
    }
    if (!haveImage || layerBlocks.empty())
      return Fail(error, ErrCorrupt);
    if (compression > compLz77 || (depth != 1 && depth != 4 && depth != 8 && depth != 24))
      return Fail(error, ErrUnsupported);
    // Layers bring the pixels: a file of a few bytes cannot claim a huge
    // canvas.
    if (!AllocateImage(bmp, width, height, false, error, 1.0 / 4096, size))
      return false;
    // The merge starts from white.
    for (int y = 0; y < height; ++y)
      std::memset(bmp.ScanLine(y), 255, size_t(width) * 3);

    for (const TBlock &layer : layerBlocks)
      if (!MergeLayer(file, layer, width, height, compression, depth, palette, bmp, error))
        return false;
    return true;
  }

private:
  static bool MergeLayer(const TPspFile &file, const TBlock &layer, int32_t width, int32_t height,
                         uint16_t compression, uint16_t depth, const std::vector<TRGBQuad> &palette,
                         TBitmap &bmp, std::string &error) {
    const uint8_t *data = file.Data();
    TByteReader in(data, layer.End);
    in.Seek(layer.Start);
    TRect32 image, saved;
    uint8_t type = 0, opacity = 255, visible = 1;
    auto rect = [&in](TRect32 &r) {
      r.Left = int32_t(in.Le32());
      r.Top = int32_t(in.Le32());
      r.Right = int32_t(in.Le32());
      r.Bottom = int32_t(in.Le32());
    };
    size_t next = 0;
    {
      size_t chunkStart = in.Pos();
      uint32_t chunk = in.Le32();
      in.Skip(in.Le16()); // name
      type = in.U8();
      rect(image);
      rect(saved);
      opacity = in.U8();
      in.U8(); // blend mode
      visible = in.U8();
      if (!in.Seek(uint64_t(chunkStart) + chunk))
        return Fail(error, ErrCorrupt);
      size_t infoStart = in.Pos();
      uint32_t info = in.Le32(); // bitmap information chunk
      if (!in.Seek(uint64_t(infoStart) + info))
        return Fail(error, ErrCorrupt);
      next = in.Pos();
    }
    if (!in.Ok())
      return Fail(error, ErrCorrupt);
    // Raster and floating raster layers only.
    if ((type != 1 && type != 2) || !visible)
      return true;

    int64_t sw = int64_t(saved.Right) - saved.Left, sh = int64_t(saved.Bottom) - saved.Top;
    if (sw <= 0 || sh <= 0)
      return true;
    if (sw > width || sh > height || uint64_t(sw) * uint64_t(sh) > MaxImportPixels)
      return Fail(error, ErrCorrupt);
    const int64_t ox = int64_t(image.Left) + saved.Left, oy = int64_t(image.Top) + saved.Top;

    // Bytes of one stored row: palette layers pack their bits, raw rows are
    // padded to four bytes.
    size_t rowBits = size_t(sw) * (depth == 24 ? 8 : depth);
    size_t packed = (rowBits + 7) / 8;
    size_t stride = (depth < 8 || compression == compNone) ? (packed + 3) / 4 * 4 : packed;
    size_t channelBytes = stride * size_t(sh);

    std::vector<uint8_t> colour[4]; // index or grey, red, green, blue
    std::vector<uint8_t> mask;
    size_t pos = next;
    TBlock ch;
    while (pos < layer.End) {
      if (!file.Block(pos, layer.End, ch))
        return Fail(error, ErrCorrupt);
      pos = ch.End;
      if (ch.Id != blockChannel)
        continue;
      TByteReader c(data, ch.End);
      c.Seek(ch.Start);
      uint32_t compressed = 0;
      uint16_t bitmapType = 0, channelType = 0;
      {
        size_t start = c.Pos();
        uint32_t chunk = c.Le32();
        compressed = c.Le32();
        c.Le32();
        bitmapType = c.Le16();
        channelType = c.Le16();
        c.Seek(uint64_t(start) + chunk);
      }
      const uint8_t *src = c.Take(compressed);
      if (!src)
        return Fail(error, ErrCorrupt);
      std::vector<uint8_t> *target = nullptr;
      if (bitmapType == 0 && channelType <= 3)
        target = &colour[channelType];
      else if (bitmapType == 1)
        target = &mask;
      if (!target)
        continue;
      // A mask always has 8 bits per pixel.
      size_t bytes = target == &mask
                         ? (compression == compNone ? (size_t(sw) + 3) / 4 * 4 : size_t(sw)) * size_t(sh)
                         : channelBytes;
      // Even zlib gives at most about a thousand bytes per input byte.
      if (bytes > size_t(compressed) * 1100 + 64)
        return Fail(error, ErrCorrupt);
      target->resize(bytes);
      if (!Expand(src, compressed, compression, target->data(), bytes))
        return Fail(error, ErrCorrupt);
    }

    const bool rgb = depth == 24;
    if (rgb ? (colour[1].empty() || colour[2].empty() || colour[3].empty()) : colour[0].empty())
      return Fail(error, ErrCorrupt);
    const size_t maskStride = mask.empty() ? 0 : mask.size() / size_t(sh);
    for (int64_t y = 0; y < sh; ++y) {
      int64_t ty = oy + y;
      if (ty < 0 || ty >= height)
        continue;
      uint8_t *out = bmp.ScanLine(int(ty));
      for (int64_t x = 0; x < sw; ++x) {
        int64_t tx = ox + x;
        if (tx < 0 || tx >= width)
          continue;
        size_t at = size_t(y) * stride + size_t(x);
        uint8_t r, g, bl;
        if (rgb) {
          r = colour[1][at], g = colour[2][at], bl = colour[3][at];
        } else {
          size_t bit = size_t(x) * depth;
          unsigned index =
              (colour[0][size_t(y) * stride + bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
          if (index < palette.size())
            r = palette[index].rgbRed, g = palette[index].rgbGreen, bl = palette[index].rgbBlue;
          else
            r = g = bl = depth == 8 ? uint8_t(index) : uint8_t(index * 255 / ((1u << depth) - 1));
        }
        unsigned a = opacity;
        if (!mask.empty())
          a = a * mask[size_t(y) * maskStride + size_t(x)] / 255;
        uint8_t *p = out + size_t(tx) * 3;
        p[0] = uint8_t((bl * a + p[0] * (255 - a) + 127) / 255);
        p[1] = uint8_t((g * a + p[1] * (255 - a) + 127) / 255);
        p[2] = uint8_t((r * a + p[2] * (255 - a) + 127) / 255);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewPspReader() {
  return std::make_unique<TPspReader>();
}

} // namespace tessaro
