// The document window: hints across activation, undo and redo of canvas
// changes, the close query, restore from the file, the size warning and the
// Datei menu states.
#include "core/BmpFile.h"
#include "core/Canvas.h"
#include "document/UnNewImage.h"
#include "files/dialogs/UnJPEGCompression.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include <filesystem>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

TfrmChild *NewImage(TfrmMain &frame) {
  TfrmNewImage dlg(frame);
  TfrmChild *child = dlg.BitBtnOKClick();
  Flush();
  return child;
}

// A change through the canvas, preceded by its undo step.
void DrawBox(TfrmChild *doc, const std::string &caption, TColor color, int x) {
  ASSERT_TRUE(doc->AddUndoStep(caption));
  TCanvas &c = doc->Bitmap().Canvas();
  c.Pen.Color = color;
  c.Brush.Color = color;
  c.Rectangle(x, 10, x + 20, 30);
}

QString UndoHint(TfrmMain &f) {
  return Hint(f.TBUndo);
}
QString RedoHint(TfrmMain &f) {
  return Hint(f.TBReUndo);
}

using ChildDocument = FrameTest;

TEST_F(ChildDocument, EachDocumentKeepsItsOwnHints) {
  TfrmChild *a = First();
  DrawBox(a, "Linie", clRed, 5);
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig (Linie)");
  EXPECT_EQ(Hint(a->mnuUndo), "Rückgängig (Linie)");
  EXPECT_EQ(Hint(a->ppMnuUndo), "Rückgängig (Linie)");
  EXPECT_TRUE(a->Modified());

  TfrmChild *b = NewImage(*Frame);
  ASSERT_EQ(Frame->ActiveChild(), b);
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig");
  EXPECT_EQ(RedoHint(*Frame), "Wiederherstellen");
  DrawBox(b, "Rechteck", clBlue, 5);
  ASSERT_TRUE(b->UndoStep());
  EXPECT_EQ(RedoHint(*Frame), "Wiederherstellen (Rechteck)");

  Activate(a);
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig (Linie)");
  EXPECT_EQ(RedoHint(*Frame), "Wiederherstellen");
  Activate(b);
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig");
  EXPECT_EQ(RedoHint(*Frame), "Wiederherstellen (Rechteck)");
  EXPECT_EQ(Hint(b->mnuReUndo), "Wiederherstellen (Rechteck)");
  EXPECT_EQ(Hint(b->ppMnuRedo), "Wiederherstellen (Rechteck)");
}

TEST_F(ChildDocument, UndoAndRedoOfCanvasChangesThroughTheButtons) {
  TfrmChild *doc = First();
  ResetBeepCount();
  Frame->TBUndo->click(); // nothing to undo yet
  Frame->TBReUndo->click();
  EXPECT_EQ(BeepCount(), 2);
  EXPECT_FALSE(doc->Modified());

  DrawBox(doc, "A", clRed, 0);
  DrawBox(doc, "B", clBlue, 50);
  EXPECT_EQ(doc->Bitmap().GetPixel(55, 15), clBlue);
  Frame->TBUndo->click();
  EXPECT_EQ(doc->Bitmap().GetPixel(55, 15), clWhite);
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 15), clRed);
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig (A)");
  EXPECT_EQ(RedoHint(*Frame), "Wiederherstellen (B)");
  EXPECT_TRUE(fs::exists(doc->CacheDir() + "/3.bmp"));
  Frame->TBReUndo->click();
  EXPECT_EQ(doc->Bitmap().GetPixel(55, 15), clBlue);
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig (B)");
  EXPECT_EQ(RedoHint(*Frame), "Wiederherstellen");
  ResetBeepCount();
  Frame->TBReUndo->click();
  EXPECT_EQ(BeepCount(), 1);
  // The menu item does the same as the button.
  doc->mnuUndo->trigger();
  EXPECT_EQ(doc->Bitmap().GetPixel(55, 15), clWhite);
  EXPECT_EQ(doc->Undo().UndoIndex(), 0);
}

