// "Kontrast": one amount -255..255 for the contrast table; amounts below
// -100 turn the tones around.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QLineEdit;
class QSlider;

namespace tessaro {

class TfrmContrast : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmContrast(TfrmChild &doc);

  TTrackEdit *Contrast; // amount = position - 255
  QSlider *TrackBarContrast;
  QLineEdit *EditContrast;

  bool Settings(TOpArgs &args) override;
};

} // namespace tessaro
