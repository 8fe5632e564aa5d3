// The frame: counters and names of new documents, the start document, the
// menus it shows, the zoom list, the undo buttons and the cache at exit.
#include "controls/ColorPickCombo.h"
#include "core/BmpFile.h"
#include "document/UnNewImage.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

QStringList MenuTitles(TfrmMain &frame) {
  QStringList titles;
  for (QAction *a : frame.menuBar()->actions())
    titles << a->text();
  return titles;
}

TfrmChild *NewImage(TfrmMain &frame) {
  TfrmNewImage dlg(frame);
  return dlg.BitBtnOKClick();
}

using FrameDocuments = FrameTest;

TEST_F(FrameDocuments, StartDocumentIsNeu1WithFolder100) {
  ASSERT_EQ(Frame->Documents().size(), 1u);
  TfrmChild *doc = First();
  EXPECT_EQ(doc->Caption(), "Neu 1.bmp");
  EXPECT_EQ(doc->FileName(), "Neu 1.bmp");
  EXPECT_EQ(doc->Bitmap().Width(), 400);
  EXPECT_EQ(doc->Bitmap().Height(), 300);
  EXPECT_EQ(doc->Bitmap().PixelFormat(), pf24bit);
  EXPECT_EQ(doc->ImageType(), pf24bit);
  EXPECT_FALSE(doc->Modified());
  EXPECT_FALSE(doc->ReadOnly());
  EXPECT_EQ(doc->Zoom(), 100);
  EXPECT_EQ(doc->PaperColor(), clWhite);
  EXPECT_EQ(doc->MarkRect(), TRect(0, 0, 0, 0));
  EXPECT_EQ(doc->CacheDir(), CacheRootFolder() + "/100");
  // A document that was never changed has only its note in its folder.
  std::vector<std::string> files;
  for (const auto &e : fs::directory_iterator(doc->CacheDir()))
    files.push_back(e.path().filename().string());
  EXPECT_EQ(files, std::vector<std::string>{"Info.txt"});
  EXPECT_EQ(Frame->NewImageNo, 2);
  EXPECT_EQ(Frame->DocumentNo(), 101);
  EXPECT_EQ(Frame->ActiveChild(), doc);
}

TEST_F(FrameDocuments, CountersAcrossNewAndOpenedDocuments) {
  TfrmChild *second = NewImage(*Frame);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Caption(), "Neu 2.bmp");
  EXPECT_EQ(second->CacheDir(), CacheRootFolder() + "/101");

  // Opening a file raises only the folder number.
  TTempDir dir;
  TBitmap bmp(20, 10, pf8bit);
  ASSERT_TRUE(SaveBmpFile(bmp, dir.File("Bild.BMP")));
  TfrmChild *opened = Frame->OpenPictureFile(dir.File("Bild.BMP"));
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->Caption(), "Bild.BMP");
  EXPECT_EQ(opened->FileName(), dir.File("Bild.BMP"));
  EXPECT_EQ(opened->ImageType(), pf8bit);
  EXPECT_FALSE(opened->Modified());
  EXPECT_EQ(opened->CacheDir(), CacheRootFolder() + "/102");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "8-bit");

  TfrmChild *third = NewImage(*Frame);
  EXPECT_EQ(third->Caption(), "Neu 3.bmp");
  EXPECT_EQ(third->CacheDir(), CacheRootFolder() + "/103");
  EXPECT_EQ(Frame->NewImageNo, 4);
  EXPECT_EQ(Frame->DocumentNo(), 104);
  EXPECT_EQ(Frame->Documents().size(), 4u);
}

TEST_F(FrameDocuments, OpenRefusesMissingAndForeignFiles) {
  TTempDir dir;
  EXPECT_EQ(Frame->OpenPictureFile(dir.File("fehlt.bmp")), nullptr);
  EXPECT_TRUE(ShownMessages().empty());
  {
    FILE *f = fopen(dir.File("a.xyz").c_str(), "wb");
    fputs("x", f);
    fclose(f);
  }
  EXPECT_EQ(Frame->OpenPictureFile(dir.File("a.xyz")), nullptr);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text,
            QString::fromStdString("Datei \"" + dir.File("a.xyz") +
                                   "\" kann nicht geöffnet werden, da das Dateiformat "
                                   "von Tessaro nicht unterstützt wird!"));
  // A broken bitmap file: a German error, no half-made document.
  {
    FILE *f = fopen(dir.File("kaputt.bmp").c_str(), "wb");
    fputs("BMxxxx", f);
    fclose(f);
  }
  EXPECT_EQ(Frame->OpenPictureFile(dir.File("kaputt.bmp")), nullptr);
  Flush();
  EXPECT_EQ(ShownMessages().size(), 2u);
  EXPECT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(Frame->DocumentNo(), 101);
}

