// Closed figures: polygons, rectangles, rounded rectangles, ellipses, arcs,
// chords and pies. Each is built as one outline coverage and one region;
// the brush paints the region's pixels that the outline does not cover.
//
// A 1-pixel outline of a box figure is the set of pixels of the figure that
// have a neighbour outside it, so the outline is closed and lies inside the
// box. A wide pen strokes the path through the centres of those edge pixels
// (psInsideFrame: a path shrunk by half the width, so the stroke stays in
// the box).
#include "core/Canvas.h"

#include "core/RasterShapes.h"
#include "core/RasterSpans.h"

#include <algorithm>
#include <cmath>

namespace tessaro {

using raster::TCoverage;
using raster::TDPoint;

namespace {

constexpr double Pi = 3.14159265358979323846;

double NormAngle(double a) {
  a = std::fmod(a, 2 * Pi);
  if (a < 0)
    a += 2 * Pi;
  return a;
}

// Keeps the pixels of a 1-pixel outline that the dash pattern shows, the
// pattern advancing counter-clockwise around (cx, cy) from angle a0.
// Returns the number of outline pixels passed.
long long DashAround(TCoverage &outline, double cx, double cy, double a0, const std::vector<int> &dash) {
  outline.Normalize();
  struct TPix {
    double A;
    int X, Y;
  };
  std::vector<TPix> pix;
  for (const raster::TSpan &s : outline.Spans())
    for (int x = s.X0; x < s.X1; ++x)
      pix.push_back(TPix{NormAngle(std::atan2(-(s.Y + 0.5 - cy), x + 0.5 - cx) - a0), x, s.Y});
  std::stable_sort(pix.begin(), pix.end(), [](const TPix &a, const TPix &b) { return a.A < b.A; });
  int total = 0;
  for (int d : dash)
    total += d;
  TCoverage kept(outline.Clip());
  for (size_t i = 0; i < pix.size(); ++i) {
    long long p = (long long)i % total;
    size_t k = 0;
    while (p >= dash[k]) {
      p -= dash[k];
      ++k;
    }
    if (k % 2 == 0)
      kept.AddPixel(pix[i].X, pix[i].Y);
  }
  outline = std::move(kept);
  return (long long)pix.size();
}

// Insets of the stroke path from the box edges for a wide pen.
void WideInsets(TPenStyle style, int w, double &il, double &ir) {
  if (style == psInsideFrame) {
    il = ir = w / 2.0;
  } else if (w % 2) {
    il = ir = 0.5;
  } else {
    il = 0;
    ir = 1;
  }
}

} // namespace

void TCanvas::BoxFigure(int x1, int y1, int x2, int y2, double rx, double ry) {
  TRect box = raster::ClampBox(x1, y1, x2, y2);
  if (box.IsEmpty())
    return;
  TCoverage outline(ClipRect()), region(ClipRect());
  int w = PenWidth();
  bool filled = Brush.Style != bsClear; // rubber bands need no region
  auto row = [&](int y, int &L, int &R) {
    raster::RoundRectRow(box.Left, box.Top, box.Right, box.Bottom, rx, ry, y, L, R);
  };
  if (Pen.Style == psClear) {
    int y0 = std::max(box.Top, ClipRect().Top), y1c = std::min(box.Bottom, ClipRect().Bottom);
    for (int y = y0; y < y1c; ++y) {
      int L, R;
      row(y, L, R);
      region.Add(y, L, R + 1);
    }
    PaintFigure(nullptr, &region);
    return;
  }
  const std::vector<int> *dash = raster::DashPattern(Pen.Style);
  if (w <= 1) {
    raster::ConvexOutline(row, box.Top, box.Bottom, &outline, filled ? &region : nullptr);
    if (dash)
      DashAround(outline, (box.Left + box.Right) / 2.0, (box.Top + box.Bottom) / 2.0, 0, *dash);
    PaintFigure(&outline, &region);
    return;
  }
  double il, ir;
  WideInsets(Pen.Style, w, il, ir);
  double bx0 = box.Left + il, bx1 = box.Right - ir, by0 = box.Top + il, by1 = box.Bottom - ir;
  if (bx0 > bx1)
    bx0 = bx1 = (box.Left + box.Right) / 2.0;
  if (by0 > by1)
    by0 = by1 = (box.Top + box.Bottom) / 2.0;
  double shrink = (il + ir) / 2;
  std::vector<TDPoint> path =
      raster::RoundRectPath(bx0, by0, bx1, by1, std::max(0.0, rx - shrink), std::max(0.0, ry - shrink));
  raster::AddWidePath(outline, path, true, w, dash);
  if (filled)
    raster::AddPolygonRegion(region, path);
  PaintFigure(&outline, &region);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  BoxFigure(x1, y1, x2, y2, 0, 0);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  BoxFigure(x1, y1, x2, y2, std::fabs(double(x3)) / 2.0, std::fabs(double(y3)) / 2.0);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  TRect box = raster::ClampBox(x1, y1, x2, y2);
  BoxFigure(x1, y1, x2, y2, box.Width() / 2.0, box.Height() / 2.0);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2)
    return;
  TCoverage outline(ClipRect()), region(ClipRect());
  StrokePolyline(points, true, outline);
  int w = PenWidth();
  std::vector<TDPoint> pts;
  for (const TPoint &p : points)
    pts.push_back(w > 1 && Pen.Style != psClear ? raster::WidePenPoint(p.X, p.Y, w)
                                                : TDPoint{p.X + 0.5, p.Y + 0.5});
  if (Brush.Style != bsClear)
    raster::AddPolygonRegion(region, pts);
  PaintFigure(Pen.Style == psClear ? nullptr : &outline, &region);
}