TEST_F(ChildDocument, UndoBringsBackTheFormatAndStatus) {
  TfrmChild *doc = First();
  ASSERT_TRUE(doc->AddUndoStep("Bildart in 4-bit ändern"));
  doc->Bitmap().SetPixelFormat(pf4bit);
  doc->SetImageType(pf4bit);
  doc->FormActivate();
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "4-bit");
  Frame->CBZoom->setEditText("200");
  ASSERT_TRUE(doc->UndoStep());
  EXPECT_EQ(doc->Bitmap().PixelFormat(), pf24bit);
  EXPECT_EQ(doc->ImageType(), pf24bit);
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "24-bit");
  // The zoom is applied again to the restored raster.
  EXPECT_EQ(doc->Image->width(), 800);
}

TEST_F(ChildDocument, CloseQueryAnswers) {
  // Unchanged documents close without a question.
  TfrmChild *plain = NewImage(*Frame);
  EXPECT_TRUE(CloseDocument(plain));
  EXPECT_TRUE(ShownMessages().empty());

  TfrmChild *doc = First();
  DrawBox(doc, "Linie", clRed, 0);
  TTempDir dir;
  int dialogs = 0;
  std::string preset;
  Frame->SaveDialogHook = [&](std::string &name) {
    ++dialogs;
    preset = name;
    name = dir.File("gesichert.bmp");
    return true;
  };

  QueueAnswer(mrCancel);
  EXPECT_FALSE(CloseDocument(doc));
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, "Änderungen an \"Neu 1.bmp\" speichern?");
  EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
  EXPECT_EQ(ShownMessages()[0].Buttons, mbYesNoCancel);
  EXPECT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(dialogs, 0);

  // Yes saves (asking for a name: the file does not exist yet), then closes.
  QueueAnswer(mrYes);
  EXPECT_TRUE(CloseDocument(doc));
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(preset, "Neu 1");
  EXPECT_TRUE(Frame->Documents().empty());
  TBitmap written;
  ASSERT_TRUE(LoadBmpFile(dir.File("gesichert.bmp"), written));
  EXPECT_EQ(written.GetPixel(5, 15), clRed);
  EXPECT_EQ(written.PixelFormat(), pf24bit);
}

TEST_F(ChildDocument, NoDiscardsAndAFailedSaveKeepsTheWindow) {
  TfrmChild *doc = First();
  DrawBox(doc, "Linie", clRed, 0);
  // Yes, but the save dialog is cancelled: the changes are not lost.
  Frame->SaveDialogHook = [](std::string &) { return false; };
  QueueAnswer(mrYes);
  EXPECT_FALSE(CloseDocument(doc));
  EXPECT_EQ(Frame->Documents().size(), 1u);
  EXPECT_TRUE(doc->Modified());

  QueueAnswer(mrNo);
  EXPECT_TRUE(CloseDocument(doc));
  EXPECT_TRUE(Frame->Documents().empty());
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig");
  EXPECT_EQ(RedoHint(*Frame), "Wiederherstellen");
  // Its snapshots stay until the program ends.
  EXPECT_TRUE(fs::exists(CacheRootFolder() + "/100/1.bmp"));
}

TEST_F(ChildDocument, FrameCloseAsksEveryDocumentFirst) {
  TfrmChild *a = First();
  TfrmChild *b = NewImage(*Frame);
  DrawBox(a, "A", clRed, 0);
  DrawBox(b, "B", clRed, 0);
  QueueAnswer(mrNo);
  QueueAnswer(mrCancel);
  EXPECT_FALSE(Frame->close());
  Flush();
  EXPECT_EQ(Frame->Documents().size(), 2u);
  EXPECT_TRUE(fs::exists(CacheRootFolder()));
  ClearShownMessages();
  QueueAnswer(mrNo);
  QueueAnswer(mrNo);
  EXPECT_TRUE(Frame->close());
  Flush();
  EXPECT_EQ(ShownMessages().size(), 2u); // no second question while the windows go
  EXPECT_FALSE(fs::exists(CacheRootFolder()));
}