TEST_F(FrameDocuments, ReadOnlyFileGetsMarkedCaption) {
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(5, 5), dir.File("ro.bmp")));
  fs::permissions(dir.File("ro.bmp"), fs::perms::owner_read);
  TfrmChild *doc = Frame->OpenPictureFile(dir.File("ro.bmp"));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Caption(), "ro.bmp (Schreibgeschützt)");
  EXPECT_TRUE(doc->ReadOnly());
  // The file keeps its flag, and "Speichern" asks for a name.
  EXPECT_EQ(fs::status(dir.File("ro.bmp")).permissions() & fs::perms::owner_write, fs::perms::none);
  int asked = 0;
  Frame->SaveDialogHook = [&](std::string &) {
    ++asked;
    return false;
  };
  doc->mnuSaveClick();
  EXPECT_EQ(asked, 1);
}

TEST_F(FrameDocuments, MenuBarFollowsTheActiveDocument) {
  const QStringList documentMenus = {"Datei", "Bearbeiten", "Bild", "Ansicht", "Fenster", "Extras", "Hilfe"};
  EXPECT_EQ(MenuTitles(*Frame), documentMenus);
  EXPECT_TRUE(CloseDocument(First()));
  EXPECT_TRUE(Frame->Documents().empty());
  EXPECT_EQ(Frame->ActiveChild(), nullptr);
  EXPECT_EQ(MenuTitles(*Frame), (QStringList{"Datei", "Ansicht", "Extras", "Hilfe"}));
  QStringList file;
  for (QAction *a : Frame->mnuMainFile->actions())
    file << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(file, (QStringList{"Neu...", "Neu aus Zwischenablage", "Öffnen...", "-", "Beenden"}));
  EXPECT_EQ(Frame->ActOpen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(Frame->ActOpen->statusTip(), "Öffnet eine Datei");
  EXPECT_EQ(Frame->ActEnd->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  EXPECT_EQ(Frame->ActEnd->statusTip(), "Beendet das Programm");
  // Without a document the undo buttons only beep.
  ResetBeepCount();
  Frame->TBUndo->click();
  Frame->TBReUndo->click();
  Frame->TBSaveClick();
  EXPECT_EQ(BeepCount(), 3);
  NewImage(*Frame);
  Flush();
  EXPECT_EQ(MenuTitles(*Frame), documentMenus);
}

TEST_F(FrameDocuments, ZoomListAppliesTypedAndChosenValues) {
  TfrmChild *doc = First();
  EXPECT_EQ(Frame->CBZoom->currentText(), "100 %");
  EXPECT_EQ(Frame->CBZoom->count(), 48);
  EXPECT_EQ(Frame->CBZoom->itemText(0), "  10 %");
  EXPECT_EQ(Frame->CBZoom->itemText(29), "190 % ");
  EXPECT_EQ(Frame->CBZoom->itemText(47), "1200 %");
  const struct {
    const char *Text;
    int Zoom;
  } cases[] = {{"0", 1}, {"abc", 1}, {"1200", 1200}, {"  10 %", 10}, {"150 %", 150}, {"-20", 1}, {"33", 33}};
  for (const auto &c : cases) {
    Frame->CBZoom->setEditText(c.Text);
    EXPECT_EQ(doc->Zoom(), c.Zoom) << c.Text;
    EXPECT_EQ(doc->Image->Zoom(), c.Zoom) << c.Text;
    EXPECT_EQ(doc->Image->width(), 400 * c.Zoom / 100) << c.Text;
    EXPECT_EQ(doc->Image->height(), 300 * c.Zoom / 100) << c.Text;
    EXPECT_EQ(Frame->StatusBarChild->PanelText(7), QString::number(c.Zoom) + " %");
  }
  // Typing "150" zooms to 1 %, 15 % and 150 % in turn.
  Frame->CBZoom->setEditText("");
  std::vector<int> seen;
  for (const char *step : {"1", "15", "150"}) {
    Frame->CBZoom->setEditText(step);
    seen.push_back(doc->Zoom());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 15, 150}));
  Frame->CBZoom->setCurrentIndex(Frame->CBZoom->findText("  50 %"));
  EXPECT_EQ(doc->Zoom(), 50);
}

TEST_F(FrameDocuments, ClosingTheActiveDocumentBringsBackTheOneUsedBefore) {
  TfrmChild *b = NewImage(*Frame);
  TfrmChild *c = NewImage(*Frame);
  Flush();
  Activate(b);
  Frame->CBZoom->setEditText("300");
  Activate(c);
  ASSERT_TRUE(CloseDocument(c));
  Flush();
  EXPECT_EQ(Frame->ActiveChild(), b);
  EXPECT_EQ(Frame->CBZoom->currentText(), "300 %");
  EXPECT_EQ(Frame->menuBar()->actions().size(), 7);
}

