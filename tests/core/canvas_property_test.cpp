// Random figures of every primitive with every pen style and several widths
// on every pixel format: drawn twice in pmNotXor they leave the raster as it
// was, and no call touches a pixel twice.
#include "core/Canvas.h"

#include "canvas_test_util.h"

#include <gtest/gtest.h>

#include <random>

namespace tessaro {
namespace {

using test::StoredPixels;

enum TPrimitive {
  kLine,
  kPolyline,
  kBezier,
  kPolygon,
  kRectangle,
  kRoundRect,
  kEllipse,
  kArc,
  kChord,
  kPie,
  kCount
};

struct TFigure {
  TPrimitive Kind;
  std::vector<TPoint> Pts;
};

TFigure RandomFigure(std::mt19937 &rng, TPrimitive kind, int w, int h) {
  // Coordinates reach a little beyond the raster so clipping is exercised.
  std::uniform_int_distribution<int> dx(-10, w + 10), dy(-10, h + 10);
  TFigure f{kind, {}};
  int n = 4;
  switch (kind) {
  case kLine:
    n = 2;
    break;
  case kPolyline:
  case kPolygon:
    n = 2 + int(rng() % 6);
    break;
  case kBezier:
    n = (rng() % 2) ? 4 : 7;
    break;
  case kRoundRect:
    n = 3;
    break;
  case kArc:
  case kChord:
  case kPie:
    n = 4;
    break;
  default:
    n = 2;
  }
  for (int i = 0; i < n; ++i)
    f.Pts.emplace_back(dx(rng), dy(rng));
  if (kind == kRoundRect)
    f.Pts[2] = TPoint(int(rng() % 30), int(rng() % 30));
  return f;
}

void Draw(TCanvas &c, const TFigure &f) {
  const auto &p = f.Pts;
  switch (f.Kind) {
  case kLine:
    c.MoveTo(p[0].X, p[0].Y);
    c.LineTo(p[1].X, p[1].Y);
    break;
  case kPolyline:
    c.Polyline(p);
    break;
  case kBezier:
    c.PolyBezier(p);
    break;
  case kPolygon:
    c.Polygon(p);
    break;
  case kRectangle:
    c.Rectangle(p[0].X, p[0].Y, p[1].X, p[1].Y);
    break;
  case kRoundRect:
    c.RoundRect(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y);
    break;
  case kEllipse:
    c.Ellipse(p[0].X, p[0].Y, p[1].X, p[1].Y);
    break;
  case kArc:
    c.Arc(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y);
    break;
  case kChord:
    c.Chord(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y);
    break;
  case kPie:
    c.Pie(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y);
    break;
  default:
    break;
  }
}

constexpr TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame};
constexpr int Widths[] = {0, 1, 2, 3, 4, 7, 12};

TEST(CanvasProperty, FiguresDrawnTwiceInNotXorRestoreEveryFormat) {
  std::mt19937 rng(2024);
  const int W = 61, H = 47;
  for (TPixelFormat pf : test::AllFormats) {
    TBitmap bmp(W, H, pf);
    uint32_t mask = pf == pf1bit ? 1 : pf == pf4bit ? 15 : pf == pf8bit ? 255 : pf == pf15bit ? 0x7FFF : ~0u;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        bmp.SetStored(x, y, rng() & mask);
    auto before = StoredPixels(bmp);
    TCanvas c(bmp);
    for (TPenStyle style : Styles)
      for (int width : Widths)
        for (int k = 0; k < kCount; ++k) {
          TFigure f = RandomFigure(rng, TPrimitive(k), W, H);
          c.Pen.Mode = pmNotXor;
          c.Pen.Style = style;
          c.Pen.Width = width;
          c.Pen.Color = RGB(uint8_t(rng()), uint8_t(rng()), uint8_t(rng()));
          c.Brush.Style = TBrushStyle(rng() % 8);
          c.Brush.Color = RGB(uint8_t(rng()), uint8_t(rng()), uint8_t(rng()));
          Draw(c, f);
          Draw(c, f);
          ASSERT_EQ(StoredPixels(bmp), before)
              << PixelFormatName(pf) << " primitive " << k << " style " << int(style) << " width " << width;
        }
  }
}

// pmNot flips a pixel back when touched twice, pmWhite does not: the two
// leave the same pixels changed only if every pixel was touched once.
TEST(CanvasProperty, NoPixelIsTouchedTwiceInOneCall) {
  std::mt19937 rng(99);
  const int W = 53, H = 41;
  for (TPixelFormat pf : {pf4bit, pf24bit}) {
    for (TPenStyle style : Styles)
      for (int width : Widths)
        for (int k = 0; k < kCount; ++k) {
          TFigure f = RandomFigure(rng, TPrimitive(k), W, H);
          TBrushStyle brush = TBrushStyle(rng() % 8);
          TBitmap a(W, H, pf), b(W, H, pf);
          for (TBitmap *bmp : {&a, &b})
            for (int y = 0; y < H; ++y)
              for (int x = 0; x < W; ++x)
                bmp->SetStored(x, y, 0);
          TCanvas ca(a), cb(b);
          for (auto [c, mode] : {std::pair{&ca, pmNot}, std::pair{&cb, pmWhite}}) {
            c->Pen.Mode = mode;
            c->Pen.Style = style;
            c->Pen.Width = width;
            c->Brush.Style = brush;
            Draw(*c, f);
          }
          ASSERT_EQ(StoredPixels(a), StoredPixels(b))
              << PixelFormatName(pf) << " primitive " << k << " style " << int(style) << " width " << width;
        }
  }
}

} // namespace
} // namespace tessaro
