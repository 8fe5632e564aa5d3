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

#include <new>

namespace tessaro {

namespace {

// Creates the dialog on the document and runs it; it frees itself when it
// closes. A picture too big for the dialog's copy opens nothing.
template <class TDialog> void OpenDialog(TfrmChild &doc) {
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
  if (!RefusedWhileBusy())
    OpenDialog<TfrmSkew>(*this);
}

void TfrmChild::mnuIntesityClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmIntensity>(*this);
}

void TfrmChild::mnuReplaceColorsClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmReplaceColors>(*this);
}

void TfrmChild::mnuSizeImageClick() {
  if (!RefusedWhileBusy() && AskResizeDimensioned())
    OpenDialog<TfrmResizeImage>(*this);
}

void TfrmChild::mnuSizePaperClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmResizePaper>(*this);
}

void TfrmChild::mnuSetLightClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmLight>(*this);
}

void TfrmChild::mnuSetContrastClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmContrast>(*this);
}

void TfrmChild::mnuRotateFreeClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmRotate>(*this);
}

void TfrmChild::mnuSmoothColorsClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmSmoothColors>(*this);
}

void TfrmChild::mnuFrostedGlassClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmFrostedGlass>(*this);
}

void TfrmChild::mnuBlurClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmBlur>(*this);
}

void TfrmChild::mnuChPaletteClick() {
  if (!RefusedWhileBusy())
    OpenDialog<TfrmChangePalette>(*this);
}

} // namespace tessaro