TEST_F(ChildDocument, YesOnEveryDocumentSavesEachItsOwnPicture) {
  // The frame and "Alle Schließen" ask documents that are not the active
  // one: each answer must save the document it was asked about.
  TfrmChild *a = First();
  TfrmChild *b = NewImage(*Frame);
  DrawBox(a, "A", clRed, 0);
  DrawBox(b, "B", clBlue, 0);
  ASSERT_EQ(Frame->ActiveChild(), b);
  TTempDir dir;
  Frame->SaveDialogHook = [&](std::string &name) {
    name = dir.File(name + ".bmp");
    return true;
  };
  QueueAnswer(mrYes);
  QueueAnswer(mrYes);
  EXPECT_TRUE(Frame->close());
  Flush();
  ASSERT_EQ(ShownMessages().size(), 2u);
  EXPECT_EQ(ShownMessages()[0].Text, "Änderungen an \"Neu 1.bmp\" speichern?");
  EXPECT_EQ(ShownMessages()[1].Text, "Änderungen an \"Neu 2.bmp\" speichern?");
  TBitmap one, two;
  ASSERT_TRUE(LoadBmpFile(dir.File("Neu 1.bmp"), one));
  ASSERT_TRUE(LoadBmpFile(dir.File("Neu 2.bmp"), two));
  EXPECT_EQ(one.GetPixel(5, 15), clRed);
  EXPECT_EQ(two.GetPixel(5, 15), clBlue);
}

TEST_F(ChildDocument, SaveWritesBmpAndJpegOnlyThroughItsDialog) {
  TfrmChild *doc = First();
  DrawBox(doc, "Linie", clRed, 0);
  TTempDir dir;
  Frame->SaveDialogHook = [&](std::string &name) {
    name = dir.File("bild.jpg");
    return true;
  };
  // A JPEG name opens the quality dialog; cancelled, nothing is written.
  int dialogs = 0;
  Frame->JPEGDialogHook = [&](TfrmJPEGCompression &dialog) {
    ++dialogs;
    dialog.BitBtnCancelClick();
  };
  doc->mnuSaveClick();
  EXPECT_EQ(dialogs, 1);
  EXPECT_FALSE(fs::exists(dir.File("bild.jpg")));
  EXPECT_TRUE(ShownMessages().empty());
  EXPECT_TRUE(doc->Modified());
  EXPECT_EQ(doc->Caption(), "Neu 1.bmp");

  Frame->SaveDialogHook = [&](std::string &name) {
    name = dir.File("bild.bmp");
    return true;
  };
  doc->mnuSaveClick();
  EXPECT_TRUE(fs::exists(dir.File("bild.bmp")));
  EXPECT_FALSE(doc->Modified());
  EXPECT_EQ(doc->Caption(), "bild.bmp");
  EXPECT_EQ(doc->FileName(), dir.File("bild.bmp"));
  // The file exists now: "Speichern" writes it without asking.
  Frame->SaveDialogHook = [](std::string &) -> bool { throw std::logic_error("asked"); };
  DrawBox(doc, "Linie", clBlue, 0);
  EXPECT_NO_THROW(doc->mnuSaveClick());
  TBitmap written;
  ASSERT_TRUE(LoadBmpFile(dir.File("bild.bmp"), written));
  EXPECT_EQ(written.GetPixel(5, 15), clBlue);
}

TEST_F(ChildDocument, SaveWritesTheDocumentsImageType) {
  TfrmNewImage dlg(*Frame);
  dlg.CBPixelFormat->setCurrentIndex(1); // 4-bit
  TfrmChild *doc = dlg.BitBtnOKClick();
  Flush();
  // A step that works in 24 bits left the raster there.
  doc->Bitmap().SetPixelFormat(pf24bit);
  doc->Bitmap().SetPixel(1, 1, RGB(10, 200, 30));
  TTempDir dir;
  Frame->SaveDialogHook = [&](std::string &name) {
    name = dir.File("vga.bmp");
    return true;
  };
  ASSERT_TRUE(Frame->SaveDocument(doc->FileName(), true));
  TBitmap written;
  ASSERT_TRUE(LoadBmpFile(dir.File("vga.bmp"), written));
  EXPECT_EQ(written.PixelFormat(), pf4bit);
  EXPECT_EQ(doc->Bitmap().PixelFormat(), pf24bit);
  EXPECT_EQ(doc->Bitmap().GetPixel(1, 1), RGB(10, 200, 30));
}

