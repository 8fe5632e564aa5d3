// "Bild verzerren": a horizontal and a vertical skew factor -2..2 in steps
// of 0.001; the image keeps its size and the uncovered corners take the
// paper colour.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QLineEdit;
class QSlider;

namespace tessaro {

class TfrmSkew : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmSkew(TfrmChild &doc);

  // Value = (position - 2000) / 1000.
  TTrackEdit *X;
  TTrackEdit *Y;
  QSlider *TrackBarX;
  QSlider *TrackBarY;
  QLineEdit *EditX;
  QLineEdit *EditY;

  static double BarValue(int position) { return (position - 2000) / 1000.0; }

  bool Settings(TOpArgs &args) override;
};

} // namespace tessaro
