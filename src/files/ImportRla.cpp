// Alias/Wavefront RLA and RPF: colour, matte and auxiliary channels of 1 to
// 16 bits per scan line, run-length encoded, scan lines stored bottom-up
// through an offset table. The colour channels (and the first matte channel
// as alpha) are read; floating-point files are not.
#include "files/ImportCommon.h"

#include <vector>

namespace tessaro {
namespace {

using namespace importer;

constexpr size_t HeaderSize = 740;

struct TRlaHeader {
  int Left, Bottom, Width, Height;
  int Storage, Colours, Mattes, Aux;
  int ColourBits, MatteBits, AuxBits;
};

bool ParseHeader(const uint8_t *p, size_t size, TRlaHeader &h) {
  if (size < HeaderSize || Be16(p + 26) != 0xFFFE)
    return false;
  auto s16 = [p](size_t at) { return int(int16_t(Be16(p + at))); };
  int wl = s16(0), wr = s16(2), wb = s16(4), wt = s16(6);
  int al = s16(8), ar = s16(10), ab = s16(12), at = s16(14);
  if (wr < wl || wt < wb || ar < al || at < ab)
    return false;
  h.Left = al;
  h.Bottom = ab;
  h.Width = ar - al + 1;
  h.Height = at - ab + 1;
  h.Storage = s16(18);
  h.Colours = s16(20);
  h.Mattes = s16(22);
  h.Aux = s16(24);
  h.ColourBits = s16(658);
  h.MatteBits = s16(662);
  h.AuxBits = s16(666);
  if (h.Colours < 0 || h.Mattes < 0 || h.Aux < 0 || h.Colours + h.Mattes == 0 ||
      h.Colours + h.Mattes + h.Aux > 64)
    return false;
  auto bitsOk = [](int n, int bits) { return n == 0 || (bits >= 1 && bits <= 32); };
  return h.Storage >= 0 && h.Storage <= 4 && bitsOk(h.Colours, h.ColourBits) &&
         bitsOk(h.Mattes, h.MatteBits) && bitsOk(h.Aux, h.AuxBits);
}

// Decodes one run-length span of n bytes, every stride-th byte of out.
bool DecodeSpan(TByteReader &in, uint8_t *out, size_t n, size_t stride) {
  size_t o = 0;
  while (o < n) {
    int c = int8_t(in.U8());
    if (!in.Ok())
      return false;
    if (c >= 0) {
      size_t k = size_t(c) + 1;
      uint8_t v = in.U8();
      if (!in.Ok() || o + k > n)
        return false;
      for (size_t i = 0; i < k; ++i, ++o)
        out[o * stride] = v;
    } else {
      size_t k = size_t(-c);
      const uint8_t *src = in.Take(k);
      if (!src || o + k > n)
        return false;
      for (size_t i = 0; i < k; ++i, ++o)
        out[o * stride] = src[i];
    }
  }
  return true;
}

class TRlaReader final : public TImportReader {
public:
  const char *Name() const override { return "Alias Wavefront"; }
  std::vector<std::string> Extensions() const override { return {".rla", ".rpf"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    TRlaHeader h;
    return ParseHeader(head, size, h);
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    TRlaHeader h;
    if (!ParseHeader(data, size, h))
      return Fail(error, ErrFormat);
    if (h.Storage == 4 || h.ColourBits > 16 || h.MatteBits > 16)
      return Fail(error, ErrUnsupported);
    const size_t w = size_t(h.Width), hh = size_t(h.Height);
    if (HeaderSize + 4 * hh > size)
      return Fail(error, ErrCorrupt);
    const int colours = std::min(h.Colours, 3);
    const bool alpha = h.Mattes > 0 && h.Colours > 0;
    // A run of two bytes gives at most 128 samples of a channel.
    if (!AllocateImage(bmp, h.Width, h.Height, alpha, error, 1.0 / 64, size))
      return false;

    auto bytesOf = [](int bits) { return bits > 8 ? 2 : 1; };
    const int cb = bytesOf(h.ColourBits), mb = h.Mattes ? bytesOf(h.MatteBits) : 1;
    std::vector<uint8_t> plane(w * 2);
    std::vector<uint8_t> samples(w * 4);
    auto scale = [](unsigned v, int bits) -> uint8_t {
      unsigned max = (1u << bits) - 1;
      v = std::min(v, max);
      return uint8_t((v * 255 + max / 2) / max);
    };

    for (size_t line = 0; line < hh; ++line) {
      TByteReader in(data, size);
      if (!in.Seek(Be32(data + HeaderSize + 4 * line)) || in.Pos() < HeaderSize)
        return Fail(error, ErrCorrupt);
      std::fill(samples.begin(), samples.end(), uint8_t(255));
      // Colour channels, then the first matte channel.
      const int wanted = colours + (h.Mattes > 0 ? 1 : 0);
      for (int c = 0; c < wanted; ++c) {
        bool matte = c >= colours;
        int bytes = matte ? mb : cb, bits = matte ? h.MatteBits : h.ColourBits;
        // A colour channel beyond the third is skipped on the way to the matte.
        if (matte && h.Colours > colours)
          for (int skip = colours; skip < h.Colours; ++skip)
            in.Skip(in.Be16());
        uint16_t length = in.Be16();
        const uint8_t *enc = in.Take(length);
        if (!enc)
          return Fail(error, ErrCorrupt);
        TByteReader span(enc, length);
        // Wide channels come as byte planes, most significant first.
        for (int b = 0; b < bytes; ++b)
          if (!DecodeSpan(span, plane.data() + b, w, size_t(bytes)))
            return Fail(error, ErrCorrupt);
        int slot = matte ? 3 : c;
        for (size_t x = 0; x < w; ++x) {
          unsigned v = bytes == 2 ? Be16(plane.data() + 2 * x) : plane[x];
          samples[4 * x + size_t(slot)] = scale(v, bits);
        }
      }
      uint8_t *out = bmp.ScanLine(int(hh - 1 - line));
      for (size_t x = 0; x < w; ++x) {
        const uint8_t *s = samples.data() + 4 * x;
        if (h.Colours == 0)
          Put(out, int(x), false, s[3], s[3], s[3], 255); // matte only: shown as grey
        else if (colours < 3)
          Put(out, int(x), alpha, s[0], s[0], s[0], s[3]);
        else
          Put(out, int(x), alpha, s[0], s[1], s[2], s[3]);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewRlaReader() {
  return std::make_unique<TRlaReader>();
}

} // namespace tessaro
