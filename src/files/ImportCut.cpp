// Dr. Halo CUT: 8-bit run-length encoded lines. The colours come from the
// palette file of the same name with the extension .pal beside it; without
// one the pixel values are shown as grey levels.
#include "files/ImportCommon.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace tessaro {
namespace {

using namespace importer;

// Decodes one line (after its byte count) into out; false when it does not
// end exactly at the width within its bytes.
bool DecodeLine(const uint8_t *src, size_t len, uint8_t *out, size_t width) {
  size_t i = 0, o = 0;
  while (i < len) {
    uint8_t c = src[i++];
    if (c == 0)
      return o == width;
    size_t n = c & 0x7F;
    if (o + n > width)
      return false;
    if (c & 0x80) {
      if (i >= len)
        return false;
      std::memset(out + o, src[i++], n);
    } else {
      if (i + n > len)
        return false;
      std::memcpy(out + o, src + i, n);
      i += n;
    }
    o += n;
  }
  return o == width;
}

// Dr. Halo palette file: "AH" header of 40 bytes, then red, green, blue words
// scaled to the header's maxima, in blocks of 512 bytes that no entry crosses.
bool LoadPalette(const std::string &cutPath, uint8_t (&pal)[768]) {
  if (cutPath.empty())
    return false;
  std::filesystem::path p(cutPath);
  std::vector<std::filesystem::path> candidates = {p, p};
  candidates[0].replace_extension(".pal");
  candidates[1].replace_extension(".PAL");
  for (auto &c : candidates) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(c, ec) || std::filesystem::file_size(c, ec) > (1 << 20))
      continue;
    std::ifstream f(c, std::ios::binary);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(f)), {});
    if (d.size() < 40 || d[0] != 'A' || d[1] != 'H' || d[6] != 'P')
      continue;
    unsigned count = std::min<unsigned>(Le16(d.data() + 12) + 1u, 256);
    unsigned maxv[3] = {Le16(d.data() + 14), Le16(d.data() + 16), Le16(d.data() + 18)};
    size_t pos = 40;
    for (unsigned i = 0; i < count; ++i) {
      if (pos % 512 > 506)
        pos = (pos / 512 + 1) * 512; // entries never cross a block
      if (pos + 6 > d.size())
        return false;
      for (int k = 0; k < 3; ++k) {
        unsigned v = Le16(d.data() + pos + 2 * k), m = maxv[k] ? maxv[k] : 255;
        pal[3 * i + unsigned(k)] = uint8_t(std::min(v, m) * 255 / m);
      }
      pos += 6;
    }
    return true;
  }
  return false;
}

class TCutReader final : public TImportReader {
public:
  const char *Name() const override { return "Dr. Halo"; }
  std::vector<std::string> Extensions() const override { return {".cut"}; }

  // No magic: the header's reserved word is zero and the first line decodes
  // to exactly the width within its byte count.
  bool Recognise(const uint8_t *head, size_t size) const override {
    if (size < 8)
      return false;
    unsigned w = Le16(head), h = Le16(head + 2);
    if (w == 0 || h == 0 || Le16(head + 4) != 0)
      return false;
    size_t len = Le16(head + 6);
    if (len < 1 || 8 + len > size)
      return false;
    std::vector<uint8_t> line(w);
    return DecodeLine(head + 8, len, line.data(), w);
  }

  bool Read(const std::string &path, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (size < 6 || Le16(data + 4) != 0)
      return Fail(error, ErrFormat);
    const int w = Le16(data), h = Le16(data + 2);
    // Every line costs its count word and an end byte.
    if (!AllocateImage(bmp, w, h, false, error, 3.0 / double(std::max(w, 1)), size - 6))
      return false;
    uint8_t pal[768];
    if (!LoadPalette(path, pal))
      for (int i = 0; i < 256; ++i)
        pal[3 * i] = pal[3 * i + 1] = pal[3 * i + 2] = uint8_t(i);

    TByteReader in(data, size);
    in.Skip(6);
    std::vector<uint8_t> line(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
      uint16_t len = in.Le16();
      const uint8_t *src = in.Take(len);
      if (!src || !DecodeLine(src, len, line.data(), line.size()))
        return Fail(error, ErrCorrupt);
      uint8_t *out = bmp.ScanLine(y);
      for (int x = 0; x < w; ++x) {
        const uint8_t *c = pal + 3 * size_t(line[size_t(x)]);
        PutRGB(out, x, c[0], c[1], c[2]);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewCutReader() {
  return std::make_unique<TCutReader>();
}

} // namespace tessaro
