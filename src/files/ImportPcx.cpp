// ZSoft Paintbrush (PCX, PCC): 1, 2, 4 and 8 bits per pixel in one or more
// planes (monochrome, CGA, EGA, 256 colours, 24-bit and 32-bit), run-length
// encoded or raw.
#include "files/ImportCommon.h"

#include <array>
#include <vector>

namespace tessaro {
namespace {

using namespace importer;

struct TPcxHeader {
  uint8_t Version, Encoding, Bits, Planes;
  int Width, Height;
  uint16_t BytesPerLine;
  const uint8_t *EgaPalette;
};

bool ParseHeader(const uint8_t *p, size_t size, TPcxHeader &h) {
  if (size < 128 || p[0] != 0x0A)
    return false;
  h.Version = p[1];
  h.Encoding = p[2];
  h.Bits = p[3];
  int xmin = Le16(p + 4), ymin = Le16(p + 6), xmax = Le16(p + 8), ymax = Le16(p + 10);
  h.Planes = p[65];
  h.BytesPerLine = Le16(p + 66);
  h.EgaPalette = p + 16;
  if (h.Version > 5 || h.Version == 1 || h.Encoding > 1 || xmax < xmin || ymax < ymin)
    return false;
  h.Width = xmax - xmin + 1;
  h.Height = ymax - ymin + 1;
  bool kind = (h.Planes == 1 && (h.Bits == 1 || h.Bits == 2 || h.Bits == 4 || h.Bits == 8)) ||
              (h.Bits == 1 && h.Planes >= 2 && h.Planes <= 4) ||
              (h.Bits == 8 && (h.Planes == 3 || h.Planes == 4));
  if (!kind)
    return false;
  return h.BytesPerLine > 0 && uint64_t(h.BytesPerLine) * 8 >= uint64_t(h.Width) * h.Bits;
}

class TPcxReader final : public TImportReader {
public:
  const char *Name() const override { return "Paintbrush"; }
  std::vector<std::string> Extensions() const override { return {".pcx", ".pcc"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    TPcxHeader h;
    return ParseHeader(head, size, h);
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    TPcxHeader h;
    if (!ParseHeader(data, size, h))
      return Fail(error, size >= 1 && data[0] == 0x0A ? ErrUnsupported : ErrFormat);
    const size_t lineBytes = size_t(h.BytesPerLine) * h.Planes;
    const size_t left = size - 128;
    // A run pair gives at most 63 bytes.
    double perPixel = double(lineBytes) / double(h.Width) * (h.Encoding ? 2.0 / 63.0 : 1.0);
    if (!AllocateImage(bmp, h.Width, h.Height, h.Planes == 4 && h.Bits == 8, error, perPixel, left))
      return false;

    // Colours of the palette kinds.
    std::array<TRGBQuad, 256> pal{};
    const int colours = 1 << (h.Bits * h.Planes);
    if (h.Planes == 1 && h.Bits == 8) {
      // The 256-colour palette follows a 12 at 769 bytes before the end; grey
      // when it is missing.
      bool have = size >= 128 + 769 && data[size - 769] == 0x0C;
      for (int i = 0; i < 256; ++i) {
        const uint8_t *q = data + size - 768 + 3 * i;
        pal[size_t(i)] =
            have ? TRGBQuad{q[2], q[1], q[0], 0} : TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
      }
    } else if (colours == 2) {
      pal[0] = TRGBQuad{0, 0, 0, 0};
      pal[1] = TRGBQuad{255, 255, 255, 0};
    } else if (colours <= 16) {
      bool empty = true;
      for (int i = 0; i < 48; ++i)
        empty = empty && h.EgaPalette[i] == 0;
      for (int i = 0; i < 16; ++i) {
        const uint8_t *q = h.EgaPalette + 3 * i;
        pal[size_t(i)] = TRGBQuad{q[2], q[1], q[0], 0};
      }
      // A header without palette means the standard EGA colours.
      if (empty) {
        static const uint8_t ega[16][3] = {{0, 0, 0},     {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
                                           {170, 0, 0},   {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
                                           {85, 85, 85},  {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
                                           {255, 85, 85}, {255, 85, 255}, {255, 255, 85}, {255, 255, 255}};
        for (int i = 0; i < 16; ++i)
          pal[size_t(i)] = TRGBQuad{ega[i][2], ega[i][1], ega[i][0], 0};
      }
    }

    TByteReader in(data, size);
    in.Skip(128);
    std::vector<uint8_t> line(lineBytes);
    int runLeft = 0;
    uint8_t runValue = 0;
    for (int y = 0; y < h.Height; ++y) {
      // Runs may continue from one line into the next.
      for (size_t i = 0; i < lineBytes; ++i) {
        if (!h.Encoding) {
          line[i] = in.U8();
        } else {
          if (runLeft == 0) {
            uint8_t c = in.U8();
            if ((c & 0xC0) == 0xC0) {
              runLeft = c & 0x3F;
              runValue = in.U8();
            } else {
              runLeft = 1;
              runValue = c;
            }
          }
          if (runLeft > 0) {
            line[i] = runValue;
            --runLeft;
          } else {
            line[i] = 0; // a run of zero length
            --i;
          }
        }
        if (!in.Ok())
          return Fail(error, ErrCorrupt);
      }

      uint8_t *out = bmp.ScanLine(y);
      const uint8_t *pl = line.data();
      const size_t bpl = h.BytesPerLine;
      for (int x = 0; x < h.Width; ++x) {
        if (h.Bits == 8 && h.Planes >= 3) {
          uint8_t r = pl[size_t(x)], g = pl[bpl + size_t(x)], b = pl[2 * bpl + size_t(x)];
          Put(out, x, h.Planes == 4, r, g, b, h.Planes == 4 ? pl[3 * bpl + size_t(x)] : 255);
          continue;
        }
        unsigned index = 0;
        if (h.Planes == 1) {
          int bit = x * h.Bits;
          index = (pl[size_t(bit >> 3)] >> (8 - h.Bits - (bit & 7))) & ((1u << h.Bits) - 1);
        } else {
          for (int p = 0; p < h.Planes; ++p)
            index |= ((pl[size_t(p) * bpl + size_t(x >> 3)] >> (7 - (x & 7))) & 1u) << p;
        }
        const TRGBQuad &c = pal[index];
        PutRGB(out, x, c.rgbRed, c.rgbGreen, c.rgbBlue);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewPcxReader() {
  return std::make_unique<TPcxReader>();
}

} // namespace tessaro
