// "Seite einrichten": reading margins, first use, the nine values stored on
// OK and read back, cancel, bad stored values and bad margins, the date
// placeholder and the help button.
#include "platform/MessageDlg.h"
#include "print/PageShape.h"
#include "print/PaperSizes.h"
#include "print/UnSetPageProp.h"

#include "print_test_util.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace tessaro::test {
namespace {

using PageSetupDialogTest = PageSetupTestBase;

TEST(StrToCentimetres, ReadsLeniently) {
  const struct {
    const char *Text;
    double Value;
  } cases[] = {{"0,5", 0.5}, {"1.5", 1.5}, {"abc", 0}, {"-2", 2},      {"", 0},          {",", 0},
               {"2 cm", 2},  {",5", 0.5},  {"5,", 5},  {"1a,2b", 1.2}, {"0012,50", 12.5}};
  for (const auto &c : cases) {
    const std::optional<double> v = StrToCentimetres(QString::fromUtf8(c.Text));
    ASSERT_TRUE(v.has_value()) << c.Text;
    EXPECT_DOUBLE_EQ(*v, c.Value) << c.Text;
  }
  QString error;
  EXPECT_FALSE(StrToCentimetres(QStringLiteral("1,2,5"), &error).has_value());
  EXPECT_EQ(error, QStringLiteral("'1,2,5' ist kein gültiger Gleitkommawert"));
  EXPECT_FALSE(StrToCentimetres(QStringLiteral("1.2,5")).has_value());
}

TEST_F(PageSetupDialogTest, FirstUseShowsTheDefaults) {
  TfrmSetPageProp d;
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Seite einrichten"));
  EXPECT_EQ(d.size(), QSize(391, 343));
  EXPECT_EQ(d.EditMargTop->text(), QStringLiteral("0,5"));
  EXPECT_EQ(d.EditMargLeft->text(), QStringLiteral("1,5"));
  EXPECT_EQ(d.EditMargBottom->text(), QStringLiteral("0,5"));
  EXPECT_EQ(d.EditMargRight->text(), QStringLiteral("1,5"));
  ASSERT_EQ(d.CBPaperFormat->count(), PaperSizeCount);
  EXPECT_EQ(d.CBPaperFormat->itemText(0), QStringLiteral("Standard"));
  EXPECT_EQ(d.CBPaperFormat->itemText(26), QStringLiteral("ESheet (10,0 x 10,0 cm)"));
  EXPECT_EQ(d.CBPaperFormat->currentText(), QStringLiteral("DIN A4 (21,0 x 29,7 cm)"));
  EXPECT_TRUE(d.RBPortrait->isChecked());
  EXPECT_EQ(d.ShapeOrient->geometry(), QRect(24, 64, 33, 41));
  EXPECT_TRUE(d.RBSizeOriginal->isChecked());
  EXPECT_TRUE(d.EditHeadLine->text().isEmpty());
  EXPECT_TRUE(d.EditBottomLine->text().isEmpty());
  EXPECT_EQ(d.EditMargTop->accessibleName(), QStringLiteral("Oberer Rand in cm"));
  EXPECT_EQ(d.TBDateTime->accessibleName(), QStringLiteral("Datum und Uhrzeit einfügen"));
  EXPECT_TRUE(d.BitBtnOK->isDefault());
  EXPECT_FALSE(PageSetupStored()) << "opening writes nothing";
}

TEST_F(PageSetupDialogTest, OkStoresAllNineValuesAndTheDialogReadsThemBack) {
  {
    TfrmSetPageProp d;
    d.EditMargTop->setText(QStringLiteral("2,25"));
    d.EditMargLeft->setText(QStringLiteral("-3"));
    d.EditMargBottom->setText(QStringLiteral("abc"));
    d.EditMargRight->setText(QStringLiteral("1.75 cm"));
    d.CBPaperFormat->setCurrentIndex(11);
    d.RBLandscape->click();
    EXPECT_EQ(d.ShapeOrient->geometry(), QRect(16, 68, 49, 33));
    d.RBSizeResize->click();
    d.EditHeadLine->setText(QStringLiteral("Kopf [&DateTime]"));
    d.EditBottomLine->setText(QStringLiteral("Fuß"));
    d.BitBtnOK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
  }
  const TStoredPageSetup s = ReadPageSetup();
  EXPECT_DOUBLE_EQ(s.MarginTop.value(), 2.25);
  EXPECT_DOUBLE_EQ(s.MarginLeft.value(), 3);
  EXPECT_DOUBLE_EQ(s.MarginBottom.value(), 0);
  EXPECT_DOUBLE_EQ(s.MarginRight.value(), 1.75);
  EXPECT_EQ(s.PaperFormat.value(), 11);
  EXPECT_TRUE(s.Landscape.value());
  EXPECT_TRUE(s.ResizeImage.value());
  EXPECT_EQ(s.Headline.value(), QStringLiteral("Kopf [&DateTime]"));
  EXPECT_EQ(s.Bottomline.value(), QStringLiteral("Fuß"));
  WithPageSetupStore([](QSettings &st) {
    EXPECT_EQ(st.childKeys().size(), 9);
    EXPECT_EQ(st.value(QStringLiteral("Landscape")).toInt(), 1);
  });

  TfrmSetPageProp again;
  EXPECT_EQ(again.EditMargTop->text(), QStringLiteral("2,25"));
  EXPECT_EQ(again.EditMargLeft->text(), QStringLiteral("3"));
  EXPECT_EQ(again.EditMargBottom->text(), QStringLiteral("0"));
  EXPECT_EQ(again.EditMargRight->text(), QStringLiteral("1,75"));
  EXPECT_EQ(again.CBPaperFormat->currentIndex(), 11);
  EXPECT_TRUE(again.RBLandscape->isChecked());
  EXPECT_EQ(again.ShapeOrient->geometry(), QRect(16, 68, 49, 33));
  EXPECT_TRUE(again.RBSizeResize->isChecked());
  EXPECT_EQ(again.EditHeadLine->text(), QStringLiteral("Kopf [&DateTime]"));
  EXPECT_EQ(again.EditBottomLine->text(), QStringLiteral("Fuß"));
}

TEST_F(PageSetupDialogTest, CancelLeavesTheStoreUntouched) {
  TfrmSetPageProp d;
  d.EditMargTop->setText(QStringLiteral("3"));
  d.RBLandscape->click();
  d.BitBtnCancel->click();
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_FALSE(PageSetupStored());
}

TEST_F(PageSetupDialogTest, AMarginThatIsNoNumberWritesNothing) {
  ClearShownMessages();
  TfrmSetPageProp d;
  d.show();
  d.EditMargRight->setText(QStringLiteral("1,2,5"));
  d.BitBtnOK->click();
  EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
  EXPECT_FALSE(PageSetupStored()) << "not even the margins before it";
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, QStringLiteral("'1,2,5' ist kein gültiger Gleitkommawert"));
  EXPECT_EQ(ShownMessages()[0].Type, mtError);
  ClearShownMessages();
  d.close();
}

