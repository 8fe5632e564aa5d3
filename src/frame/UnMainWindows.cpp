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

// Side by side or one above the other, in equal slices of the area.
void TileDocuments(QMdiArea *area, Qt::Orientation stacking) {
  const std::vector<QMdiSubWindow *> subs = Tileable(area);
  if (subs.empty())
    return;
  const QRect r = area->viewport()->rect();
  const int n = int(subs.size());
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow *sub = subs[size_t(i)];
    sub->showNormal();
    if (stacking == Qt::Vertical) {
      const int top = r.height() * i / n, bottom = r.height() * (i + 1) / n;
      sub->setGeometry(0, top, r.width(), bottom - top);
    } else {
      const int left = r.width() * i / n, right = r.width() * (i + 1) / n;
      sub->setGeometry(left, 0, right - left, r.height());
    }
  }
}

} // namespace

void TfrmMain::TileDocumentsHorizontally() {
  TileDocuments(MdiArea, Qt::Vertical);
}

void TfrmMain::TileDocumentsVertically() {
  TileDocuments(MdiArea, Qt::Horizontal);
}

} // namespace tessaro
