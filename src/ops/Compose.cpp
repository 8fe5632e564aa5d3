// Copying and blending one raster onto another.
#include "ops/Bitmap32.h"
#include "ops/LUMGraphics.h"
#include "ops/OpsInternal.h"

#include <cstring>

namespace tessaro {

using namespace ops;

bool TransparentCopy(const TBitmap *Source, TBitmap *Target, int X, int Y, TColor TranspColor,
                     bool Transparent) {
  if (!IsWorkingBitmap(Source) || !IsWorkingBitmap(Target))
    return false;
  TWaitCursor wait;
  // Source and target may be the same bitmap: work from a copy then.
  std::unique_ptr<TBitmap> own;
  if (Source == Target) {
    own = std::make_unique<TBitmap>(*Source);
    Source = own.get();
  }
  const int sw = Source->Width(), sh = Source->Height();
  const int tw = Target->Width(), th = Target->Height();
  // Pixels left of or above the target are skipped, the rest stop at the
  // right and bottom edges.
  const int x0 = std::max(0, -X), x1 = std::min(sw, tw - X);
  for (int y = 0; y < sh; ++y) {
    RowTick(y);
    if (Y + y > th - 1)
      break;
    if (Y + y < 0 || x0 >= x1)
      continue;
    const uint8_t *s = Source->ScanLine(y) + size_t(x0) * 3;
    uint8_t *d = Target->ScanLine(Y + y) + size_t(X + x0) * 3;
    const int n = x1 - x0;
    if (!Transparent) {
      std::memcpy(d, s, size_t(n) * 3);
      continue;
    }
    for (int i = 0; i < n; ++i, s += 3, d += 3) {
      if (RGB(s[2], s[1], s[0]) == TranspColor)
        continue;
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  }
  AnnounceChange(*Target);
  return true;
}

bool BlendDraw(TBitmap *Target, const TBitmap *Source, int X, int Y, uint8_t Alpha) {
  if (Source == nullptr || !IsWorkingBitmap(Target))
    return false;
  // Blending straight into the target raster gives the same pixels as going
  // through two 32-bit copies (their alpha bytes are all 255), without the
  // extra memory. A source in another format is read through its colours.
  std::unique_ptr<TBitmap> own;
  if (Source->PixelFormat() != pf24bit || Source == Target) {
    own = std::make_unique<TBitmap>(*Source);
    own->SetPixelFormat(pf24bit);
    Source = own.get();
  }
  const int x0 = std::max(0, -X), x1 = std::min(Source->Width(), Target->Width() - X);
  const int y0 = std::max(0, -Y), y1 = std::min(Source->Height(), Target->Height() - Y);
  const unsigned a = Alpha;
  for (int y = y0; y < y1 && x0 < x1; ++y) {
    const uint8_t *s = Source->ScanLine(y) + size_t(x0) * 3;
    uint8_t *d = Target->ScanLine(y + Y) + size_t(x0 + X) * 3;
    const size_t n = size_t(x1 - x0) * 3;
    for (size_t i = 0; i < n; ++i)
      d[i] = BlendChannel(s[i], d[i], a);
  }
  Target->SetPixelFormat(pf24bit);
  AnnounceChange(*Target);
  return true;
}

} // namespace tessaro
