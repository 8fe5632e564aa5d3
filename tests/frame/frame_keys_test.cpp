// The keyboard: the menu shortcuts reach the active document only, the
// new-image dialog works from the keys alone, and typing in the zoom list
// zooms at every character.
#include "core/BmpFile.h"
#include "core/Canvas.h"
#include "document/UnNewImage.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

class FrameKeys : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    Frame->activateWindow();
    QApplication::setActiveWindow(Frame.get());
    Flush();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Frame.get(), key, mods);
    Flush();
  }
  TfrmChild *NewImage() {
    TfrmNewImage dlg(*Frame);
    TfrmChild *child = dlg.BitBtnOKClick();
    Flush();
    return child;
  }
};

void Paint(TfrmChild *doc, const std::string &caption, TColor color) {
  ASSERT_TRUE(doc->AddUndoStep(caption));
  TCanvas &c = doc->Bitmap().Canvas();
  c.Brush.Color = color;
  c.FillRect(TRect(0, 0, 10, 10));
}

TEST_F(FrameKeys, UndoAndRedoKeysReachOnlyTheActiveDocument) {
  TfrmChild *a = First();
  TfrmChild *b = NewImage();
  Paint(a, "Linie", clRed);
  Paint(b, "Rechteck", clBlue);
  Activate(a);
  ASSERT_EQ(Frame->ActiveChild(), a);

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(a->Undo().UndoIndex(), -1);
  EXPECT_EQ(a->Bitmap().GetPixel(5, 5), clWhite);
  EXPECT_EQ(b->Undo().UndoIndex(), 0);
  EXPECT_EQ(b->Bitmap().GetPixel(5, 5), clBlue);
  EXPECT_EQ(Hint(Frame->TBReUndo), "Wiederherstellen (Linie)");

  ResetBeepCount();
  Key(Qt::Key_Z, Qt::ControlModifier); // nothing left to undo in A
  EXPECT_EQ(BeepCount(), 1);
  EXPECT_EQ(b->Undo().UndoIndex(), 0);

  Key(Qt::Key_Z, Qt::AltModifier);
  EXPECT_EQ(a->Undo().UndoIndex(), 0);
  EXPECT_EQ(a->Bitmap().GetPixel(5, 5), clRed);

  // After switching, the same keys work on the other document.
  Activate(b);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(b->Bitmap().GetPixel(5, 5), clWhite);
  EXPECT_EQ(a->Bitmap().GetPixel(5, 5), clRed);
  EXPECT_EQ(a->Undo().UndoIndex(), 0);

  // A closed document's shortcuts are gone with it; with no document left
  // the keys do nothing at all.
  QueueAnswer(mrNo);
  QueueAnswer(mrNo);
  ASSERT_TRUE(CloseDocument(a));
  ASSERT_TRUE(CloseDocument(b));
  ResetBeepCount();
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::AltModifier);
  EXPECT_EQ(BeepCount(), 0);
  EXPECT_TRUE(Frame->Documents().empty());
}

TEST_F(FrameKeys, SaveKeyWritesTheActiveDocument) {
  TfrmChild *a = First();
  TfrmChild *b = NewImage();
  Paint(a, "Linie", clRed);
  Paint(b, "Linie", clBlue);
  TTempDir dir;
  std::vector<std::string> presets;
  Frame->SaveDialogHook = [&](std::string &name) {
    presets.push_back(name);
    name = dir.File(name + ".bmp");
    return true;
  };
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(presets, std::vector<std::string>{"Neu 2"});
  EXPECT_FALSE(b->Modified());
  EXPECT_TRUE(a->Modified());
  EXPECT_EQ(b->Caption(), "Neu 2.bmp");
  EXPECT_TRUE(fs::exists(dir.File("Neu 2.bmp")));
  EXPECT_FALSE(fs::exists(dir.File("Neu 1.bmp")));
}

TEST_F(FrameKeys, NewImageFromTheKeyboard) {
  // Ctrl+N opens the dialog (also from the frame's own menus, with no
  // document open); the width is typed, the format chosen with the arrow
  // keys, and Return presses the default button.
  ASSERT_TRUE(CloseDocument(First()));
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto *dlg = qobject_cast<TfrmNewImage *>(QApplication::activeModalWidget());
    if (!dlg)
      return;
    seen = true;
    dlg->EditWidth->selectAll();
    QTest::keyClicks(dlg->EditWidth, "12a");
    dlg->CBPixelFormat->setFocus();
    QTest::keyClick(dlg->CBPixelFormat, Qt::Key_Up);
    QTest::keyClick(dlg->EditWidth, Qt::Key_Return);
  });
  Key(Qt::Key_N, Qt::ControlModifier);
  ASSERT_TRUE(seen);
  ASSERT_EQ(Frame->Documents().size(), 1u);
  TfrmChild *doc = Frame->ActiveChild();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Caption(), "Neu 2.bmp");
  EXPECT_EQ(doc->Bitmap().Width(), 12);
  EXPECT_EQ(doc->Bitmap().Height(), 300);
  EXPECT_EQ(doc->ImageType(), pf15bit);
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "15-bit");

  // Escape closes the dialog without a document.
  QTimer::singleShot(0, [] {
    if (QWidget *dlg = QApplication::activeModalWidget())
      QTest::keyClick(dlg, Qt::Key_Escape);
  });
  Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(Frame->NewImageNo, 3);
}

TEST_F(FrameKeys, TypingInTheZoomListZoomsAtEveryCharacter) {
  TfrmChild *doc = First();
  QLineEdit *edit = Frame->CBZoom->lineEdit();
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->selectAll();
  std::vector<int> seen;
  for (const char c : std::string("150")) {
    QTest::keyClick(edit, c);
    seen.push_back(doc->Zoom());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 15, 150}));
  EXPECT_EQ(edit->text(), "150");
  edit->selectAll();
  QTest::keyClicks(edit, "25");
  EXPECT_EQ(doc->Zoom(), 25);
  EXPECT_EQ(doc->Image->width(), 100);
  EXPECT_EQ(Frame->StatusBarChild->PanelText(7), "25 %");

  // With the focus still in the list, the undo key undoes the picture (whose
  // activation writes the zoom back into the list) instead of the text.
  Paint(doc, "Linie", clRed);
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  Flush();
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 5), clWhite);
  EXPECT_EQ(doc->Undo().UndoIndex(), -1);
  EXPECT_EQ(edit->text(), "25 %");
  EXPECT_EQ(doc->Zoom(), 25);
}

TEST_F(FrameKeys, AltF4EndsTheProgramAfterTheQuestion) {
  Paint(First(), "Linie", clRed);
  QueueAnswer(mrCancel);
  Key(Qt::Key_F4, Qt::AltModifier);
  EXPECT_TRUE(Frame->isVisible());
  EXPECT_EQ(ShownMessages().size(), 1u);
  QueueAnswer(mrNo);
  Key(Qt::Key_F4, Qt::AltModifier);
  EXPECT_FALSE(Frame->isVisible());
  EXPECT_FALSE(fs::exists(CacheRootFolder()));
}

} // namespace
} // namespace tessaro::test
