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
  // A row loop would run the message loop for the rows up to the first one
  // below the target, that row included.
  const int tickEnd = std::min(sh, std::max(th - Y, 0) + 1);
  const int y0 = std::max(0, -Y), y1 = std::min(sh, th - Y);
  TRasterView source(*const_cast<TBitmap *>(Source)), target(*Target);
  const bool ran = RowBands(
      0, tickEnd, 100, ThreadsFor(int64_t(sw) * sh),
      [&](int r0, int r1) {
        const int n = x1 - x0;
        for (int y = std::max(r0, y0); y < std::min(r1, y1) && n > 0; ++y) {
          const uint8_t *s = source.Row(y) + size_t(x0) * 3;
          uint8_t *d = target.Row(Y + y) + size_t(X + x0) * 3;
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
      },
      source, target);
  if (!ran)
    return false;
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
  if (x0 < x1)
    ParallelFor(y0, y1, ThreadsFor(int64_t(x1 - x0) * (y1 - y0)), [&](int r0, int r1) {
      for (int y = r0; y < r1; ++y) {
        const uint8_t *s = Source->ScanLine(y) + size_t(x0) * 3;
        uint8_t *d = Target->ScanLine(y + Y) + size_t(x0 + X) * 3;
        const size_t n = size_t(x1 - x0) * 3;
        for (size_t i = 0; i < n; ++i)
          d[i] = BlendChannel(s[i], d[i], a);
      }
    });
  Target->SetPixelFormat(pf24bit);
  AnnounceChange(*Target);
  return true;
}

} // namespace tessaro
