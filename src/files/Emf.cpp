// Enhanced metafiles: read by playing the records on our canvas at the
// picture's frame size; written as a header, one StretchDIBits record with
// the bitmap and the end record.
#include "core/BmpFile.h"
#include "core/ByteOrder.h"
#include "files/ImageCodecs.h"
#include "files/MetaPlayer.h"

#include <cmath>
#include <cstring>

namespace tessaro {

namespace {

float F32(const uint8_t *p) {
  uint32_t u = Le32(p);
  float f;
  std::memcpy(&f, &u, 4);
  return std::isfinite(f) ? f : 0.0f;
}
TColor ColorRef(const uint8_t *p) {
  return RGB(p[0], p[1], p[2]);
}

constexpr uint32_t KSignature = 0x464D4520; // " EMF"

struct TRec {
  uint32_t Type;
  const uint8_t *P; // record start
  size_t N;         // record size
  int32_t S(size_t off) const { return off + 4 <= N ? LeS32(P + off) : 0; }
  uint32_t U(size_t off) const { return off + 4 <= N ? Le32(P + off) : 0; }
};

// Figures of a path bracket, in logical coordinates.
struct TPath {
  bool Open = false;
  std::vector<std::vector<double>> Figures;
  void Move(double x, double y) { Figures.push_back({x, y}); }
  void Line(double x, double y) {
    if (Figures.empty())
      Figures.push_back({x, y});
    else
      Figures.back().insert(Figures.back().end(), {x, y});
  }
};

class TEmfPlayer {
public:
  TEmfPlayer(meta::TPlayer &pl) : Pl(pl) {}

  void Play(const TRec &r);

private:
  std::vector<double> Points(const TRec &r, size_t countOff, size_t firstOff, bool small) const {
    size_t count = r.U(countOff);
    size_t each = small ? 4 : 8;
    size_t avail = r.N > firstOff ? (r.N - firstOff) / each : 0;
    count = std::min(count, avail);
    std::vector<double> xy;
    xy.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
      const uint8_t *p = r.P + firstOff + i * each;
      xy.push_back(small ? LeS16(p) : LeS32(p));
      xy.push_back(small ? LeS16(p + 2) : LeS32(p + 4));
    }
    return xy;
  }

  void PathLineTo(const std::vector<double> &xy) {
    for (size_t i = 0; i + 1 < xy.size(); i += 2)
      Path.Line(xy[i], xy[i + 1]);
    if (xy.size() >= 2) {
      Pl.Dc.CurX = xy[xy.size() - 2];
      Pl.Dc.CurY = xy.back();
    }
  }

  // Bezier segments flattened into the current figure.
  void PathBezierTo(const std::vector<double> &xy) {
    double x0 = Pl.Dc.CurX, y0 = Pl.Dc.CurY;
    if (Path.Figures.empty())
      Path.Move(x0, y0);
    for (size_t i = 0; i + 5 < xy.size(); i += 6) {
      for (int k = 1; k <= 16; ++k) {
        double t = k / 16.0, u = 1 - t;
        double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        Path.Line(a * x0 + b * xy[i] + c * xy[i + 2] + d * xy[i + 4],
                  a * y0 + b * xy[i + 1] + c * xy[i + 3] + d * xy[i + 5]);
      }
      x0 = xy[i + 4];
      y0 = xy[i + 5];
    }
    Pl.Dc.CurX = x0;
    Pl.Dc.CurY = y0;
  }

  void PolyPoly(const TRec &r, bool small, bool polygon) {
    size_t polys = r.U(24);
    size_t pointsOff = 32 + polys * 4;
    if (polys > r.N / 4 || pointsOff > r.N)
      return;
    size_t each = small ? 4 : 8;
    size_t pos = pointsOff;
    for (size_t i = 0; i < polys; ++i) {
      size_t n = r.U(32 + i * 4);
      if (n > (r.N - pos) / each)
        return;
      std::vector<double> xy;
      for (size_t k = 0; k < n; ++k) {
        const uint8_t *p = r.P + pos + k * each;
        xy.push_back(small ? LeS16(p) : LeS32(p));
        xy.push_back(small ? LeS16(p + 2) : LeS32(p + 4));
      }
      pos += n * each;
      if (polygon)
        Pl.Polygon(xy);
      else
        Pl.Polyline(xy);
    }
  }

