// The new-image dialog: its items, the DIN sizes, the lenient reading of the
// edits and the document it creates.
#include "controls/ColorPickCombo.h"
#include "document/UnNewImage.h"
#include "frame_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tessaro::test {
namespace {

using NewImageTest = FrameTest;

TEST_F(NewImageTest, ControlsStartAsDesigned) {
  TfrmNewImage dlg(*Frame);
  EXPECT_EQ(dlg.windowTitle(), "Neues Bild");
  EXPECT_EQ(dlg.CBSize->currentIndex(), -1);
  ASSERT_EQ(dlg.CBSize->count(), 6);
  EXPECT_EQ(dlg.CBSize->itemText(3), "DIN A4 Querformat");
  EXPECT_EQ(dlg.EditWidth->text(), "400");
  EXPECT_EQ(dlg.EditHeight->text(), "300");
  EXPECT_EQ(dlg.EditWidth->maxLength(), 5);
  EXPECT_EQ(dlg.EditHeight->maxLength(), 5);
  const QStringList formats = {"  1-bit (    2 Farben)",
                               "  4-bit (  16 Farben)",
                               "  8-bit (256 Farben)",
                               "15-bit",
                               "24-bit",
                               "32-bit"};
  ASSERT_EQ(dlg.CBPixelFormat->count(), 6);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(dlg.CBPixelFormat->itemText(i), formats[i]);
  EXPECT_EQ(dlg.CBPixelFormat->currentIndex(), 4);
  EXPECT_EQ(dlg.ClPickCBPaperColor->ActiveColor(), clWhite);
  EXPECT_EQ(dlg.BitBtnOK->text(), "&OK");
  EXPECT_TRUE(dlg.BitBtnOK->isDefault());
  EXPECT_EQ(dlg.BitBtnCancel->text(), "&Abbrechen");
  EXPECT_EQ(dlg.BitBtnHelp->text(), "&Hilfe");
}

TEST_F(NewImageTest, PaperSizesFillTheEdits) {
  const int sizes[6][2] = {{842, 1191}, {1191, 842}, {595, 842}, {842, 595}, {420, 595}, {595, 420}};
  TfrmNewImage dlg(*Frame);
  for (int i = 0; i < 6; ++i) {
    dlg.CBSize->setCurrentIndex(i);
    EXPECT_EQ(dlg.EditWidth->text(), QString::number(sizes[i][0])) << i;
    EXPECT_EQ(dlg.EditHeight->text(), QString::number(sizes[i][1])) << i;
  }
}

TEST_F(NewImageTest, OkCreatesTheDocumentInEveryFormat) {
  const TPixelFormat formats[6] = {pf1bit, pf4bit, pf8bit, pf15bit, pf24bit, pf32bit};
  for (int i = 0; i < 6; ++i) {
    const int no = Frame->NewImageNo, doc = Frame->DocumentNo();
    TfrmNewImage dlg(*Frame);
    dlg.EditWidth->setText("31");
    dlg.EditHeight->setText("17");
    dlg.CBPixelFormat->setCurrentIndex(i);
    dlg.ClPickCBPaperColor->SetActiveColor(clBlack);
    TfrmChild *child = dlg.BitBtnOKClick();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const QString caption = QString("Neu %1.bmp").arg(no);
    EXPECT_EQ(child->Caption(), caption);
    EXPECT_EQ(child->FileName(), caption.toStdString());
    EXPECT_FALSE(child->ReadOnly());
    EXPECT_FALSE(child->Modified());
    EXPECT_EQ(child->Bitmap().Width(), 31);
    EXPECT_EQ(child->Bitmap().Height(), 17);
    EXPECT_EQ(child->Bitmap().PixelFormat(), formats[i]);
    EXPECT_EQ(child->ImageType(), formats[i]);
    EXPECT_EQ(child->PaperColor(), clBlack);
    for (auto [x, y] : {std::pair{0, 0}, {30, 16}, {15, 8}})
      EXPECT_EQ(child->Bitmap().GetPixel(x, y), clBlack) << i;
    EXPECT_EQ(Frame->NewImageNo, no + 1);
    EXPECT_EQ(Frame->DocumentNo(), doc + 1);
    EXPECT_EQ(Frame->StatusBarChild->PanelText(8), ImageTypeText(formats[i]));
  }
}

TEST_F(NewImageTest, SizesAreReadLenientlyAndRaisedToTen) {
  const struct {
    const char *Width, *Height;
    int W, H;
  } cases[] = {{"12a", "300", 12, 300}, {"abc", "", 10, 10}, {"5", "9", 10, 10}, {"1 0 0", "-50", 100, 10}};
  for (const auto &c : cases) {
    TfrmNewImage dlg(*Frame);
    dlg.EditWidth->setText(c.Width);
    dlg.EditHeight->setText(c.Height);
    TfrmChild *child = dlg.BitBtnOKClick();
    ASSERT_NE(child, nullptr) << c.Width;
    EXPECT_EQ(child->Bitmap().Width(), c.W) << c.Width;
    EXPECT_EQ(child->Bitmap().Height(), c.H) << c.Height;
    EXPECT_EQ(child->Bitmap().GetPixel(c.W - 1, c.H - 1), clWhite);
  }
}

TEST_F(NewImageTest, MalformedNumberKeepsTheDialogOpen) {
  const size_t docs = Frame->Documents().size();
  const int no = Frame->NewImageNo, doc = Frame->DocumentNo();
  TfrmNewImage dlg(*Frame);
  dlg.EditWidth->setText("1-2");
  EXPECT_EQ(dlg.BitBtnOKClick(), nullptr);
  EXPECT_NE(dlg.result(), QDialog::Accepted);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, "'1-2' ist kein gültiger Integerwert");
  EXPECT_EQ(ShownMessages()[0].Type, mtError);
  EXPECT_EQ(Frame->Documents().size(), docs);
  EXPECT_EQ(Frame->NewImageNo, no);
  EXPECT_EQ(Frame->DocumentNo(), doc);
}

TEST_F(NewImageTest, TooLargeImageIsRefusedWithAMessage) {
  const size_t docs = Frame->Documents().size();
  const int no = Frame->NewImageNo;
  TfrmNewImage dlg(*Frame);
  dlg.EditWidth->setText("99999");
  dlg.EditHeight->setText("99999");
  EXPECT_EQ(dlg.BitBtnOKClick(), nullptr);
  Flush();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_TRUE(ShownMessages()[0].Text.contains("zu groß"));
  EXPECT_EQ(Frame->Documents().size(), docs);
  EXPECT_EQ(Frame->NewImageNo, no);

  // The same size in 1 bit fits.
  dlg.CBPixelFormat->setCurrentIndex(0);
  dlg.EditWidth->setText("20000");
  dlg.EditHeight->setText("20000");
  TfrmChild *big = dlg.BitBtnOKClick();
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->Bitmap().PixelFormat(), pf1bit);
  EXPECT_EQ(big->Bitmap().GetPixel(19999, 19999), clWhite);
}

} // namespace
} // namespace tessaro::test
