#include "ops/dialogs/EditApply.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tessaro {

TEditApply::TEditApply(QLineEdit *edit, std::function<bool()> apply)
    : QObject(edit), FEdit(edit), FApply(std::move(apply)) {
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this] { FDirty = true; });
}

bool TEditApply::Apply() {
  // A message about the text takes the focus from the edit; that is no
  // second "leaving".
  if (FApplying)
    return false;
  FApplying = true;
  const bool ok = FApply();
  FApplying = false;
  if (ok)
    FDirty = false;
  return ok;
}

bool TEditApply::eventFilter(QObject *watched, QEvent *event) {
  if (watched == FEdit) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent *>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Apply();
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      // Another window taking the focus (a message box, the window
      // switcher) does not leave the edit within the dialog.
      const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        Apply();
    }
  }
  return QObject::eventFilter(watched, event);
}

} // namespace tessaro
