// Truevision Targa: colour-mapped, true-colour and grey images, raw or
// run-length encoded, 8/15/16/24/32 bits, any of the four origins. Targa has
// no magic number, so the header fields are checked strictly.
#include "core/ChannelBits.h"
#include "files/ImportCommon.h"

#include <vector>

namespace tessaro {
namespace {

using namespace importer;

struct TTgaHeader {
  uint8_t IdLength, ColorMapType, ImageType;
  uint16_t MapFirst, MapLength;
  uint8_t MapEntryBits;
  uint16_t Width, Height;
  uint8_t Depth, Descriptor;
};

TTgaHeader ParseHeader(const uint8_t *p) {
  return TTgaHeader{p[0], p[1],         p[2],         Le16(p + 3), Le16(p + 5),
                    p[7], Le16(p + 12), Le16(p + 14), p[16],       p[17]};
}

bool ValidMapBits(uint8_t b) {
  return b == 8 || b == 15 || b == 16 || b == 24 || b == 32;
}

bool ValidHeader(const TTgaHeader &h) {
  if (h.ColorMapType > 1 || h.Width == 0 || h.Height == 0 || (h.Descriptor & 0xC0) != 0 ||
      (h.Descriptor & 0x0F) > 8)
    return false;
  uint8_t kind = h.ImageType & ~8u;
  if ((h.ImageType & ~uint8_t(0x0B)) != 0 || kind == 0)
    return false;
  if (h.ColorMapType == 1) {
    if (!ValidMapBits(h.MapEntryBits) || h.MapLength == 0 || uint32_t(h.MapFirst) + h.MapLength > 65536)
      return false;
  } else if (h.MapLength != 0 && !ValidMapBits(h.MapEntryBits)) {
    return false;
  }
  switch (kind) {
  case 1:
    return h.ColorMapType == 1 && (h.Depth == 8 || h.Depth == 16);
  case 2:
    return h.Depth == 15 || h.Depth == 16 || h.Depth == 24 || h.Depth == 32;
  case 3:
    return h.Depth == 8 || h.Depth == 16;
  }
  return false;
}

size_t MapBytes(const TTgaHeader &h) {
  return size_t(h.MapLength) * ((h.MapEntryBits + 7) / 8);
}

// Decodes one pixel of the given byte count into r, g, b, a.
struct TRGBA {
  uint8_t R = 0, G = 0, B = 0, A = 255;
};

TRGBA FromWord16(uint16_t v, bool alphaBit) {
  TRGBA c;
  c.R = Expand5((v >> 10) & 31);
  c.G = Expand5((v >> 5) & 31);
  c.B = Expand5(v & 31);
  c.A = alphaBit ? ((v & 0x8000) ? 255 : 0) : 255;
  return c;
}

TRGBA FromTrue(const uint8_t *p, int bytes, bool alphaBit) {
  TRGBA c;
  switch (bytes) {
  case 1:
    c.R = c.G = c.B = p[0];
    return c;
  case 2:
    return FromWord16(Le16(p), alphaBit);
  case 3:
    c.B = p[0], c.G = p[1], c.R = p[2];
    return c;
  default:
    c.B = p[0], c.G = p[1], c.R = p[2], c.A = p[3];
    return c;
  }
}

class TTargaReader final : public TImportReader {
public:
  const char *Name() const override { return "Truevision Targa"; }
  std::vector<std::string> Extensions() const override {
    return {".tga", ".vst", ".vda", ".icb", ".win", ".scr"};
  }

