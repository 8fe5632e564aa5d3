// Helpers of the file tests: test rasters, external tools, file bytes.
#pragma once

#include "ToolAbilities.h"
#include "core/Bitmap.h"
#include "core/FileUtil.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace tessaro::test {

// A 24-bit raster with smooth gradients and a few hard edges (many colours).
inline TBitmap MakeGradient(int w, int h) {
  TBitmap bmp(w, h, pf24bit);
  for (int y = 0; y < h; ++y) {
    uint8_t *row = bmp.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      row[3 * x + 0] = uint8_t(x * 255 / (w > 1 ? w - 1 : 1));
      row[3 * x + 1] = uint8_t(y * 255 / (h > 1 ? h - 1 : 1));
      row[3 * x + 2] = uint8_t((x < w / 2) == (y < h / 2) ? 200 : 40);
    }
  }
  return bmp;
}

// A raster of the given format whose stored values run through the range.
inline TBitmap MakePattern(int w, int h, TPixelFormat pf) {
  TBitmap bmp(w, h, pf24bit);
  bmp.SetPixelFormat(pf);
  uint32_t range = pf == pf1bit ? 2 : pf == pf4bit ? 16 : pf == pf8bit ? 256 : 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t v = uint32_t(x * 7 + y * 13);
      if (range)
        bmp.SetStored(x, y, v % range);
      else if (pf == pf15bit)
        bmp.SetStored(x, y, (v * 2654435761u) & 0x7FFF);
      else if (pf == pf16bit)
        bmp.SetStored(x, y, (v * 2654435761u) & 0xFFFF);
      else if (pf == pf24bit)
        bmp.SetStored(x, y, (v * 2654435761u) & 0xFFFFFF);
      else
        bmp.SetStored(x, y, (v * 2654435761u) | 0xFF000000u);
    }
  return bmp;
}

inline bool HaveTool(const char *path) {
  return access(path, X_OK) == 0;
}
#define REQUIRE_TOOL(path)                                                                                   \
  do {                                                                                                       \
    if (!::tessaro::test::HaveTool(path))                                                                    \
      GTEST_SKIP() << path << " not installed";                                                              \
  } while (0)

inline int RunTool(const std::string &cmd) {
  return std::system((cmd + " >/dev/null 2>&1").c_str());
}

inline std::vector<uint8_t> FileBytes(const std::string &path) {
  std::vector<uint8_t> data;
  ReadWholeFile(path, data);
  return data;
}

inline void WriteBytes(const std::string &path, const std::vector<uint8_t> &data) {
  WriteFileAtomically(path, data.data(), data.size());
}

// Largest difference of any channel between two rasters of equal size.
inline int MaxChannelDiff(const TBitmap &a, const TBitmap &b) {
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      TColor ca = a.GetPixel(x, y), cb = b.GetPixel(x, y);
      for (int s = 0; s < 24; s += 8)
        worst = std::max(worst, std::abs(int((ca >> s) & 0xFF) - int((cb >> s) & 0xFF)));
    }
  return worst;
}

// Mean absolute difference per channel.
inline double MeanChannelDiff(const TBitmap &a, const TBitmap &b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      TColor ca = a.GetPixel(x, y), cb = b.GetPixel(x, y);
      for (int s = 0; s < 24; s += 8)
        sum += std::abs(int((ca >> s) & 0xFF) - int((cb >> s) & 0xFF));
    }
  return sum / (3.0 * a.Width() * a.Height());
}

inline bool SameColors(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return false;
  return true;
}

} // namespace tessaro::test
