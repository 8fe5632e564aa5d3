#include "files/MetaPlayer.h"

#include "core/ByteOrder.h"

#include <algorithm>
#include <cmath>

namespace tessaro::meta {

namespace {

constexpr double KLimit = 1e7; // raster coordinates are clamped to this

int Clamp(double v) {
  if (!(v == v))
    return 0;
  return int(std::lround(std::clamp(v, -KLimit, KLimit)));
}

// R2_BLACK (1) .. R2_WHITE (16) to the canvas pen modes.
TPenMode PenModeFromRop2(int rop2) {
  static const TPenMode modes[17] = {
      pmCopy, pmBlack,  pmNotMerge, pmMaskNotPen,  pmNotCopy, pmMaskPenNot,  pmNot,   pmXor,  pmNotMask,
      pmMask, pmNotXor, pmNop,      pmMergeNotPen, pmCopy,    pmMergePenNot, pmMerge, pmWhite};
  return rop2 >= 1 && rop2 <= 16 ? modes[rop2] : pmCopy;
}

void AppendUtf8(std::string &out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

} // namespace

TXform TXform::Then(const TXform &b) const {
  TXform r;
  r.M11 = M11 * b.M11 + M12 * b.M21;
  r.M12 = M11 * b.M12 + M12 * b.M22;
  r.M21 = M21 * b.M11 + M22 * b.M21;
  r.M22 = M21 * b.M12 + M22 * b.M22;
  r.Dx = Dx * b.M11 + Dy * b.M21 + b.Dx;
  r.Dy = Dx * b.M12 + Dy * b.M22 + b.Dy;
  return r;
}

TPlayer::TPlayer(TBitmap &target) : FCanvas(target.Canvas()) {}

int TPlayer::AddObject(const TObject &obj) {
  for (size_t i = 0; i < Objects.size(); ++i)
    if (Objects[i].Kind == TObject::None) {
      Objects[i] = obj;
      return int(i);
    }
  if (Objects.size() >= 65536)
    return -1;
  Objects.push_back(obj);
  return int(Objects.size() - 1);
}

void TPlayer::SetObject(size_t index, const TObject &obj) {
  if (index >= 65536)
    return;
  if (index >= Objects.size())
    Objects.resize(index + 1);
  Objects[index] = obj;
}

void TPlayer::SelectObject(size_t index) {
  if (index >= Objects.size())
    return;
  const TObject &o = Objects[index];
  if (o.Kind == TObject::Pen)
    Dc.Pen = o.PenDef;
  else if (o.Kind == TObject::Brush)
    Dc.Brush = o.BrushDef;
  else if (o.Kind == TObject::Font)
    Dc.Font = o.FontDef;
}

void TPlayer::SelectStock(unsigned stock) {
  static const TColor brushGrey[5] = {clWhite, 0xC0C0C0, 0x808080, 0x404040, clBlack};
  if (stock <= 4)
    Dc.Brush = TBrushDef{bsSolid, brushGrey[stock]};
  else if (stock == 5)
    Dc.Brush = TBrushDef{bsClear, clWhite};
  else if (stock == 6)
    Dc.Pen = TPenDef{psSolid, 0, clWhite};
  else if (stock == 7 || stock == 19)
    Dc.Pen = TPenDef{psSolid, 0, clBlack};
  else if (stock == 8)
    Dc.Pen = TPenDef{psClear, 0, clBlack};
  else if (stock == 18)
    Dc.Brush = TBrushDef{bsSolid, clWhite};
  else if (stock >= 10 && stock <= 17)
    Dc.Font = TFontDef{};
}

void TPlayer::DeleteObject(size_t index) {
  if (index < Objects.size())
    Objects[index] = TObject{};
}

void TPlayer::SaveDc() {
  if (FStack.size() < 1024)
    FStack.push_back(Dc);
}

void TPlayer::RestoreDc(int which) {
  if (FStack.empty())
    return;
  // Negative: relative to the top; positive: the n-th saved state.
  size_t keep;
  if (which < 0) {
    size_t back = size_t(-int64_t(which));
    if (back > FStack.size())
      return;
    keep = FStack.size() - back;
  } else {
    if (which == 0 || size_t(which) > FStack.size())
      return;
    keep = size_t(which) - 1;
  }
  Dc = FStack[keep];
  FStack.resize(keep);
}

TXform TPlayer::PageToRaster() const {
  double sx = 1, sy = 1;
  switch (Dc.MapMode) {
  case 2: // 0.1 mm, y up
    sx = DevPerMmX * 0.1;
    sy = -DevPerMmY * 0.1;
    break;
  case 3: // 0.01 mm
    sx = DevPerMmX * 0.01;
    sy = -DevPerMmY * 0.01;
    break;
  case 4: // 0.01 inch
    sx = DevPerMmX * 0.254;
    sy = -DevPerMmY * 0.254;
    break;
  case 5: // 0.001 inch
    sx = DevPerMmX * 0.0254;
    sy = -DevPerMmY * 0.0254;
    break;
  case 6: // twips
    sx = DevPerMmX * 25.4 / 1440;
    sy = -DevPerMmY * 25.4 / 1440;
    break;
  case 7:
  case 8: {
    double wx = Dc.WinExtX != 0 ? Dc.WinExtX : 1, wy = Dc.WinExtY != 0 ? Dc.WinExtY : 1;
    sx = Dc.VpExtX / wx;
    sy = Dc.VpExtY / wy;
    if (Dc.MapMode == 7) {
      double m = std::min(std::fabs(sx), std::fabs(sy));
      sx = std::copysign(m, sx);
      sy = std::copysign(m, sy);
    }
    break;
  }
  default:
    break;
  }
  TXform page;
  page.M11 = sx;
  page.M22 = sy;
  page.Dx = -Dc.WinOrgX * sx + Dc.VpOrgX;
  page.Dy = -Dc.WinOrgY * sy + Dc.VpOrgY;
  return Dc.World.Then(page).Then(DeviceToRaster);
}

TPoint TPlayer::Map(double x, double y) const {
  TXform t = PageToRaster();
  return TPoint(Clamp(x * t.M11 + y * t.M21 + t.Dx), Clamp(x * t.M12 + y * t.M22 + t.Dy));
}

double TPlayer::MapLength(double len) const {
  TXform t = PageToRaster();
  return len * std::hypot(t.M11, t.M12);
}

void TPlayer::Apply(bool withPen, bool withBrush) {
  TPen &pen = FCanvas.Pen;
  pen.Style = withPen ? Dc.Pen.Style : psClear;
  pen.Color = Dc.Pen.Color;
  double w = std::fabs(MapLength(Dc.Pen.Width));
  pen.Width = std::clamp(int(std::lround(w)), 1, 2000);
  pen.Mode = PenModeFromRop2(Dc.Rop2);
  FCanvas.Brush.Style = withBrush ? Dc.Brush.Style : bsClear;
  FCanvas.Brush.Color = Dc.Brush.Color;
}

void TPlayer::MoveTo(double x, double y) {
  Dc.CurX = x;
  Dc.CurY = y;
}

void TPlayer::LineTo(double x, double y) {
  Apply(true, false);
  TPoint a = Map(Dc.CurX, Dc.CurY), b = Map(x, y);
  FCanvas.MoveTo(a.X, a.Y);
  FCanvas.LineTo(b.X, b.Y);
  Dc.CurX = x;
  Dc.CurY = y;
}

void TPlayer::Polyline(const std::vector<double> &xy, bool updatePos, bool fromCurrent) {
  std::vector<TPoint> pts;
  pts.reserve(xy.size() / 2 + 1);
  if (fromCurrent)
    pts.push_back(Map(Dc.CurX, Dc.CurY));
  for (size_t i = 0; i + 1 < xy.size(); i += 2)
    pts.push_back(Map(xy[i], xy[i + 1]));
  if (pts.size() >= 2) {
    Apply(true, false);
    FCanvas.Polyline(pts);
  }
  if (updatePos && xy.size() >= 2) {
    Dc.CurX = xy[xy.size() - 2];
    Dc.CurY = xy.back();
  }
}

void TPlayer::Polygon(const std::vector<double> &xy) {
  std::vector<TPoint> pts;
  pts.reserve(xy.size() / 2);
  for (size_t i = 0; i + 1 < xy.size(); i += 2)
    pts.push_back(Map(xy[i], xy[i + 1]));
  if (pts.size() >= 2) {
    Apply(true, true);
    FCanvas.Polygon(pts);
  }
}

void TPlayer::PolyBezier(const std::vector<double> &xy, bool fromCurrent) {
  std::vector<TPoint> pts;
  if (fromCurrent)
    pts.push_back(Map(Dc.CurX, Dc.CurY));
  for (size_t i = 0; i + 1 < xy.size(); i += 2)
    pts.push_back(Map(xy[i], xy[i + 1]));
  // A Bezier chain holds 3n + 1 points.
  pts.resize(pts.size() >= 4 ? (pts.size() - 1) / 3 * 3 + 1 : 0);
  if (!pts.empty()) {
    Apply(true, false);
    FCanvas.PolyBezier(pts);
  }
  if (fromCurrent && xy.size() >= 2) {
    Dc.CurX = xy[xy.size() - 2];
    Dc.CurY = xy.back();
  }
}

void TPlayer::Rectangle(double l, double t, double r, double b) {
  TPoint a = Map(l, t), c = Map(r, b);
  Apply(true, true);
  FCanvas.Rectangle(NormalizeRect(a.X, a.Y, c.X, c.Y));
}

void TPlayer::RoundRect(double l, double t, double r, double b, double w, double h) {
  TPoint a = Map(l, t), c = Map(r, b);
  TRect box = NormalizeRect(a.X, a.Y, c.X, c.Y);
  TXform x = PageToRaster();
  int cw = Clamp(std::fabs(w * x.M11)), ch = Clamp(std::fabs(h * x.M22));
  Apply(true, true);
  FCanvas.RoundRect(box.Left, box.Top, box.Right, box.Bottom, cw, ch);
}

void TPlayer::Ellipse(double l, double t, double r, double b) {
  TPoint a = Map(l, t), c = Map(r, b);
  Apply(true, true);
  FCanvas.Ellipse(NormalizeRect(a.X, a.Y, c.X, c.Y));
}

void TPlayer::ArcLike(int kind, double l, double t, double r, double b, double xs, double ys, double xe,
                      double ye) {
  TPoint a = Map(l, t), c = Map(r, b), s = Map(xs, ys), e = Map(xe, ye);
  TRect box = NormalizeRect(a.X, a.Y, c.X, c.Y);
  // A mirrored mapping turns the direction of the arc: swap the rays.
  TXform x = PageToRaster();
  if (x.M11 * x.M22 - x.M12 * x.M21 < 0)
    std::swap(s, e);
  Apply(true, kind != 0);
  if (kind == 0)
    FCanvas.Arc(box.Left, box.Top, box.Right, box.Bottom, s.X, s.Y, e.X, e.Y);
  else if (kind == 1)
    FCanvas.Chord(box.Left, box.Top, box.Right, box.Bottom, s.X, s.Y, e.X, e.Y);
  else
    FCanvas.Pie(box.Left, box.Top, box.Right, box.Bottom, s.X, s.Y, e.X, e.Y);
}

void TPlayer::SetPixel(double x, double y, TColor c) {
  TPoint p = Map(x, y);
  FCanvas.SetPixels(p.X, p.Y, c);
}

void TPlayer::Text(double x, double y, const std::string &utf8, const double *clip, bool opaque) {
  if (Dc.TextAlign & 1) { // TA_UPDATECP
    x = Dc.CurX;
    y = Dc.CurY;
  }
  TXform t = PageToRaster();
  double px = std::fabs(Dc.Font.Height * std::hypot(t.M21, t.M22));
  if (px < 1)
    px = 16;
  TFont &f = FCanvas.Font;
  f.Name = Dc.Font.Face.empty() ? "Sans Serif" : Dc.Font.Face;
  // A positive height includes the internal leading; roughly 80 % of it.
  double charPx = Dc.Font.Height > 0 ? px * 0.8 : px;
  f.Size = std::clamp(int(std::lround(charPx * 72 / 96)), 1, 2000);
  f.Color = Dc.TextColor;
  f.Style = TFontStyles((Dc.Font.Weight >= 600 ? fsBold : 0) | (Dc.Font.Italic ? fsItalic : 0) |
                        (Dc.Font.Underline ? fsUnderline : 0) | (Dc.Font.StrikeOut ? fsStrikeOut : 0));
  FCanvas.Brush.Style = Dc.Transparent ? bsClear : bsSolid;
  FCanvas.Brush.Color = Dc.BkColor;
  TPoint p = Map(x, y);
  if (opaque && clip) {
    TPoint a = Map(clip[0], clip[1]), b = Map(clip[2], clip[3]);
    TBrush saved = FCanvas.Brush;
    FCanvas.Brush = TBrush{Dc.BkColor, bsSolid};
    FCanvas.FillRect(NormalizeRect(a.X, a.Y, b.X, b.Y));
    FCanvas.Brush = saved;
  }
  if (utf8.empty())
    return;
  TSize ext = FCanvas.TextExtent(utf8);
  unsigned h = Dc.TextAlign & 6;
  if (h == 6)
    p.X -= ext.cx / 2;
  else if (h == 2)
    p.X -= ext.cx;
  unsigned v = Dc.TextAlign & 24;
  if (v == 24)
    p.Y -= ext.cy * 4 / 5;
  else if (v == 8)
    p.Y -= ext.cy;
  if (clip) {
    TPoint a = Map(clip[0], clip[1]), b = Map(clip[2], clip[3]);
    FCanvas.TextRect(NormalizeRect(a.X, a.Y, b.X, b.Y), p.X, p.Y, utf8);
  } else {
    FCanvas.TextOut(p.X, p.Y, utf8);
  }
  if (Dc.TextAlign & 1)
    Dc.CurX += ext.cx / std::max(1e-9, std::hypot(t.M11, t.M12));
}

void TPlayer::StretchBitmap(TBitmap &bmp, int sx, int sy, int sw, int sh, double dx, double dy, double dw,
                            double dh, uint32_t rop) {
  TPoint a = Map(dx, dy), b = Map(dx + dw, dy + dh);
  uint32_t saved = FCanvas.CopyMode;
  FCanvas.CopyMode = rop;
  FCanvas.Brush = TBrush{Dc.Brush.Color, Dc.Brush.Style};
  FCanvas.CopyRect(TRect(a.X, a.Y, b.X, b.Y), bmp.Canvas(), TRect(sx, sy, sx + sw, sy + sh));
  FCanvas.CopyMode = saved;
}

void TPlayer::PatBlt(double x, double y, double w, double h, uint32_t rop) {
  TPoint a = Map(x, y), b = Map(x + w, y + h);
  TRect r = NormalizeRect(a.X, a.Y, b.X, b.Y);
  TBrush saved = FCanvas.Brush;
  if (rop == cmBlackness || rop == cmWhiteness) {
    FCanvas.Brush = TBrush{rop == cmBlackness ? clBlack : clWhite, bsSolid};
    FCanvas.FillRect(r);
  } else if (rop == cmPatCopy) {
    FCanvas.Brush = TBrush{Dc.Brush.Color, Dc.Brush.Style};
    if (Dc.Brush.Style != bsClear)
      FCanvas.FillRect(r);
  } else {
    uint32_t savedMode = FCanvas.CopyMode;
    FCanvas.Brush = TBrush{Dc.Brush.Color, Dc.Brush.Style};
    FCanvas.CopyMode = rop;
    FCanvas.CopyRect(r, FCanvas, r);
    FCanvas.CopyMode = savedMode;
  }
  FCanvas.Brush = saved;
}

std::string Latin1ToUtf8(const uint8_t *s, size_t n) {
  std::string out;
  for (size_t i = 0; i < n && s[i]; ++i)
    AppendUtf8(out, s[i]);
  return out;
}

std::string Utf16ToUtf8(const uint8_t *s, size_t chars) {
  std::string out;
  for (size_t i = 0; i < chars; ++i) {
    uint32_t c = Le16(s + 2 * i);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < chars) {
      uint32_t d = Le16(s + 2 * i + 2);
      if (d >= 0xDC00 && d < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
        ++i;
      }
    }
    if (c == 0)
      break;
    AppendUtf8(out, c);
  }
  return out;
}

} // namespace tessaro::meta
