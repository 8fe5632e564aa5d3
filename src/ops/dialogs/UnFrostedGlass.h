// "Milchglaseffekt": a fog of one colour over the image, 0..100 %.
#pragma once

#include "ops/dialogs/OpDialog.h"

#include <cstdint>

class QLineEdit;
class QSlider;
class QToolButton;

namespace tessaro {

class TColorShape;

class TfrmFrostedGlass : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmFrostedGlass(TfrmChild &doc);

  TTrackEdit *FG; // TrackBarFG 0..100 and EditFG ("0 %")
  QSlider *TrackBarFG;
  QLineEdit *EditFG;
  TColorShape *ShapeColor; // the fog colour
  QToolButton *SpBtnColor;

  // The routine's amount for a bar position: 255 keeps the image, 0 gives
  // the fog colour.
  static uint8_t Amount(int position);

  void TrackBarFGChange();
  void EditColor();
  bool Settings(TOpArgs &args) override;
};

} // namespace tessaro
