// Internal helpers of the canvas: the geometry that turns lines, strokes and
// regions into coverages. Coordinates of continuous geometry put the centre
// of pixel (x, y) at (x + 0.5, y + 0.5); a pixel belongs to a shape when its
// centre does.
#pragma once

#include "core/RasterSpans.h"

#include <functional>
#include <vector>

namespace tessaro::raster {

struct TDPoint {
  double X = 0;
  double Y = 0;
};

// On/off lengths of the dashed pen styles in pixels (nullptr when solid).
const std::vector<int> *DashPattern(TPenStyle style);

// A 1-pixel line from a to b (b included when includeEnd). dashPos counts
// the pixels of the path so far, so a pattern continues over segments.
void AddThinLine(TCoverage &cov, TPoint a, TPoint b, bool includeEnd, const std::vector<int> *dash,
                 long long &dashPos);

// All pixels whose centre lies within r of the segment a-b (a disc when
// a == b): a wide line with round caps.
void AddCapsule(TCoverage &cov, TDPoint a, TDPoint b, double r);

// A wide stroke along a path: round caps and joins. Dashed styles scale the
// pattern by the width, each dash drawn with round caps.
void AddWidePath(TCoverage &cov, const std::vector<TDPoint> &path, bool closed, double width,
                 const std::vector<int> *dash);

// Where a pen point lies for a wide pen: centred on the pixel for odd
// widths, on its top-left corner for even ones, so that a horizontal line
// of width w covers exactly w rows.
inline TDPoint WidePenPoint(int x, int y, int width) {
  double s = (width % 2) ? 0.5 : 0.0;
  return TDPoint{x + s, y + s};
}

// Convex region given by one interval of pixels per row (L > R: empty row).
using TRowInterval = std::function<void(int y, int &L, int &R)>;

// The pixels of a rectangle box (continuous) with corners rounded by
// ellipses of half sizes rx, ry, as one interval per row.
void RoundRectRow(double bx0, double by0, double bx1, double by1, double rx, double ry, int y, int &L,
                  int &R);

// Thin outline and interior of a convex region over rows y0 .. y1 - 1: the
// outline is every pixel of the region with a 4-neighbour outside it.
void ConvexOutline(const TRowInterval &row, int y0, int y1, TCoverage *outline, TCoverage *interior);

// Segments for a curve of the given sweep (radians) and largest radius so
// that the polygon keeps close to the curve.
int CurveSegments(double sweep, double radius);

// Closed path around a rounded box (continuous), for wide strokes.
std::vector<TDPoint> RoundRectPath(double bx0, double by0, double bx1, double by1, double rx, double ry);

// Even-odd fill of a polygon with vertices at continuous points.
void AddPolygonRegion(TCoverage &cov, const std::vector<TDPoint> &pts);

// Cubic Bezier flattened to integer points (first point included).
void FlattenBezier(const TPoint &p0, const TPoint &p1, const TPoint &p2, const TPoint &p3,
                   std::vector<TPoint> &out);

// Box coordinates are kept within +-2^28 so that widths and heights of
// absurd boxes cannot overflow; real figures never come near.
constexpr int MaxCoordinate = 1 << 28;
inline int ClampCoord(int v) {
  return v < -MaxCoordinate ? -MaxCoordinate : v > MaxCoordinate ? MaxCoordinate : v;
}
inline TRect ClampBox(int x1, int y1, int x2, int y2) {
  return NormalizeRect(ClampCoord(x1), ClampCoord(y1), ClampCoord(x2), ClampCoord(y2));
}

// Upper bound for the points of a flattened curve, so that absurd
// coordinates cannot make a call run away.
constexpr int MaxCurvePoints = 1 << 16;

} // namespace tessaro::raster
