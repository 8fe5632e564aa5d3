// The window menu of a document: the list of open documents and the window
// commands.
#include "document/UnNewImage.h"
#include "frame_fixture.h"

#include <QAction>
#include <QMenu>

namespace tessaro::test {
namespace {

// Items below the separator: caption, and whether ticked.
std::vector<std::pair<QString, bool>> WindowList(TfrmChild *doc) {
  doc->mnuMainWindowClick();
  std::vector<std::pair<QString, bool>> items;
  const QList<QAction *> all = doc->mnuMainWindow->actions();
  for (qsizetype i = all.indexOf(doc->mnuSpaceWnd) + 1; i < all.size(); ++i)
    items.emplace_back(all[i]->text(), all[i]->isChecked());
  return items;
}

QAction *Item(TfrmChild *doc, const QString &caption) {
  doc->mnuMainWindowClick();
  for (QAction *a : doc->mnuMainWindow->actions()) {
    if (a->text() == caption && Hint(a) == caption)
      return a;
  }
  return nullptr;
}

TfrmChild *NewImage(TfrmMain &frame) {
  TfrmNewImage dlg(frame);
  TfrmChild *child = dlg.BitBtnOKClick();
  Flush();
  return child;
}

using WindowMenu = FrameTest;

TEST_F(WindowMenu, ListsEachOpenDocumentOnce) {
  TfrmChild *a = First();
  TfrmChild *b = NewImage(*Frame);
  TfrmChild *c = NewImage(*Frame);
  using L = std::vector<std::pair<QString, bool>>;
  EXPECT_EQ(WindowList(b), (L{{"Neu 1.bmp", false}, {"Neu 2.bmp", true}, {"Neu 3.bmp", false}}));
  EXPECT_EQ(WindowList(b), (L{{"Neu 1.bmp", false}, {"Neu 2.bmp", true}, {"Neu 3.bmp", false}}));
  QStringList fixed;
  for (QAction *x : b->mnuMainWindow->actions()) {
    if (x == b->mnuSpaceWnd)
      break;
    fixed << x->text();
  }
  EXPECT_EQ(fixed, (QStringList{"Überlappend", "Übereinander", "Nebeneinander", "Minimieren",
                                "Alle Minimieren", "Schließen", "Alle Schließen"}));

  EXPECT_TRUE(CloseDocument(b));
  EXPECT_EQ(WindowList(a), (L{{"Neu 1.bmp", true}, {"Neu 3.bmp", false}}));
  // Two documents with the same caption are listed once.
  c->SetCaption("Neu 1.bmp");
  EXPECT_EQ(WindowList(a), (L{{"Neu 1.bmp", true}}));
}

TEST_F(WindowMenu, ItemBringsItsDocumentToTheFront) {
  TfrmChild *a = First();
  TfrmChild *b = NewImage(*Frame);
  ASSERT_EQ(Frame->ActiveChild(), b);
  QAction *item = Item(b, "Neu 1.bmp");
  ASSERT_NE(item, nullptr);
  item->trigger();
  Flush();
  EXPECT_EQ(Frame->ActiveChild(), a);

  // A minimised document is restored.
  b->mnuMinimizeAllClick();
  Flush();
  EXPECT_TRUE(Frame->SubWindowOf(a)->isMinimized());
  EXPECT_TRUE(Frame->SubWindowOf(b)->isMinimized());
  item = Item(a, "Neu 2.bmp");
  ASSERT_NE(item, nullptr);
  item->trigger();
  Flush();
  EXPECT_FALSE(Frame->SubWindowOf(b)->isMinimized());
  EXPECT_EQ(Frame->ActiveChild(), b);
  // An item whose document is gone does nothing.
  QAction *stale = Item(b, "Neu 1.bmp");
  ASSERT_NE(stale, nullptr);
  a->SetCaption("Umbenannt.bmp");
  stale->trigger();
  Flush();
  EXPECT_EQ(Frame->ActiveChild(), b);
}

TEST_F(WindowMenu, CloseAllAsksEachDocument) {
  TfrmChild *a = First();
  TfrmChild *b = NewImage(*Frame);
  NewImage(*Frame);
  ASSERT_TRUE(a->AddUndoStep("Linie"));
  ASSERT_TRUE(b->AddUndoStep("Linie"));
  QueueAnswer(mrCancel); // a stays
  QueueAnswer(mrNo);     // b goes
  Frame->ActiveChild()->mnuCloseAllClick();
  Flush();
  EXPECT_EQ(ShownMessages().size(), 2u);
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(First(), a);
  EXPECT_EQ(Frame->ActiveChild(), a);
}

TEST_F(WindowMenu, MinimiseAndCloseThisWindow) {
  TfrmChild *a = First();
  NewImage(*Frame);
  a->mnuMinimizeClick();
  Flush();
  EXPECT_TRUE(Frame->SubWindowOf(a)->isMinimized());
  a->mnuCloseClick();
  Flush();
  EXPECT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(Frame->SubWindowOf(a), nullptr);
}

TEST_F(WindowMenu, TilingArrangesTheVisibleDocuments) {
  TfrmChild *a = First();
  TfrmChild *b = NewImage(*Frame);
  Frame->TileDocumentsVertically();
  Flush();
  const QRect ra = Frame->SubWindowOf(a)->geometry(), rb = Frame->SubWindowOf(b)->geometry();
  EXPECT_EQ(ra.top(), rb.top());
  EXPECT_LT(ra.right(), rb.left());
  Frame->TileDocumentsHorizontally();
  Flush();
  EXPECT_LT(Frame->SubWindowOf(a)->geometry().bottom(), Frame->SubWindowOf(b)->geometry().top());
}

} // namespace
} // namespace tessaro::test
