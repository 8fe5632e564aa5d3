// Arranging the document windows.
#include "frame/UnMain.h"

#include "document/UnChild.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace tessaro {

void TfrmMain::CascadeDocuments() {
  MdiArea->cascadeSubWindows();
}

namespace {

std::vector<QMdiSubWindow *> Tileable(QMdiArea *area) {
  std::vector<QMdiSubWindow *> subs;
  for (QMdiSubWindow *sub : area->subWindowList(QMdiArea::CreationOrder)) {
    if (sub->isVisible() && !sub->isMinimized())
      subs.push_back(sub);
  }
  return subs;
}

} // namespace

void TfrmMain::TileDocumentsHorizontally() {
  const std::vector<QMdiSubWindow *> subs = Tileable(MdiArea);
  if (subs.empty())
    return;
  const QRect area = MdiArea->viewport()->rect();
  const int n = int(subs.size());
  for (int i = 0; i < n; ++i) {
    const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
    subs[size_t(i)]->showNormal();
    subs[size_t(i)]->setGeometry(0, top, area.width(), bottom - top);
  }
}

void TfrmMain::TileDocumentsVertically() {
  const std::vector<QMdiSubWindow *> subs = Tileable(MdiArea);
  if (subs.empty())
    return;
  const QRect area = MdiArea->viewport()->rect();
  const int n = int(subs.size());
  for (int i = 0; i < n; ++i) {
    const int left = area.width() * i / n, right = area.width() * (i + 1) / n;
    subs[size_t(i)]->showNormal();
    subs[size_t(i)]->setGeometry(left, 0, right - left, area.height());
  }
}

} // namespace tessaro
