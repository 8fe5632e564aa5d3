#include "controls/EditTextActions.h"

#include "platform/Hints.h"

#include <QAction>
#include <QApplication>
#include <QTextEdit>

namespace tessaro {

TEditTextActions::TEditTextActions(QObject *parent) : QObject(parent) {
  auto make = [this](const QString &caption, const QString &hint, void (QTextEdit::*command)()) {
    auto *a = new QAction(caption, this);
    SetHint(a, hint);
    connect(a, &QAction::triggered, this, [this, command] {
      if (QTextEdit *edit = Target())
        (edit->*command)();
    });
    return a;
  };
  EditTextUndo = make("&Rückgängig", "Macht die letzte Änderung rückgängig", &QTextEdit::undo);
  EditTextCopy = make("&Kopieren", "Kopiert die Markierung in die Zwischenablage", &QTextEdit::copy);
  EditTextCut = make("&Ausschneiden", "Schneidet die Markierung aus", &QTextEdit::cut);
  EditTextPaste = make("&Einfügen", "Fügt den Inhalt der Zwischenablage ein", &QTextEdit::paste);
  EditTextSelAll = make("Alles &markieren", "Markiert den ganzen Text", &QTextEdit::selectAll);
}

QTextEdit *TEditTextActions::Target() const {
  if (FTarget)
    return FTarget;
  for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
    if (auto *edit = qobject_cast<QTextEdit *>(w))
      return edit;
  return nullptr;
}

void TEditTextActions::Update() {
  QTextEdit *edit = Target();
  const bool selected = edit && edit->textCursor().hasSelection();
  const bool writable = edit && !edit->isReadOnly();
  EditTextUndo->setEnabled(writable && edit->document()->isUndoAvailable());
  EditTextCopy->setEnabled(selected);
  EditTextCut->setEnabled(selected && writable);
  EditTextPaste->setEnabled(writable && edit->canPaste());
  EditTextSelAll->setEnabled(edit && !edit->document()->isEmpty());
}

} // namespace tessaro
