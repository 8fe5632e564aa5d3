// The edit commands of a text editor as actions: undo, copy, cut, paste and
// select all, acting on whichever text editor has the focus and enabled as
// that editor allows. The frame owns one set; the text objects' menus show
// them.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QTextEdit;

namespace tessaro {

class TEditTextActions : public QObject {
  Q_OBJECT
public:
  explicit TEditTextActions(QObject *parent = nullptr);

  QAction *EditTextUndo;
  QAction *EditTextCopy;
  QAction *EditTextCut;
  QAction *EditTextPaste;
  QAction *EditTextSelAll;

  // The editor the commands act on: the one set here while it lives (a
  // menu opened for it), else the focused one; null when there is none.
  QTextEdit *Target() const;
  void SetTarget(QTextEdit *editor) { FTarget = editor; }
  // Enables the commands for their editor (before a menu shows them).
  void Update();

private:
  QPointer<QTextEdit> FTarget;
};

} // namespace tessaro
