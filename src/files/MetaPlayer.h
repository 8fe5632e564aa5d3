// Plays the drawing records of Windows and enhanced metafiles on our own
// canvas: a small device context (pen, brush, font, text settings, the
// mapping from logical units to raster pixels, a save stack) and the object
// table of the file. The format parsers decode records and call it.
#pragma once

#include "core/Bitmap.h"
#include "core/Canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro::meta {

struct TPenDef {
  TPenStyle Style = psSolid;
  double Width = 0; // logical units; 0 is one pixel
  TColor Color = clBlack;
};

struct TBrushDef {
  TBrushStyle Style = bsSolid;
  TColor Color = clWhite;
};

struct TFontDef {
  double Height = 0; // logical units; negative: character height
  int Weight = 400;
  bool Italic = false, Underline = false, StrikeOut = false;
  std::string Face;
};

struct TObject {
  enum TKind { None, Pen, Brush, Font, Other } Kind = None;
  TPenDef PenDef;
  TBrushDef BrushDef;
  TFontDef FontDef;
};

// Affine map from logical to raster coordinates.
struct TXform {
  double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;
  TXform Then(const TXform &b) const; // this first, then b
};

struct TDcState {
  TPenDef Pen;
  TBrushDef Brush{bsSolid, clWhite};
  TFontDef Font;
  TColor TextColor = clBlack;
  TColor BkColor = clWhite;
  bool Transparent = false;
  unsigned TextAlign = 0;
  int Rop2 = 13;
  int MapMode = 1;
  double WinOrgX = 0, WinOrgY = 0, WinExtX = 1, WinExtY = 1;
  double VpOrgX = 0, VpOrgY = 0, VpExtX = 1, VpExtY = 1;
  TXform World;
  double CurX = 0, CurY = 0;
};

class TPlayer {
public:
  // target is the raster, already of the picture's size and cleared.
  explicit TPlayer(TBitmap &target);

  TDcState Dc;
  // Raster pixels per device unit (enhanced metafiles) and device origin.
  TXform DeviceToRaster;
  // Device pixels per millimetre of the reference device (mapping modes).
  double DevPerMmX = 96 / 25.4, DevPerMmY = 96 / 25.4;

  // Object table (index given by the file, or lowest free slot).
  std::vector<TObject> Objects;
  int AddObject(const TObject &obj); // lowest free slot
  void SetObject(size_t index, const TObject &obj);
  void SelectObject(size_t index);
  void SelectStock(unsigned stock);
  void DeleteObject(size_t index);

  void SaveDc();
  void RestoreDc(int which);

  // Logical point to raster point.
  TPoint Map(double x, double y) const;
  double MapLength(double len) const; // along x, for pen widths

  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void Polyline(const std::vector<double> &xy, bool updatePos = false, bool fromCurrent = false);
  void Polygon(const std::vector<double> &xy);
  void PolyBezier(const std::vector<double> &xy, bool fromCurrent);
  void Rectangle(double l, double t, double r, double b);
  void RoundRect(double l, double t, double r, double b, double w, double h);
  void Ellipse(double l, double t, double r, double b);
  // kind: 0 arc, 1 chord, 2 pie.
  void ArcLike(int kind, double l, double t, double r, double b, double xs, double ys, double xe, double ye);
  void SetPixel(double x, double y, TColor c);
  void Text(double x, double y, const std::string &utf8, const double *clip = nullptr, bool opaque = false);
  // Draws a bitmap rectangle (top-down source coordinates) stretched to the
  // logical destination rectangle, combined by rop.
  void StretchBitmap(TBitmap &bmp, int sx, int sy, int sw, int sh, double dx, double dy, double dw, double dh,
                     uint32_t rop);
  // A pattern-only block transfer: fills with the brush, or black/white.
  void PatBlt(double x, double y, double w, double h, uint32_t rop);

private:
  void Apply(bool withPen, bool withBrush);
  TXform PageToRaster() const;
  TCanvas &FCanvas;
  std::vector<TDcState> FStack;
};

// Text helpers for the parsers.
std::string Latin1ToUtf8(const uint8_t *s, size_t n);
std::string Utf16ToUtf8(const uint8_t *s, size_t chars);

} // namespace tessaro::meta