  bool Recognise(const uint8_t *head, size_t size) const override {
    if (size < 18)
      return false;
    TTgaHeader h = ParseHeader(head);
    if (!ValidHeader(h))
      return false;
    size_t need = 18 + size_t(h.IdLength) + (h.ColorMapType ? MapBytes(h) : 0);
    return size >= need || size >= 4096;
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (size < 18)
      return Fail(error, ErrCorrupt);
    TTgaHeader h = ParseHeader(data);
    if (!ValidHeader(h))
      return Fail(error, ErrFormat);
    TByteReader in(data, size);
    in.Skip(18 + size_t(h.IdLength));

    uint8_t kind = h.ImageType & 7;
    bool rle = (h.ImageType & 8) != 0;
    int alphaBits = h.Descriptor & 0x0F;

    // Colour map (also skipped when present in images that do not use it).
    std::vector<TRGBA> map;
    bool mapAlpha = false;
    if (h.ColorMapType == 1 || h.MapLength != 0) {
      int eb = (h.MapEntryBits + 7) / 8;
      const uint8_t *m = in.Take(MapBytes(h));
      if (!m)
        return Fail(error, ErrCorrupt);
      if (kind == 1) {
        map.resize(h.MapLength);
        mapAlpha = h.MapEntryBits == 32 && alphaBits > 0;
        for (size_t i = 0; i < map.size(); ++i)
          map[i] = FromTrue(m + i * size_t(eb), eb, false);
      }
    }

    int bpp = (h.Depth + 7) / 8;
    bool alpha = false;
    if (kind == 1)
      alpha = mapAlpha;
    else if (kind == 2)
      alpha = h.Depth == 32 && alphaBits > 0;
    else
      alpha = h.Depth == 16;
    // The attribute bit of 16-bit pixels is left out: many writers declare it
    // and leave it clear, which would make the whole picture transparent.
    const bool alphaBit = false;

    // Raw pixels need their full count; a run packet gives at most 128
    // pixels for 1 + bpp bytes.
    double minBytes = rle ? double(1 + bpp) / 128.0 : double(bpp);
    if (!AllocateImage(bmp, h.Width, h.Height, alpha, error, minBytes, in.Left()))
      return false;

    const int w = h.Width, hh = h.Height;
    bool topDown = (h.Descriptor & 0x20) != 0;
    bool rightToLeft = (h.Descriptor & 0x10) != 0;
    std::vector<uint8_t> row(size_t(w) * size_t(bpp));
    uint8_t packet[4] = {0, 0, 0, 0};
    int runLeft = 0, rawLeft = 0;

    for (int line = 0; line < hh; ++line) {
      if (!rle) {
        const uint8_t *src = in.Take(row.size());
        if (!src)
          return Fail(error, ErrCorrupt);
        std::memcpy(row.data(), src, row.size());
      } else {
        // Packets may run across the end of a row.
        for (int x = 0; x < w; ++x) {
          uint8_t *dst = row.data() + size_t(x) * size_t(bpp);
          if (runLeft == 0 && rawLeft == 0) {
            uint8_t c = in.U8();
            if (!in.Ok())
              return Fail(error, ErrCorrupt);
            if (c & 0x80) {
              runLeft = (c & 0x7F) + 1;
              const uint8_t *p = in.Take(size_t(bpp));
              if (!p)
                return Fail(error, ErrCorrupt);
              std::memcpy(packet, p, size_t(bpp));
            } else {
              rawLeft = c + 1;
            }
          }
          if (runLeft > 0) {
            std::memcpy(dst, packet, size_t(bpp));
            --runLeft;
          } else {
            const uint8_t *p = in.Take(size_t(bpp));
            if (!p)
              return Fail(error, ErrCorrupt);
            std::memcpy(dst, p, size_t(bpp));
            --rawLeft;
          }
        }
      }

      int y = topDown ? line : hh - 1 - line;
      uint8_t *out = bmp.ScanLine(y);
      for (int x = 0; x < w; ++x) {
        const uint8_t *p = row.data() + size_t(x) * size_t(bpp);
        TRGBA c;
        if (kind == 1) {
          uint32_t idx = bpp == 1 ? p[0] : Le16(p);
          if (idx >= h.MapFirst && idx - h.MapFirst < map.size())
            c = map[idx - h.MapFirst];
          else
            c = TRGBA{0, 0, 0, 255};
        } else if (kind == 2) {
          c = FromTrue(p, bpp, alphaBit);
        } else {
          c.R = c.G = c.B = p[0];
          c.A = bpp == 2 ? p[1] : 255;
        }
        int ox = rightToLeft ? w - 1 - x : x;
        Put(out, ox, alpha, c.R, c.G, c.B, c.A);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewTargaReader() {
  return std::make_unique<TTargaReader>();
}

} // namespace tessaro
