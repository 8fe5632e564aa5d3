// "JPEG Speichern": its controls and texts, the quality and progressive flag
// that reach the file, and what saving through it does to the document.
#include "core/BmpFile.h"
#include "files/ImageCodecs.h"
#include "files/dialogs/UnJPEGCompression.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TBitmap Picture(TPixelFormat pf) {
  TBitmap b(40, 30, pf24bit);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      b.SetPixel(x, y, RGB(uint8_t(x * 6), uint8_t(y * 8), uint8_t((x + y) * 3)));
  b.SetPixelFormat(pf);
  return b;
}

TEST(JPEGDialog, ControlsAndTextsFollowTheTrackBar) {
  TfrmJPEGCompression dlg;
  EXPECT_EQ(dlg.windowTitle(), "JPEG Speichern");
  EXPECT_GE(dlg.width(), 284);
  EXPECT_GE(dlg.height(), 221);
  EXPECT_EQ(dlg.GroupBox2->title(), "Progressive Encoding");
  EXPECT_EQ(dlg.ChBProgressive->text(), "Progressiv");
  EXPECT_FALSE(dlg.ChBProgressive->isChecked());
  EXPECT_EQ(dlg.ChBProgressive->toolTip(), "Bild Progressiv encoden");
  EXPECT_EQ(dlg.Label1->text(), "Mit Progressiv wird das JPEG so gespeichert,\ndass es beim Dekomprimieren "
                                "schrittweise\nangezeigt wird.");
  EXPECT_EQ(dlg.GroupBox1->title(), "JPEG Kompression");
  EXPECT_EQ(dlg.Label2->text(), "Hohe Qualität\n(Große Datei)");
  EXPECT_EQ(dlg.Label3->text(), "Niedrige Qualität\n(Kleine Datei)");
  EXPECT_EQ(dlg.BitBtnSave->text(), "&Speichern");
  EXPECT_TRUE(dlg.BitBtnSave->isDefault());
  EXPECT_EQ(dlg.BitBtnCancel->text(), "&Abbrechen");
  EXPECT_EQ(dlg.TrackBarQual->minimum(), 0);
  EXPECT_EQ(dlg.TrackBarQual->maximum(), 100);
  EXPECT_EQ(dlg.TrackBarQual->value(), 10);
  EXPECT_EQ(dlg.TrackBarQual->tickInterval(), 5);
  EXPECT_EQ(dlg.lbQual->text(), "10 %");
  EXPECT_EQ(dlg.TrackBarQual->toolTip(), "10 %");
  EXPECT_EQ(dlg.Quality(), 90);
  // Keys move the bar; label and hint follow.
  dlg.show();
  dlg.TrackBarQual->setFocus();
  QTest::keyClick(dlg.TrackBarQual, Qt::Key_End);
  EXPECT_EQ(dlg.lbQual->text(), "100 %");
  EXPECT_EQ(dlg.TrackBarQual->toolTip(), "100 %");
  EXPECT_EQ(dlg.Quality(), 0);
  QTest::keyClick(dlg.TrackBarQual, Qt::Key_Home);
  EXPECT_EQ(dlg.lbQual->text(), "0 %");
  EXPECT_EQ(dlg.Quality(), 100);
}

