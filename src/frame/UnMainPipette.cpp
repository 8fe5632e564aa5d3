// The pipette's colours: the picked colour goes to the fill, line or paper
// panel, and the other colour controls follow the panels.
#include "frame/UnMain.h"

#include "controls/LUMColorPalette.h"
#include "frame/FontLabel.h"

namespace tessaro {

void TfrmMain::PipetteColor(unsigned targets, TColor color) {
  if (targets & ptFill)
    panFillColor->SetColor(color);
  if (targets & ptLine)
    panLineColor->SetColor(color);
  // Only the frame's paper panel: the document keeps its own paper colour,
  // which it shows again the next time it becomes active.
  if (targets & ptPaper)
    panPaperColor->SetColor(color);
  LUMColorPalette->SetFillColor(panFillColor->Color());
  LUMColorPalette->SetLineColor(panLineColor->Color());
  LUMColorPalette->SetPaperColor(panPaperColor->Color());
  LUMColorPalette->update();
  // Each picker reports only a real change.
  ToolBarLines.ClPickCBFillColor->SetActiveColor(panFillColor->Color());
  ToolBarLines.ClPickCBLineColor->SetActiveColor(panLineColor->Color());
  ToolBarDim.lbDimFont->SetColor(panFillColor->Color());
  DimFontLegibility();
}

} // namespace tessaro
