// The frame's side of the image commands: the buttons that forward to the
// active document's "Bild" menu, documents made from a bitmap (the channel
// split), the paper colour and the progress of a running operation.
#include "frame/UnMain.h"

#include "document/UnChild.h"
#include "frame/ImageToolGlyphs.h"
#include "platform/Beep.h"
#include "platform/Hints.h"

#include <QMdiSubWindow>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

#include <new>

namespace tessaro {

void TfrmMain::CreateImageToolButtons() {
  TImageToolButtons &b = ImageButtons;
  // A button that runs the active document's menu item.
  auto button = [this](QToolBar *bar, QToolButton *&tb, const char *name, const char *hint, TImageGlyph glyph,
                       QAction *TfrmChild::*item) {
    tb = MakeButton(bar, QString::fromUtf8(hint), ImageGlyphIcon(glyph));
    tb->setObjectName(name);
    connect(tb, &QToolButton::clicked, this, [this, item] {
      if (TfrmChild *doc = ActiveChild())
        (doc->*item)->trigger();
      else
        Beep();
    });
  };
  using G = TImageGlyph;
  QToolBar *edit = ToolBarEdit;
  button(edit, b.TBResizeImage, "TBResizeImage", "Bildgröße ändern", G::ResizeImage,
         &TfrmChild::mnuSizeImage);
  button(edit, b.TBResizePaper, "TBResizePaper", "Papiergröße ändern", G::ResizePaper,
         &TfrmChild::mnuSizePaper);
  edit->addSeparator();
  button(edit, b.TBRotateLeft, "TBRotateLeft", "Links drehen (90°)", G::RotateLeft,
         &TfrmChild::mnuRotateLeft);
  button(edit, b.TBRotateRight, "TBRotateRight", "Rechts drehen (90°)", G::RotateRight,
         &TfrmChild::mnuRotateRight);
  button(edit, b.TBRotateFree, "TBRotateFree", "Frei drehen", G::RotateFree, &TfrmChild::mnuRotateFree);
  edit->addSeparator();
  button(edit, b.TBReflectHor, "TBReflectHor", "Horizontal spiegeln", G::ReflectHor, &TfrmChild::mnuFlipHor);
  button(edit, b.TBReflectVert, "TBReflectVert", "Vertikal spiegeln", G::ReflectVert,
         &TfrmChild::mnuFlipVert);
  button(edit, b.TBSkew, "TBSkew", "Verzerren", G::Skew, &TfrmChild::mnuSkew);

  QToolBar *fx = ToolBarEffects;
  button(fx, b.TBGrayScale, "TBGrayScale", "In Gaustufen umwandeln", G::GrayScale, &TfrmChild::mnuGrayScale);
  button(fx, b.TBInvert, "TBInvert", "Invertieren", G::Invert, &TfrmChild::mnuInvert);
  fx->addSeparator();
  button(fx, b.TBReplaceColors, "TBReplaceColors", "Farben ersetzen", G::ReplaceColors,
         &TfrmChild::mnuReplaceColors);
  button(fx, b.TBIntensity, "TBIntensity", "Farbton", G::Intensity, &TfrmChild::mnuIntesity);
  fx->addSeparator();
  button(fx, b.TBLightLighter, "TBLightLighter", "Eine Stufe heller", G::Lighter, &TfrmChild::mnuLighter);
  button(fx, b.TBLightDarker, "TBLightDarker", "Eine Stufe dunkler", G::Darker, &TfrmChild::mnuDarker);
  button(fx, b.TBLight, "TBLight", "Helligkeit", G::Light, &TfrmChild::mnuSetLight);
  fx->addSeparator();
  button(fx, b.TBContrastMore, "TBContrastMore", "Mehr Kontrast", G::ContrastMore,
         &TfrmChild::mnuMoreContrast);
  button(fx, b.TBContrastLess, "TBContrastLess", "Weniger Kontrast", G::ContrastLess,
         &TfrmChild::mnuLessContrast);
  button(fx, b.TBContrast, "TBContrast", "Kontrast", G::Contrast, &TfrmChild::mnuSetContrast);
  fx->addSeparator();
  button(fx, b.TBSmootColors, "TBSmootColors", "Farverlauf", G::SmoothColors, &TfrmChild::mnuSmoothColors);
  button(fx, b.TBFrostedGlass, "TBFrostedGlass", "Milchglas Effekt", G::FrostedGlass,
         &TfrmChild::mnuFrostedGlass);
  button(fx, b.TBBlur, "TBBlur", "Blur (Bild unscharf machen)", G::Blur, &TfrmChild::mnuBlur);
  button(fx, b.TBChPalette, "TBChPalette", "Palette ändern (Ermöglicht unbegrenzte Spezialeffekte)",
         G::ChPalette, &TfrmChild::mnuChPalette);

  QToolBar *ch = ToolBarLayers;
  button(ch, b.TBGrayscaleRed, "TBGrayscaleRed", "Rot in Grau umwandeln", G::GrayRed,
         &TfrmChild::mnuGrayScaleRed);
  button(ch, b.TBGrayscaleGreen, "TBGrayscaleGreen", "Grün in Grau umwandeln", G::GrayGreen,
         &TfrmChild::mnuGrayScaleGreen);
  button(ch, b.TBGrayScaleBlue, "TBGrayScaleBlue", "Blau in Grau umwandeln", G::GrayBlue,
         &TfrmChild::mnuGrayScaleBlue);
  ch->addSeparator();
  button(ch, b.TBRedLayer, "TBRedLayer", "Roter Farbkanal", G::OnlyRed, &TfrmChild::mnuOnlyRedLayer);
  button(ch, b.TBGreenLayer, "TBGreenLayer", "Grüner Farbkanal", G::OnlyGreen, &TfrmChild::mnuOnlyGreenLayer);
  button(ch, b.TBBlueLayer, "TBBlueLayer", "Blauer Farbkanal", G::OnlyBlue, &TfrmChild::mnuOnlyBlueLayer);
  ch->addSeparator();
  button(ch, b.TBWithoutRed, "TBWithoutRed", "Ohne Rot", G::WithoutRed, &TfrmChild::mnuWithoutRed);
  button(ch, b.TBWithoutGreen, "TBWithoutGreen", "Ohne Grün", G::WithoutGreen, &TfrmChild::mnuWithoutGreen);
  button(ch, b.TBWithoutBlue, "TBWithoutBlue", "Ohne Blau", G::WithoutBlue, &TfrmChild::mnuWithoutBlue);
}

TfrmChild *TfrmMain::CreateDocumentFromBitmap(const QString &caption, const TBitmap &bitmap) {
  TfrmChild *child = CreateChild();
  try {
    child->Bitmap().Assign(bitmap);
  } catch (const std::bad_alloc &) {
    delete SubWindowOf(child);
    TfrmChild::ShowOutOfMemory();
    return nullptr;
  }
  child->SetDocument(caption, caption.toStdString(), false, false);
  ++FDocumentNo;
  if (ActiveChild() == child)
    child->FormActivate();
  return child;
}

TColor TfrmMain::PaperColor() const {
  return panPaperColor->Color();
}

void TfrmMain::ShowProgress(int percent) {
  if (percent < 0) {
    PBarStatus->hide();
    PBarStatus->setValue(0);
    return;
  }
  PBarStatus->setValue(std::min(percent, 100));
  PBarStatus->show();
}

} // namespace tessaro