TEST_F(ChildDocument, FileMenuStates) {
  TfrmChild *doc = First();
  doc->mnuMainFileClick();
  EXPECT_TRUE(doc->mnuSave->isEnabled());
  EXPECT_FALSE(doc->mnuSaveAs->isEnabled());
  EXPECT_FALSE(doc->mnuRestore->isEnabled());
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(doc->Bitmap(), dir.File("x.bmp")));
  doc->SetFileName(dir.File("x.bmp"));
  doc->mnuMainFileClick();
  EXPECT_TRUE(doc->mnuSaveAs->isEnabled());
  EXPECT_TRUE(doc->mnuRestore->isEnabled());
  doc->SetReadOnly(true);
  doc->mnuMainFileClick();
  EXPECT_FALSE(doc->mnuSave->isEnabled());
}

TEST_F(ChildDocument, RestoreReadsTheFileBack) {
  TfrmChild *doc = First();
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(doc->Bitmap(), dir.File("r.bmp")));
  doc->SetFileName(dir.File("r.bmp"));
  DrawBox(doc, "Linie", clRed, 0);

  QueueAnswer(mrNo);
  doc->mnuRestoreClick();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text,
            "Soll das Bild seit dem letzten Speichern wiederhergestellt werden?\r\r"
            "Warnung:\rNicht mit dem Hintergrund verbundene Objekte werden ebenfalls "
            "entfernt!");
  EXPECT_EQ(ShownMessages()[0].Type, mtConfirmation);
  EXPECT_EQ(ShownMessages()[0].Buttons, mbYesNo);
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 15), clRed);

  ResetBeepCount();
  QueueAnswer(mrYes);
  Frame->CBZoom->setEditText("50");
  doc->mnuRestoreClick();
  EXPECT_EQ(BeepCount(), 1);
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 15), clWhite);
  EXPECT_FALSE(doc->Modified());
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig (Wiederherstellen)");
  EXPECT_EQ(doc->Image->width(), 200);
  // The restore itself can be undone.
  ASSERT_TRUE(doc->UndoStep());
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 15), clRed);
}

TEST_F(ChildDocument, RestoreOfAnUnreadableFileChangesNothing) {
  TfrmChild *doc = First();
  TTempDir dir;
  {
    FILE *f = fopen(dir.File("bad.bmp").c_str(), "wb");
    fputs("BM-nonsense", f);
    fclose(f);
  }
  doc->SetFileName(dir.File("bad.bmp"));
  DrawBox(doc, "Linie", clRed, 0);
  const int index = doc->Undo().UndoIndex();
  QueueAnswer(mrYes);
  doc->mnuRestoreClick();
  ASSERT_EQ(ShownMessages().size(), 2u);
  EXPECT_EQ(ShownMessages()[1].Type, mtError);
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 15), clRed);
  EXPECT_EQ(doc->Undo().UndoIndex(), index);
  EXPECT_TRUE(doc->Modified());
}

TEST_F(ChildDocument, LostCacheFolderStopsTheStepWithAMessage) {
  TfrmChild *doc = First();
  DrawBox(doc, "A", clRed, 0);
  std::error_code ec;
  fs::remove_all(CacheRootFolder(), ec);
  ClearShownMessages();
  EXPECT_FALSE(doc->AddUndoStep("B"));
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtError);
  EXPECT_EQ(doc->Undo().UndoIndex(), 0);
  EXPECT_EQ(UndoHint(*Frame), "Rückgängig (A)");
  // Undo needs a snapshot of the state it leaves: it stops as well.
  Frame->TBUndo->click();
  EXPECT_EQ(doc->Bitmap().GetPixel(5, 15), clRed);
  EXPECT_EQ(doc->Undo().UndoIndex(), 0);
}

