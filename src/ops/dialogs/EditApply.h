// An edit whose text takes effect on Enter or when the user leaves it (Tab,
// a click elsewhere in the dialog); typing itself changes nothing. Enter is
// swallowed, so it never presses the dialog's default button.
#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

namespace tessaro {

class TEditApply : public QObject {
  Q_OBJECT
public:
  // apply reads the edit and returns false when its text could not be read
  // (after a message; the settings stay as they were).
  TEditApply(QLineEdit *edit, std::function<bool()> apply);

  QLineEdit *Edit() const { return FEdit; }
  // Runs the apply step; true when the text was taken.
  bool Apply();
  // The user typed into the edit since its text was last taken.
  bool Dirty() const { return FDirty; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QLineEdit *FEdit;
  std::function<bool()> FApply;
  bool FDirty = false;
  bool FApplying = false;
};

} // namespace tessaro
