// Kodak Photo CD image pacs (PCD): the base resolution image (768 x 512),
// stored as luminance rows with shared chroma rows (PhotoYCC, 4:2:0), turned
// by the orientation the file records. The whole PhotoYCC range (up to 1.36
// times the reference white) is mapped linearly onto 0..255, so highlights
// keep their detail instead of clipping.
#include "files/ImportCommon.h"

#include <algorithm>
#include <vector>

namespace tessaro {
namespace {

using namespace importer;

constexpr int BaseWidth = 768, BaseHeight = 512;
constexpr size_t BaseOffset = 0x30000;
constexpr size_t BaseBytes = size_t(BaseWidth) * BaseHeight * 3 / 2;

uint8_t Clamp(double v) {
  return uint8_t(std::clamp(v + 0.5, 0.0, 255.0));
}

class TPcdReader final : public TImportReader {
public:
  const char *Name() const override { return "Kodak Photo CD"; }
  std::vector<std::string> Extensions() const override { return {".pcd"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    return size >= 0x800 + 7 && std::memcmp(head + 0x800, "PCD_IPI", 7) == 0;
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (!Recognise(data, size))
      return Fail(error, ErrFormat);
    if (size < BaseOffset + BaseBytes || size < 0x0E03)
      return Fail(error, ErrCorrupt);
    const int rotation = data[0x0E02] & 3; // quarter turns counter-clockwise
    const bool swap = rotation == 1 || rotation == 3;
    if (!AllocateImage(bmp, swap ? BaseHeight : BaseWidth, swap ? BaseWidth : BaseHeight, false, error))
      return false;

    const uint8_t *src = data + BaseOffset;
    for (int pair = 0; pair < BaseHeight / 2; ++pair) {
      const uint8_t *y0 = src, *y1 = src + BaseWidth, *c1 = src + 2 * BaseWidth,
                    *c2 = src + 2 * BaseWidth + BaseWidth / 2;
      src += BaseWidth * 3;
      for (int row = 0; row < 2; ++row) {
        const uint8_t *luma = row ? y1 : y0;
        int y = pair * 2 + row;
        for (int x = 0; x < BaseWidth; ++x) {
          double l = luma[x];
          double a = 2.2179 / 1.3584 * (int(c1[x / 2]) - 156);
          double b = 1.8215 / 1.3584 * (int(c2[x / 2]) - 137);
          uint8_t r = Clamp(l + b), g = Clamp(l - 0.194 * a - 0.509 * b), bl = Clamp(l + a);
          int ox = x, oy = y;
          switch (rotation) {
          case 1: // turned left
            ox = y, oy = BaseWidth - 1 - x;
            break;
          case 2:
            ox = BaseWidth - 1 - x, oy = BaseHeight - 1 - y;
            break;
          case 3: // turned right
            ox = BaseHeight - 1 - y, oy = x;
            break;
          }
          PutRGB(bmp.ScanLine(oy), ox, r, g, bl);
        }
      }
    }
    return true;
  }
};

} // namespace

std::unique_ptr<TImportReader> NewPcdReader() {
  return std::make_unique<TPcdReader>();
}

} // namespace tessaro
