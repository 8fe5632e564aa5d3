// The colour palette grid of the frame and its menus "Ansicht >
// Farbpalette".
#include "frame/UnMain.h"

#include "controls/LUMColorPalette.h"
#include "document/UnChild.h"
#include "platform/Hints.h"

#include <QAction>
#include <QMdiArea>
#include <QScrollArea>
#include <QSplitter>

namespace tessaro {

void TfrmMain::CreatePalette() {
  SplitterPalette = new QSplitter(Qt::Vertical, this);
  SplitterPalette->setObjectName("SplitterPalette");
  SplitterPalette->setChildrenCollapsible(false);
  SplitterPalette->addWidget(MdiArea);
  ScrollBoxPalette = new QScrollArea(SplitterPalette);
  ScrollBoxPalette->setObjectName("ScrollBoxPalette");
  ScrollBoxPalette->setWidgetResizable(false);
  ScrollBoxPalette->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SplitterPalette->addWidget(ScrollBoxPalette);
  SplitterPalette->setStretchFactor(0, 1);
  SplitterPalette->setStretchFactor(1, 0);

  LUMColorPalette = new TLUMColorPalette;
  LUMColorPalette->setObjectName("LUMColorPalette");
  SetHint(LUMColorPalette,
          "Linke Maustaste = Füllfarbe\nRechte Maustaste = Linienfarbe\nStrg. Taste = Papierfarbe");
  // Every setting at once, one rebuild at the end.
  LUMColorPalette->SetUpdating(false);
  LUMColorPalette->SetBitmapClLayers(AllColorLayers);
  LUMColorPalette->SetPaletteEntrySize(15);
  LUMColorPalette->SetPaletteBgColor(clBtnFace);
  LUMColorPalette->SetFrameColor(clBlue);
  LUMColorPalette->SetColorsPerLine(-1);
  LUMColorPalette->SetProgressBar(PBarStatus);
  LUMColorPalette->SetMaxColors(1000);
  LUMColorPalette->SetUpdating(true);
  LUMColorPalette->SetPaletteType(pltStandard);
  // The palette starts from the frame's colours, so that a pick of one
  // colour reports the others as they are.
  LUMColorPalette->SetFillColor(panFillColor->Color());
  LUMColorPalette->SetLineColor(panLineColor->Color());
  LUMColorPalette->SetPaperColor(panPaperColor->Color());
  ScrollBoxPalette->setWidget(LUMColorPalette); // owned by the scroll box from here
  ScrollBoxPalette->setMinimumHeight(24);
  connect(
      LUMColorPalette, &TLUMColorPalette::SelectionChange, this,
      [this](TColor fill, TColor line, TColor paper) { LUMColorPaletteSelectionChange(fill, line, paper); });
  SplitterPalette->setSizes({600, LUMColorPalette->height() + 2 * ScrollBoxPalette->frameWidth() + 2});
}

void TfrmMain::mnuColorPaletteClick() {
  const TPaletteType type = LUMColorPalette->PaletteType();
  mnuStdColors->setChecked(type & pltStandard);
  mnuHTMLColors->setChecked(type & pltHTML);
  mnuSystemColors->setChecked(type & pltSystem);
  mnuVGAColors->setChecked(type & pltVGA);
}

void TfrmMain::mnuBitmapColorsClick() {
  mnuUseBitmapColors->setChecked(LUMColorPalette->PaletteType() & pltBitmap);
  const TColorLayer layers = LUMColorPalette->BitmapClLayers();
  mnuBmpClRed->setChecked(layers & clyRed);
  mnuBmpClGreen->setChecked(layers & clyGreen);
  mnuBmpClBlue->setChecked(layers & clyBlue);
}

void TfrmMain::TogglePaletteType(uint8_t item) {
  LUMColorPalette->SetUpdating(false);
  LUMColorPalette->SetMaxColors(1000);
  LUMColorPalette->SetUpdating(true);
  const TPaletteType type = LUMColorPalette->PaletteType();
  if (type & item) {
    LUMColorPalette->SetPaletteType(TPaletteType(type & ~item));
    return;
  }
  if (item == pltBitmap) {
    // The colours of the picture as it is now; the setter below rebuilds.
    if (TfrmChild *doc = ActiveChild())
      LUMColorPalette->BitmapColorSource() = doc->Bitmap();
  }
  LUMColorPalette->SetPaletteType(TPaletteType(type | item));
}

void TfrmMain::ToggleBitmapLayer(uint8_t layer) {
  LUMColorPalette->SetUpdating(false);
  LUMColorPalette->SetMaxColors(1000);
  LUMColorPalette->SetUpdating(true);
  const TColorLayer layers = LUMColorPalette->BitmapClLayers();
  LUMColorPalette->SetBitmapClLayers(TColorLayer(layers & layer ? layers & ~layer : layers | layer));
}

void TfrmMain::mnuStdColorsClick() {
  TogglePaletteType(pltStandard);
}

void TfrmMain::mnuHTMLColorsClick() {
  TogglePaletteType(pltHTML);
}

void TfrmMain::mnuSystemColorsClick() {
  TogglePaletteType(pltSystem);
}

void TfrmMain::mnuVGAColorsClick() {
  TogglePaletteType(pltVGA);
}

void TfrmMain::mnuUseBitmapColorsClick() {
  TogglePaletteType(pltBitmap);
}

void TfrmMain::mnuBmpClRedClick() {
  ToggleBitmapLayer(clyRed);
}

void TfrmMain::mnuBmpClGreenClick() {
  ToggleBitmapLayer(clyGreen);
}

void TfrmMain::mnuBmpClBlueClick() {
  ToggleBitmapLayer(clyBlue);
}

} // namespace tessaro
