// Helpers of the help tests: contents files written to a temporary folder,
// a menu written out as text, and the help window closed between tests.
#pragma once

#include "platform/HelpJump.h"
#include "platform/HelpViewer.h"

#include "../common/TestUtil.h"

#include <QAction>
#include <QByteArray>
#include <QMenu>
#include <QString>

#include <fstream>
#include <string>

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString &text, std::ostream *os) {
  *os << '"' << text.toStdString() << '"';
}

namespace tessaro::test {

inline std::string WriteFile(const TTempDir &dir, const std::string &name, const QByteArray &bytes) {
  const std::string path = dir.File(name);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.constData(), bytes.size());
  return path;
}

// "Item|-|Book{Child|Child}": items in order, "-" for separators.
inline QString DumpMenu(const QMenu *menu) {
  QStringList parts;
  for (const QAction *action : menu->actions()) {
    if (action->isSeparator())
      parts << QStringLiteral("-");
    else if (const QMenu *sub = QMenu::menuInAction(action))
      parts << sub->title() + QLatin1Char('{') + DumpMenu(sub) + QLatin1Char('}');
    else
      parts << action->text();
  }
  return parts.join(QLatin1Char('|'));
}

// The first item (depth first) whose text is text.
inline QAction *FindItem(const QMenu *menu, const QString &text) {
  for (QAction *action : menu->actions()) {
    if (const QMenu *sub = QMenu::menuInAction(action)) {
      if (QAction *found = FindItem(sub, text))
        return found;
    } else if (action->text() == text) {
      return action;
    }
  }
  return nullptr;
}

inline void CloseHelpViewer() {
  delete HelpViewerWindow();
}

} // namespace tessaro::test