TEST(JPEGDialog, FileCarriesTheQualityAndProgressiveFlagOfTheDialog) {
  TTempDir dir;
  struct TCase {
    int Position;
    bool Progressive;
  };
  for (const TCase c : {TCase{10, false}, TCase{0, true}, TCase{100, false}, TCase{37, true}}) {
    SCOPED_TRACE(c.Position);
    TBitmap picture = Picture(pf24bit);
    TfrmJPEGCompression dlg;
    dlg.FileName = dir.File("bild.JPG");
    dlg.Bitmap = &picture;
    dlg.TrackBarQual->setValue(c.Position);
    dlg.ChBProgressive->setChecked(c.Progressive);
    std::string saved;
    dlg.OnSaved = [&](const std::string &name) { saved = name; };
    ASSERT_TRUE(dlg.BitBtnSaveClick());
    EXPECT_EQ(saved, dir.File("bild.JPG"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    // The same bytes as the encoder gives at quality 100 - position.
    std::vector<uint8_t> expected;
    std::string error;
    ASSERT_TRUE(EncodeJpeg(picture, 100 - c.Position, c.Progressive, expected, error));
    EXPECT_EQ(ReadFile(dir.File("bild.JPG")), expected);
  }
}

TEST(JPEGDialog, RefusedMergeAndFailedWriteAnswerWithTheirMessages) {
  TTempDir dir;
  TBitmap picture = Picture(pf24bit);
  ClearShownMessages();
  {
    TfrmJPEGCompression dlg;
    dlg.FileName = dir.File("a.jpg");
    dlg.Bitmap = &picture;
    dlg.MergeFloatingObjects = [] { return false; };
    EXPECT_FALSE(dlg.BitBtnSaveClick());
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].Text, "Das Bild wurde nicht gespeichert!");
    EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(fs::exists(dir.File("a.jpg")));
  }
  ClearShownMessages();
  {
    TfrmJPEGCompression dlg;
    dlg.FileName = dir.File("fehlt/a.jpg");
    dlg.Bitmap = &picture;
    bool saved = false;
    dlg.OnSaved = [&](const std::string &) { saved = true; };
    EXPECT_FALSE(dlg.BitBtnSaveClick());
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].Text, "Das Bild konnte nicht gespeichert werden!");
    EXPECT_EQ(ShownMessages()[0].Type, mtError);
    EXPECT_FALSE(saved);
    EXPECT_EQ(dlg.result(), 0); // stays open
  }
}

using ShellJPEG = FrameTest;

TEST_F(ShellJPEG, SavingToAJpegNameGoesThroughTheDialog) {
  TTempDir dir;
  TfrmChild *doc = First();
  doc->Bitmap().Assign(Picture(pf4bit));
  doc->SetImageType(pf4bit);
  doc->SetModified(true);
  const TBitmap before(doc->Bitmap());
  Frame->SaveDialogHook = [&](std::string &name) {
    EXPECT_EQ(name, "Neu 1");
    name = dir.File("bild.jpeg");
    return true;
  };
  // Cancelled: nothing changes.
  Frame->JPEGDialogHook = [&](TfrmJPEGCompression &dlg) {
    EXPECT_EQ(dlg.FileName, dir.File("bild.jpeg"));
    dlg.BitBtnCancelClick();
  };
  EXPECT_FALSE(Frame->SaveDocument(*doc, doc->FileName(), true));
  EXPECT_TRUE(doc->Modified());
  EXPECT_EQ(doc->Caption(), "Neu 1.bmp");
  EXPECT_FALSE(fs::exists(dir.File("bild.jpeg")));
  // Saved at position 30, progressive.
  Frame->JPEGDialogHook = [&](TfrmJPEGCompression &dlg) {
    dlg.TrackBarQual->setValue(30);
    dlg.ChBProgressive->setChecked(true);
    dlg.BitBtnSave->click();
  };
  EXPECT_TRUE(Frame->SaveDocument(*doc, doc->FileName(), true));
  EXPECT_FALSE(doc->Modified());
  EXPECT_EQ(doc->Caption(), "bild.jpeg");
  EXPECT_EQ(doc->FileName(), dir.File("bild.jpeg"));
  EXPECT_TRUE(ShownMessages().empty());
  // A 4-bit document keeps its raster: the file was written from a copy.
  EXPECT_EQ(doc->Bitmap().PixelFormat(), pf4bit);
  EXPECT_EQ(doc->ImageType(), pf4bit);
  EXPECT_EQ(std::vector<uint8_t>(doc->Bitmap().Bits(), doc->Bitmap().Bits() + doc->Bitmap().ImageBytes()),
            std::vector<uint8_t>(before.Bits(), before.Bits() + before.ImageBytes()));
  TBitmap wide(before);
  wide.SetPixelFormat(pf24bit);
  std::vector<uint8_t> expected;
  std::string error;
  ASSERT_TRUE(EncodeJpeg(wide, 70, true, expected, error));
  EXPECT_EQ(ReadFile(dir.File("bild.jpeg")), expected);
}

} // namespace
} // namespace tessaro::test