  bool Dib(const TRec &r, size_t offBmi, size_t cbBmi, size_t offBits, size_t cbBits, TBitmap &dib) {
    if (cbBmi < 40 || offBmi > r.N || cbBmi > r.N - offBmi || offBits > r.N || cbBits > r.N - offBits)
      return false;
    std::vector<uint8_t> packed(r.P + offBmi, r.P + offBmi + cbBmi);
    packed.insert(packed.end(), r.P + offBits, r.P + offBits + cbBits);
    std::string err;
    return ReadDib(packed.data(), packed.size(), dib, &err);
  }

  meta::TPlayer &Pl;
  TPath Path;
};

void TEmfPlayer::Play(const TRec &r) {
  using namespace meta;
  auto &dc = Pl.Dc;
  switch (r.Type) {
  case 9: // SETWINDOWEXTEX
    dc.WinExtX = r.S(8);
    dc.WinExtY = r.S(12);
    break;
  case 10: // SETWINDOWORGEX
    dc.WinOrgX = r.S(8);
    dc.WinOrgY = r.S(12);
    break;
  case 11: // SETVIEWPORTEXTEX
    dc.VpExtX = r.S(8);
    dc.VpExtY = r.S(12);
    break;
  case 12: // SETVIEWPORTORGEX
    dc.VpOrgX = r.S(8);
    dc.VpOrgY = r.S(12);
    break;
  case 17: // SETMAPMODE
    dc.MapMode = r.S(8);
    break;
  case 35:   // SETWORLDTRANSFORM
  case 36: { // MODIFYWORLDTRANSFORM
    if (r.N < 32)
      break;
    TXform x{F32(r.P + 8), F32(r.P + 12), F32(r.P + 16), F32(r.P + 20), F32(r.P + 24), F32(r.P + 28)};
    uint32_t mode = r.Type == 35 ? 4 : r.U(32);
    if (mode == 1)
      dc.World = TXform{};
    else if (mode == 2)
      dc.World = x.Then(dc.World);
    else if (mode == 3)
      dc.World = dc.World.Then(x);
    else if (mode == 4)
      dc.World = x;
    break;
  }
  case 18: // SETBKMODE
    dc.Transparent = r.U(8) == 1;
    break;
  case 20: // SETROP2
    dc.Rop2 = r.S(8);
    break;
  case 22: // SETTEXTALIGN
    dc.TextAlign = r.U(8);
    break;
  case 24: // SETTEXTCOLOR
    if (r.N >= 12)
      dc.TextColor = ColorRef(r.P + 8);
    break;
  case 25: // SETBKCOLOR
    if (r.N >= 12)
      dc.BkColor = ColorRef(r.P + 8);
    break;
  case 33: // SAVEDC
    Pl.SaveDc();
    break;
  case 34: // RESTOREDC
    Pl.RestoreDc(r.S(8));
    break;
  case 37: { // SELECTOBJECT
    uint32_t ih = r.U(8);
    if (ih & 0x80000000u)
      Pl.SelectStock(ih & 0x7FFFFFFFu);
    else
      Pl.SelectObject(ih);
    break;
  }
  case 40: // DELETEOBJECT
    Pl.DeleteObject(r.U(8));
    break;
  case 38: { // CREATEPEN
    TObject o;
    o.Kind = TObject::Pen;
    unsigned style = r.U(12) & 0xF;
    o.PenDef.Style = style <= 6 ? TPenStyle(style) : psSolid;
    o.PenDef.Width = r.S(16);
    o.PenDef.Color = r.N >= 28 ? ColorRef(r.P + 24) : clBlack;
    Pl.SetObject(r.U(8), o);
    break;
  }
  case 95: { // EXTCREATEPEN
    TObject o;
    o.Kind = TObject::Pen;
    unsigned style = r.U(28) & 0xF;
    o.PenDef.Style = style <= 6 ? TPenStyle(style) : psSolid;
    o.PenDef.Width = r.S(32);
    o.PenDef.Color = r.N >= 44 ? ColorRef(r.P + 40) : clBlack;
    if (r.U(36) == 1) // BS_NULL
      o.PenDef.Style = psClear;
    Pl.SetObject(r.U(8), o);
    break;
  }
  case 39: { // CREATEBRUSHINDIRECT
    TObject o;
    o.Kind = TObject::Brush;
    uint32_t style = r.U(12), hatch = r.U(20);
    o.BrushDef.Color = r.N >= 20 ? ColorRef(r.P + 16) : clBlack;
    o.BrushDef.Style = style == 1                 ? bsClear
                       : style == 2 && hatch <= 5 ? TBrushStyle(bsHorizontal + hatch)
                                                  : bsSolid;
    Pl.SetObject(r.U(8), o);
    break;
  }
  case 93:   // CREATEMONOBRUSH
  case 94: { // CREATEDIBPATTERNBRUSHPT: a grey stands in for the pattern
    TObject o;
    o.Kind = TObject::Brush;
    o.BrushDef = TBrushDef{bsSolid, clGray};
    Pl.SetObject(r.U(8), o);
    break;
  }
  case 49: // CREATEPALETTE
    Pl.SetObject(r.U(8), TObject{TObject::Other, {}, {}, {}});
    break;
  case 82: { // EXTCREATEFONTINDIRECTW
    TObject o;
    o.Kind = TObject::Font;
    o.FontDef.Height = r.S(12);
    o.FontDef.Weight = r.S(28);
    if (r.N >= 40 + 64) {
      o.FontDef.Italic = r.P[32] != 0;
      o.FontDef.Underline = r.P[33] != 0;
      o.FontDef.StrikeOut = r.P[34] != 0;
      o.FontDef.Face = Utf16ToUtf8(r.P + 40, 32);
    }
    Pl.SetObject(r.U(8), o);
    break;
  }
  case 27: // MOVETOEX
    if (Path.Open)
      Path.Move(r.S(8), r.S(12));
    Pl.MoveTo(r.S(8), r.S(12));
    break;
  case 54: // LINETO
    if (Path.Open)
      PathLineTo({double(r.S(8)), double(r.S(12))});
    else
      Pl.LineTo(r.S(8), r.S(12));
    break;
  case 2:  // POLYBEZIER
  case 85: // POLYBEZIER16
    if (Path.Open) {
      auto xy = Points(r, 24, 28, r.Type == 85);
      if (xy.size() >= 2) {
        Path.Move(xy[0], xy[1]);
        Pl.MoveTo(xy[0], xy[1]);
        PathBezierTo(std::vector<double>(xy.begin() + 2, xy.end()));
      }
    } else {
      Pl.PolyBezier(Points(r, 24, 28, r.Type == 85), false);
    }
    break;
  case 5:  // POLYBEZIERTO
  case 88: // POLYBEZIERTO16
    if (Path.Open)
      PathBezierTo(Points(r, 24, 28, r.Type == 88));
    else
      Pl.PolyBezier(Points(r, 24, 28, r.Type == 88), true);
    break;
  case 3:  // POLYGON
  case 86: // POLYGON16
    Pl.Polygon(Points(r, 24, 28, r.Type == 86));
    break;
  case 4:    // POLYLINE
  case 87: { // POLYLINE16
    auto xy = Points(r, 24, 28, r.Type == 87);
    if (Path.Open && xy.size() >= 2) {
      Path.Move(xy[0], xy[1]);
      PathLineTo(xy);
    } else {
      Pl.Polyline(xy);
    }
    break;
  }
  case 6:  // POLYLINETO
  case 89: // POLYLINETO16
    if (Path.Open)
      PathLineTo(Points(r, 24, 28, r.Type == 89));
    else
      Pl.Polyline(Points(r, 24, 28, r.Type == 89), true, true);
    break;
  case 7:  // POLYPOLYLINE
  case 90: // POLYPOLYLINE16
    PolyPoly(r, r.Type == 90, false);
    break;
  case 8:  // POLYPOLYGON
  case 91: // POLYPOLYGON16
    PolyPoly(r, r.Type == 91, true);
    break;
  case 42: // ELLIPSE
    Pl.Ellipse(r.S(8), r.S(12), r.S(16), r.S(20));
    break;
  case 43: // RECTANGLE
    Pl.Rectangle(r.S(8), r.S(12), r.S(16), r.S(20));
    break;
  case 44: // ROUNDRECT
    Pl.RoundRect(r.S(8), r.S(12), r.S(16), r.S(20), r.S(24), r.S(28));
    break;
  case 45: // ARC
  case 46: // CHORD
  case 47: // PIE
    Pl.ArcLike(r.Type == 45   ? 0
               : r.Type == 46 ? 1
                              : 2,
               r.S(8), r.S(12), r.S(16), r.S(20), r.S(24), r.S(28), r.S(32), r.S(36));
    break;
  case 15: // SETPIXELV
    if (r.N >= 20)
      Pl.SetPixel(r.S(8), r.S(12), ColorRef(r.P + 16));
    break;
  case 59: // BEGINPATH
    Path = TPath{};
    Path.Open = true;
    break;
  case 60: // ENDPATH
    Path.Open = false;
    break;
  case 61: // CLOSEFIGURE
    if (!Path.Figures.empty() && Path.Figures.back().size() >= 2) {
      auto &f = Path.Figures.back();
      double x = f[0], y = f[1];
      f.insert(f.end(), {x, y});
    }
    break;
  case 62:   // FILLPATH
  case 63:   // STROKEANDFILLPATH
  case 64: { // STROKEPATH
    TPenDef pen = dc.Pen;
    if (r.Type == 62)
      dc.Pen.Style = psClear;
    for (const auto &f : Path.Figures) {
      if (r.Type == 64)
        Pl.Polyline(f);
      else
        Pl.Polygon(f);
    }
    dc.Pen = pen;
    Path = TPath{};
    break;
  }
  case 84: { // EXTTEXTOUTW
    if (r.N < 76)
      break;
    double x = r.S(36), y = r.S(40);
    size_t chars = r.U(44), off = r.U(48);
    uint32_t opts = r.U(52);
    double rect[4] = {double(r.S(56)), double(r.S(60)), double(r.S(64)), double(r.S(68))};
    if (off > r.N || chars > (r.N - off) / 2)
      break;
    bool useRect = (opts & 6) != 0 && rect[2] > rect[0];
    Pl.Text(x, y, Utf16ToUtf8(r.P + off, chars), useRect ? rect : nullptr, (opts & 2) != 0);
    break;
  }
  case 81: { // STRETCHDIBITS
    TBitmap dib;
    if (r.N >= 80 && Dib(r, r.U(48), r.U(52), r.U(56), r.U(60), dib)) {
      int sx = r.S(32), sy = r.S(36), sw = r.S(40), sh = r.S(44);
      // Source y of a DIB counts from its bottom.
      Pl.StretchBitmap(dib, sx, dib.Height() - sy - sh, sw, sh, r.S(24), r.S(28), r.S(72), r.S(76), r.U(68));
    }
    break;
  }
  case 80: { // SETDIBITSTODEVICE
    TBitmap dib;
    if (r.N >= 76 && Dib(r, r.U(48), r.U(52), r.U(56), r.U(60), dib)) {
      int sx = r.S(32), sy = r.S(36), sw = r.S(40), sh = r.S(44);
      Pl.StretchBitmap(dib, sx, dib.Height() - sy - sh, sw, sh, r.S(24), r.S(28), sw, sh, cmSrcCopy);
    }
    break;
  }
  case 76:   // BITBLT
  case 77: { // STRETCHBLT
    if (r.N < 100)
      break;
    double dx = r.S(24), dy = r.S(28), dw = r.S(32), dh = r.S(36);
    uint32_t rop = r.U(40);
    TBitmap dib;
    if (r.U(88) != 0 && Dib(r, r.U(84), r.U(88), r.U(92), r.U(96), dib)) {
      int sw = r.Type == 77 && r.N >= 108 ? r.S(100) : int(dw);
      int sh = r.Type == 77 && r.N >= 108 ? r.S(104) : int(dh);
      Pl.StretchBitmap(dib, r.S(44), r.S(48), sw, sh, dx, dy, dw, dh, rop);
    } else if (r.U(88) == 0) {
      Pl.PatBlt(dx, dy, dw, dh, rop);
    }
    break;
  }
  default:
    break;
  }
}

} // namespace

