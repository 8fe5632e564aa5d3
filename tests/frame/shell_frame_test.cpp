// The frame's shell duties: files dropped on it, the display timer and the
// buttons it keeps current, new from the clipboard, the merge of floating
// objects before saving, and the splash screen of the start.
#include "core/BmpFile.h"
#include "frame/ToolPictures.h"
#include "frame/UnSplashScreen.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

using ShellButtons = FrameTest;

// Drops the files on a widget of the frame the way a file manager does.
bool DropOn(QWidget *target, const std::vector<std::string> &files) {
  QMimeData data;
  QList<QUrl> urls;
  for (const std::string &f : files)
    urls << QUrl::fromLocalFile(QString::fromStdString(f));
  data.setUrls(urls);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted())
    return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  Flush();
  return drop.isAccepted();
}

TEST_F(ShellButtons, DroppedFilesOpenWhenTheyAreBitmapsOrDroppableTypes) {
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(5, 4), dir.File("a.bmp")));
  ASSERT_TRUE(SaveBmpFile(TBitmap(5, 4), dir.File("b.gif")));
  std::ofstream(dir.File("c.txt")) << "x";
  ASSERT_TRUE(SaveBmpFile(TBitmap(6, 4), dir.File("d.DIB")));
  EXPECT_TRUE(
      DropOn(Frame.get(), {dir.File("a.bmp"), dir.File("b.gif"), dir.File("c.txt"), dir.File("d.DIB")}));
  std::vector<QString> captions;
  for (TfrmChild *doc : Frame->Documents())
    captions.push_back(doc->Caption());
  EXPECT_EQ(captions, (std::vector<QString>{"Neu 1.bmp", "a.bmp", "d.DIB"}));
  EXPECT_TRUE(ShownMessages().empty());
  // Text without files is no drop for the frame.
  QMimeData text;
  text.setText("hallo");
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Frame.get(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST_F(ShellButtons, DisplayTimerKeepsTheClipboardButtonsCurrent) {
  EXPECT_EQ(Frame->TimerDisplay->interval(), 1000);
  EXPECT_TRUE(Frame->TimerDisplay->isActive());
  QGuiApplication::clipboard()->clear();
  Frame->TimerDisplayTimer();
  EXPECT_FALSE(Frame->TBPaste->isEnabled());
  EXPECT_TRUE(Frame->TBCut->isEnabled());
  EXPECT_TRUE(Frame->TBCopy->isEnabled());
  // Nothing is marked: nothing to take back.
  Frame->TBUndoMark->setEnabled(true);
  Frame->TimerDisplayTimer();
  EXPECT_FALSE(Frame->TBUndoMark->isEnabled());
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  QGuiApplication::clipboard()->setImage(image);
  // The timer itself sets them within its second.
  QTest::qWait(1200);
  EXPECT_TRUE(Frame->TBPaste->isEnabled());
  ASSERT_TRUE(CloseDocument(First()));
  QTest::qWait(1200);
  EXPECT_FALSE(Frame->TBCut->isEnabled());
  EXPECT_FALSE(Frame->TBCopy->isEnabled());
  EXPECT_TRUE(Frame->TimerDisplay->isActive());
  QGuiApplication::clipboard()->clear();
}

TEST_F(ShellButtons, PasteWithoutDocumentMakesOneFromTheClipboard) {
  QImage image(7, 3, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  image.setPixelColor(2, 1, QColor(200, 100, 50));
  QGuiApplication::clipboard()->setImage(image);
  // "Neu aus Zwischenablage" follows the clipboard when "Datei" opens.
  Frame->ActNewFromClipboard->setEnabled(false);
  Frame->mnuFileClick();
  EXPECT_TRUE(Frame->ActNewFromClipboard->isEnabled());
  ASSERT_TRUE(CloseDocument(First()));
  ASSERT_TRUE(Frame->Documents().empty());
  Frame->TBPaste->setEnabled(true);
  Frame->TBPaste->click();
  Flush();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  TfrmChild *doc = First();
  EXPECT_EQ(doc->Caption(), "Neu 2.bmp");
  EXPECT_EQ(doc->FileName(), "Neu 2.bmp");
  EXPECT_TRUE(doc->Modified());
  EXPECT_FALSE(doc->ReadOnly());
  EXPECT_EQ(doc->ImageType(), pf24bit);
  EXPECT_EQ(doc->Bitmap().Width(), 7);
  EXPECT_EQ(doc->Bitmap().GetPixel(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(doc->Bitmap().GetPixel(2, 1), RGB(200, 100, 50));
  EXPECT_EQ(Frame->NewImageNo, 3);
  EXPECT_EQ(Frame->DocumentNo(), 102);
  // The menu item does the same.
  Frame->ActNewFromClipboard->trigger();
  EXPECT_EQ(Frame->Documents().size(), 2u);
  QGuiApplication::clipboard()->clear();
  Frame->mnuFileClick();
  EXPECT_FALSE(Frame->ActNewFromClipboard->isEnabled());
}

TEST_F(ShellButtons, ButtonsWithoutDocumentDoNothing) {
  ASSERT_TRUE(CloseDocument(First()));
  for (QToolButton *b : {Frame->TBPrint, Frame->TBPreview, Frame->TBCut, Frame->TBCopy}) {
    b->setEnabled(true);
    b->click();
  }
  EXPECT_EQ(BeepCount(), 0);
  EXPECT_TRUE(ShownMessages().empty());
  EXPECT_TRUE(Frame->Documents().empty());
  for (QToolButton *b : {Frame->TBPrint, Frame->TBPreview, Frame->TBCut, Frame->TBCopy, Frame->TBPaste})
    EXPECT_FALSE(b->accessibleName().isEmpty());
}

// Objects above the raster, as a test kind: a widget whose name starts with
// "schwebend" is one; combining draws its number into the raster and
// deletes it.
struct TMergeFixture {
  std::vector<int> Combined;
  TFloatingKind Kind() {
    return {[](const QObject *o) { return o->objectName().startsWith("schwebend"); },
            [this](TfrmChild &doc, QObject *o) {
              const int n = o->objectName().mid(9).toInt();
              Combined.push_back(n);
              doc.Bitmap().SetPixel(n, 0, clRed);
              delete o;
            }};
  }
};

TEST_F(ShellButtons, FloatingObjectsMergeIntoTheRasterOnlyWhenTheUserAgrees) {
  TfrmChild *doc = First();
  // Today's documents have none: nothing is asked.
  EXPECT_TRUE(Frame->MergeFloatingObjects(*doc));
  EXPECT_TRUE(ShownMessages().empty());
  TMergeFixture merge;
  Frame->FloatingKinds.push_back(merge.Kind());
  EXPECT_TRUE(Frame->MergeFloatingObjects(*doc));
  EXPECT_TRUE(ShownMessages().empty());
  for (int n : {3, 5, 8}) {
    auto *object = new QWidget(doc->Image);
    object->setObjectName(QString("schwebend%1").arg(n));
  }
  // "Nein" keeps every object and writes nothing.
  TTempDir dir;
  Frame->SaveDialogHook = [&](std::string &name) {
    name = dir.File("bild.png");
    return true;
  };
  QueueAnswer(mrNo);
  EXPECT_FALSE(Frame->SaveDocument(*doc, doc->FileName(), true));
  ASSERT_EQ(ShownMessages().size(), 2u);
  EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
  EXPECT_EQ(ShownMessages()[0].Buttons, unsigned(mbYesNo));
  EXPECT_TRUE(ShownMessages()[0].Text.startsWith("Veränderbare Objekte können nicht gespeichert werden"));
  EXPECT_TRUE(ShownMessages()[0].Text.endsWith("Soll das Bild trotzdem gespeichert werden?"));
  EXPECT_EQ(ShownMessages()[1].Text, "Das Bild wurde nicht gespeichert!");
  EXPECT_TRUE(merge.Combined.empty());
  EXPECT_FALSE(fs::exists(dir.File("bild.png")));
  // "Ja": each object in order, then the file.
  ClearShownMessages();
  QueueAnswer(mrYes);
  EXPECT_TRUE(Frame->SaveDocument(*doc, doc->FileName(), true));
  EXPECT_EQ(merge.Combined, (std::vector<int>{3, 5, 8}));
  EXPECT_TRUE(fs::exists(dir.File("bild.png")));
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 0), clRed);
  EXPECT_TRUE(Frame->MergeFloatingObjects(*doc));
  EXPECT_EQ(ShownMessages().size(), 1u);
}

TEST(SplashScreen, ShowsItsTextsIgnoresEscapeAndClosesByItsTimer) {
  auto *splash = new TfrmSplashScreen;
  splash->show();
  ASSERT_EQ(SplashScreen(), splash);
  EXPECT_EQ(splash->size(), QSize(368, 245));
  EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash->lbTitle->text(), "Tessaro 1.0");
  EXPECT_TRUE(splash->lbTitle->font().bold());
  EXPECT_EQ(splash->lbTitle->font().pixelSize(), 24);
  EXPECT_EQ(splash->lbEsc->text(), " ESC Drücken, um schneller zu starten");
  QTest::keyClick(splash, Qt::Key_Escape);
  Flush();
  EXPECT_EQ(SplashScreen(), splash);
  EXPECT_TRUE(splash->isVisible());
  splash->SystemExecuteMacro({"/irgendwo/a.bmp"});
  EXPECT_EQ(splash->TimerClose->interval(), 2000);
  EXPECT_FALSE(splash->TimerClose->isActive());

  // The frame's first show starts the timer; it closes the splash screen.
  {
    TfrmMain frame;
    frame.show();
    Flush();
    EXPECT_TRUE(splash->TimerClose->isActive());
    QPointer<TfrmSplashScreen> guard(splash);
    QTest::qWait(2300);
    Flush();
    EXPECT_EQ(SplashScreen(), nullptr);
    EXPECT_TRUE(guard.isNull());
    frame.RemoveCacheHook = [] {};
  }
  RemoveCacheFolder();
}

} // namespace
} // namespace tessaro::test
