#include "ops/dialogs/UnIntensity.h"

#include "ops/dialogs/TrackEdit.h"

namespace tessaro {

TfrmIntensity::TfrmIntensity(TfrmChild &doc)
    : TOpDialog(doc, "Farbton", "Bearbeiten.Farbtoneinstellen", "ApplyIntensity") {
  Red = AddAmountTrack("Rot:");
  Green = AddAmountTrack("Grün:");
  Blue = AddAmountTrack("Blau:");
  TrackBarRed = Red->TrackBar;
  TrackBarGreen = Green->TrackBar;
  TrackBarBlue = Blue->TrackBar;
  EditRed = Red->Edit;
  EditGreen = Green->Edit;
  EditBlue = Blue->Edit;
  for (TTrackEdit *te : {Red, Green, Blue})
    te->Changed = [this, te] { TrackChanged(*te); };
  BuildReducedCopy();
}

bool TfrmIntensity::Settings(TOpArgs &args) {
  args = {OpInt(Red->Position() - 255), OpInt(Green->Position() - 255), OpInt(Blue->Position() - 255)};
  return true;
}

} // namespace tessaro
