#include "ops/dialogs/UnContrast.h"

#include "ops/dialogs/TrackEdit.h"

namespace tessaro {

TfrmContrast::TfrmContrast(TfrmChild &doc)
    : TOpDialog(doc, "Kontrast", "Bearbeiten.Kontrast", "ContrastBitmap") {
  Contrast = AddAmountTrack("Kontrast:");
  TrackBarContrast = Contrast->TrackBar;
  EditContrast = Contrast->Edit;
  Contrast->Changed = [this] { TrackChanged(*Contrast); };
  BuildReducedCopy();
}

bool TfrmContrast::Settings(TOpArgs &args) {
  args = {OpInt(Contrast->Position() - 255)};
  return true;
}

} // namespace tessaro
