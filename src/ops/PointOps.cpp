// Point and channel routines: every byte of the raster is read and written
// once, row by row, in loops the compiler can vectorise.
#include "ops/LUMGraphics.h"
#include "ops/OpsInternal.h"

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

bool MaskChannels(TBitmap *bmp, uint8_t blue, uint8_t green, uint8_t red) {
  if (!IsWorkingBitmap(bmp))
    return false;
  std::vector<uint8_t> mask = ChannelRow(PixelBytes(*bmp), blue, green, red);
  const uint8_t *m = mask.data();
  return ForEachRow(bmp, [m](uint8_t *row, size_t n) { BlockLoop(n, [=](size_t i) { row[i] &= m[i]; }); });
}

template <bool R, bool B, bool G> void GrayRow(uint8_t *row, size_t n) {
  for (size_t i = 0; i < n; i += 3) {
    unsigned b = row[i], g = row[i + 1], r = row[i + 2];
    uint8_t v = uint8_t((77 * r + 151 * g + 28 * b) >> 8);
    if (B)
      row[i] = v;
    if (G)
      row[i + 1] = v;
    if (R)
      row[i + 2] = v;
  }
}

template <bool R, bool B, bool G> bool Gray(TBitmap *bmp) {
  return ForEachRow(bmp, [](uint8_t *row, size_t n) { GrayRow<R, B, G>(row, n); });
}

} // namespace

bool InvertBitmap(TBitmap *Bitmap) {
  return ForEachRow(Bitmap, [](uint8_t *row, size_t n) {
    BlockLoop(n, [=](size_t i) { row[i] = uint8_t(255 - row[i]); });
  });
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
  const unsigned s = Step == 0 ? 1 : Step;
  return ForEachRow(Bitmap, [s](uint8_t *row, size_t n) {
    BlockLoop(n, [=](size_t i) {
      unsigned v = row[i] + s;
      row[i] = uint8_t(v > 255 ? 255 : v);
    });
  });
}

bool DarkenBitmap(TBitmap *Bitmap, uint8_t Step) {
  const int s = Step == 0 ? 1 : Step;
  return ForEachRow(Bitmap, [s](uint8_t *row, size_t n) {
    BlockLoop(n, [=](size_t i) {
      int v = int(row[i]) - s;
      row[i] = uint8_t(v < 0 ? 0 : v);
    });
  });
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
  const uint8_t *t = table.data();
  return ForEachRow(Bitmap, [t](uint8_t *row, size_t n) {
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {
      uint8_t a = t[row[i]], b = t[row[i + 1]], c = t[row[i + 2]], d = t[row[i + 3]];
      row[i] = a;
      row[i + 1] = b;
      row[i + 2] = c;
      row[i + 3] = d;
    }
    for (; i < n; ++i)
      row[i] = t[row[i]];
  });
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
    return ForEachRow(bmp, [a, k](uint8_t *row, size_t n) {
      BlockLoop(n, [=](size_t i) { row[i] = uint8_t((row[i] & k[i]) | a[i]); });
    });
  }
  if (mode == 1)
    return ForEachRow(bmp, [a](uint8_t *row, size_t n) {
      BlockLoop(n, [=](size_t i) {
        unsigned s = unsigned(row[i]) + a[i];
        row[i] = uint8_t(s > 255 ? 255 : s);
      });
    });
  return ForEachRow(bmp, [a](uint8_t *row, size_t n) {
    BlockLoop(n, [=](size_t i) {
      int s = int(row[i]) - a[i];
      row[i] = uint8_t(s < 0 ? 0 : s);
    });
  });
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
