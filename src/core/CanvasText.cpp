// Text output through the installed text rasteriser. Glyph pixels are those
// whose coverage reaches half, so text stays aliased like every other
// primitive; text is always copied (the pen mode does not apply to it).
#include "core/Canvas.h"

#include "core/RasterSpans.h"

namespace tessaro {

using raster::TCoverage;

TSize TCanvas::TextExtent(const std::string &utf8) {
  TTextRasterizer *r = GetTextRasterizer();
  if (!r)
    return TSize{};
  return r->TextExtent(Font, utf8);
}

int TCanvas::TextWidth(const std::string &utf8) {
  return TextExtent(utf8).cx;
}
int TCanvas::TextHeight(const std::string &utf8) {
  return TextExtent(utf8).cy;
}

void TCanvas::DrawText(const TRect *clip, int x, int y, const std::string &utf8) {
  TTextRasterizer *r = GetTextRasterizer();
  if (!r)
    return;
  TRect area =
      clip ? IntersectRect(NormalizeRect(clip->Left, clip->Top, clip->Right, clip->Bottom), ClipRect())
           : ClipRect();
  if (area.IsEmpty())
    return;
  TTextImage img = r->Render(Font, utf8);
  if (img.Width <= 0 || img.Height <= 0 || img.Coverage.size() < size_t(img.Width) * size_t(img.Height))
    return;
  TCoverage glyphs(area), background(area);
  bool opaque = Brush.Style == bsSolid;
  // A clipped text rectangle is filled as a whole, a plain text only behind
  // its own box.
  if (opaque && clip)
    for (int yy = area.Top; yy < area.Bottom; ++yy)
      background.Add(yy, area.Left, area.Right);
  for (int j = 0; j < img.Height; ++j) {
    const uint8_t *cov = img.Coverage.data() + size_t(j) * img.Width;
    int runStart = -1;
    for (int i = 0; i <= img.Width; ++i) {
      bool on = i < img.Width && cov[i] >= 128;
      if (on && runStart < 0)
        runStart = i;
      if (!on && runStart >= 0) {
        glyphs.Add(y + j, x + runStart, x + i);
        runStart = -1;
      }
    }
    if (opaque && !clip)
      background.Add(y + j, x, x + img.Width);
  }
  glyphs.Normalize();
  TRect changed;
  if (opaque) {
    background.Normalize();
    changed = raster::ApplyCoverage(FBitmap, background.Subtract(glyphs),
                                    raster::PenMasks(FBitmap, pmCopy, Brush.Color));
  }
  changed = UnionRect(changed,
                      raster::ApplyCoverage(FBitmap, glyphs, raster::PenMasks(FBitmap, pmCopy, Font.Color)));
  if (!changed.IsEmpty())
    FBitmap.Changed(changed);
}

void TCanvas::TextOut(int x, int y, const std::string &utf8) {
  DrawText(nullptr, x, y, utf8);
  PenPos = TPoint(x + TextWidth(utf8), y);
}

void TCanvas::TextRect(const TRect &r, int x, int y, const std::string &utf8) {
  DrawText(&r, x, y, utf8);
}

} // namespace tessaro