TEST_F(ChildDocument, BeendenClosesTheFrameWithTheQuestion) {
  DrawBox(First(), "A", clRed, 0);
  QueueAnswer(mrNo);
  // Clicked in the open menu: the menu outlives its own click, although
  // closing the frame frees the document that owns it.
  QPointer<QMenu> menu = First()->mnuMainFile;
  menu->popup(QPoint(0, 0));
  Flush();
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(First()->mnuEnd).center());
  EXPECT_FALSE(menu.isNull());
  Flush();
  EXPECT_TRUE(menu.isNull());
  EXPECT_FALSE(Frame->isVisible());
  EXPECT_EQ(ShownMessages().size(), 1u);
  EXPECT_FALSE(fs::exists(CacheRootFolder()));
}

TEST_F(ChildDocument, SizeWarningForDimensionedImages) {
  TfrmChild *doc = First();
  EXPECT_TRUE(doc->AskResizeDimensioned());
  EXPECT_TRUE(ShownMessages().empty());
  doc->SetDimensioned(true);
  EXPECT_FALSE(doc->AskResizeDimensioned()); // the default button is No
  ASSERT_EQ(ShownMessages().size(), 1u);
  const TShownMessage &m = ShownMessages()[0];
  EXPECT_EQ(m.Caption, "!!! WARNUNG: Bild wurde bemaßt !!!");
  EXPECT_EQ(m.Text,
            "Das Bild wurde bemaßt!\rWenn du jetzt die Bildgröße änderst, stimmen die Maße nicht mehr!\r\r"
            "Soll die Bildgröße trotzdem geändert werden?");
  EXPECT_EQ(m.Type, mtWarning);
  EXPECT_EQ(m.Buttons, mbYesNo);
  EXPECT_EQ(m.DefaultButton, unsigned(mbNo));
  QueueAnswer(mrYes);
  EXPECT_TRUE(doc->AskResizeDimensioned());
}

TEST_F(ChildDocument, MenuBarCaptionsAndShortcuts) {
  TfrmChild *doc = First();
  auto captions = [](QMenu *m) {
    QStringList l;
    for (QAction *a : m->actions())
      l << (a->isSeparator() ? "-" : a->text());
    return l;
  };
  EXPECT_EQ(
      captions(doc->mnuMainFile),
      (QStringList{"Neu...", "Neu aus Zwischenablage", "Öffnen...", "-", "Speichern", "Speichern unter...",
                   "Wiederherstellen", "-", "Seitenansicht...", "Seite einrichten...", "Drucken...",
                   "Drucker einrichten...", "-", "Eigenschaften...", "-", "Beenden"}));
  EXPECT_EQ(captions(doc->mnuMainEdit), (QStringList{"Rückgängig", "Wiederherstellen", "-", "Ausschneiden",
                                                     "Kopieren", "Einfügen", "Zwischenablage leeren"}));
  EXPECT_EQ(captions(doc->PopupMenuChild),
            (QStringList{"Rückgängig", "Wiederhertellen", "-", "Ausschneiden", "Kopieren", "Einfügen"}));
  EXPECT_EQ(captions(doc->mnuChImageTypeDD),
            (QStringList{"  1-bit (2 Farben)", "  4-bit (VGA)", "  8-bit (256 Farben)", "15-bit", "16-bit",
                         "24-bit (RGB)", "32-bit (CMYK)"}));
  EXPECT_EQ(doc->mnuNew->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(doc->mnuSave->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(doc->mnuPrint->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
  EXPECT_EQ(doc->mnuProperties->shortcut(), QKeySequence(Qt::Key_F11));
  EXPECT_EQ(doc->mnuUndo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(doc->mnuReUndo->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Z));
  EXPECT_EQ(doc->mnuCut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
  EXPECT_EQ(doc->mnuEnd->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  // The image type menu ticks the raster's own format.
  doc->Bitmap().SetPixelFormat(pf8bit);
  doc->mnuChImageTypeDDClick();
  EXPECT_TRUE(doc->mnu8bit->isChecked());
  EXPECT_FALSE(doc->mnu24bit->isChecked());
  // Commands of later parts are there but not yet usable.
  EXPECT_TRUE(doc->mnuPrint->isEnabled());
  EXPECT_FALSE(doc->mnuPrinterSetup->isEnabled());
  EXPECT_TRUE(doc->mnuUndo->isEnabled());
}

} // namespace
} // namespace tessaro::test
