// The frame's drawing attributes as the document reads them at every mouse
// event: the active tool, pen and brush, and the parameters of the tools.
#pragma once

#include "core/Canvas.h"
#include "core/Types.h"
#include "document/tools/DrawTool.h"

#include <QFont>
#include <QString>

namespace tessaro {

struct TToolAttributes {
  TDrawTool Tool = dtCursor;
  // Pen and brush in the order ApplyDrawAttributes copies them; the style
  // already says psClear / bsClear when "Keine Linie" / "Keine Füllung" is
  // down.
  TPenMode PenMode = pmCopy;
  TColor PenColor = clBlack;
  TPenStyle PenStyle = psSolid;
  int PenWidth = 1;
  TColor BrushColor = clWhite;
  TBrushStyle BrushStyle = bsSolid;
  // The fill kind as chosen in its list, whatever "Keine Füllung" says (the
  // fill bucket's pattern).
  TBrushStyle FillKind = bsSolid;
  // The frame's paper colour (the eraser's colour; the pipette may have set
  // it apart from the document's own).
  TColor PaperColor = clWhite;
  // Tool parameters as typed in the option toolbars (read leniently by the
  // tools that use them).
  QString RectRoundCorners = "0";
  QString EllipseArc = "90";
  QString EllipseStart = "90";
  QString StdSize = "5";
  bool Use3D = false;
  TColor Color3DTop = clSilver;
  TColor Color3DBottom = clGray;
  // Dimension lines: the unit text written after the millimetres, the label
  // font (its colour is the label colour) and the label background.
  QString DimUnit = "mm";
  QFont DimFont;
  TColor DimFontColor = clBlack;
  bool DimTransparent = false;
  TColor DimBackground = clWhite;
};

// A number typed into a tool edit, read leniently and limited to the range of
// its up-down control; text that still is no number gives the fallback.
int ToolNumber(const QString &text, int fallback, int low, int high);

// Copies pen and brush onto a canvas before a final stroke: mode, colour,
// style and width of the pen, then colour and style of the brush.
void ApplyDrawAttributes(TCanvas &canvas, const TToolAttributes &attributes);

} // namespace tessaro
