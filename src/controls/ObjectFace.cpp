#include "controls/ObjectFace.h"

#include "controls/ObjectFrame.h"
#include "core/Canvas.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

TObjectFace::TObjectFace(TFaceLook look) : FLook(std::move(look)) {
  const int w = FLook.Width, h = FLook.Height;
  FHasFrame = FLook.Frame && w >= 10 && h >= 10;
  if (!FHasFrame)
    return;
  // The dots' pattern runs around the whole rectangle, so they are drawn
  // once on a one-bit picture of the whole control and read back.
  TBitmap mask;
  mask.Allocate(w, h, pf1bit, true);
  const uint32_t off = mask.GetStored(0, 0);
  DrawFocusDots(mask.Canvas(), w, h, mask.ColorFromStored(off ^ 1), pmCopy);
  FTopDots.resize(size_t(w));
  FBottomDots.resize(size_t(w));
  FLeftDots.resize(size_t(h));
  FRightDots.resize(size_t(h));
  for (int x = 0; x < w; ++x) {
    FTopDots[size_t(x)] = mask.GetStored(x, 3) != off;
    FBottomDots[size_t(x)] = mask.GetStored(x, h - 4) != off;
  }
  for (int y = 0; y < h; ++y) {
    FLeftDots[size_t(y)] = mask.GetStored(4, y) != off;
    FRightDots[size_t(y)] = mask.GetStored(w - 4, y) != off;
  }
}

namespace {

void FillRow(uint8_t *row, int n, const uint8_t bgr[3]) {
  if (n <= 0)
    return;
  row[0] = bgr[0];
  row[1] = bgr[1];
  row[2] = bgr[2];
  // Doubling copies: the pattern spreads at memory speed.
  size_t done = 3, total = size_t(n) * 3;
  while (done < total) {
    const size_t k = std::min(done, total - done);
    std::memcpy(row + done, row, k);
    done += k;
  }
}

} // namespace

void TObjectFace::Render(int x, int y, TBitmap &strip, TColor background) const {
  const int sw = strip.Width(), sh = strip.Height();
  if (sw <= 0 || sh <= 0)
    return;
  const TColor bg = ColorToRGB(background);
  const uint8_t bgr[3] = {GetBValue(bg), GetGValue(bg), GetRValue(bg)};
  FillRow(strip.ScanLine(0), sw, bgr);
  for (int j = 1; j < sh; ++j)
    std::memcpy(strip.ScanLine(j), strip.ScanLine(0), size_t(sw) * 3);

  const TBitmap *bmp = FLook.Bitmap.get();
  TCanvas &c = strip.Canvas();
  if (bmp && !bmp->Empty()) {
    c.CopyMode = cmSrcCopy;
    if (!FLook.Stretch)
      c.Draw(4 - x, 4 - y, *bmp);
    else if (FLook.Width > 8 && FLook.Height > 8)
      c.StretchDraw(TRect(4 - x, 4 - y, FLook.Width - 4 - x, FLook.Height - 4 - y), *bmp);
  }
  if (!FHasFrame)
    return;

  const TColor line = ColorToRGB(FLook.LineColor);
  const uint8_t lbgr[3] = {GetBValue(line), GetGValue(line), GetRValue(line)};
  auto put = [&](int cx, int cy) {
    uint8_t *p = strip.ScanLine(cy - y) + size_t(cx - x) * 3;
    p[0] = lbgr[0];
    p[1] = lbgr[1];
    p[2] = lbgr[2];
  };
  const int x0 = std::max(x, 0), x1 = std::min(x + sw, FLook.Width);
  const int y0 = std::max(y, 0), y1 = std::min(y + sh, FLook.Height);
  for (const auto &[row, dots] : {std::pair{3, &FTopDots}, std::pair{FLook.Height - 4, &FBottomDots}}) {
    if (row < y0 || row >= y1)
      continue;
    for (int cx = x0; cx < x1; ++cx)
      if ((*dots)[size_t(cx)])
        put(cx, row);
  }
  for (const auto &[col, dots] : {std::pair{4, &FLeftDots}, std::pair{FLook.Width - 4, &FRightDots}}) {
    if (col < x0 || col >= x1)
      continue;
    for (int cy = y0; cy < y1; ++cy)
      if ((*dots)[size_t(cy)])
        put(col, cy);
  }
  DrawFocusSizers(c, FLook.Width, FLook.Height, FLook.LineColor, FLook.SizerColor, pmCopy, -x, -y);
}

} // namespace tessaro
