#include "document/tools/DrawTool.h"

namespace tessaro {

namespace {

constexpr uint16_t LineShown = otbLines;
constexpr uint16_t LineHidden =
    otbDim | otbRect | otbEllipse | otbStdSize | otb3D | otbWinImage | otbTransp | otbText | otbRenderText;
constexpr uint16_t RectShown = otbStdSize | otbRect | otb3D | otbLines;
constexpr uint16_t RectHidden = otbEllipse | otbWinImage | otbTransp | otbText | otbRenderText | otbDim;
constexpr uint16_t ArcShown = otbEllipse | otbLines;
constexpr uint16_t ArcHidden =
    otbRect | otbStdSize | otb3D | otbWinImage | otbTransp | otbText | otbRenderText | otbDim;

// Indexed by the tool's value; row 7 is the unused value.
const TToolInfo Tools[24] = {
    {dtCursor, nullptr, 0, 0, StartInfo, 0, otbAll, false},
    {dtLine, "Linie", 1, 1,
     "Linie: 1. Maustaste drücken und gedrückt zum Endpunkt ziehen 2. Maustaste loslassen", LineShown,
     LineHidden, false},
    {dtPolyLine, "PolyLinie", 2, 24,
     "Polylinie: Die Linie wird durch Klicken gezeichnet. Doppelklicken, um die Linie abzuschließen.",
     LineShown, LineHidden, true},
    {dtFreeLine, "Freihand Linie", 3, 2,
     "Freihandlinie: Maustaste gedrückt halten und über die Zeichenfläche ziehen", LineShown, LineHidden,
     false},
    {dtBezier, "Poly Bézier Kurve", 4, 3,
     "Bézier Kurve: 1. Anfangspunkt setzen 2. Steuerpunkt setzen 3. Endpunkt setzen. Doppelklicken, um die "
     "Kurve abzuschließen.",
     LineShown, LineHidden, true},
    {dtDimHor, "Horizontale Bemaßung", 5, 5,
     "Horizontale Bemaßung: 1. Maustaste drücken und gedrückt zum Endpunkt ziehen 2. Maustaste loslassen "
     "(100% Zoom empfohlen!)",
     otbLines | otbDim, LineHidden & ~otbDim, false},
    {dtDimVert, "Vertikale Bemaßung", 6, 4,
     "Vertikale Bemaßung: 1. Maustaste drücken und gedrückt zum Endpunkt ziehen 2. Maustaste loslassen "
     "(100% Zoom empfohlen",
     otbLines | otbDim, LineHidden & ~otbDim, false},
    {dtCursor, nullptr, 0, 0, StartInfo, 0, otbAll, false},
    {dtRoundRect, "Abgerundetes Rechteck", 7, 6,
     "Rechteck: 1. Maustaste drücken und gedrückt Rechteck aufziehen 2. Maustaste loslassen", RectShown,
     RectHidden, false},
    {dtRect3D, "3D Rechteck", 7, 6,
     "Rechteck: 1. Maustaste drücken und gedrückt Rechteck aufziehen 2. Maustaste loslassen", RectShown,
     RectHidden, false},
    {dtPolygon, "Polygon", 9, 7,
     "Polygon: Wird durch klicken gezeichnet. Doppelklicken, um das Polygon abzuschließen.", RectShown,
     RectHidden, true},
    {dtEllipse, "Ellipse", 10, 8,
     "Ellipse: 1. Maustaste drücken und gedrückt Ellipse aufziehen 2. Maustaste loslassen", otbLines,
     otbEllipse | ArcHidden, false},
    {dtArc, "Kreisbogen", 11, 9,
     "Kreisbogen: 1. Maustaste drücken und gedrückt Kreisbogen aufziehen 2. Maustaste loslassen", ArcShown,
     ArcHidden, false},
    {dtChord, "Gefüllter Kreisbogen", 12, 11,
     "Gefüllter Kreisbogen: 1. Maustaste drücken und gedrückt Kreisbogen aufziehen 2. Maustaste loslassen",
     ArcShown, ArcHidden, false},
    {dtPie, "Kuchenstück", 13, 10,
     "Kuchenstück: 1. Maustaste drücken und gedrückt Kuchenstück aufziehen 2. Maustaste loslassen", ArcShown,
     ArcHidden, false},
    {dtMarkRect, "Rechteck Markierung", 14, 13,
     "Markierung (Rechteck): 1. Maustaste drücken und gedrückt Markierungsrechteck aufziehen 2. Maustaste "
     "loslassen",
     0, otbAll, false},
    {dtMarkEllipse, "Ellipsen Markierung", 14, 14,
     "Markierung (Ellipse): 1. Maustaste drücken und gedrückt Ellipse aufziehen 2. Maustaste loslassen", 0,
     otbAll, false},
    {dtMarkHand, "Freihand Markierung", 14, 15,
     "Markierung (Freihand): Maustaste gedrückt über die Zeichenfläche ziehen und anschließend loslassen", 0,
     otbAll, false},
    {dtPipette, nullptr, 15, 0,
     "Pipette (Farbauswahl): Linke Maustaste = Füllfarbe, Rechte Maustaste = Linienfarbe, Strg - Taste + "
     "Maustaste = Papierfarbe",
     0, otbAll, false},
    {dtErase, "Radierer", 16, 0,
     "Radierer: Maustaste gedrückt halten und über die Zeichenfläche ziehen. Oder punktweise korrigieren",
     otbStdSize, otbAll & ~otbStdSize, false},
    {dtFill, "Füllung", 17, 0,
     "Fülleimer: Mauszeiger über den zu füllenden Bereich platzieren und Maustaste drücken", otbLines,
     otbRect | otbEllipse | otbStdSize | otb3D | otbWinImage | otbTransp | otbText | otbRenderText | otbDim,
     false},
    {dtPen, "Pinsel", 18, 0, "Pinsel: Maustaste drücken und gedrückt über die Zeichenfläche ziehen",
     otbStdSize | otbLines,
     otbRect | otbEllipse | otb3D | otbWinImage | otbTransp | otbText | otbRenderText | otbDim, false},
    {dtClone, "Klonen", 19, 0,
     "Klonen: 1. Anfangspunkt durch Klicken setzen. 2. An einer anderen Stelle Maustaste gedrückt langsam "
     "ziehen 3. Doppelklicken, um den Klonvorgang abzuschließen",
     otbStdSize, otbAll & ~otbStdSize, true},
    {dtCutImage, "Beschneiden", 20, 0,
     "Zuschneiden: 1. Maustaste drücken 2. Rechteck von links oben aufziehen 3. Maustaste loslassen - Bild "
     "wird beschnitten",
     0, otbAll, true},
};

} // namespace

bool IsDrawTool(int value) {
  return value >= 0 && value <= 23 && value != 7;
}

const TToolInfo &ToolInfo(TDrawTool tool) {
  return IsDrawTool(tool) ? Tools[tool] : Tools[0];
}

TDrawTool ToolOfPicture(int picture) {
  if (picture <= 0)
    return dtCursor;
  for (const TToolInfo &t : Tools) {
    // The rectangle's picture stands for the rounded rectangle first.
    if (t.Picture == picture)
      return t.Tool;
  }
  return dtCursor;
}

int ToolCursor(TDrawTool tool, int cornerValue) {
  if (tool == dtRoundRect && cornerValue != 0)
    return 8;
  return ToolInfo(tool).Cursor;
}

} // namespace tessaro
