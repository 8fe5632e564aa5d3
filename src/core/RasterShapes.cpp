#include "core/RasterShapes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessaro::raster {

namespace {

constexpr double Eps = 1e-7;

// First and last pixel whose centre lies in [lo, hi]; false if none.
bool PixelRange(double lo, double hi, int &x0, int &x1) {
  if (!(lo <= hi))
    return false;
  double a = std::ceil(lo - 0.5 - Eps), b = std::floor(hi - 0.5 + Eps);
  if (a > b)
    return false;
  constexpr double Big = 1e9;
  x0 = int(std::clamp(a, -Big, Big));
  x1 = int(std::clamp(b, -Big, Big));
  return true;
}

// Narrows [lo, hi] to the x with c0 + c1 * x in [m, M].
void Constrain(double &lo, double &hi, double c0, double c1, double m, double M) {
  if (std::fabs(c1) < 1e-12) {
    if (c0 < m - Eps || c0 > M + Eps) {
      lo = 1;
      hi = 0;
    }
    return;
  }
  double a = (m - c0) / c1, b = (M - c0) / c1;
  if (a > b)
    std::swap(a, b);
  lo = std::max(lo, a);
  hi = std::min(hi, b);
}

bool DashOn(const std::vector<int> &dash, int total, long long pos) {
  long long p = pos % total;
  for (size_t i = 0; i < dash.size(); ++i) {
    if (p < dash[i])
      return i % 2 == 0;
    p -= dash[i];
  }
  return false;
}

// Collects pixels of a path into runs before they enter the coverage.
class TRunCollector {
public:
  explicit TRunCollector(TCoverage &cov) : FCov(cov) {}
  ~TRunCollector() { Flush(); }
  void Pixel(int x, int y) {
    if (FActive && y == FY) {
      if (x == FX1) {
        ++FX1;
        return;
      }
      if (x == FX0 - 1) {
        --FX0;
        return;
      }
    }
    Flush();
    FActive = true;
    FY = y;
    FX0 = x;
    FX1 = x + 1;
  }
  void Flush() {
    if (FActive)
      FCov.Add(FY, FX0, FX1);
    FActive = false;
  }

private:
  TCoverage &FCov;
  bool FActive = false;
  int FY = 0, FX0 = 0, FX1 = 0;
};

} // namespace

int CurveSegments(double sweep, double radius) {
  // Chords of a circle of this radius stay within a twentieth of a pixel.
  double step = std::sqrt(8 * 0.05 / std::max(radius, 0.1));
  double n = std::ceil(std::fabs(sweep) / std::min(step, 0.5));
  return int(std::clamp(n, 1.0, double(MaxCurvePoints)));
}

const std::vector<int> *DashPattern(TPenStyle style) {
  static const std::vector<int> dash{18, 6};
  static const std::vector<int> dot{3, 3};
  static const std::vector<int> dashDot{9, 6, 3, 6};
  static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
  case psDash:
    return &dash;
  case psDot:
    return &dot;
  case psDashDot:
    return &dashDot;
  case psDashDotDot:
    return &dashDotDot;
  default:
    return nullptr;
  }
}

