// The document's "Bild" menu: the one-click commands of the dispatcher, the
// items that open an operation dialog, and "Bildart ändern".
#include "document/UnChild.h"

#include "platform/Hints.h"

#include <QAction>
#include <QMenu>

namespace tessaro {

void TfrmChild::CreateImageMenu() {
  mnuMainImage = new QMenu("Bild", this);
  // A dispatcher command; its hint is the caption of its undo step.
  auto command = [this](QMenu *menu, QAction *&item, const char *caption, TImageCommand code) {
    item = menu->addAction(caption);
    const TImageOp *op = FindImageCommand(code);
    if (op && *op->UndoCaption)
      SetHint(item, op->UndoCaption);
    connect(item, &QAction::triggered, this, [this, code] { ImageCommand(code); });
  };
  auto dialog = [this](QMenu *menu, QAction *&item, const char *caption, void (TfrmChild::*handler)()) {
    item = menu->addAction(caption);
    connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  QMenu *m = mnuMainImage;
  command(m, mnuInvert, "Invertieren", icInvert);
  command(m, mnuGrayScale, "In Graustufen umwandeln", icGrayScale);
  m->addSeparator();
  dialog(m, mnuSkew, "Bild verzerren...", &TfrmChild::mnuSkewClick);
  dialog(m, mnuIntesity, "Farbton...", &TfrmChild::mnuIntesityClick);
  dialog(m, mnuReplaceColors, "Farben ersetzen...", &TfrmChild::mnuReplaceColorsClick);
  m->addSeparator();
  dialog(m, mnuSizeImage, "Größe ändern...", &TfrmChild::mnuSizeImageClick);
  dialog(m, mnuSizePaper, "Papiergröße ändern...", &TfrmChild::mnuSizePaperClick);
  m->addSeparator();
  QMenu *light = m->addMenu("Helligkeit");
  command(light, mnuLighter, "Heller", icLighter);
  command(light, mnuDarker, "Dunkler", icDarker);
  dialog(light, mnuSetLight, "Helligkeit einstellen...", &TfrmChild::mnuSetLightClick);
  QMenu *contrast = m->addMenu("Kontrast");
  command(contrast, mnuMoreContrast, "Mehr Kontrast", icMoreContrast);
  command(contrast, mnuLessContrast, "Weniger Kontrast", icLessContrast);
  dialog(contrast, mnuSetContrast, "Kontrast einstellen...", &TfrmChild::mnuSetContrastClick);
  m->addSeparator();
  QMenu *rotate = m->addMenu("Drehen");
  command(rotate, mnuRotateLeft, "90° Links", icRotateLeft);
  command(rotate, mnuRotateRight, "90° Rechts", icRotateRight);
  command(rotate, mnuRotate180, "180°", icRotate180);
  rotate->addSeparator();
  dialog(rotate, mnuRotateFree, "Frei drehen...", &TfrmChild::mnuRotateFreeClick);
  // A quarter turn swaps width and height: the zoom is applied again.
  for (QAction *a : {mnuRotateLeft, mnuRotateRight})
    connect(a, &QAction::triggered, this, [this] { ReapplyZoom(); });
  QMenu *flip = m->addMenu("Spiegeln");
  command(flip, mnuFlipHor, "Horizontal spiegeln", icFlipHor);
  command(flip, mnuFlipVert, "Vertikal spiegeln", icFlipVert);
  m->addSeparator();
  QMenu *effects = m->addMenu("Effekte");
  dialog(effects, mnuSmoothColors, "Farbverlauf...", &TfrmChild::mnuSmoothColorsClick);
  dialog(effects, mnuFrostedGlass, "Milchglaseffekt...", &TfrmChild::mnuFrostedGlassClick);
  dialog(effects, mnuBlur, "Unschärfe...", &TfrmChild::mnuBlurClick);
  dialog(effects, mnuChPalette, "Palette ändern...", &TfrmChild::mnuChPaletteClick);
  QMenu *channels = m->addMenu("Kanäle");
  command(channels, mnuDevLayers, "Kanäle teilen", icSplitChannels);
  channels->addSeparator();
  command(channels, mnuGrayScaleRed, "Roter Kanal in Grau umwandeln", icGrayRed);
  command(channels, mnuGrayScaleGreen, "Grüner Kanal in Grau umwandeln", icGrayGreen);
  command(channels, mnuGrayScaleBlue, "Blauer Kanal in Grau umwandeln", icGrayBlue);
  channels->addSeparator();
  command(channels, mnuOnlyRedLayer, "Roter Kanal anzeigen", icOnlyRed);
  command(channels, mnuOnlyGreenLayer, "Grüner Kanal anzeigen", icOnlyGreen);
  command(channels, mnuOnlyBlueLayer, "Blauer Kanal anzeigen", icOnlyBlue);
  channels->addSeparator();
  command(channels, mnuWithoutRed, "Rot entfernen", icWithoutRed);
  command(channels, mnuWithoutGreen, "Grün entfernen", icWithoutGreen);
  command(channels, mnuWithoutBlue, "Blau entfernen", icWithoutBlue);
  m->addSeparator();

  mnuChImageTypeDD = m->addMenu("Bildart ändern");
  auto type = [this](QAction *&item, const char *caption, const char *hint, void (TfrmChild::*handler)()) {
    item = mnuChImageTypeDD->addAction(caption);
    item->setCheckable(true);
    if (*hint)
      SetHint(item, hint);
    connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  type(mnu1bit, "  1-bit (2 Farben)", "In Bild mit 2 Farben umwandeln", &TfrmChild::mnu1bitClick);
  type(mnu4bit, "  4-bit (VGA)", "In Bild mit 16 Farben umwandeln", &TfrmChild::mnu4bitClick);
  type(mnu8bit, "  8-bit (256 Farben)", "In Bild mit 256 Farben umwandeln", &TfrmChild::mnu8bitClick);
  type(mnu15bit, "15-bit", "In 15-bit Bild umwandeln", &TfrmChild::mnu15bitClick);
  type(mnu16bit, "16-bit", "", &TfrmChild::mnu16bitClick);
  type(mnu24bit, "24-bit (RGB)", "In 24-bit Bild umwandeln", &TfrmChild::mnu24bitClick);
  type(mnu32bit, "32-bit (CMYK)", "In 32-bit Bild umwandeln (Bei JPEG's nicht möglich)",
       &TfrmChild::mnu32bitClick);
  connect(mnuChImageTypeDD, &QMenu::aboutToShow, this, [this] { mnuChImageTypeDDClick(); });
}

void TfrmChild::mnuChImageTypeDDClick() {
  const TPixelFormat pf = FBitmap->PixelFormat();
  const std::pair<QAction *, TPixelFormat> items[] = {
      {mnu1bit, pf1bit},   {mnu4bit, pf4bit},   {mnu8bit, pf8bit},  {mnu15bit, pf15bit},
      {mnu16bit, pf16bit}, {mnu24bit, pf24bit}, {mnu32bit, pf32bit}};
  for (const auto &[item, format] : items)
    item->setChecked(format == pf);
}

} // namespace tessaro