TEST_F(FrameDocuments, ZoomIsPerDocument) {
  TfrmChild *a = First();
  Frame->CBZoom->setEditText("200");
  TfrmChild *b = NewImage(*Frame);
  Flush();
  EXPECT_EQ(Frame->CBZoom->currentText(), "100 %");
  EXPECT_EQ(b->Zoom(), 100);
  Activate(a);
  EXPECT_EQ(Frame->ActiveChild(), a);
  EXPECT_EQ(Frame->CBZoom->currentText(), "200 %");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(7), "200 %");
  EXPECT_EQ(a->Zoom(), 200);
}

TEST_F(FrameDocuments, StatusBarsAndColourPanels) {
  EXPECT_EQ(Frame->StatusBarMain->PanelCount(), 3);
  EXPECT_EQ(Frame->StatusBarMain->PanelText(2), "Zum Abbrechen ESC drücken");
  EXPECT_TRUE(Frame->PBarStatus->isHidden());
  ASSERT_EQ(Frame->StatusBarChild->PanelCount(), 10);
  EXPECT_EQ(Frame->StatusBarChild->PanelText(0), "X: 0");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(1), "Y: 0");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(4), "Füllfarbe");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "24-bit");
  EXPECT_EQ(Frame->panFillColor->Color(), clWhite);
  EXPECT_EQ(Frame->panLineColor->Color(), clBlack);
  EXPECT_EQ(Frame->panPaperColor->Color(), clWhite);
  EXPECT_EQ(Frame->panPaperColor->toolTip(), "Papierfarbe");

  // A document with another paper colour shows it while it is active.
  TfrmNewImage dlg(*Frame);
  dlg.ClPickCBPaperColor->SetActiveColor(clRed);
  dlg.CBPixelFormat->setCurrentIndex(0);
  TfrmChild *red = dlg.BitBtnOKClick();
  Flush();
  EXPECT_EQ(Frame->panPaperColor->Color(), clRed);
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "1-bit");
  Activate(First());
  EXPECT_EQ(Frame->panPaperColor->Color(), clWhite);
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "24-bit");
  // A 16-bit raster reads "16-bit" (the dialog offers no 16-bit choice).
  red->Bitmap().SetPixelFormat(pf16bit);
  red->SetDocument(red->Caption(), red->FileName(), false, false);
  Activate(red);
  EXPECT_EQ(Frame->StatusBarChild->PanelText(8), "16-bit");
}

TEST_F(FrameDocuments, ToolBarMenuTogglesTheBars) {
  Frame->mnuToolBarsClick();
  EXPECT_TRUE(Frame->mnuShowTBStandard->isChecked());
  EXPECT_FALSE(Frame->mnuShowTBEdit->isChecked());
  EXPECT_FALSE(Frame->mnuShowTBEffects->isChecked());
  EXPECT_FALSE(Frame->mnuShowTBLayers->isChecked());
  Frame->mnuShowTBEdit->trigger();
  EXPECT_TRUE(Frame->ToolBarEdit->isVisible());
  Frame->mnuToolBarsClick();
  Frame->mnuShowTBEdit->trigger();
  EXPECT_FALSE(Frame->ToolBarEdit->isVisible());

  // The right-click menu of the toolbars offers the same five bars only.
  Frame->ToolBarEffects->show();
  std::unique_ptr<QMenu> popup(Frame->createPopupMenu());
  QStringList items;
  for (QAction *a : popup->actions())
    items << a->text();
  EXPECT_EQ(items, (QStringList{"Standard", "Bearbeiten", "Zeichnen", "Effekte", "Farbkanäle"}));
  emit popup->aboutToShow();
  EXPECT_TRUE(Frame->mnuShowTBEffects->isChecked());
  EXPECT_FALSE(Frame->mnuShowTBLayers->isChecked());
  Frame->mnuShowTBEffects->trigger();
  EXPECT_FALSE(Frame->ToolBarEffects->isVisible());
}

TEST_F(FrameDocuments, ExitRemovesTheCacheFolder) {
  NewImage(*Frame);
  ASSERT_TRUE(First()->AddUndoStep("Linie"));
  First()->SetModified(false); // nothing to ask about
  ASSERT_TRUE(fs::exists(CacheRootFolder() + "/100/1.bmp"));
  EXPECT_TRUE(Frame->close());
  Flush();
  EXPECT_FALSE(fs::exists(CacheRootFolder()));
  EXPECT_TRUE(ShownMessages().empty());
}

} // namespace
} // namespace tessaro::test
