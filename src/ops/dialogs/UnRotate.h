// "Frei drehen": any whole angle 0..360 about the image's centre or a point
// clicked on the original, with or without enlarging the paper.
#pragma once

#include "core/Types.h"
#include "ops/dialogs/OpDialog.h"

class QCheckBox;
class QLineEdit;
class QSlider;

namespace tessaro {

class TfrmRotate : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmRotate(TfrmChild &doc);

  TTrackEdit *Angel; // TrackBarAngel 0..360 and EditAngel ("0°")
  QSlider *TrackBarAngel;
  QLineEdit *EditAngel;
  // The rotation point in image pixels; "-1" picks the centre.
  QLineEdit *EditRPX;
  QLineEdit *EditRPY;
  QCheckBox *ChBSizePaper;
  // The last point clicked on the original, in preview coordinates.
  TPoint FRotPoint{0, 0};

  void TrackBarAngelChange();
  void ImageOrigMouseDown(int x, int y);
  bool Settings(TOpArgs &args) override;

protected:
  void PaintPreview(TBitmap &preview) override;
  bool AcceptSettings(const TOpArgs &args) override;
};

} // namespace tessaro
