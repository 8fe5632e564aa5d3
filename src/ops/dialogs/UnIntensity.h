// "Farbton": an amount -255..255 added to each colour channel.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QLineEdit;
class QSlider;

namespace tessaro {

class TfrmIntensity : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmIntensity(TfrmChild &doc);

  // Amount = position - 255 for each.
  TTrackEdit *Red;
  TTrackEdit *Green;
  TTrackEdit *Blue;
  QSlider *TrackBarRed;
  QSlider *TrackBarGreen;
  QSlider *TrackBarBlue;
  QLineEdit *EditRed;
  QLineEdit *EditGreen;
  QLineEdit *EditBlue;

  bool Settings(TOpArgs &args) override;
};

} // namespace tessaro
