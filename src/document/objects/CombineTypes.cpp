#include "document/objects/CombineTypes.h"

#include "core/Canvas.h"
#include "ops/LUMGraphics.h"

#include <algorithm>
#include <array>
#include <memory>

namespace tessaro {

namespace {

// "Kombinierte  Addition" carries two blanks, as the list always showed it.
constexpr std::array<TCombineType, 15> Types{{
    {"Standard", cmSrcCopy},
    {"Hinzufügen", cmSrcAnd},
    {"Invertierte Subtraktion", cmSrcErase},
    {"XOR Invertierung", cmSrcInvert},
    {"Subtraktion", cmSrcPaint},
    {"Invertiertes Kopieren", cmNotSrcCopy},
    {"Quellmuster Subtraktion", cmNotSrcErase},
    {"Quellmuster Kopieren", cmPatCopy},
    {"Quellmuster Invertieren", cmPatInvert},
    {"Quellmuster Zeichnen", cmPatPaint},
    {"Kombinierte  Addition", cmMergeCopy},
    {"Kombinierte Subtraktion", cmMergePaint},
    {"Invertieren", cmDstInvert},
    {"Schwarz", cmBlackness},
    {"Weiß", cmWhiteness},
}};

} // namespace

std::span<const TCombineType> CombineTypes() {
  return Types;
}

uint32_t CombineCopyMode(int index) {
  return index >= 0 && index < int(Types.size()) ? Types[size_t(index)].CopyMode : cmSrcCopy;
}

bool CombineCopy(const TBitmap &source, TBitmap &target, int x, int y, uint32_t copyMode, TColor pattern,
                 TColor transparentColor, bool transparent) {
  if (copyMode == cmSrcCopy)
    return TransparentCopy(&source, &target, x, y, transparentColor, transparent);
  if (source.PixelFormat() != pf24bit || target.PixelFormat() != pf24bit)
    return false;
  // The object may lie on the picture it is laid into.
  std::unique_ptr<TBitmap> own;
  const TBitmap *s = &source;
  if (s == &target) {
    own = std::make_unique<TBitmap>(source);
    s = own.get();
  }
  const int x0 = std::max(0, -x), x1 = std::min(s->Width(), target.Width() - x);
  const int y0 = std::max(0, -y), y1 = std::min(s->Height(), target.Height() - y);
  if (x0 >= x1 || y0 >= y1)
    return true;
  // Values as the rows hold them: blue, green, red from the low byte up.
  auto packed = [](TColor c) {
    return uint32_t(GetBValue(c)) | uint32_t(GetGValue(c)) << 8 | uint32_t(GetRValue(c)) << 16;
  };
  const uint32_t p = packed(ColorToRGB(pattern));
  // A system colour is no pixel value: nothing is left out then, as with
  // the see-through region.
  const bool leaveOut = transparent && transparentColor <= 0xFFFFFF;
  const uint32_t skip = packed(transparentColor);
  for (int row = y0; row < y1; ++row) {
    const uint8_t *sp = s->ScanLine(row) + size_t(x0) * 3;
    uint8_t *dp = target.ScanLine(y + row) + size_t(x + x0) * 3;
    for (int i = x0; i < x1; ++i, sp += 3, dp += 3) {
      const uint32_t sv = uint32_t(sp[0]) | uint32_t(sp[1]) << 8 | uint32_t(sp[2]) << 16;
      if (leaveOut && sv == skip)
        continue;
      const uint32_t dv = uint32_t(dp[0]) | uint32_t(dp[1]) << 8 | uint32_t(dp[2]) << 16;
      const uint32_t r = ApplyRop3(copyMode, p, sv, dv);
      dp[0] = uint8_t(r);
      dp[1] = uint8_t(r >> 8);
      dp[2] = uint8_t(r >> 16);
    }
  }
  target.Changed(TRect(x + x0, y + y0, x + x1, y + y1));
  return true;
}

} // namespace tessaro
