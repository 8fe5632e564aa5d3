// "Helligkeit": one amount -255..255 lightens or darkens every channel.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QLineEdit;
class QSlider;

namespace tessaro {

class TfrmLight : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmLight(TfrmChild &doc);

  TTrackEdit *Light; // TrackBarLigth 0..510 and EditLight; amount = position - 255
  QSlider *TrackBarLigth;
  QLineEdit *EditLight;

  bool Settings(TOpArgs &args) override;
};

} // namespace tessaro
