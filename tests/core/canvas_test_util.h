// Small helpers shared by the canvas tests.
#pragma once

#include "core/Bitmap.h"
#include "core/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::test {

inline constexpr TPixelFormat AllFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

// A bitmap of the given size and format filled with one colour.
inline TBitmap FilledBitmap(int w, int h, TPixelFormat pf, TColor c = clWhite) {
  TBitmap bmp(w, h, pf);
  uint32_t v = bmp.StoredFromColor(c);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetStored(x, y, v);
  return bmp;
}

// Every stored value, row by row.
inline std::vector<uint32_t> StoredPixels(const TBitmap &bmp) {
  std::vector<uint32_t> v;
  v.reserve(size_t(bmp.Width()) * bmp.Height());
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      v.push_back(bmp.GetStored(x, y));
  return v;
}

// Pixels that differ from the colour c, as a set of points.
inline std::vector<TPoint> PixelsNot(const TBitmap &bmp, TColor c) {
  std::vector<TPoint> pts;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (bmp.GetPixel(x, y) != c)
        pts.emplace_back(x, y);
  return pts;
}

inline TRect BoundsOf(const std::vector<TPoint> &pts) {
  if (pts.empty())
    return TRect();
  TRect r(pts[0].X, pts[0].Y, pts[0].X + 1, pts[0].Y + 1);
  for (const TPoint &p : pts)
    r = UnionRect(r, TRect(p.X, p.Y, p.X + 1, p.Y + 1));
  return r;
}

// A picture of a small bitmap: '#' where the pixel differs from c.
inline std::string Picture(const TBitmap &bmp, TColor c = clWhite) {
  std::string s;
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x)
      s += bmp.GetPixel(x, y) == c ? '.' : '#';
    s += '\n';
  }
  return s;
}

} // namespace tessaro::test
