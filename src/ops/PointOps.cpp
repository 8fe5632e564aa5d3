// Point and channel routines: every byte of the raster is read and written
// once, row by row, in loops the compiler can vectorise.
#include "ops/LUMGraphics.h"
#include "ops/OpsInternal.h"

#include <cstring>
#include <vector>

namespace tessaro {

using namespace ops;

namespace {

// Per-channel byte pattern repeated over a whole row (blue, green, red), so
// that channel routines become plain byte loops.
std::vector<uint8_t> ChannelRow(size_t bytes, uint8_t blue, uint8_t green, uint8_t red) {
  std::vector<uint8_t> row(bytes);
  for (size_t i = 0; i + 2 < bytes; i += 3) {
    row[i] = blue;
    row[i + 1] = green;
    row[i + 2] = red;
  }
  return row;
}

// Row kernels: restrict-qualified, in blocks of a fixed length, so that the
// compiler vectorises them without run-time checks or epilogues.
#define TESSARO_ROW_LOOP(n, ...)                                                                             \
  {                                                                                                          \
    size_t i = 0;                                                                                            \
    for (; i + 32 <= (n); i += 32)                                                                           \
      for (size_t j = i; j < i + 32; ++j) {                                                                  \
        const size_t k = j;                                                                                  \
        __VA_ARGS__                                                                                          \
      }                                                                                                      \
    for (; i < (n); ++i) {                                                                                   \
      const size_t k = i;                                                                                    \
      __VA_ARGS__                                                                                            \
    }                                                                                                        \
  }

void AndRow(uint8_t *__restrict row, const uint8_t *__restrict m, size_t n) {
  TESSARO_ROW_LOOP(n, row[k] &= m[k];)
}
void SetRow(uint8_t *__restrict row, const uint8_t *__restrict keep, const uint8_t *__restrict add,
            size_t n) {
  TESSARO_ROW_LOOP(n, row[k] = uint8_t((row[k] & keep[k]) | add[k]);)
}
void AddRow(uint8_t *__restrict row, const uint8_t *__restrict add, size_t n) {
  TESSARO_ROW_LOOP(n, unsigned v = unsigned(row[k]) + add[k]; row[k] = uint8_t(v > 255 ? 255 : v);)
}
void SubRow(uint8_t *__restrict row, const uint8_t *__restrict sub, size_t n) {
  TESSARO_ROW_LOOP(n, int v = int(row[k]) - sub[k]; row[k] = uint8_t(v < 0 ? 0 : v);)
}
void LightenRow(uint8_t *__restrict row, uint8_t s, size_t n) {
  // A byte sum that wraps is below its operand: the saturating add.
  TESSARO_ROW_LOOP(n, uint8_t v = uint8_t(row[k] + s); row[k] = v < row[k] ? uint8_t(255) : v;)
}
void DarkenRow(uint8_t *__restrict row, uint8_t s, size_t n) {
  // A byte difference that wraps is above its operand: the saturating subtraction.
  TESSARO_ROW_LOOP(n, uint8_t v = uint8_t(row[k] - s); row[k] = v > row[k] ? uint8_t(0) : v;)
}
void InvertRow(uint8_t *__restrict row, size_t n) {
  TESSARO_ROW_LOOP(n, row[k] = uint8_t(255 - row[k]);)
}

// Two bytes per look-up through a table of 65536 byte pairs.
void LookupRow(uint8_t *__restrict row, const uint16_t *__restrict pairs, const uint8_t *__restrict single,
               size_t n) {
  size_t i = 0;
  for (; i + 2 <= n; i += 2) {
    uint16_t v;
    std::memcpy(&v, row + i, 2);
    v = pairs[v];
    std::memcpy(row + i, &v, 2);
  }
  for (; i < n; ++i)
    row[i] = single[row[i]];
}

bool MaskChannels(TBitmap *bmp, uint8_t blue, uint8_t green, uint8_t red) {
  if (!IsWorkingBitmap(bmp))
    return false;
  std::vector<uint8_t> mask = ChannelRow(PixelBytes(*bmp), blue, green, red);
  const uint8_t *m = mask.data();
  return ForEachRow(bmp, [m](uint8_t *row, size_t n) { AndRow(row, m, n); });
}

// The grey value needs the three bytes of a pixel together; with AVX2 the
// compiler can take the interleaved rows apart, so that version is built
// beside the plain one and chosen at run time.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define TESSARO_GRAY_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TESSARO_GRAY_CLONES
#endif

template <bool R, bool B, bool G> TESSARO_GRAY_CLONES void GrayRow(uint8_t *__restrict row, size_t n) {
  TESSARO_ROW_LOOP(n / 3, uint8_t *p = row + 3 * k; unsigned b = p[0], g = p[1], r = p[2];
                   uint8_t v = uint8_t((77 * r + 151 * g + 28 * b) >> 8); if (B) p[0] = v; if (G) p[1] = v;
                   if (R) p[2] = v;)
}

template <bool R, bool B, bool G> bool Gray(TBitmap *bmp) {
  return ForEachRow(bmp, [](uint8_t *row, size_t n) { GrayRow<R, B, G>(row, n); });
}

#undef TESSARO_ROW_LOOP

} // namespace

bool InvertBitmap(TBitmap *Bitmap) {
  return ForEachRow(Bitmap, [](uint8_t *row, size_t n) { InvertRow(row, n); });
}

bool GrayScaleBitmap(TBitmap *Bitmap, uint8_t Channels) {
  switch (Channels & gsAll) {
  case 0:
    return ForEachRow(Bitmap, [](uint8_t *, size_t) {});
  case gsRed:
    return Gray<true, false, false>(Bitmap);
  case gsBlue:
    return Gray<false, true, false>(Bitmap);
  case gsGreen:
    return Gray<false, false, true>(Bitmap);
  case gsRed | gsBlue:
    return Gray<true, true, false>(Bitmap);
  case gsRed | gsGreen:
    return Gray<true, false, true>(Bitmap);
  case gsBlue | gsGreen:
    return Gray<false, true, true>(Bitmap);
  default:
    return Gray<true, true, true>(Bitmap);
  }
}

bool LightenBitmap(TBitmap *Bitmap, uint8_t Step) {
  const uint8_t s = Step == 0 ? 1 : Step;
  return ForEachRow(Bitmap, [s](uint8_t *row, size_t n) { LightenRow(row, s, n); });
}

bool DarkenBitmap(TBitmap *Bitmap, uint8_t Step) {
  const uint8_t s = Step == 0 ? 1 : Step;
  return ForEachRow(Bitmap, [s](uint8_t *row, size_t n) { DarkenRow(row, s, n); });
}

bool MakeContrastTable(int Amount, std::array<uint8_t, 256> &Table) {
  if (Amount < -255 || Amount > 255)
    return false;
  // The factor is a single-precision value; the product with a byte offset
  // is exact in double, so only the final rounding (halves to even) counts.
  const float f = float(double(Amount) / 100.0 + 1.0);
  for (int i = 0; i < 256; ++i)
    Table[size_t(i)] = ClampByte(int(RoundEven(double(i - 128) * double(f))) + 128);
  return true;
}

bool ContrastBitmap(TBitmap *Bitmap, int Amount) {
  std::array<uint8_t, 256> table;
  if (!IsWorkingBitmap(Bitmap) || !MakeContrastTable(Amount, table))
    return false;
  std::vector<uint16_t> pairs(65536);
  for (unsigned v = 0; v < 65536; ++v)
    pairs[v] = uint16_t(table[v & 255] | (table[v >> 8] << 8));
  const uint16_t *p = pairs.data();
  const uint8_t *t = table.data();
  return ForEachRow(Bitmap, [p, t](uint8_t *row, size_t n) { LookupRow(row, p, t, n); });
}

bool KeepRedOnly(TBitmap *Bitmap) {
  return MaskChannels(Bitmap, 0, 0, 0xFF);
}
bool KeepGreenOnly(TBitmap *Bitmap) {
  return MaskChannels(Bitmap, 0, 0xFF, 0);
}
bool KeepBlueOnly(TBitmap *Bitmap) {
  return MaskChannels(Bitmap, 0xFF, 0, 0);
}
bool RemoveRed(TBitmap *Bitmap) {
  return MaskChannels(Bitmap, 0xFF, 0xFF, 0);
}
bool RemoveGreen(TBitmap *Bitmap) {
  return MaskChannels(Bitmap, 0xFF, 0, 0xFF);
}
bool RemoveBlue(TBitmap *Bitmap) {
  return MaskChannels(Bitmap, 0, 0xFF, 0xFF);
}

bool SplitChannels(const TBitmap *Source, TBitmap &Red, TBitmap &Green, TBitmap &Blue) {
  if (!IsWorkingBitmap(Source))
    return false;
  Red.Assign(*Source);
  Green.Assign(*Source);
  Blue.Assign(*Source);
  return KeepRedOnly(&Red) && KeepGreenOnly(&Green) && KeepBlueOnly(&Blue);
}

// --- channel changes ----------------------------------------------------------

namespace {

bool ChangeChannel(TBitmap *bmp, int channel, uint8_t value, uint8_t mode) {
  if (!IsWorkingBitmap(bmp))
    return false;
  if (mode > 2)
    return ForEachRow(bmp, [](uint8_t *, size_t) {});
  const size_t bytes = PixelBytes(*bmp);
  const uint8_t v[3] = {uint8_t(channel == 0 ? value : 0), uint8_t(channel == 1 ? value : 0),
                        uint8_t(channel == 2 ? value : 0)};
  std::vector<uint8_t> add = ChannelRow(bytes, v[0], v[1], v[2]);
  const uint8_t *a = add.data();
  if (mode == 0) {
    std::vector<uint8_t> keep =
        ChannelRow(bytes, channel == 0 ? 0 : 0xFF, channel == 1 ? 0 : 0xFF, channel == 2 ? 0 : 0xFF);
    const uint8_t *k = keep.data();
    return ForEachRow(bmp, [a, k](uint8_t *row, size_t n) { SetRow(row, k, a, n); });
  }
  if (mode == 1)
    return ForEachRow(bmp, [a](uint8_t *row, size_t n) { AddRow(row, a, n); });
  return ForEachRow(bmp, [a](uint8_t *row, size_t n) { SubRow(row, a, n); });
}

} // namespace

bool ChangeRed(TBitmap *Bitmap, uint8_t Value, uint8_t Mode) {
  return ChangeChannel(Bitmap, 2, Value, Mode);
}
bool ChangeGreen(TBitmap *Bitmap, uint8_t Value, uint8_t Mode) {
  return ChangeChannel(Bitmap, 1, Value, Mode);
}
bool ChangeBlue(TBitmap *Bitmap, uint8_t Value, uint8_t Mode) {
  return ChangeChannel(Bitmap, 0, Value, Mode);
}

bool ReplaceColor(TBitmap *Bitmap, TColor OldColor, TColor NewColor) {
  // The whole image in the new colour with every pixel that differs from
  // the old one copied back leaves the new colour exactly where the old was.
  const TColor c = ColorToRGB(NewColor);
  const uint8_t nb = GetBValue(c), ng = GetGValue(c), nr = GetRValue(c);
  return ForEachRow(Bitmap, [=](uint8_t *row, size_t n) {
    for (size_t i = 0; i + 2 < n; i += 3) {
      uint8_t *p = row + i;
      if (RGB(p[2], p[1], p[0]) == OldColor) {
        p[0] = nb;
        p[1] = ng;
        p[2] = nr;
      }
    }
  });
}

bool ApplyBrightness(TBitmap *Bitmap, int Amount) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  Amount = std::clamp(Amount, -255, 255);
  if (Amount < 0)
    return DarkenBitmap(Bitmap, uint8_t(-Amount));
  if (Amount > 0)
    return LightenBitmap(Bitmap, uint8_t(Amount));
  return true;
}

bool ApplyIntensity(TBitmap *Bitmap, int Red, int Green, int Blue) {
  if (!IsWorkingBitmap(Bitmap))
    return false;
  bool (*const change[3])(TBitmap *, uint8_t, uint8_t) = {ChangeRed, ChangeGreen, ChangeBlue};
  const int amounts[3] = {std::clamp(Red, -255, 255), std::clamp(Green, -255, 255),
                          std::clamp(Blue, -255, 255)};
  for (int c = 0; c < 3; ++c) {
    if (amounts[c] < 0)
      change[c](Bitmap, uint8_t(-amounts[c]), 2);
    else if (amounts[c] > 0)
      change[c](Bitmap, uint8_t(amounts[c]), 1);
  }
  return true;
}

} // namespace tessaro
