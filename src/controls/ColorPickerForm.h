// The drop-down of the colour picker combos: a borderless window with 56
// basic colours, 27 named system colours, a custom-colour button and a
// button that opens the colour dialog. One instance serves every combo of
// the process; each drop-down points it at the combo that opened it.
#pragma once

#include "controls/ColorTables.h"
#include "core/Types.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QToolButton;

namespace tessaro {

class TColBtn;
class TColorPickCombo;

class TColorPickerForm : public QWidget, public std::enable_shared_from_this<TColorPickerForm> {
  Q_OBJECT
public:
  // The shared instance: created by the first caller, destroyed with the
  // last owner (the combos hold it).
  static std::shared_ptr<TColorPickerForm> Shared();

  TColorPickerForm();
  ~TColorPickerForm() override;

  // Button i: 0 the custom colour, 1..56 the basic, 57..83 the system colours.
  TColBtn *Button(int i) const { return FButtons.at(size_t(i)); }
  QToolButton *MoreColorsButton() const { return FMoreButton; }
  TColor CurrentColor() const { return FCurrentColor; }
  // The colour the colour dialog starts with (the last one chosen there).
  TColor DialogColor() const { return FDialogColor; }
  TColorPickCombo *Combo() const { return FCombo; }
  void SetCombo(TColorPickCombo *combo) { FCombo = combo; }

  // Puts down the button of the colour; a colour of no button goes to the
  // custom button.
  void SelectColor(TColor color);
  // A colour button was chosen: its colour goes to the combo, the form closes.
  void ButtonClick(TColBtn *button);
  // Runs the colour dialog; OK chooses its colour through the custom button.
  void ChooseOtherColor();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  struct THandlerScope {
    int &Count;
    explicit THandlerScope(int &count) : Count(count) { ++Count; }
    ~THandlerScope() { --Count; }
  };
  void FormDeactivate();

  std::array<TColBtn *, PickerColorCount> FButtons{};
  QButtonGroup *FGroup = nullptr;
  QToolButton *FMoreButton = nullptr;
  TColor FCurrentColor = clBlack;
  TColor FDialogColor = clBlack;
  bool FDialogOpen = false;
  int FHandlers = 0; // handlers of the form running (they may outlive the last combo)
  QPointer<TColorPickCombo> FCombo;
};

} // namespace tessaro
