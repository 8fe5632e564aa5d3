// The document's "Fenster" menu: the list of open documents, minimizing and
// closing.
#include "document/UnChild.h"

#include "platform/Hints.h"

#include <QAction>
#include <QMenu>

namespace tessaro {

void TfrmChild::mnuMainWindowClick() {
  const QList<QAction *> items = mnuMainWindow->actions();
  const qsizetype sep = items.indexOf(mnuSpaceWnd);
  for (qsizetype i = sep + 1; i < items.size(); ++i) {
    mnuMainWindow->removeAction(items[i]);
    items[i]->deleteLater();
  }
  for (TfrmChild *doc : FHost.Documents()) {
    const QString caption = doc->Caption();
    bool listed = false;
    const QList<QAction *> now = mnuMainWindow->actions();
    for (qsizetype i = now.indexOf(mnuSpaceWnd) + 1; i < now.size(); ++i) {
      if (Hint(now[i]) == caption)
        listed = true;
    }
    if (listed)
      continue;
    QAction *item = mnuMainWindow->addAction(caption);
    SetHint(item, caption);
    // Only this window's own item carries a tick; the others show no box.
    const bool self = caption == Caption();
    item->setCheckable(self);
    item->setChecked(self);
    connect(item, &QAction::triggered, this, [this, item] { WindowMenuItemClick(item); });
  }
}

void TfrmChild::WindowMenuItemClick(QAction *item) {
  const QString caption = Hint(item);
  for (TfrmChild *doc : FHost.Documents()) {
    if (doc->Caption() != caption)
      continue;
    FHost.ShowDocument(*doc);
    return;
  }
}

void TfrmChild::mnuMinimizeClick() {
  FHost.MinimizeDocument(*this);
}

void TfrmChild::mnuMinimizeAllClick() {
  for (TfrmChild *doc : FHost.Documents()) {
    FHost.MinimizeDocument(*doc);
  }
  mnuMinimizeClick();
}

void TfrmChild::mnuCloseClick() {
  FHost.CloseDocument(*this);
}

void TfrmChild::mnuCloseAllClick() {
  for (TfrmChild *doc : FHost.Documents()) {
    FHost.CloseDocument(*doc);
  }
}

} // namespace tessaro