TEST_F(PageSetupDialogTest, BadStoredValuesLeaveTheDefaults) {
  WithPageSetupStore([](QSettings &s) {
    s.setValue(QStringLiteral("MarginTop"), QStringLiteral("abc"));
    s.setValue(QStringLiteral("MarginLeft"), -3.0);
    s.setValue(QStringLiteral("MarginRight"), QStringLiteral("inf"));
    s.setValue(QStringLiteral("PaperFormat"), 99);
    s.setValue(QStringLiteral("Landscape"), 7);
    s.setValue(QStringLiteral("ResizeImage"), QStringLiteral("vielleicht"));
  });
  TfrmSetPageProp d;
  EXPECT_EQ(d.EditMargTop->text(), QStringLiteral("0,5"));
  EXPECT_EQ(d.EditMargLeft->text(), QStringLiteral("1,5"));
  EXPECT_EQ(d.EditMargRight->text(), QStringLiteral("1,5"));
  EXPECT_EQ(d.CBPaperFormat->currentIndex(), 9);
  EXPECT_TRUE(d.RBLandscape->isChecked()) << "any non-zero integer is true";
  EXPECT_TRUE(d.RBSizeOriginal->isChecked());
}

TEST_F(PageSetupDialogTest, DatePlaceholderGoesIntoTheFocusedEdit) {
  TfrmSetPageProp d;
  d.show();
  QApplication::setActiveWindow(&d);
  d.TBDateTime->click();
  EXPECT_TRUE(d.EditHeadLine->text().isEmpty()) << "no edit has the focus";
  EXPECT_TRUE(d.EditBottomLine->text().isEmpty());

  d.EditHeadLine->setText(QStringLiteral("Stand: "));
  d.EditHeadLine->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(d.EditHeadLine->hasFocus());
  d.TBDateTime->click();
  EXPECT_TRUE(d.EditHeadLine->hasFocus()) << "the button takes no focus";
  EXPECT_EQ(d.EditHeadLine->text(), QStringLiteral("Stand: [&DateTime]"));

  d.EditBottomLine->setText(QStringLiteral("Seite XXX Ende"));
  d.EditBottomLine->setFocus();
  d.EditBottomLine->setSelection(6, 3);
  d.TBDateTime->click();
  EXPECT_EQ(d.EditBottomLine->text(), QStringLiteral("Seite [&DateTime] Ende"));
  EXPECT_EQ(d.EditHeadLine->text(), QStringLiteral("Stand: [&DateTime]"));
  d.close();
}

TEST_F(PageSetupDialogTest, HelpButtonOpensItsTopic) {
  TfrmSetPageProp d;
  d.BitBtnHelp->click();
  ASSERT_NE(HelpViewerWindow(), nullptr);
  EXPECT_EQ(HelpViewerWindow()->CurrentTopic(), QStringLiteral("Grundfunktionen.Seiteeinrichten"));
}

} // namespace
} // namespace tessaro::test
