// Windows metafiles (with or without the placeable header): read by playing
// the records on our canvas at the picture's size; written as a placeable
// metafile holding the bitmap in one StretchDIB record.
#include "core/BmpFile.h"
#include "core/ByteOrder.h"
#include "files/ImageCodecs.h"
#include "files/MetaPlayer.h"

#include <cmath>
#include <cstring>

namespace tessaro {

namespace {

constexpr uint32_t KPlaceableKey = 0x9AC6CDD7;

TColor ColorRef(const uint8_t *p) {
  return RGB(p[0], p[1], p[2]);
}

// One record: its function and parameter words.
struct TRecord {
  uint16_t Function;
  const uint8_t *P; // parameters
  size_t N;         // parameter bytes
  int16_t S(size_t i) const { return 2 * i + 2 <= N ? LeS16(P + 2 * i) : 0; }
  uint16_t W(size_t i) const { return 2 * i + 2 <= N ? Le16(P + 2 * i) : 0; }
  uint32_t D(size_t i) const { return 2 * i + 4 <= N ? Le32(P + 2 * i) : 0; }
};

// A DIB inside a record: packed info header, palette and bits.
bool RecordDib(const uint8_t *p, size_t n, TBitmap &dib) {
  std::string err;
  return n >= 40 && ReadDib(p, n, dib, &err);
}

std::vector<double> Points(const TRecord &r, size_t firstWord, size_t count) {
  std::vector<double> xy;
  size_t avail = r.N / 2 > firstWord ? (r.N / 2 - firstWord) / 2 : 0;
  count = std::min(count, avail);
  xy.reserve(count * 2);
  for (size_t i = 0; i < count; ++i) {
    xy.push_back(r.S(firstWord + 2 * i));
    xy.push_back(r.S(firstWord + 2 * i + 1));
  }
  return xy;
}

void PlayRecord(meta::TPlayer &pl, const TRecord &r) {
  using namespace meta;
  switch (r.Function) {
  case 0x020B: // SETWINDOWORG
    pl.Dc.WinOrgY = r.S(0);
    pl.Dc.WinOrgX = r.S(1);
    break;
  case 0x020C: // SETWINDOWEXT
    pl.Dc.WinExtY = r.S(0);
    pl.Dc.WinExtX = r.S(1);
    break;
  case 0x020F: // OFFSETWINDOWORG
    pl.Dc.WinOrgY += r.S(0);
    pl.Dc.WinOrgX += r.S(1);
    break;
  case 0x0201: // SETBKCOLOR
    pl.Dc.BkColor = r.N >= 4 ? ColorRef(r.P) : pl.Dc.BkColor;
    break;
  case 0x0209: // SETTEXTCOLOR
    pl.Dc.TextColor = r.N >= 4 ? ColorRef(r.P) : pl.Dc.TextColor;
    break;
  case 0x0102: // SETBKMODE
    pl.Dc.Transparent = r.W(0) == 1;
    break;
  case 0x0104: // SETROP2
    pl.Dc.Rop2 = r.W(0);
    break;
  case 0x012E: // SETTEXTALIGN
    pl.Dc.TextAlign = r.W(0);
    break;
  case 0x001E: // SAVEDC
    pl.SaveDc();
    break;
  case 0x0127: // RESTOREDC
    pl.RestoreDc(r.S(0));
    break;
  case 0x02FA: { // CREATEPENINDIRECT
    TObject o;
    o.Kind = TObject::Pen;
    unsigned style = r.W(0) & 0xF;
    o.PenDef.Style = style <= 6 ? TPenStyle(style) : psSolid;
    o.PenDef.Width = r.S(1);
    o.PenDef.Color = r.N >= 10 ? ColorRef(r.P + 6) : clBlack;
    pl.AddObject(o);
    break;
  }
  case 0x02FC: { // CREATEBRUSHINDIRECT
    TObject o;
    o.Kind = TObject::Brush;
    unsigned style = r.W(0);
    o.BrushDef.Color = r.N >= 6 ? ColorRef(r.P + 2) : clBlack;
    o.BrushDef.Style = style == 1                  ? bsClear
                       : style == 2 && r.W(3) <= 5 ? TBrushStyle(bsHorizontal + r.W(3))
                                                   : bsSolid;
    pl.AddObject(o);
    break;
  }
  case 0x02FB: { // CREATEFONTINDIRECT
    TObject o;
    o.Kind = TObject::Font;
    o.FontDef.Height = r.S(0);
    o.FontDef.Weight = r.S(4);
    if (r.N >= 18) {
      o.FontDef.Italic = r.P[10] != 0;
      o.FontDef.Underline = r.P[11] != 0;
      o.FontDef.StrikeOut = r.P[12] != 0;
      o.FontDef.Face = Latin1ToUtf8(r.P + 18, std::min<size_t>(32, r.N - 18));
    }
    pl.AddObject(o);
    break;
  }
  case 0x00F7: // CREATEPALETTE
  case 0x06FF: // CREATEREGION
    pl.AddObject(TObject{TObject::Other, {}, {}, {}});
    break;
  case 0x01F9:   // CREATEPATTERNBRUSH
  case 0x0142: { // DIBCREATEPATTERNBRUSH: a grey stands in for the pattern
    TObject o;
    o.Kind = TObject::Brush;
    o.BrushDef = TBrushDef{bsSolid, clGray};
    pl.AddObject(o);
    break;
  }
  case 0x012D: // SELECTOBJECT
    pl.SelectObject(r.W(0));
    break;
  case 0x01F0: // DELETEOBJECT
    pl.DeleteObject(r.W(0));
    break;
  case 0x0214: // MOVETO
    pl.MoveTo(r.S(1), r.S(0));
    break;
  case 0x0213: // LINETO
    pl.LineTo(r.S(1), r.S(0));
    break;
  case 0x0325: // POLYLINE
    pl.Polyline(Points(r, 1, r.W(0)));
    break;
  case 0x0324: // POLYGON
    pl.Polygon(Points(r, 1, r.W(0)));
    break;
  case 0x0538: { // POLYPOLYGON
    size_t polys = r.W(0);
    size_t word = 1 + polys;
    for (size_t i = 0; i < polys && word < r.N / 2; ++i) {
      size_t n = r.W(1 + i);
      pl.Polygon(Points(r, word, n));
      word += 2 * n;
    }
    break;
  }
  case 0x041B: // RECTANGLE
    pl.Rectangle(r.S(3), r.S(2), r.S(1), r.S(0));
    break;
  case 0x061C: // ROUNDRECT
    pl.RoundRect(r.S(5), r.S(4), r.S(3), r.S(2), r.S(1), r.S(0));
    break;
  case 0x0418: // ELLIPSE
    pl.Ellipse(r.S(3), r.S(2), r.S(1), r.S(0));
    break;
  case 0x0817: // ARC
  case 0x0830: // CHORD
  case 0x081A: // PIE
    pl.ArcLike(r.Function == 0x0817   ? 0
               : r.Function == 0x0830 ? 1
                                      : 2,
               r.S(7), r.S(6), r.S(5), r.S(4), r.S(3), r.S(2), r.S(1), r.S(0));
    break;
  case 0x041F: // SETPIXEL
    if (r.N >= 8)
      pl.SetPixel(r.S(3), r.S(2), ColorRef(r.P));
    break;
  case 0x0521: { // TEXTOUT
    size_t len = r.W(0);
    size_t strBytes = (len + 1) & ~size_t(1);
    if (2 + strBytes + 4 <= r.N)
      pl.Text(LeS16(r.P + 2 + strBytes + 2), LeS16(r.P + 2 + strBytes), meta::Latin1ToUtf8(r.P + 2, len));
    break;
  }
  case 0x0A32: { // EXTTEXTOUT
    size_t len = r.W(2);
    unsigned opts = r.W(3);
    size_t off = 8;
    double rect[4];
    bool hasRect = (opts & 6) != 0;
    if (hasRect) {
      for (int i = 0; i < 4; ++i)
        rect[i] = r.S(4 + size_t(i));
      off += 8;
    }
    if (off + len <= r.N)
      pl.Text(r.S(1), r.S(0), meta::Latin1ToUtf8(r.P + off, len), (opts & 4) || (opts & 2) ? rect : nullptr,
              (opts & 2) != 0);
    break;
  }
  case 0x061D: // PATBLT
    pl.PatBlt(r.S(5), r.S(4), r.S(3), r.S(2), r.D(0));
    break;
  case 0x0F43: { // STRETCHDIB
    TBitmap dib;
    if (r.N > 22 && RecordDib(r.P + 22, r.N - 22, dib)) {
      int sh = r.S(3), sw = r.S(4), sy = r.S(5), sx = r.S(6);
      // Source y counts from the bottom of the DIB.
      pl.StretchBitmap(dib, sx, dib.Height() - sy - sh, sw, sh, r.S(10), r.S(9), r.S(8), r.S(7), r.D(0));
    }
    break;
  }
  case 0x0B41: { // DIBSTRETCHBLT; without a bitmap a reserved word follows the code
    TBitmap dib;
    bool noBitmap = r.N + 6 == size_t(0x0B + 3) * 2;
    if (!noBitmap && r.N > 20 && RecordDib(r.P + 20, r.N - 20, dib)) {
      // Source coordinates of a block transfer are top-down.
      pl.StretchBitmap(dib, r.S(5), r.S(4), r.S(3), r.S(2), r.S(9), r.S(8), r.S(7), r.S(6), r.D(0));
    } else if (noBitmap) {
      pl.PatBlt(r.S(10), r.S(9), r.S(8), r.S(7), r.D(0));
    }
    break;
  }
  case 0x0940: { // DIBBITBLT
    TBitmap dib;
    bool noBitmap = r.N + 6 == size_t(0x09 + 3) * 2;
    if (!noBitmap && r.N > 16 && RecordDib(r.P + 16, r.N - 16, dib)) {
      int h = r.S(4), w = r.S(5);
      pl.StretchBitmap(dib, r.S(3), r.S(2), w, h, r.S(7), r.S(6), w, h, r.D(0));
    } else if (noBitmap) {
      pl.PatBlt(r.S(8), r.S(7), r.S(6), r.S(5), r.D(0));
    }
    break;
  }
  default:
    break;
  }
}

} // namespace

bool IsWmfData(const uint8_t *data, size_t size) {
  if (size >= 4 && Le32(data) == KPlaceableKey)
    return true;
  return size >= 18 && (Le16(data) == 1 || Le16(data) == 2) && Le16(data + 2) == 9 &&
         (Le16(data + 4) == 0x0300 || Le16(data + 4) == 0x0100);
}

bool ReadWmf(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (!IsWmfData(data, size)) {
    error = "Die Datei ist keine Windows-Metadatei.";
    return false;
  }
  size_t pos = 0;
  bool placeable = Le32(data) == KPlaceableKey;
  double left = 0, top = 0, extX = 0, extY = 0;
  int width = 0, height = 0;
  if (placeable) {
    if (size < 22 + 18) {
      error = "Die Metadatei ist unvollständig.";
      return false;
    }
    left = LeS16(data + 6);
    top = LeS16(data + 8);
    extX = double(LeS16(data + 10)) - left;
    extY = double(LeS16(data + 12)) - top;
    unsigned inch = Le16(data + 14) ? Le16(data + 14) : 1440;
    width = int(std::lround(std::fabs(extX) * 96 / inch));
    height = int(std::lround(std::fabs(extY) * 96 / inch));
    pos = 22;
  }
  if (size - pos < 18 || Le16(data + pos + 2) != 9) {
    error = "Die Metadatei hat einen ungültigen Kopf.";
    return false;
  }
  size_t first = pos + 18;
  if (!placeable) {
    // Without the placeable header the picture's size is its window.
    for (size_t p = first; p + 6 <= size;) {
      uint32_t words = Le32(data + p);
      uint16_t fn = Le16(data + p + 4);
      if (words < 3 || words > (size - p) / 2)
        break;
      if (fn == 0x020B && words >= 5) {
        top = LeS16(data + p + 6);
        left = LeS16(data + p + 8);
      } else if (fn == 0x020C && words >= 5) {
        extY = LeS16(data + p + 6);
        extX = LeS16(data + p + 8);
        break;
      }
      p += size_t(words) * 2;
    }
    width = int(std::fabs(extX));
    height = int(std::fabs(extY));
  }
  if (!PixelCountAcceptable(uint64_t(width), uint64_t(height))) {
    error = width == 0 || height == 0 ? "Die Metadatei hat keine Größe." : "Die Metadatei ist zu groß.";
    return false;
  }
  bmp.Allocate(width, height, pf24bit);
  for (int y = 0; y < height; ++y)
    std::memset(bmp.ScanLine(y), 0xFF, bmp.RowBytes());
  meta::TPlayer pl(bmp);
  pl.Dc.MapMode = 8;
  pl.Dc.WinOrgX = left;
  pl.Dc.WinOrgY = top;
  pl.Dc.WinExtX = extX != 0 ? extX : 1;
  pl.Dc.WinExtY = extY != 0 ? extY : 1;
  pl.Dc.VpExtX = width;
  pl.Dc.VpExtY = height;
  for (size_t p = first; p + 6 <= size;) {
    uint32_t words = Le32(data + p);
    if (words < 3 || words > (size - p) / 2)
      break; // a damaged tail ends the picture
    TRecord r{Le16(data + p + 4), data + p + 6, size_t(words) * 2 - 6};
    if (r.Function == 0)
      break; // EOF
    PlayRecord(pl, r);
    p += size_t(words) * 2;
  }
  bmp.Changed();
  return true;
}

bool EncodeWmf(const TBitmap &bmp, std::vector<uint8_t> &out, std::string &error) {
  if (bmp.Empty() || bmp.Width() > 32767 || bmp.Height() > 32767) {
    error = "Dieses Bild kann nicht als Windows-Metadatei gespeichert werden.";
    return false;
  }
  std::vector<uint8_t> dib = EncodeDib(bmp);
  if (dib.size() & 1)
    dib.push_back(0);
  uint64_t stretchWords = (6 + 22 + uint64_t(dib.size())) / 2;
  if (stretchWords > 0xFFFFFFFFu / 2) {
    error = "Das Bild ist zu groß für eine Windows-Metadatei.";
    return false;
  }
  out.clear();
  out.reserve(22 + 18 + 10 + 10 + 10 + size_t(stretchWords) * 2 + 6);
  // Placeable header: the picture's box at 96 units per inch, so that one
  // unit is one pixel.
  PutLe32(out, KPlaceableKey);
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, uint32_t(bmp.Width()));
  PutLe16(out, uint32_t(bmp.Height()));
  PutLe16(out, 96);
  PutLe32(out, 0);
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i)
    sum ^= Le16(out.data() + 2 * i);
  PutLe16(out, sum);
  uint32_t totalWords = 9 + 5 + 5 + 4 + uint32_t(stretchWords) + 3;
  PutLe16(out, 1);
  PutLe16(out, 9);
  PutLe16(out, 0x0300);
  PutLe32(out, totalWords);
  PutLe16(out, 0);
  PutLe32(out, uint32_t(stretchWords));
  PutLe16(out, 0);
  PutLe32(out, 5); // SETWINDOWORG 0, 0
  PutLe16(out, 0x020B);
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe32(out, 5); // SETWINDOWEXT
  PutLe16(out, 0x020C);
  PutLe16(out, uint32_t(bmp.Height()));
  PutLe16(out, uint32_t(bmp.Width()));
  PutLe32(out, 4); // SETSTRETCHBLTMODE COLORONCOLOR
  PutLe16(out, 0x0107);
  PutLe16(out, 3);
  PutLe32(out, uint32_t(stretchWords)); // STRETCHDIB, SRCCOPY
  PutLe16(out, 0x0F43);
  PutLe32(out, cmSrcCopy);
  PutLe16(out, 0); // DIB_RGB_COLORS
  PutLe16(out, uint32_t(bmp.Height()));
  PutLe16(out, uint32_t(bmp.Width()));
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, uint32_t(bmp.Height()));
  PutLe16(out, uint32_t(bmp.Width()));
  PutLe16(out, 0);
  PutLe16(out, 0);
  out.insert(out.end(), dib.begin(), dib.end());
  PutLe32(out, 3); // EOF
  PutLe16(out, 0);
  return true;
}

} // namespace tessaro
