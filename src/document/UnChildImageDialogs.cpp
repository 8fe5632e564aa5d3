// The items of the "Bild" menu that open an operation dialog.
#include "document/UnChild.h"

#include "ops/dialogs/UnBlur.h"
#include "ops/dialogs/UnChangePalette.h"
#include "ops/dialogs/UnContrast.h"
#include "ops/dialogs/UnFrostedGlass.h"
#include "ops/dialogs/UnIntensity.h"
#include "ops/dialogs/UnLight.h"
#include "ops/dialogs/UnReplaceColors.h"
#include "ops/dialogs/UnResizeImage.h"
#include "ops/dialogs/UnResizePaper.h"
#include "ops/dialogs/UnRotate.h"
#include "ops/dialogs/UnSkew.h"
#include "ops/dialogs/UnSmoothColors.h"
#include "platform/Beep.h"

#include <new>

namespace tessaro {

namespace {

// Creates the dialog on the document and runs it; it frees itself when it
// closes. Nothing opens while an operation runs on the document, or when
// the picture is too big for the dialog's copy.
template <class TDialog> void OpenDialog(TfrmChild &doc) {
  if (doc.ImageBusy()) {
    Beep();
    return;
  }
  TDialog *dialog = nullptr;
  try {
    dialog = new TDialog(doc);
  } catch (const std::bad_alloc &) {
    TfrmChild::ShowOutOfMemory();
    return;
  }
  TOpDialog::Execute(dialog);
}

} // namespace

void TfrmChild::mnuSkewClick() {
  OpenDialog<TfrmSkew>(*this);
}

void TfrmChild::mnuIntesityClick() {
  OpenDialog<TfrmIntensity>(*this);
}

void TfrmChild::mnuReplaceColorsClick() {
  OpenDialog<TfrmReplaceColors>(*this);
}

void TfrmChild::mnuSizeImageClick() {
  if (!RefusedWhileBusy() && AskResizeDimensioned())
    OpenDialog<TfrmResizeImage>(*this);
}

void TfrmChild::mnuSizePaperClick() {
  OpenDialog<TfrmResizePaper>(*this);
}

void TfrmChild::mnuSetLightClick() {
  OpenDialog<TfrmLight>(*this);
}

void TfrmChild::mnuSetContrastClick() {
  OpenDialog<TfrmContrast>(*this);
}

void TfrmChild::mnuRotateFreeClick() {
  OpenDialog<TfrmRotate>(*this);
}

void TfrmChild::mnuSmoothColorsClick() {
  OpenDialog<TfrmSmoothColors>(*this);
}

void TfrmChild::mnuFrostedGlassClick() {
  OpenDialog<TfrmFrostedGlass>(*this);
}

void TfrmChild::mnuBlurClick() {
  OpenDialog<TfrmBlur>(*this);
}

void TfrmChild::mnuChPaletteClick() {
  OpenDialog<TfrmChangePalette>(*this);
}

} // namespace tessaro