bool IsEmfData(const uint8_t *data, size_t size) {
  return size >= 88 && Le32(data) == 1 && Le32(data + 40) == KSignature;
}

bool ReadEmf(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (!IsEmfData(data, size)) {
    error = "Die Datei ist keine erweiterte Metadatei.";
    return false;
  }
  uint32_t headerSize = Le32(data + 4);
  if (headerSize < 88 || headerSize > size) {
    error = "Die Metadatei hat einen ungültigen Kopf.";
    return false;
  }
  double bl = LeS32(data + 8), bt = LeS32(data + 12), br = LeS32(data + 16), bb = LeS32(data + 20);
  double fl = LeS32(data + 24), ft = LeS32(data + 28), fr = LeS32(data + 32), fb = LeS32(data + 36);
  double devX = LeS32(data + 72), devY = LeS32(data + 76), mmX = LeS32(data + 80), mmY = LeS32(data + 84);
  double perMmX = devX > 0 && mmX > 0 ? devX / mmX : 96 / 25.4;
  double perMmY = devY > 0 && mmY > 0 ? devY / mmY : 96 / 25.4;
  // The picture is the frame (hundredths of a millimetre) in device pixels;
  // without a usable frame, the bounds.
  double ox, oy, w, h;
  if (fr > fl && fb > ft) {
    ox = fl * perMmX / 100;
    oy = ft * perMmY / 100;
    w = (fr - fl) * perMmX / 100;
    h = (fb - ft) * perMmY / 100;
  } else {
    ox = bl;
    oy = bt;
    w = br - bl + 1;
    h = bb - bt + 1;
  }
  if (!(w >= 0.5 && h >= 0.5 && w < 1e6 && h < 1e6)) {
    error = "Die Metadatei hat keine gültige Größe.";
    return false;
  }
  int width = int(std::lround(w)), height = int(std::lround(h));
  if (!PixelCountAcceptable(uint64_t(width), uint64_t(height))) {
    error = "Die Metadatei ist zu groß.";
    return false;
  }
  bmp.Allocate(width, height, pf24bit);
  for (int y = 0; y < height; ++y)
    std::memset(bmp.ScanLine(y), 0xFF, bmp.RowBytes());
  meta::TPlayer pl(bmp);
  pl.DevPerMmX = perMmX;
  pl.DevPerMmY = perMmY;
  pl.DeviceToRaster.Dx = -std::round(ox);
  pl.DeviceToRaster.Dy = -std::round(oy);
  TEmfPlayer player(pl);
  for (size_t p = headerSize; p + 8 <= size;) {
    uint32_t type = Le32(data + p), n = Le32(data + p + 4);
    if (n < 8 || n > size - p || (n & 3) != 0)
      break; // a damaged tail ends the picture
    if (type == 14)
      break; // EOF
    player.Play(TRec{type, data + p, n});
    p += n;
  }
  bmp.Changed();
  return true;
}

