// "Unschärfe": a blur whose radius is a tenth of the bar's position
// (1..990). The preview blurs the reduced copy with the fractional radius;
// OK blurs the document with the whole-number radius.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QLineEdit;
class QSlider;

namespace tessaro {

class TfrmBlur : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmBlur(TfrmChild &doc);

  TTrackEdit *Blur; // TrackBarBlur 1..990 and EditBlur ("1")
  QSlider *TrackBarBlur;
  QLineEdit *EditBlur;

  void TrackBarBlurChange();
  bool Settings(TOpArgs &args) override;

protected:
  void PaintPreview(TBitmap &preview) override;
};

} // namespace tessaro
