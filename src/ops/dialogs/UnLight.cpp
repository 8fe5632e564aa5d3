#include "ops/dialogs/UnLight.h"

#include "ops/dialogs/TrackEdit.h"

namespace tessaro {

TfrmLight::TfrmLight(TfrmChild &doc)
    : TOpDialog(doc, "Helligkeit", "Bearbeiten.Helligkeit", "ApplyBrightness") {
  Light = AddAmountTrack("Helligkeit:");
  TrackBarLigth = Light->TrackBar;
  EditLight = Light->Edit;
  Light->Changed = [this] { TrackChanged(*Light); };
  BuildReducedCopy();
}

bool TfrmLight::Settings(TOpArgs &args) {
  args = {OpInt(Light->Position() - 255)};
  return true;
}

} // namespace tessaro
