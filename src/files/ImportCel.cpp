// Autodesk Animator cels and pictures (CEL, PIC): 8-bit pixels with a
// 256-colour palette behind a header marked $9119. Softimage pictures share
// the .pic extension and are refused (they carry another magic number).
#include "files/ImportCommon.h"

namespace tessaro {
namespace {

using namespace importer;

constexpr size_t HeaderSize = 32;

class TCelReader final : public TImportReader {
public:
  const char *Name() const override { return "Autodesk"; }
  std::vector<std::string> Extensions() const override { return {".cel", ".pic"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    if (size < HeaderSize || Le16(head) != 0x9119)
      return false;
    // Width, height, 8 bits, no compression.
    return Le16(head + 2) > 0 && Le16(head + 4) > 0 && head[10] == 8 && head[11] == 0;
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (!Recognise(data, size))
      return Fail(error, ErrFormat);
    const int w = Le16(data + 2), h = Le16(data + 4);
    if (size < HeaderSize + 768 + size_t(w) * size_t(h))
      return Fail(error, ErrCorrupt);
    const uint8_t *pal = data + HeaderSize;
    // The palette holds VGA values 0..63; some writers store full bytes.
    bool sixBits = true;
    for (int i = 0; i < 768; ++i)
      sixBits = sixBits && pal[i] < 64;
    uint8_t colours[768];
    for (int i = 0; i < 768; ++i)
      colours[i] = sixBits ? uint8_t((pal[i] << 2) | (pal[i] >> 4)) : pal[i];
    if (!AllocateImage(bmp, w, h, false, error))
      return false;
    const uint8_t *src = data + HeaderSize + 768;
    for (int y = 0; y < h; ++y) {
      uint8_t *out = bmp.ScanLine(y);
      for (int x = 0; x < w; ++x) {
        const uint8_t *c = colours + 3 * size_t(*src++);
        PutRGB(out, x, c[0], c[1], c[2]);
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewCelReader() {
  return std::make_unique<TCelReader>();
}

} // namespace tessaro
