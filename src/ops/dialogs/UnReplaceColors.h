// "Farben ersetzen": every pixel of exactly one colour becomes another.
// A left press on the original picks the colour to replace, a right press
// the replacement.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QToolButton;

namespace tessaro {

class TColorShape;

class TfrmReplaceColors : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmReplaceColors(TfrmChild &doc);

  TColorShape *ShapeOldCl;    // the colour to be replaced
  TColorShape *ShapeNewCl;    // the replacement
  QToolButton *SpBtnNewCl;    // beside ShapeOldCl, edits it
  QToolButton *SpBtnOldColor; // beside ShapeNewCl, edits it

  void ImageOrigMouseDown(Qt::MouseButton button, int x, int y);
  // Opens the colour dialog for a field; the preview follows a new colour.
  void EditFieldColor(TColorShape *field);
  bool Settings(TOpArgs &args) override;
};

} // namespace tessaro
