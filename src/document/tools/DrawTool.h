// The drawing tools and what belongs to each: the undo caption recorded at a
// press, the cursor, the picture of its family button, the hint line and the
// option toolbars the frame shows and hides. One table serves the document's
// tool engine and the frame's tool buttons.
#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

enum TDrawTool : uint8_t {
  dtCursor = 0,
  dtLine = 1,
  dtPolyLine = 2,
  dtFreeLine = 3,
  dtBezier = 4,
  dtDimHor = 5,
  dtDimVert = 6,
  // 7 is never stored.
  dtRoundRect = 8,
  dtRect3D = 9,
  dtPolygon = 10,
  dtEllipse = 11,
  dtArc = 12,
  dtChord = 13,
  dtPie = 14,
  dtMarkRect = 15,
  dtMarkEllipse = 16,
  dtMarkHand = 17,
  dtPipette = 18,
  dtErase = 19,
  dtFill = 20,
  dtPen = 21,
  dtClone = 22,
  dtCutImage = 23,
};

// The option toolbars of the frame, as bits.
enum TOptionToolBar : uint16_t {
  otbLines = 1 << 0,      // "Linien und Füllungen"
  otbStdSize = 1 << 1,    // "Radierer, Pinsel und Kloneinstellungen"
  otbRect = 1 << 2,       // "Rechteckformen"
  otbEllipse = 1 << 3,    // "Kreisformen"
  otb3D = 1 << 4,         // "3D"
  otbDim = 1 << 5,        // "Bemaßung"
  otbText = 1 << 6,       // "Text"
  otbRenderText = 1 << 7, // "Text Renderen"
  otbWinImage = 1 << 8,   // "Bewegliche Objekte"
  otbTransp = 1 << 9,     // "Transparenz"
  otbAll = (1 << 10) - 1,
};

struct TToolInfo {
  TDrawTool Tool;
  // Recorded by AddUndoStep at every press; null for tools that record none.
  const char *UndoCaption;
  // Cursor id (0 the default arrow, 1 to 20 the program's own cursors). The
  // rounded rectangle shows cursor 8 while its corner value is not 0.
  int Cursor;
  // Picture of the family button that stands for the tool (large image
  // list), 0 for tools with a button of their own.
  int Picture;
  // The hint line's text while the tool is chosen.
  const char *Info;
  // Option toolbars shown and hidden when the tool's button is clicked (a bar
  // in neither set keeps its visibility).
  uint16_t Shown;
  uint16_t Hidden;
  // Choosing the tool empties the active document's point list.
  bool ClearsPoints;
};

// The row of a tool; dtCursor's row for values that name no tool.
const TToolInfo &ToolInfo(TDrawTool tool);
// Whether a stored value names a tool (0 to 23 without 7).
bool IsDrawTool(int value);
// The tool a family button stands for when it shows the picture; dtCursor
// when the picture belongs to no tool. The rectangle picture gives
// dtRoundRect (the frame turns it into dtRect3D while "3D" is down).
TDrawTool ToolOfPicture(int picture);

// The cursor id of a tool; the corner value decides between the two
// rectangle cursors.
int ToolCursor(TDrawTool tool, int cornerValue);

// The hint line's text at start and for the pointer tool.
inline constexpr const char *StartInfo =
    "Zeichnen: Beste Ergebnisse werden bei einer Zoomeinstellung von 100% erreicht";

} // namespace tessaro
