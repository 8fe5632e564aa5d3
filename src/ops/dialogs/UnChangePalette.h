// "Palette ändern": one value per pixel (a channel or a grey weighting)
// mapped through a 256-colour palette, a standard one or a custom palette of
// three HSL factors that can be saved to and loaded from a small text file.
#pragma once

#include "ops/dialogs/OpDialog.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;
class QToolButton;

namespace tessaro {

class TfrmChangePalette : public TOpDialog {
  Q_OBJECT
public:
  explicit TfrmChangePalette(TfrmChild &doc);

  QComboBox *CBStdPalettes; // "Graustufen", "Grün", "Rot", "Regenbogen"
  QComboBox *CBConvertion;  // "Rot" .. "Gewichtiges RGB"
  QToolButton *TBOpen;
  QToolButton *TBSave;
  // Factor = (position - 200) / 100, -2..2.
  TTrackEdit *H;
  TTrackEdit *S;
  TTrackEdit *L;
  QLineEdit *EditH;
  QLineEdit *EditS;
  QLineEdit *EditL;
  QSlider *TrackBarH;
  QSlider *TrackBarS;
  QSlider *TrackBarL;
  QCheckBox *ChBUseHSL;

  static float Factor(int position) { return float(position - 200) / 100; }

  void CBStdPalettesChange();
  void TBOpenClick();
  void TBSaveClick();
  bool Settings(TOpArgs &args) override;

  // Test seam for the file dialogs: returns the chosen file name, empty when
  // cancelled; save tells the save dialog from the open dialog.
  using TFileDialogHook = std::function<QString(bool save)>;
  static void SetFileDialogHook(TFileDialogHook hook);

protected:
  void FormCloseQuery() override;

private:
  void HSLBarChanged(TTrackEdit &bar);
  QString AskFileName(bool save);
};

} // namespace tessaro
