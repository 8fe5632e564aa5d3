// The floating image control's two popup menus: the one of the right
// button and the one offered after the mouse resized a stretched object.
// Both are built afresh each time they are shown.
#include "controls/LUMWinImage.h"

#include <QCursor>
#include <QMenu>

#include <map>

namespace tessaro {

namespace {

// An entry that resamples the picture with a filter.
std::function<void(TLUMWinImage *)> Resample(TStretchFilter filter) {
  return [filter](TLUMWinImage *s) { s->ApplyStretchedSize(filter); };
}

TMenuContent Separator(int parent = 0) {
  return TMenuContent{-1, QString(), nullptr, parent};
}

} // namespace

std::vector<TMenuContent> TLUMWinImage::RButtonMenu() {
  return {
      {1, "Nach vorne setzen", [](TLUMWinImage *s) { s->BringToFront(); }},
      {2, "Nach hinten setzen", [](TLUMWinImage *s) { s->SendToBack(); }},
      {3, "Löschen", [](TLUMWinImage *s) { s->DeleteImage(); }},
      Separator(),
      {4, "Mit Hintergrund kombinieren", [](TLUMWinImage *s) { s->CombineWithBackground(s, nullptr, 0, 0); }},
  };
}

std::vector<TMenuContent> TLUMWinImage::AfterResizeMenu() {
  return {
      {1, "Änderungen zuweisen", [](TLUMWinImage *s) { s->ApplyStretchedSize(s->StretchFilter()); }},
      {2, "Rückgängig", [](TLUMWinImage *s) { s->UndoResize(); }},
      {3, "Filter anwenden", nullptr},
      {4, "Kein Filter", nullptr, 3},
      {5, "Nach Ähnlichkeit", Resample(sftNearest), 3},
      {6, "Linear", Resample(sftLinear), 3},
      {7, "Spline", Resample(sftSpline), 3},
      {8, "Lancos", Resample(sftLanczos), 3},
      {9, "Mitchell Filter", Resample(sftMitchell), 3},
      Separator(),
      {0, "Abbrechen", nullptr},
  };
}

void TLUMWinImage::ShowAfterResizeMenu() {
  if (FPopupMenus & wipAfterResize)
    ShowMenu(AfterResizeMenu());
}

void TLUMWinImage::ShowMenu(const std::vector<TMenuContent> &entries) {
  QMenu menu(this);
  menu.setAccessibleName(accessibleName());
  std::map<int, QMenu *> submenus;
  std::map<QAction *, const TMenuContent *> items;
  for (const TMenuContent &e : entries) {
    QMenu *target = e.Parent ? submenus[e.Parent] : &menu;
    if (!target)
      continue;
    if (e.Caption.isEmpty()) {
      target->addSeparator();
      continue;
    }
    bool hasChildren = false;
    for (const TMenuContent &c : entries)
      hasChildren = hasChildren || (c.Parent == e.Id && e.Id > 0);
    if (hasChildren)
      submenus[e.Id] = target->addMenu(e.Caption);
    else
      items[target->addAction(e.Caption)] = &e;
  }
  // Entries of submenus report to the top menu as well.
  QAction *chosen = nullptr;
  connect(&menu, &QMenu::triggered, this, [&chosen](QAction *a) { chosen = a; });
  FShownMenu = &menu;
  if (QAction *a = menu.exec(QCursor::pos()))
    chosen = a;
  FShownMenu = nullptr;
  const auto it = items.find(chosen);
  if (it == items.end() || !it->second->Handler)
    return;
  it->second->Handler(this);
}

} // namespace tessaro
