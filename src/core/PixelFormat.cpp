// Pixel-format conversion: every row is decoded to blue, green, red bytes and
// encoded into the new format. Palette targets use exact nearest-colour
// matching (no dithering) through a cache, so whole rasters convert at memory
// speed. Only the source and the target raster are held at a time.
#include "core/Bitmap.h"
#include "core/ByteOrder.h"
#include "core/ChannelBits.h"
#include "core/ColorMatch.h"
#include "core/Palettes.h"
#include "core/Parallel.h"

#include <cstring>

namespace tessaro {

namespace {

// Row of any format to BGR bytes.
void DecodeRow(const TBitmap &src, int y, uint8_t *bgr, const TRGBQuad *lut) {
  const uint8_t *row = src.ScanLine(y);
  int w = src.Width();
  switch (src.PixelFormat()) {
  case pf1bit:
  case pf4bit:
  case pf8bit:
    for (int x = 0; x < w; ++x) {
      uint32_t i = src.PixelFormat() == pf8bit   ? row[x]
                   : src.PixelFormat() == pf4bit ? ((x & 1) ? (row[x >> 1] & 15) : (row[x >> 1] >> 4))
                                                 : ((row[x >> 3] >> (7 - (x & 7))) & 1);
      const TRGBQuad &q = lut[i];
      bgr[3 * x] = q.rgbBlue;
      bgr[3 * x + 1] = q.rgbGreen;
      bgr[3 * x + 2] = q.rgbRed;
    }
    break;
  case pf15bit:
    for (int x = 0; x < w; ++x) {
      uint32_t v = Le16(row + 2 * x);
      bgr[3 * x] = Expand5(v & 31);
      bgr[3 * x + 1] = Expand5((v >> 5) & 31);
      bgr[3 * x + 2] = Expand5((v >> 10) & 31);
    }
    break;
  case pf16bit:
    for (int x = 0; x < w; ++x) {
      uint32_t v = Le16(row + 2 * x);
      bgr[3 * x] = Expand5(v & 31);
      bgr[3 * x + 1] = Expand6((v >> 5) & 63);
      bgr[3 * x + 2] = Expand5((v >> 11) & 31);
    }
    break;
  case pf32bit:
    for (int x = 0; x < w; ++x) {
      bgr[3 * x] = row[4 * x];
      bgr[3 * x + 1] = row[4 * x + 1];
      bgr[3 * x + 2] = row[4 * x + 2];
    }
    break;
  default:
    std::memcpy(bgr, row, size_t(w) * 3);
  }
}

void EncodeRow(const uint8_t *bgr, int w, TPixelFormat pf, uint8_t *row, TNearestColor *match) {
  switch (pf) {
  case pf1bit:
    for (int x = 0; x < w; x += 8) {
      uint8_t byte = 0;
      for (int k = 0; k < 8 && x + k < w; ++k) {
        const uint8_t *p = bgr + 3 * (x + k);
        if (match->Match(p[2], p[1], p[0]) & 1)
          byte |= uint8_t(0x80 >> k);
      }
      row[x >> 3] = byte;
    }
    break;
  case pf4bit:
    for (int x = 0; x < w; x += 2) {
      const uint8_t *p = bgr + 3 * x;
      uint8_t hi = match->Match(p[2], p[1], p[0]);
      uint8_t lo = x + 1 < w ? match->Match(p[5], p[4], p[3]) : 0;
      row[x >> 1] = uint8_t((hi << 4) | (lo & 15));
    }
    break;
  case pf8bit: {
    uint32_t lastKey = 0xFFFFFFFFu;
    uint8_t last = 0;
    for (int x = 0; x < w; ++x) {
      const uint8_t *p = bgr + 3 * x;
      uint32_t key = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
      if (key != lastKey) {
        last = match->Match(p[2], p[1], p[0]);
        lastKey = key;
      }
      row[x] = last;
    }
    break;
  }
  case pf15bit:
    for (int x = 0; x < w; ++x) {
      const uint8_t *p = bgr + 3 * x;
      uint32_t v = (uint32_t(p[2] >> 3) << 10) | (uint32_t(p[1] >> 3) << 5) | (p[0] >> 3);
      row[2 * x] = uint8_t(v);
      row[2 * x + 1] = uint8_t(v >> 8);
    }
    break;
  case pf16bit:
    for (int x = 0; x < w; ++x) {
      const uint8_t *p = bgr + 3 * x;
      uint32_t v = (uint32_t(p[2] >> 3) << 11) | (uint32_t(p[1] >> 2) << 5) | (p[0] >> 3);
      row[2 * x] = uint8_t(v);
      row[2 * x + 1] = uint8_t(v >> 8);
    }
    break;
  case pf32bit:
    for (int x = 0; x < w; ++x) {
      row[4 * x] = bgr[3 * x];
      row[4 * x + 1] = bgr[3 * x + 1];
      row[4 * x + 2] = bgr[3 * x + 2];
      row[4 * x + 3] = 0xFF;
    }
    break;
  default:
    std::memcpy(row, bgr, size_t(w) * 3);
  }
}

} // namespace

void TBitmap::SetPixelFormat(TPixelFormat pf) {
  if (pf == pfDevice || pf == pfCustom)
    pf = pf24bit;
  if (pf == FPixelFormat)
    return;
  TPalette target = DefaultPalette(pf);
  // A two-colour palette of the source is kept for 1 bit.
  if (pf == pf1bit && IsPaletteFormat(FPixelFormat) && FPalette.size() == 2)
    target = FPalette;

  // Lookup table of the source palette, padded with black.
  std::vector<TRGBQuad> lut(256);
  for (size_t i = 0; i < FPalette.size() && i < 256; ++i)
    lut[i] = FPalette[i];

  TBitmap out;
  out.Allocate(FWidth, FHeight, pf, false);
  out.FPalette = target;
  // Rows convert independently, so they are shared among threads. Each
  // thread matches colours through a matcher of its own (a matcher fills
  // its cells as it goes); the matchers of the fixed palettes are kept per
  // thread, as their cells, once built, serve every later conversion.
  const bool fixedPalette = IsPaletteFormat(pf) && target == DefaultPalette(pf);
  const int slot = pf == pf1bit ? 0 : pf == pf4bit ? 1 : 2;
  const int64_t pixels = int64_t(FWidth) * FHeight;
  ParallelFor(0, FHeight, ThreadsFor(pixels), [&](int y0, int y1) {
    std::unique_ptr<TNearestColor> own;
    TNearestColor *match = nullptr;
    if (fixedPalette) {
      static thread_local std::unique_ptr<TNearestColor> fixed[3];
      if (!fixed[slot])
        fixed[slot] = std::make_unique<TNearestColor>(target);
      match = fixed[slot].get();
    } else if (IsPaletteFormat(pf)) {
      own = std::make_unique<TNearestColor>(target);
      match = own.get();
    }
    std::vector<uint8_t> bgr(size_t(FWidth) * 3 + 8);
    for (int y = y0; y < y1; ++y) {
      const uint8_t *rowIn;
      if (FPixelFormat == pf24bit) {
        rowIn = ScanLine(y);
      } else {
        DecodeRow(*this, y, bgr.data(), lut.data());
        rowIn = bgr.data();
      }
      EncodeRow(rowIn, FWidth, pf, out.ScanLine(y), match);
    }
  });
  FPixels.swap(out.FPixels);
  FPalette.swap(out.FPalette);
  FRowBytes = out.FRowBytes;
  FPixelFormat = pf;
  Changed();
}

} // namespace tessaro