void AddThinLine(TCoverage &cov, TPoint a, TPoint b, bool includeEnd, const std::vector<int> *dash,
                 long long &dashPos) {
  long long dx = (long long)b.X - a.X, dy = (long long)b.Y - a.Y;
  long long adx = std::llabs(dx), ady = std::llabs(dy);
  int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  long long n = std::max(adx, ady);
  long long count = includeEnd ? n + 1 : n;
  if (count <= 0)
    return;
  bool xMajor = adx >= ady;
  // Only the steps whose major coordinate lies inside the clip are visited,
  // so far-away end points cost nothing.
  const TRect &clip = cov.Clip();
  long long start = xMajor ? a.X : a.Y;
  int s = xMajor ? sx : sy;
  long long cLo = xMajor ? clip.Left : clip.Top, cHi = (xMajor ? clip.Right : clip.Bottom) - 1;
  long long i0, i1;
  if (s > 0) {
    i0 = cLo - start;
    i1 = cHi - start;
  } else {
    i0 = start - cHi;
    i1 = start - cLo;
  }
  i0 = std::max(i0, 0LL);
  i1 = std::min(i1, count - 1);
  int total = 0;
  if (dash)
    for (int d : *dash)
      total += d;
  {
    TRunCollector runs(cov);
    long long major = n == 0 ? 1 : n, minorD = xMajor ? ady : adx;
    // Minor coordinate m = round(i * minorD / major), kept incrementally:
    // rem is the remainder of 2 * i * minorD + major over 2 * major.
    long long twoMajor = 2 * major, num0 = 2 * i0 * minorD + major;
    long long m = num0 / twoMajor, rem = num0 % twoMajor;
    for (long long i = i0; i <= i1; ++i, rem += 2 * minorD) {
      if (rem >= twoMajor) {
        rem -= twoMajor;
        ++m;
      }
      if (dash && !DashOn(*dash, total, dashPos + i))
        continue;
      long long x, y;
      if (xMajor) {
        x = a.X + sx * i;
        y = a.Y + sy * m;
      } else {
        y = a.Y + sy * i;
        x = a.X + sx * m;
      }
      if (y < clip.Top || y >= clip.Bottom || x < clip.Left || x >= clip.Right)
        continue;
      runs.Pixel(int(x), int(y));
    }
  }
  dashPos += count;
}

void AddCapsule(TCoverage &cov, TDPoint a, TDPoint b, double r) {
  if (!(r > 0))
    return;
  const TRect &clip = cov.Clip();
  int y0, y1;
  if (!PixelRange(std::min(a.Y, b.Y) - r, std::max(a.Y, b.Y) + r, y0, y1))
    return;
  y0 = std::max(y0, clip.Top);
  y1 = std::min(y1, clip.Bottom - 1);
  // The band between the caps, in terms of the unit direction (ux, uy):
  // perpendicular distance at most r, projection within 0 .. L.
  double L = std::hypot(b.X - a.X, b.Y - a.Y);
  bool band = L > 1e-9;
  double ux = band ? (b.X - a.X) / L : 0, uy = band ? (b.Y - a.Y) / L : 0;
  double r2 = r * r;
  for (int y = y0; y <= y1; ++y) {
    double yc = y + 0.5;
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const TDPoint &c : {a, b}) {
      double d = yc - c.Y;
      if (d * d <= r2 + Eps) {
        double h = std::sqrt(std::max(0.0, r2 - d * d));
        lo = std::min(lo, c.X - h);
        hi = std::max(hi, c.X + h);
      }
    }
    if (band) {
      double blo = -std::numeric_limits<double>::infinity(), bhi = -blo;
      Constrain(blo, bhi, ux * (yc - a.Y) + uy * a.X, -uy, -r, r);
      Constrain(blo, bhi, uy * (yc - a.Y) - ux * a.X, ux, 0, L);
      if (blo <= bhi) {
        lo = std::min(lo, blo);
        hi = std::max(hi, bhi);
      }
    }
    int x0, x1;
    if (PixelRange(lo, hi, x0, x1))
      cov.Add(y, x0, x1 + 1);
  }
}

