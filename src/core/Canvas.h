// The drawing surface bound to a bitmap, with the semantics of the classic
// Windows GDI that the drawing tools depend on: right and bottom edges of
// boxes excluded, LineTo excluding its end point, the 16 pen raster
// operations applied to stored pixel values, ROP3 copy modes, pen styles,
// hatch brushes, wide pens, arcs by start and end rays, flood fill.
//
// Every primitive builds one coverage and touches each pixel at most once per
// call, so a figure drawn twice in pmNotXor restores the raster exactly.
// Drawing is aliased and clipped to the bitmap.
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessaro {

namespace raster {
class TCoverage;
}

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum TPenMode : uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

enum TBrushStyle : uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

enum TFillStyle : uint8_t { fsSurface, fsBorder };

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

// ROP3 copy modes.
constexpr uint32_t cmBlackness = 0x00000042;
constexpr uint32_t cmDstInvert = 0x00550009;
constexpr uint32_t cmMergeCopy = 0x00C000CA;
constexpr uint32_t cmMergePaint = 0x00BB0226;
constexpr uint32_t cmNotSrcCopy = 0x00330008;
constexpr uint32_t cmNotSrcErase = 0x001100A6;
constexpr uint32_t cmPatCopy = 0x00F00021;
constexpr uint32_t cmPatInvert = 0x005A0049;
constexpr uint32_t cmPatPaint = 0x00FB0A09;
constexpr uint32_t cmSrcAnd = 0x008800C6;
constexpr uint32_t cmSrcCopy = 0x00CC0020;
constexpr uint32_t cmSrcErase = 0x00440328;
constexpr uint32_t cmSrcInvert = 0x00660046;
constexpr uint32_t cmSrcPaint = 0x00EE0086;
constexpr uint32_t cmWhiteness = 0x00FF0062;

struct TPen {
  TColor Color = clBlack;
  int Width = 1; // 0 draws like 1
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

struct TFont {
  std::string Name = "Sans Serif";
  int Size = 10; // points at 96 pixels per inch
  TColor Color = clBlack;
  TFontStyles Style = 0;
  // Height in pixels of the em box: Size * 96 / 72.
  int PixelHeight() const;
  friend bool operator==(const TFont &, const TFont &) = default;
};

// Glyph coverage of a string, provided by the user interface (Qt) at start.
struct TTextImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Coverage; // Width * Height, 0..255, row by row
};

class TTextRasterizer {
public:
  virtual ~TTextRasterizer() = default;
  // Size of the text's box (advance width, line height).
  virtual TSize TextExtent(const TFont &font, const std::string &utf8) = 0;
  // Coverage of the text inside its box of TextExtent's size.
  virtual TTextImage Render(const TFont &font, const std::string &utf8) = 0;
};

void SetTextRasterizer(std::shared_ptr<TTextRasterizer> r);
TTextRasterizer *GetTextRasterizer();

class TCanvas {
public:
  explicit TCanvas(TBitmap &bitmap);
  TCanvas(const TCanvas &) = delete;
  TCanvas &operator=(const TCanvas &) = delete;

  TBitmap &Bitmap() { return FBitmap; }

  TPen Pen;
  TBrush Brush;
  TFont Font;
  uint32_t CopyMode = cmSrcCopy;
  TPoint PenPos;

  TRect ClipRect() const { return TRect(0, 0, FBitmap.Width(), FBitmap.Height()); }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(std::span<const TPoint> points);
  void PolyBezier(std::span<const TPoint> points);
  void Polygon(std::span<const TPoint> points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect &r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect &r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void FloodFill(int x, int y, TColor color, TFillStyle style);

  // Fill with the brush (no outline), and a 1-pixel frame in the brush colour.
  void FillRect(const TRect &r);
  void FrameRect(const TRect &r);

  TColor Pixels(int x, int y) const { return FBitmap.GetPixel(x, y); }
  void SetPixels(int x, int y, TColor c);

  // Copies a rectangle of another (or this) canvas, stretched to the
  // destination, combined by CopyMode.
  void CopyRect(const TRect &dest, TCanvas &source, const TRect &sourceRect);
  // Copies a bitmap rectangle with pixels of colour `color` replaced by the
  // brush; a colour that matches no pixel makes it a plain copy.
  void BrushCopy(const TRect &dest, const TBitmap &bitmap, const TRect &sourceRect, TColor color);
  // Draw at (x, y) / stretched into dest, combined by CopyMode.
  void Draw(int x, int y, const TBitmap &bitmap);
  void StretchDraw(const TRect &dest, const TBitmap &bitmap);

  void TextOut(int x, int y, const std::string &utf8);
  // Text clipped to r, drawn at (x, y).
  void TextRect(const TRect &r, int x, int y, const std::string &utf8);
  int TextWidth(const std::string &utf8);
  int TextHeight(const std::string &utf8);
  TSize TextExtent(const std::string &utf8);

private:
  int PenWidth() const { return Pen.Width > 1 ? Pen.Width : 1; }
  // Applies the pen to the outline and the brush to the pixels of region
  // not in the outline (either may be null), announcing the change once.
  void PaintFigure(raster::TCoverage *outline, raster::TCoverage *region);
  // The outline of a polyline with the current pen.
  void StrokePolyline(std::span<const TPoint> points, bool closed, raster::TCoverage &outline);
  // Rectangle, rounded rectangle and ellipse: a box with corner ellipses of
  // half sizes rx, ry.
  void BoxFigure(int x1, int y1, int x2, int y2, double rx, double ry);
  enum class TArcKind { Arc, Chord, Pie };
  void ArcFigure(TArcKind kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // Nearest-neighbour copy combined by rop; with replace, source pixels of
  // replaceColor become the brush colour.
  void StretchFrom(const TRect &dest, const TBitmap &source, const TRect &sourceRect, uint32_t rop,
                   bool replace = false, TColor replaceColor = clNone);
  void DrawText(const TRect *clip, int x, int y, const std::string &utf8);

  TBitmap &FBitmap;
};

// The 3D frame of the control library: draws Width nested frames in
// TopColor / BottomColor and leaves rect shrunk by Width on every side.
void DrawBevelFrame(TCanvas &canvas, TRect &rect, TColor topColor, TColor bottomColor, int width);

// Mouse position in the image control to image coordinates at zoom percent
// (truncated toward zero, never rounded).
TPoint ControlToImage(int x, int y, int zoom);

// Applies a pen raster operation (R2 code) to a stored value.
uint32_t ApplyRop2(TPenMode mode, uint32_t pen, uint32_t dest);
// Applies a ROP3 code to pattern, source and destination values.
uint32_t ApplyRop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t dest);

} // namespace tessaro
