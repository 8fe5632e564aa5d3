// "Papierformat ändern": new paper of any size in the paper colour, the old
// image placed at one of nine anchors; works in the document's own format.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QComboBox;

namespace tessaro {

class TSizeEdits;

class TfrmResizePaper : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmResizePaper(TfrmChild &doc);

  TSizeEdits *Size;
  QComboBox *CBImgPos; // the anchors "Oben Links" .. "Unten Rechts"

  bool Settings(TOpArgs &args) override;

protected:
  void PaintPreview(TBitmap &preview) override;
  bool AcceptSettings(const TOpArgs &args) override;
};

} // namespace tessaro