void AddWidePath(TCoverage &cov, const std::vector<TDPoint> &path, bool closed, double width,
                 const std::vector<int> *dash) {
  if (path.empty())
    return;
  double r = width / 2;
  std::vector<TDPoint> pts = path;
  if (closed && pts.size() > 1)
    pts.push_back(pts.front());
  if (pts.size() == 1) {
    AddCapsule(cov, pts[0], pts[0], r);
    return;
  }
  if (!dash) {
    for (size_t i = 0; i + 1 < pts.size(); ++i)
      AddCapsule(cov, pts[i], pts[i + 1], r);
    return;
  }
  std::vector<double> lengths;
  for (int d : *dash)
    lengths.push_back(d * width);
  size_t piece = 0;
  double left = lengths[0]; // length remaining in the current piece
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    TDPoint p = pts[i], q = pts[i + 1];
    double len = std::hypot(q.X - p.X, q.Y - p.Y);
    if (len <= 0) {
      if (piece % 2 == 0)
        AddCapsule(cov, p, p, r);
      continue;
    }
    double t = 0;
    while (t < len) {
      double step = std::min(left, len - t);
      if (piece % 2 == 0) {
        TDPoint u{p.X + (q.X - p.X) * t / len, p.Y + (q.Y - p.Y) * t / len};
        TDPoint v{p.X + (q.X - p.X) * (t + step) / len, p.Y + (q.Y - p.Y) * (t + step) / len};
        AddCapsule(cov, u, v, r);
      }
      t += step;
      left -= step;
      if (left <= 1e-9) {
        piece = (piece + 1) % lengths.size();
        left = lengths[piece];
      }
    }
  }
}

void RoundRectRow(double bx0, double by0, double bx1, double by1, double rx, double ry, int y, int &L,
                  int &R) {
  L = 1;
  R = 0;
  double yc = y + 0.5;
  if (yc < by0 - Eps || yc > by1 + Eps)
    return;
  rx = std::min(rx, (bx1 - bx0) / 2);
  ry = std::min(ry, (by1 - by0) / 2);
  double lx = bx0, rxEdge = bx1;
  if (rx > 0 && ry > 0) {
    double d = 0;
    if (yc < by0 + ry)
      d = (by0 + ry - yc) / ry;
    else if (yc > by1 - ry)
      d = (yc - (by1 - ry)) / ry;
    if (d > 0) {
      double e = rx * std::sqrt(std::max(0.0, 1 - d * d));
      lx = bx0 + rx - e;
      rxEdge = bx1 - rx + e;
    }
  }
  int x0, x1;
  if (PixelRange(lx, rxEdge, x0, x1)) {
    L = x0;
    R = x1;
  }
}

void ConvexOutline(const TRowInterval &row, int y0, int y1, TCoverage *outline, TCoverage *interior) {
  const TRect &clip = outline ? outline->Clip() : interior->Clip();
  int ya = std::max(y0, clip.Top), yb = std::min(y1, clip.Bottom);
  if (ya >= yb)
    return;
  auto get = [&](int y, int &l, int &r) {
    if (y < y0 || y >= y1) {
      l = 1;
      r = 0;
      return;
    }
    row(y, l, r);
  };
  int pl, pr, cl, cr, nl, nr;
  get(ya - 1, pl, pr);
  get(ya, cl, cr);
  for (int y = ya; y < yb; ++y) {
    get(y + 1, nl, nr);
    if (cl <= cr) {
      int il = cl + 1, ir = cr - 1;
      if (pl > pr || nl > nr) {
        il = 1;
        ir = 0;
      } else {
        il = std::max({il, pl, nl});
        ir = std::min({ir, pr, nr});
      }
      if (il <= ir) {
        if (outline) {
          outline->Add(y, cl, il);
          outline->Add(y, ir + 1, cr + 1);
        }
        if (interior)
          interior->Add(y, il, ir + 1);
      } else if (outline) {
        outline->Add(y, cl, cr + 1);
      }
    }
    pl = cl;
    pr = cr;
    cl = nl;
    cr = nr;
  }
}

std::vector<TDPoint> RoundRectPath(double bx0, double by0, double bx1, double by1, double rx, double ry) {
  rx = std::clamp(rx, 0.0, std::max(0.0, (bx1 - bx0) / 2));
  ry = std::clamp(ry, 0.0, std::max(0.0, (by1 - by0) / 2));
  std::vector<TDPoint> pts;
  const double pi = 3.14159265358979323846;
  int n = 1;
  if (rx > 0 && ry > 0)
    n = std::clamp(CurveSegments(pi / 2, std::max(rx, ry)), 2, MaxCurvePoints / 4);
  struct TCorner {
    double cx, cy, t0;
  } corners[4] = {{bx1 - rx, by0 + ry, -pi / 2},
                  {bx1 - rx, by1 - ry, 0},
                  {bx0 + rx, by1 - ry, pi / 2},
                  {bx0 + rx, by0 + ry, pi}};
  for (const TCorner &c : corners) {
    if (rx > 0 && ry > 0) {
      for (int i = 0; i <= n; ++i) {
        double t = c.t0 + (pi / 2) * i / n;
        pts.push_back(TDPoint{c.cx + rx * std::cos(t), c.cy + ry * std::sin(t)});
      }
    } else {
      pts.push_back(TDPoint{c.cx, c.cy});
    }
  }
  return pts;
}

