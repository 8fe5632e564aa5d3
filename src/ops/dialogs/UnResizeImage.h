// "Bildgröße ändern": the image resampled to a percentage of its width and
// height (typed in pixels or percent) with a choice of filter.
#pragma once

#include "ops/dialogs/OpDialog.h"

class QComboBox;

namespace tessaro {

class TSizeEdits;

class TfrmResizeImage : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmResizeImage(TfrmChild &doc);

  TSizeEdits *Size;
  QComboBox *CBFilter; // "Ähnlichkeit" .. "Mitchell" = sftNearest .. sftMitchell

  bool Settings(TOpArgs &args) override;

protected:
  bool AcceptSettings(const TOpArgs &args) override;
};

} // namespace tessaro
