// The frame's colours: the three colour panels are the authority, the
// pickers and the dimension label follow them.
#include "frame/UnMain.h"

#include "controls/LUMColorPalette.h"
#include "document/UnChild.h"
#include "frame/FontLabel.h"
#include "platform/QtColor.h"

#include <QColorDialog>

namespace tessaro {

bool TfrmMain::ChooseColor(TColor &color) {
  if (ColorDialogHook)
    return ColorDialogHook(color);
  const QColor chosen = QColorDialog::getColor(ToQColor(color), this, "Farbe");
  if (!chosen.isValid())
    return false;
  color = FromQColor(chosen);
  return true;
}

void TfrmMain::LUMColorPaletteSelectionChange(TColor FillColor, TColor LineColor, TColor PaperColor) {
  panFillColor->SetColor(FillColor);
  panLineColor->SetColor(LineColor);
  panPaperColor->SetColor(PaperColor);
  // Each picker reports only a real change.
  ToolBarLines.ClPickCBFillColor->SetActiveColor(FillColor);
  ToolBarLines.ClPickCBLineColor->SetActiveColor(LineColor);
  if (TfrmChild *doc = ActiveChild())
    doc->SetPaperColor(PaperColor);
}

void TfrmMain::ClPickCBFillColorChanged() {
  const TColor c = ToolBarLines.ClPickCBFillColor->ActiveColor();
  panFillColor->SetColor(c);
  LUMColorPalette->SetFillColor(c);
  ToolBarDim.lbDimFont->SetColor(c);
  DimFontLegibility();
  ToolBarLines.CBFillKind->update();
  ToolBarLines.CBDrawKind->update();
}

void TfrmMain::ClPickCBLineColorChanged() {
  const TColor c = ToolBarLines.ClPickCBLineColor->ActiveColor();
  panLineColor->SetColor(c);
  LUMColorPalette->SetLineColor(c);
  ToolBarLines.CBLineKind->update();
  ToolBarLines.CBLineWidth->update();
  ToolBarLines.CBDrawKind->update();
}

void TfrmMain::panFillColorDblClick(TColorPanel *panel) {
  TColor c = panel->Color();
  if (!ChooseColor(c))
    return;
  panel->SetColor(c);
  if (panel == panFillColor) {
    ToolBarLines.ClPickCBFillColor->SetActiveColor(c);
    LUMColorPalette->SetFillColor(c);
    ToolBarDim.lbDimFont->SetColor(c);
    DimFontLegibility();
  } else if (panel == panLineColor) {
    ToolBarLines.ClPickCBLineColor->SetActiveColor(c);
    LUMColorPalette->SetLineColor(c);
  } else if (panel == panPaperColor) {
    LUMColorPalette->SetPaperColor(c);
    if (TfrmChild *doc = ActiveChild())
      doc->SetPaperColor(c);
  }
}

} // namespace tessaro