void TCanvas::ArcFigure(TArcKind kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  TRect box = raster::ClampBox(x1, y1, x2, y2);
  if (box.IsEmpty())
    return;
  double cx = (box.Left + box.Right) / 2.0, cy = (box.Top + box.Bottom) / 2.0;
  // Angles as seen on the screen: counter-clockwise with y pointing down.
  auto angleOf = [&](double x, double y) {
    double dx = x - cx, dy = -(y - cy);
    return (dx == 0 && dy == 0) ? 0.0 : std::atan2(dy, dx);
  };
  double a0 = angleOf(x3, y3), a1 = angleOf(x4, y4);
  double sweep = NormAngle(a1 - a0);
  bool full = sweep < 1e-12;
  if (full)
    sweep = 2 * Pi;
  auto inSweep = [&](double px, double py) {
    if (full)
      return true;
    double d = NormAngle(angleOf(px, py) - a0);
    return d <= sweep + 1e-12;
  };
  // The pie's sector by cross products with the two rays (no angles per
  // pixel): within a half turn both must hold, beyond it either.
  double sx = std::cos(a0), sy = std::sin(a0), ex = std::cos(a0 + sweep), ey = std::sin(a0 + sweep);
  int w = PenWidth();
  bool thin = w <= 1 || Pen.Style == psClear;
  double il = 0.5, ir = 0.5;
  if (!thin)
    WideInsets(Pen.Style, w, il, ir);
  // The path ellipse: through the centres of the edge pixels, or where the
  // wide stroke is centred.
  double pcx = (box.Left + il + box.Right - ir) / 2, pcy = (box.Top + il + box.Bottom - ir) / 2;
  double pa = std::max(0.0, (box.Width() - il - ir) / 2), pb = std::max(0.0, (box.Height() - il - ir) / 2);
  auto pathPoint = [&](double theta) {
    double c = std::cos(theta), s = std::sin(theta);
    double qa = std::max(pa, 1e-9), qb = std::max(pb, 1e-9);
    double t = 1 / std::sqrt((c / qa) * (c / qa) + (s / qb) * (s / qb));
    return TDPoint{pcx + t * c, pcy - t * s};
  };
  TCoverage outline(ClipRect()), region(ClipRect());
  const std::vector<int> *dash = raster::DashPattern(Pen.Style);
  TDPoint e0 = pathPoint(a0), e1 = pathPoint(a0 + sweep);
  if (thin) {
    auto row = [&](int y, int &L, int &R) {
      raster::RoundRectRow(box.Left, box.Top, box.Right, box.Bottom, box.Width() / 2.0, box.Height() / 2.0, y,
                           L, R);
    };
    if (Pen.Style != psClear) {
      TCoverage ring(ClipRect());
      raster::ConvexOutline(row, box.Top, box.Bottom, &ring, nullptr);
      ring.Normalize();
      for (const raster::TSpan &s : ring.Spans())
        for (int x = s.X0; x < s.X1; ++x)
          if (inSweep(x + 0.5, s.Y + 0.5))
            outline.AddPixel(x, s.Y);
      long long dashPos = 0;
      if (dash)
        dashPos = DashAround(outline, cx, cy, a0, *dash);
      TPoint p0(int(std::floor(e0.X)), int(std::floor(e0.Y))),
          p1(int(std::floor(e1.X)), int(std::floor(e1.Y)));
      TPoint pc(int(std::floor(cx)), int(std::floor(cy)));
      if (!full && kind == TArcKind::Chord)
        raster::AddThinLine(outline, p1, p0, true, dash, dashPos);
      if (!full && kind == TArcKind::Pie) {
        raster::AddThinLine(outline, p1, pc, true, dash, dashPos);
        raster::AddThinLine(outline, pc, p0, true, dash, dashPos);
      }
    }
    if (kind != TArcKind::Arc && Brush.Style != bsClear) {
      // The chord keeps the side of its line where the arc lies; the pie
      // keeps the sector between the rays.
      double mx = 0, my = 0, side = 0;
      if (kind == TArcKind::Chord && !full) {
        TDPoint m = pathPoint(a0 + sweep / 2);
        mx = m.X;
        my = m.Y;
        side = (e1.X - e0.X) * (my - e0.Y) - (e1.Y - e0.Y) * (mx - e0.X);
      }
      // Both the chord's side and the sector's rays are linear conditions in
      // x along a row, so each row's region is at most two intervals.
      auto halfLine = [](double c1, double c0, int L, int R, int &lo, int &hi) {
        // Pixels x in [L, R] with c1 * (x + 0.5) + c0 >= 0.
        lo = L;
        hi = R;
        if (c1 == 0) {
          if (c0 < 0)
            lo = R + 1;
          return;
        }
        double t = -c0 / c1 - 0.5;
        if (c1 > 0)
          lo = std::max(L, int(std::clamp(std::ceil(t), double(L), double(R) + 1)));
        else
          hi = std::min(R, int(std::clamp(std::floor(t), double(L) - 1, double(R))));
      };
      int y0 = std::max(box.Top, ClipRect().Top), yEnd = std::min(box.Bottom, ClipRect().Bottom);
      for (int y = y0; y < yEnd; ++y) {
        int L, R;
        row(y, L, R);
        L = std::max(L, ClipRect().Left);
        R = std::min(R, ClipRect().Right - 1);
        if (L > R)
          continue;
        double py = y + 0.5;
        if (full || (kind == TArcKind::Chord && side == 0)) {
          region.Add(y, L, R + 1);
          continue;
        }
        if (kind == TArcKind::Chord) {
          double dx = e1.X - e0.X, dy = e1.Y - e0.Y;
          int lo, hi;
          halfLine(-dy * side, (dx * (py - e0.Y) + dy * e0.X) * side, L, R, lo, hi);
          if (lo <= hi)
            region.Add(y, lo, hi + 1);
          continue;
        }
        // Sector: afterStart is sx * vy - sy * vx >= 0, beforeEnd is
        // vx * ey - vy * ex >= 0, with vx = px - cx, vy = cy - py.
        double vy = cy - py;
        int aLo, aHi, bLo, bHi;
        halfLine(-sy, sx * vy + sy * cx, L, R, aLo, aHi);
        halfLine(ey, -ey * cx - vy * ex, L, R, bLo, bHi);
        if (sweep <= Pi) {
          int lo = std::max(aLo, bLo), hi = std::min(aHi, bHi);
          if (lo <= hi)
            region.Add(y, lo, hi + 1);
        } else {
          if (aLo <= aHi)
            region.Add(y, aLo, aHi + 1);
          if (bLo <= bHi)
            region.Add(y, bLo, bHi + 1);
        }
      }
    }
  } else {
    std::vector<TDPoint> path;
    int n = std::max(2, raster::CurveSegments(sweep, std::max(pa, pb)));
    for (int i = 0; i <= n; ++i) {
      if (full && i == n)
        break;
      path.push_back(pathPoint(a0 + sweep * i / n));
    }
    if (kind == TArcKind::Pie && !full)
      path.push_back(TDPoint{pcx, pcy});
    raster::AddWidePath(outline, path, kind != TArcKind::Arc || full, w, dash);
    if (kind != TArcKind::Arc && Brush.Style != bsClear)
      raster::AddPolygonRegion(region, path);
  }
  PaintFigure(Pen.Style == psClear ? nullptr : &outline, kind == TArcKind::Arc ? nullptr : &region);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ArcFigure(TArcKind::Arc, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ArcFigure(TArcKind::Chord, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ArcFigure(TArcKind::Pie, x1, y1, x2, y2, x3, y3, x4, y4);
}

} // namespace tessaro