bool EncodeEmf(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error) {
  if (bmp.Empty()) {
    error = "Ein leeres Bild kann nicht als Metadatei gespeichert werden.";
    return false;
  }
  std::vector<uint8_t> dib = EncodeDib(bmp);
  // The info header with its palette or bit fields, then the pixels.
  uint32_t bitsOffset = Le32(dib.data()) + 0; // header size
  {
    uint16_t bits = Le16(dib.data() + 14);
    uint32_t compression = Le32(dib.data() + 16), clrUsed = Le32(dib.data() + 32);
    uint32_t colors = bits <= 8 ? (clrUsed ? clrUsed : (1u << bits)) : 0;
    bitsOffset += colors * 4 + (compression == 3 && Le32(dib.data()) == 40 ? 12 : 0);
  }
  if (bitsOffset > dib.size()) {
    error = "Das Bild kann nicht als Metadatei gespeichert werden.";
    return false;
  }
  uint32_t cbBmi = bitsOffset, cbBits = uint32_t(dib.size()) - bitsOffset;
  while (cbBmi % 4)
    ++cbBmi; // the header part stays aligned
  const uint32_t headerSize = 108, stretchFixed = 80;
  uint64_t stretchSize = uint64_t(stretchFixed) + cbBmi + cbBits;
  stretchSize = (stretchSize + 3) & ~uint64_t(3);
  uint64_t total = headerSize + stretchSize + 20;
  if (total > 0xFFFFFFFFu) {
    error = "Das Bild ist zu groß für eine Metadatei.";
    return false;
  }
  const int devX = 1920, devY = 1080, mmX = 508, mmY = 286;
  int w = bmp.Width(), h = bmp.Height();
  out.clear();
  out.reserve(size_t(total));
  // EMR_HEADER
  PutLe32(out, 1);
  PutLe32(out, headerSize);
  PutLe32(out, 0); // bounds, inclusive
  PutLe32(out, 0);
  PutLe32(out, uint32_t(w - 1));
  PutLe32(out, uint32_t(h - 1));
  PutLe32(out, 0); // frame in hundredths of a millimetre
  PutLe32(out, 0);
  PutLe32(out, uint32_t(std::lround(w * 100.0 * mmX / devX)));
  PutLe32(out, uint32_t(std::lround(h * 100.0 * mmY / devY)));
  PutLe32(out, KSignature);
  PutLe32(out, 0x10000);
  PutLe32(out, uint32_t(total));
  PutLe32(out, 3); // records
  PutLe32(out, 1); // handles (16 bits) and reserved
  PutLe32(out, 0); // description
  PutLe32(out, 0);
  PutLe32(out, 0); // palette entries
  PutLe32(out, devX);
  PutLe32(out, devY);
  PutLe32(out, mmX);
  PutLe32(out, mmY);
  PutLe32(out, 0); // pixel format
  PutLe32(out, 0);
  PutLe32(out, 0); // OpenGL
  PutLe32(out, uint32_t(mmX * 1000));
  PutLe32(out, uint32_t(mmY * 1000));
  // EMR_STRETCHDIBITS
  PutLe32(out, 81);
  PutLe32(out, uint32_t(stretchSize));
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, uint32_t(w - 1));
  PutLe32(out, uint32_t(h - 1));
  PutLe32(out, 0); // xDest, yDest
  PutLe32(out, 0);
  PutLe32(out, 0); // xSrc, ySrc
  PutLe32(out, 0);
  PutLe32(out, uint32_t(w));
  PutLe32(out, uint32_t(h));
  PutLe32(out, stretchFixed); // offBmiSrc
  PutLe32(out, cbBmi);
  PutLe32(out, stretchFixed + cbBmi); // offBitsSrc
  PutLe32(out, cbBits);
  PutLe32(out, 0); // DIB_RGB_COLORS
  PutLe32(out, cmSrcCopy);
  PutLe32(out, uint32_t(w));
  PutLe32(out, uint32_t(h));
  out.insert(out.end(), dib.begin(), dib.begin() + bitsOffset);
  out.resize(out.size() + (cbBmi - bitsOffset), 0);
  out.insert(out.end(), dib.begin() + bitsOffset, dib.end());
  while (out.size() < headerSize + stretchSize)
    out.push_back(0);
  // EMR_EOF
  PutLe32(out, 14);
  PutLe32(out, 20);
  PutLe32(out, 0);
  PutLe32(out, 16);
  PutLe32(out, 20);
  return true;
}

} // namespace tessaro
