// Lines, polylines and Bezier curves.
//
// A 1-pixel pen draws each segment without its end point (the next segment
// starts there), and the dash pattern advances pixel by pixel over the whole
// path. A wide pen (width > 1) strokes the path with round caps and joins;
// dashed styles then scale their pattern by the width and give every dash
// round caps of its own.
#include "core/Canvas.h"

#include "core/RasterShapes.h"
#include "core/RasterSpans.h"

namespace tessaro {

using raster::TCoverage;
using raster::TDPoint;

void TCanvas::MoveTo(int x, int y) {
  PenPos = TPoint(x, y);
}

void TCanvas::StrokePolyline(std::span<const TPoint> points, bool closed, TCoverage &outline) {
  if (points.empty() || Pen.Style == psClear)
    return;
  const std::vector<int> *dash = raster::DashPattern(Pen.Style);
  int w = PenWidth();
  if (w <= 1) {
    long long dashPos = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i)
      raster::AddThinLine(outline, points[i], points[i + 1], false, dash, dashPos);
    if (closed && points.size() > 1)
      raster::AddThinLine(outline, points.back(), points.front(), false, dash, dashPos);
    return;
  }
  std::vector<TDPoint> path;
  path.reserve(points.size());
  for (const TPoint &p : points)
    path.push_back(raster::WidePenPoint(p.X, p.Y, w));
  raster::AddWidePath(outline, path, closed, w, dash);
}

void TCanvas::LineTo(int x, int y) {
  TPoint from = PenPos;
  PenPos = TPoint(x, y);
  if (Pen.Style == psClear)
    return;
  TCoverage outline(ClipRect());
  if (PenWidth() <= 1) {
    // A single segment never meets a pixel twice: no merging needed.
    long long dashPos = 0;
    raster::AddThinLine(outline, from, PenPos, false, raster::DashPattern(Pen.Style), dashPos);
    TRect changed = raster::ApplyCoverage(FBitmap, outline, raster::PenMasks(FBitmap, Pen.Mode, Pen.Color));
    if (!changed.IsEmpty())
      FBitmap.Changed(changed);
    return;
  }
  TPoint pts[2] = {from, PenPos};
  StrokePolyline(pts, false, outline);
  PaintFigure(&outline, nullptr);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2)
    return;
  TCoverage outline(ClipRect());
  StrokePolyline(points, false, outline);
  PaintFigure(&outline, nullptr);
}

void TCanvas::PolyBezier(std::span<const TPoint> points) {
  if (points.size() < 4 || (points.size() - 1) % 3 != 0)
    return;
  std::vector<TPoint> flat;
  for (size_t i = 0; i + 3 < points.size(); i += 3)
    raster::FlattenBezier(points[i], points[i + 1], points[i + 2], points[i + 3], flat);
  if (flat.size() == 1)
    flat.push_back(flat.front());
  TCoverage outline(ClipRect());
  StrokePolyline(flat, false, outline);
  // The curve ends on its last point.
  if (PenWidth() <= 1 && Pen.Style != psClear && !raster::DashPattern(Pen.Style))
    outline.AddPixel(flat.back().X, flat.back().Y);
  PaintFigure(&outline, nullptr);
}

} // namespace tessaro
