// "Vorschau": its buttons, the page laid out at one pixel per millimetre
// over the real widgets, the orientation button, the page setup opened from
// the preview, the frame's place taken on show and the help button.
#include "platform/ScreenMetrics.h"
#include "print/PageShape.h"
#include "print/PreviewWidgets.h"
#include "print/UnPreviewPrint.h"
#include "print/UnSetPageProp.h"

#include "print_test_util.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>

namespace tessaro::test {
namespace {

class PreviewTest : public PageSetupTestBase {
protected:
  std::unique_ptr<TfrmPreviewPrint> Make(QWidget *frame = nullptr) {
    TPrintSource source;
    source.Picture = &FPicture;
    source.Caption = QStringLiteral("Neu 1.bmp");
    source.PixelsPerMm = StandardReportPixelsPerMm;
    return std::make_unique<TfrmPreviewPrint>(source, frame);
  }

  TBitmap FPicture = SolidPicture(100, 50, RGB(200, 0, 0));
};

TEST_F(PreviewTest, ButtonsAndTitles) {
  auto form = Make();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Vorschau"));
  EXPECT_EQ(form->Report().Title, QStringLiteral("Tessaro [Neu 1.bmp]"));
  const struct {
    QAction *Button;
    const char *Caption;
    const char *Hint;
  } buttons[] = {{form->TBPrint, " &Drucken", "Drucken"},
                 {form->TBPaperFormat, "Querformat", "Zwischen Hoch- und Querformat wechseln"},
                 {form->TBSetting, "&Seite einrichten", "Seite einrichten"},
                 {form->TBHelp, "Hilfe", "Hilfe"},
                 {form->TBClose, "&Schließen", "Schließen"}};
  for (const auto &b : buttons) {
    EXPECT_EQ(b.Button->text(), QString::fromUtf8(b.Caption));
    EXPECT_EQ(b.Button->toolTip(), QString::fromUtf8(b.Hint));
    EXPECT_NE(form->ToolBar->widgetForAction(b.Button), nullptr);
  }
  EXPECT_EQ(form->Picture().size(), QSize(100, 50));
}

TEST_F(PreviewTest, PicturePixelsAreScreenPixels) {
  const TScreenMetrics pinned = ScreenMetrics();
  SetScreenMetrics(TScreenMetrics{200, 150, 1000, 750});
  TPrintSource source;
  source.Picture = &FPicture;
  TfrmPreviewPrint form(source);
  EXPECT_DOUBLE_EQ(form.Report().PixelsPerMm, 5);
  EXPECT_DOUBLE_EQ(form.Report().ImageMm().width(), 20) << "100 pixels of a 5-pixel-per-millimetre screen";
  SetScreenMetrics(pinned);
}

TEST_F(PreviewTest, PageIsLaidOutOnePixelPerMillimetre) {
  TPageSetup setup;
  setup.ResizeImage = true;
  setup.Headline = QStringLiteral("Kopf");
  setup.Bottomline = QStringLiteral("Fuß");
  WritePageSetup(setup);
  auto form = Make();
  form->resize(800, 700);
  form->show();
  const int label = form->lbPreviewTop->fontMetrics().height();
  EXPECT_EQ(form->panPreview->size(), QSize(210, 297));
  EXPECT_EQ(form->lbPreviewTop->geometry(), QRect(15, 5, 180, label));
  EXPECT_EQ(form->lbPreviewTop->Caption(), QStringLiteral("Kopf"));
  EXPECT_EQ(form->lbPreviewBottom->geometry(), QRect(15, 297 - label - 5, 180, label));
  EXPECT_EQ(form->lbPreviewBottom->Caption(), QStringLiteral("Fuß"));
  EXPECT_EQ(form->ShapePreview->geometry(), QRect(15, 5, 180, 287));
  EXPECT_EQ(form->ShapePreview->PenStyle(), Qt::DotLine);
  EXPECT_EQ(form->ShapeRightMargin->geometry(), QRect(195, 0, 17, 299));
  EXPECT_EQ(form->ShapeBottomMargin->geometry(), QRect(0, 292, 212, 7));
  EXPECT_EQ(form->ImagePreview->geometry().left(), 15);
  EXPECT_EQ(form->ImagePreview->width(), 179);
  EXPECT_EQ(form->ImagePreview->height(), 89);
  // Centred in the scroll box while it is smaller.
  const QRect inViewport(form->panPreview->mapTo(form->ScrollBox->viewport(), QPoint(0, 0)), QSize(210, 297));
  EXPECT_NEAR(inViewport.center().x(), form->ScrollBox->viewport()->rect().center().x(), 1);
  EXPECT_NEAR(inViewport.center().y(), form->ScrollBox->viewport()->rect().center().y(), 1);

  // The grabbed page: white paper, the red picture inside the dotted area.
  const QImage page = form->panPreview->grab().toImage();
  EXPECT_EQ(page.pixelColor(5, 150), QColor(Qt::white));
  EXPECT_EQ(page.pixelColor(100, form->ImagePreview->geometry().center().y()), QColor(200, 0, 0));
}

TEST_F(PreviewTest, MarginCoversHideAPictureLargerThanThePage) {
  FPicture = SolidPicture(3000, 2000, RGB(200, 0, 0));
  auto form = Make();
  form->show();
  const QImage page = form->panPreview->grab().toImage();
  EXPECT_EQ(page.pixelColor(100, 100), QColor(200, 0, 0));
  EXPECT_EQ(page.pixelColor(200, 100), QColor(Qt::white)) << "right margin";
  EXPECT_EQ(page.pixelColor(100, 292), QColor(Qt::white)) << "bottom margin";
}

TEST_F(PreviewTest, OrientationButtonTogglesOnlyThisForm) {
  auto form = Make();
  form->show();
  form->TBPaperFormat->trigger();
  EXPECT_EQ(form->TBPaperFormat->text(), QStringLiteral("&Hochformat"));
  EXPECT_TRUE(form->Report().Page.Landscape);
  EXPECT_EQ(form->panPreview->size(), QSize(297, 210));
  form->TBPaperFormat->trigger();
  EXPECT_EQ(form->TBPaperFormat->text(), QStringLiteral("&Querformat"));
  EXPECT_FALSE(form->Report().Page.Landscape);
  EXPECT_EQ(form->panPreview->size(), QSize(210, 297));
  EXPECT_FALSE(PageSetupStored());
}

TEST_F(PreviewTest, StoredLandscapeStartsInLandscape) {
  TPageSetup setup;
  setup.Landscape = true;
  WritePageSetup(setup);
  auto form = Make();
  EXPECT_EQ(form->TBPaperFormat->text(), QStringLiteral("&Hochformat"));
  form->show();
  EXPECT_EQ(form->panPreview->size(), QSize(297, 210));
}

TEST_F(PreviewTest, PageSetupFromThePreviewIsAppliedAtOnce) {
  auto form = Make();
  form->show();
  bool seen = false;
  QTimer::singleShot(0, [&seen] {
    auto *setup = qobject_cast<TfrmSetPageProp *>(QApplication::activeModalWidget());
    ASSERT_NE(setup, nullptr);
    seen = true;
    setup->EditMargLeft->setText(QStringLiteral("4"));
    setup->EditHeadLine->setText(QStringLiteral("Neu gesetzt"));
    setup->BitBtnOK->click();
  });
  form->TBSetting->trigger();
  EXPECT_TRUE(seen);
  EXPECT_DOUBLE_EQ(form->Report().Page.LeftMargin, 40);
  EXPECT_EQ(form->lbPreviewTop->Caption(), QStringLiteral("Neu gesetzt"));
  EXPECT_EQ(form->ShapePreview->geometry().left(), 40);
}

TEST_F(PreviewTest, ShowTakesTheFramesPlace) {
  QWidget frame;
  frame.setGeometry(40, 50, 640, 480);
  frame.show();
  auto form = Make(&frame);
  form->show();
  EXPECT_EQ(form->size(), frame.size());
  form->TBClose->trigger();
  EXPECT_FALSE(form->isVisible());
}

TEST_F(PreviewTest, HelpButtonOpensItsTopic) {
  auto form = Make();
  form->TBHelp->trigger();
  ASSERT_NE(HelpViewerWindow(), nullptr);
  EXPECT_EQ(HelpViewerWindow()->CurrentTopic(), QStringLiteral("Grundfunktionen.Seitenansicht"));
}

} // namespace
} // namespace tessaro::test
