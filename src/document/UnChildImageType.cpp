// "Bildart ändern": the raster's pixel format as one undoable step, and the
// frame's colour palette fitted to what the new format can show.
#include "document/UnChild.h"

#include "controls/LUMColorPalette.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

namespace tessaro {

namespace {

const char *ImageTypeOpName(TPixelFormat pf) {
  switch (pf) {
  case pf1bit:
    return "mnu1bit";
  case pf4bit:
    return "mnu4bit";
  case pf8bit:
    return "mnu8bit";
  case pf15bit:
    return "mnu15bit";
  case pf16bit:
    return "mnu16bit";
  case pf24bit:
    return "mnu24bit";
  case pf32bit:
    return "mnu32bit";
  default:
    return nullptr;
  }
}

bool AskFitPalette(const QString &question) {
  Beep();
  return MessageDlg(question, mtConfirmation, mbYesNo) == mrYes;
}

} // namespace

void TfrmChild::ChangeImageType(TPixelFormat pf) {
  const char *name = ImageTypeOpName(pf);
  const TImageOp *op = name ? FindImageOp(name) : nullptr;
  // The raster already has this format: nothing to do.
  if (!op || FBitmap->PixelFormat() == pf)
    return;
  if (!ApplyImageOp(*op, DefaultOpArgs(*op)))
    return;
  FImageType = FBitmap->PixelFormat();
  // Announced again as on activation: status texts, hints, palette colours.
  FormDeactivate();
  FormActivate();
  FitPaletteToImageType(pf);
}

void TfrmChild::FitPaletteToImageType(TPixelFormat pf) {
  TLUMColorPalette *palette = FHost.ColorPalette();
  if (!palette)
    return;
  const QString unsupported = "Die Farbpalette enthält Farben, die dieses Bildformat nicht unterstützt!\r\r"
                              "Soll die Farbpalette jetzt angepasst werden?";
  switch (pf) {
  case pf1bit:
    if (palette->CurrColorCount() > 2 && AskFitPalette(unsupported)) {
      palette->SetPaletteType(0);
      palette->SetUpdating(false);
      palette->SetMaxColors(2);
      palette->SetUpdating(true);
      palette->AddColor(clWhite);
      palette->AddColor(clBlack);
    }
    break;
  case pf4bit:
    if (palette->PaletteType() != pltVGA && AskFitPalette(unsupported))
      palette->SetPaletteType(pltVGA);
    break;
  case pf8bit:
    if (palette->CurrColorCount() > 256 &&
        AskFitPalette("Die Farbpalette enthält mehr als 256 Farben! Dieses Bildformat unterstützt aber nicht "
                      "mehr als 256 Farben!\r\rSoll die Farbpalette jetzt angepasst werden?"))
      palette->SetMaxColors(255);
    break;
  default:
    palette->SetMaxColors(1000);
    break;
  }
}

} // namespace tessaro
