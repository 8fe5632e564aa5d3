// "Farbverlauf": a gradient between two colours laid over the image, with
// its direction, size, position and transparency. A press on the original
// picks the position.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QComboBox;
class QLineEdit;
class QSlider;
class QToolButton;

namespace tessaro {

class TColorShape;

class TfrmSmoothColors : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmSmoothColors(TfrmChild &doc);

  TColorShape *ShapeStartColor;
  TColorShape *ShapeEndColor;
  QToolButton *SpBtnStartColor;
  QToolButton *SpBtnEndColor;
  TTrackEdit *Transp; // TrackBarTransp 0..100 and EditTransp ("0 %")
  QSlider *TrackBarTransp;
  QLineEdit *EditTransp;
  QComboBox *CBOrient;
  QComboBox *CBHeight;
  QComboBox *CBWidth;
  QComboBox *CBXPos;
  QComboBox *CBYPos;

  // The gradient's arguments for a target of w x h pixels at a scale (FScale
  // for the preview, 1 for the document); false after a message when a
  // typed number cannot be read.
  bool PaintGradientArgs(int w, int h, float scale, TOpArgs &args);

  void TrackBarTranspChange();
  void EditFieldColor(TColorShape *field);
  void ImageOrigMouseDown(int x, int y);
  bool Settings(TOpArgs &args) override;

protected:
  void PaintPreview(TBitmap &preview) override;
};

} // namespace tessaro