void AddPolygonRegion(TCoverage &cov, const std::vector<TDPoint> &pts) {
  if (pts.size() < 3)
    return;
  double minY = pts[0].Y, maxY = pts[0].Y;
  for (const TDPoint &p : pts) {
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  int y0, y1;
  if (!PixelRange(minY, maxY, y0, y1))
    return;
  const TRect &clip = cov.Clip();
  y0 = std::max(y0, clip.Top);
  y1 = std::min(y1, clip.Bottom - 1);
  if (y0 > y1)
    return;
  // Edge table: each non-horizontal edge covers the row centres in
  // [top, bottom); edges enter the active list when the scan reaches them.
  struct TEdge {
    double Top, Bottom, X0, Slope;
    int FirstRow;
  };
  std::vector<TEdge> edges;
  for (size_t i = 0; i < pts.size(); ++i) {
    TDPoint a = pts[i], b = pts[(i + 1) % pts.size()];
    if (a.Y == b.Y)
      continue;
    if (a.Y > b.Y)
      std::swap(a, b);
    double first = std::ceil(a.Y - 0.5);
    if (first > double(y1) || b.Y <= double(y0) + 0.5)
      continue;
    edges.push_back(TEdge{a.Y, b.Y, a.X, (b.X - a.X) / (b.Y - a.Y), int(std::max(first, double(y0)))});
  }
  std::sort(edges.begin(), edges.end(),
            [](const TEdge &p, const TEdge &q) { return p.FirstRow < q.FirstRow; });
  std::vector<const TEdge *> active;
  std::vector<double> xs;
  size_t next = 0;
  for (int y = y0; y <= y1; ++y) {
    double yc = y + 0.5;
    while (next < edges.size() && edges[next].FirstRow <= y)
      active.push_back(&edges[next++]);
    xs.clear();
    size_t keep = 0;
    for (const TEdge *e : active) {
      if (e->Bottom <= yc)
        continue; // finished
      active[keep++] = e;
      if (e->Top <= yc)
        xs.push_back(e->X0 + (yc - e->Top) * e->Slope);
    }
    active.resize(keep);
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      int x0, x1;
      if (PixelRange(xs[i], xs[i + 1], x0, x1))
        cov.Add(y, x0, x1 + 1);
    }
  }
}

void FlattenBezier(const TPoint &p0, const TPoint &p1, const TPoint &p2, const TPoint &p3,
                   std::vector<TPoint> &out) {
  double len = std::hypot(double(p1.X) - p0.X, double(p1.Y) - p0.Y) +
               std::hypot(double(p2.X) - p1.X, double(p2.Y) - p1.Y) +
               std::hypot(double(p3.X) - p2.X, double(p3.Y) - p2.Y);
  int n = std::clamp(int(std::ceil(len / 3)), 1, 4096);
  auto push = [&](TPoint p) {
    if (out.empty() || !(out.back() == p))
      out.push_back(p);
  };
  push(p0);
  for (int i = 1; i <= n; ++i) {
    double t = double(i) / n, u = 1 - t;
    double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    double x = b0 * p0.X + b1 * p1.X + b2 * p2.X + b3 * p3.X;
    double y = b0 * p0.Y + b1 * p1.Y + b2 * p2.Y + b3 * p3.Y;
    push(i == n ? p3 : TPoint(int(std::floor(x + 0.5)), int(std::floor(y + 0.5))));
  }
}

} // namespace tessaro::raster
