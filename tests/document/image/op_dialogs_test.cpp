// Each operation dialog with its own controls: settings made through its
// edits, track bars, lists and clicks on the original; the preview equals
// the routine on the reduced copy and OK equals the routine on the whole
// picture with the same settings.
#include "image_fixture.h"

#include "core/Canvas.h"
#include "ops/LUMGraphics.h"
#include "ops/dialogs/ColorShape.h"
#include "ops/dialogs/OpPicture.h"
#include "ops/dialogs/SizeEdits.h"
#include "ops/dialogs/TrackEdit.h"
#include "ops/dialogs/UnBlur.h"
#include "ops/dialogs/UnChangePalette.h"
#include "ops/dialogs/UnContrast.h"
#include "ops/dialogs/UnFrostedGlass.h"
#include "ops/dialogs/UnIntensity.h"
#include "ops/dialogs/UnLight.h"
#include "ops/dialogs/UnReplaceColors.h"
#include "ops/dialogs/UnResizeImage.h"
#include "ops/dialogs/UnResizePaper.h"
#include "ops/dialogs/UnRotate.h"
#include "ops/dialogs/UnSkew.h"
#include "ops/dialogs/UnSmoothColors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <fstream>

namespace tessaro::test {
namespace {

using Routine = std::function<bool(TBitmap *)>;

class OpDialogs : public ImageTest {
protected:
  void SetUp() override {
    ImageTest::SetUp();
    // The frame shows the active document's paper colour.
    Doc->SetPaperColor(Paper());
    Show(Pattern(61, 43));
    EXPECT_EQ(Frame->panPaperColor->Color(), Paper());
    Picture = Doc->Bitmap();
  }
  // Types into an edit and presses Enter.
  static void Type(QLineEdit *edit, const QString &text) {
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  // The preview equals the routine on the reduced copy.
  static bool PreviewIs(const TOpDialog &d, const Routine &routine) {
    TBitmap b = d.ReducedCopy();
    return routine(&b) && SamePixels(d.PreviewBitmap(), b);
  }
  // OK: the document holds the routine's result on the whole picture, the
  // undo step has the caption, and the dialog is gone.
  void ExpectOK(TOpDialog *d, const Routine &routine, const char *caption) {
    QPointer<TOpDialog> alive(d);
    TBitmap expected = Picture;
    ASSERT_TRUE(routine(&expected));
    d->BitBtnOK->click();
    Flush();
    EXPECT_TRUE(alive.isNull());
    EXPECT_TRUE(SamePixels(Doc->Bitmap(), expected));
    EXPECT_EQ(UndoHint(), QString("Rückgängig (") + QString::fromUtf8(caption) + ")");
  }
  TColor Paper() const { return RGB(250, 240, 10); }
  TBitmap Picture;
};

TEST_F(OpDialogs, Light) {
  auto *d = Open<TfrmLight>();
  Type(d->EditLight, "100");
  const Routine r = [](TBitmap *b) { return ApplyBrightness(b, 100); };
  EXPECT_TRUE(PreviewIs(*d, r));
  ExpectOK(d, r, "Helligkeit ändern");
}

TEST_F(OpDialogs, LightZeroRecordsAStepAndChangesNothing) {
  auto *d = Open<TfrmLight>();
  ExpectOK(
      d, [](TBitmap *) { return true; }, "Helligkeit ändern");
}

TEST_F(OpDialogs, Contrast) {
  auto *d = Open<TfrmContrast>();
  d->TrackBarContrast->setValue(255 - 150);
  EXPECT_EQ(d->EditContrast->text(), "-150");
  const Routine r = [](TBitmap *b) { return ContrastBitmap(b, -150); };
  EXPECT_TRUE(PreviewIs(*d, r));
  ExpectOK(d, r, "Kontrast ändern");
}

TEST_F(OpDialogs, Intensity) {
  auto *d = Open<TfrmIntensity>();
  Type(d->EditRed, "-300");
  Type(d->EditBlue, "300");
  d->TrackBarGreen->setValue(255 + 17);
  EXPECT_EQ(d->TrackBarRed->value(), 0);
  EXPECT_EQ(d->TrackBarBlue->value(), 510);
  EXPECT_EQ(d->EditRed->text(), "-255");
  EXPECT_EQ(d->EditGreen->text(), "17");
  const Routine r = [](TBitmap *b) { return ApplyIntensity(b, -255, 17, 255); };
  EXPECT_TRUE(PreviewIs(*d, r));
  ExpectOK(d, r, "Farbton ändern");
}

TEST_F(OpDialogs, Skew) {
  auto *d = Open<TfrmSkew>();
  EXPECT_EQ(d->EditX->text(), "0,000");
  Type(d->EditX, "0,5");
  Type(d->EditY, "5");
  EXPECT_EQ(d->TrackBarX->value(), 2500);
  EXPECT_EQ(d->TrackBarY->value(), 4000);
  EXPECT_EQ(d->EditY->text(), "2");
  d->TrackBarY->setValue(2000 - 1250);
  EXPECT_EQ(d->EditY->text(), "-1,25");
  Type(d->EditY, "-7");
  EXPECT_EQ(d->EditY->text(), "-2");
  const TColor paper = Paper();
  const Routine r = [paper](TBitmap *b) { return SkewBitmap(b, paper, 0.5f, -2.0f); };
  EXPECT_TRUE(PreviewIs(*d, r));
  ExpectOK(d, r, "Verzerren");
}

TEST_F(OpDialogs, ReplaceColors) {
  auto *d = Open<TfrmReplaceColors>();
  // Left picks the colour to replace, right the replacement, middle nothing.
  const TColor a = d->ReducedCopy().GetPixel(10, 10), b = d->ReducedCopy().GetPixel(30, 20);
  QTest::mouseClick(d->ImageOrig, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseClick(d->ImageOrig, Qt::RightButton, {}, QPoint(30, 20));
  QTest::mouseClick(d->ImageOrig, Qt::MiddleButton, {}, QPoint(5, 5));
  // Beside the reduced copy (61 x 43 fits as 145 x 102): nothing.
  QTest::mouseClick(d->ImageOrig, Qt::LeftButton, {}, QPoint(20, 140));
  EXPECT_EQ(d->ShapeOldCl->Color(), a);
  EXPECT_EQ(d->ShapeNewCl->Color(), b);
  const Routine r = [a, b](TBitmap *bmp) { return ReplaceColor(bmp, a, b); };
  EXPECT_TRUE(PreviewIs(*d, r));
  // The buttons open the colour dialog for the field beside them.
  TOpDialog::SetColorDialogHook([](TColor &c) {
    c = clBlack;
    return true;
  });
  d->SpBtnOldColor->click();
  EXPECT_EQ(d->ShapeNewCl->Color(), clBlack);
  EXPECT_EQ(d->ShapeOldCl->Color(), a);
  const Routine black = [a](TBitmap *bmp) { return ReplaceColor(bmp, a, clBlack); };
  EXPECT_TRUE(PreviewIs(*d, black));
  ExpectOK(d, black, "Farben ersetzen");
}

TEST_F(OpDialogs, FrostedGlass) {
  auto *d = Open<TfrmFrostedGlass>();
  EXPECT_EQ(d->EditFG->text(), "0 %");
  Type(d->EditFG, "50 %");
  EXPECT_EQ(d->EditFG->text(), "50 %");
  Type(d->EditFG, "150");
  EXPECT_EQ(d->TrackBarFG->value(), 0);
  d->TrackBarFG->setValue(50);
  TOpDialog::SetColorDialogHook([](TColor &c) {
    c = clBlack;
    return true;
  });
  QTest::mouseClick(d->ShapeColor, Qt::LeftButton);
  EXPECT_EQ(d->ShapeColor->Color(), clBlack);
  EXPECT_EQ(TfrmFrostedGlass::Amount(50), 127);
  EXPECT_EQ(TfrmFrostedGlass::Amount(100), 0);
  const Routine r = [](TBitmap *b) { return FogBitmap(b, clBlack, 127); };
  EXPECT_TRUE(PreviewIs(*d, r));
  ExpectOK(d, r, "Milchglaseffekt");
}

TEST_F(OpDialogs, BlurPreviewsTheFractionOKTakesTheWholeRadius) {
  auto *d = Open<TfrmBlur>();
  EXPECT_TRUE(PreviewIs(*d, [](TBitmap *b) { return BlurBitmap(b, 0.1f); }));
  Type(d->EditBlur, "25");
  EXPECT_TRUE(PreviewIs(*d, [](TBitmap *b) { return BlurBitmap(b, 2.5f); }));
  Type(d->EditBlur, "991");
  EXPECT_EQ(d->TrackBarBlur->value(), 1);
  d->TrackBarBlur->setValue(25);
  ExpectOK(
      d, [](TBitmap *b) { return BlurBitmap(b, 2); }, "Unschärfe");
  // Positions 1 and 19 blur the document alike.
  Doc->UndoStep();
  Show(Picture);
  auto *d19 = Open<TfrmBlur>();
  d19->TrackBarBlur->setValue(19);
  ExpectOK(
      d19, [](TBitmap *b) { return BlurBitmap(b, 1); }, "Unschärfe");
}

TEST_F(OpDialogs, ChangePalette) {
  auto *d = Open<TfrmChangePalette>();
  EXPECT_EQ(d->CBStdPalettes->currentText(), "Regenbogen");
  EXPECT_EQ(d->CBConvertion->currentText(), "Gewichtiges RGB");
  EXPECT_TRUE(PreviewIs(*d, [](TBitmap *b) { return PaletteMapBitmap(b, 5, 3, false, 0, 0, 1); }));
  d->CBConvertion->setCurrentIndex(4);
  d->CBStdPalettes->setCurrentIndex(1);
  EXPECT_TRUE(PreviewIs(*d, [](TBitmap *b) { return PaletteMapBitmap(b, 4, 1, false, 0, 0, 1); }));
  // A factor bar means the custom palette.
  d->TrackBarH->setValue(250);
  EXPECT_EQ(d->EditH->text(), "0,50");
  EXPECT_TRUE(d->ChBUseHSL->isChecked());
  Type(d->EditS, "3");
  EXPECT_EQ(d->TrackBarS->value(), 400);
  EXPECT_EQ(d->EditS->text(), "2,00");
  Type(d->EditL, "-0,755");
  EXPECT_EQ(d->TrackBarL->value(), 124);
  const Routine custom = [](TBitmap *b) { return PaletteMapBitmap(b, 4, 1, true, 0.5f, 2.0f, -0.76f); };
  EXPECT_TRUE(PreviewIs(*d, custom));
  // Choosing a standard palette leaves the custom one.
  d->CBStdPalettes->setCurrentIndex(2);
  EXPECT_FALSE(d->ChBUseHSL->isChecked());
  // Typing a factor chooses it again.
  d->EditH->setFocus();
  QTest::keyClick(d->EditH, Qt::Key_1);
  EXPECT_TRUE(d->ChBUseHSL->isChecked());
  d->EditH->setText("0,5");
  QTest::keyClick(d->EditH, Qt::Key_Return);
  // Closing asks whether to save the custom palette; No saves nothing.
  int saveDialogs = 0;
  TfrmChangePalette::SetFileDialogHook([&](bool) {
    ++saveDialogs;
    return QString();
  });
  ClearShownMessages();
  QueueAnswer(mrNo);
  ExpectOK(
      d, [](TBitmap *b) { return PaletteMapBitmap(b, 4, 2, true, 0.5f, 2.0f, -0.76f); }, "Palette ändern");
  TfrmChangePalette::SetFileDialogHook(nullptr);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, "Benutzerdefinierte Farbpalette speichern?");
  EXPECT_EQ(ShownMessages()[0].Type, mtInformation);
  EXPECT_EQ(saveDialogs, 0);
}

TEST_F(OpDialogs, ChangePaletteSavesAndLoadsTheCustomPalette) {
  TTempDir dir;
  const QString file = QString::fromStdString(dir.File("mein.hsl"));
  TfrmChangePalette::SetFileDialogHook([&](bool) { return file; });
  auto *d = Open<TfrmChangePalette>();
  QPointer<TfrmChangePalette> alive(d);
  d->TBSave->click();
  std::ifstream in(file.toStdString());
  std::string line, last;
  while (std::getline(in, line))
    last = line;
  EXPECT_EQ(last, "0,00*0,00*1,00\r");

  d->TrackBarH->setValue(0);
  d->TrackBarL->setValue(120);
  d->ChBUseHSL->setChecked(false);
  d->TBOpen->click();
  EXPECT_EQ(d->TrackBarH->value(), 200);
  EXPECT_EQ(d->TrackBarS->value(), 200);
  EXPECT_EQ(d->TrackBarL->value(), 300);
  EXPECT_TRUE(d->ChBUseHSL->isChecked());
  EXPECT_TRUE(PreviewIs(*d, [](TBitmap *b) { return PaletteMapBitmap(b, 5, 3, true, 0, 0, 1); }));

  // A file that is no palette: a message, the factors before the fault.
  std::ofstream(dir.File("kaputt.hsl")) << "[Contents]\r\n0,25*x-1*1\r\n";
  const QString broken = QString::fromStdString(dir.File("kaputt.hsl"));
  TfrmChangePalette::SetFileDialogHook([&](bool) { return broken; });
  ClearShownMessages();
  d->TBOpen->click();
  EXPECT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(d->TrackBarH->value(), 225);
  EXPECT_EQ(d->TrackBarS->value(), 200);
  EXPECT_FALSE(d->FBusy);

  // Closing with the custom box checked: Yes saves.
  const QString closing = QString::fromStdString(dir.File("zu.hsl"));
  TfrmChangePalette::SetFileDialogHook([&](bool save) { return save ? closing : QString(); });
  QueueAnswer(mrYes);
  d->BitBtnCancel->click();
  Flush();
  TfrmChangePalette::SetFileDialogHook(nullptr);
  EXPECT_TRUE(alive.isNull());
  EXPECT_TRUE(std::filesystem::exists(closing.toStdString()));
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
}

TEST_F(OpDialogs, SmoothColorsDefaultsAndPlaces) {
  Show(Pattern(400, 300));
  Picture = Doc->Bitmap();
  auto *d = Open<TfrmSmoothColors>();
  EXPECT_EQ(d->ShapeStartColor->Color(), clYellow);
  EXPECT_EQ(d->ShapeEndColor->Color(), clAqua);
  EXPECT_EQ(d->CBOrient->currentText(), "Vertikal");
  EXPECT_EQ(d->CBHeight->currentText(), "Ganze Höhe");
  EXPECT_EQ(d->CBWidth->currentText(), "Auto");
  // The preview at the box's scale: 145 x 108, a strip 14 wide.
  EXPECT_TRUE(
      PreviewIs(*d, [](TBitmap *b) { return DrawGradient(b, clYellow, clAqua, 1, 14, 108, 0, 0, 0); }));
  // A press on the original places the gradient there (in image pixels).
  QTest::mouseClick(d->ImageOrig, Qt::LeftButton, {}, QPoint(29, 58));
  EXPECT_EQ(d->CBXPos->currentText(), "80");
  EXPECT_EQ(d->CBYPos->currentText(), "160");
  d->CBXPos->setCurrentIndex(1); // Mitte
  d->CBWidth->setEditText("0");  // a strip one pixel wide
  d->CBHeight->setCurrentIndex(1);
  d->CBOrient->setCurrentIndex(1);
  d->TrackBarTransp->setValue(50);
  EXPECT_EQ(d->EditTransp->text(), "50 %");
  ExpectOK(
      d, [](TBitmap *b) { return DrawGradient(b, clYellow, clAqua, 0, 1, 30, 199, 160, 50); }, "Farbverlauf");
}

TEST_F(OpDialogs, SmoothColorsDefaultStrip) {
  Show(Pattern(400, 300));
  Picture = Doc->Bitmap();
  auto *d = Open<TfrmSmoothColors>();
  TOpDialog::SetColorDialogHook([](TColor &c) {
    c = clRed;
    return true;
  });
  d->SpBtnEndColor->click();
  EXPECT_EQ(d->ShapeEndColor->Color(), clRed);
  ExpectOK(
      d, [](TBitmap *b) { return DrawGradient(b, clYellow, clRed, 1, 40, 300, 0, 0, 0); }, "Farbverlauf");
  // The strip: 40 wide at the left, the rest untouched.
  EXPECT_EQ(Doc->Bitmap().GetPixel(39, 0), clYellow);
  EXPECT_EQ(Doc->Bitmap().GetPixel(40, 0), Picture.GetPixel(40, 0));
}

TEST_F(OpDialogs, RotateAboutTheCentreOrAClickedPoint) {
  Show(Pattern(30, 40));
  Picture = Doc->Bitmap();
  auto *d = Open<TfrmRotate>();
  Type(d->EditAngel, "90°");
  EXPECT_EQ(d->TrackBarAngel->value(), 90);
  EXPECT_EQ(d->EditAngel->text(), "90°");
  Type(d->EditAngel, "-5");
  EXPECT_EQ(d->TrackBarAngel->value(), 0);
  d->TrackBarAngel->setValue(90);
  const TColor paper = Paper();
  const float box = OpPictureBox;
  EXPECT_TRUE(PreviewIs(*d, [&](TBitmap *b) {
    RotateBitmap(b, true, paper, 90, -1, -1);
    return ResizeBitmap(b, sftLinear, paper, float(box / b->Width() * 100), float(box / b->Height() * 100));
  }));
  ExpectOK(
      d, [paper](TBitmap *b) { return RotateBitmap(b, true, paper, 90, -1, -1); }, "Frei drehen");
  EXPECT_EQ(Doc->Bitmap().Width(), 50);

  // A click on the original sets the point (image pixels in the edits,
  // preview pixels for the preview); "Papiergröße anpassen" off keeps the
  // size.
  Doc->UndoStep();
  Show(Picture);
  d = Open<TfrmRotate>();
  QTest::mouseClick(d->ImageOrig, Qt::LeftButton, {}, QPoint(20, 40));
  EXPECT_EQ(d->EditRPX->text(), "6");
  EXPECT_EQ(d->EditRPY->text(), "11");
  EXPECT_EQ(d->FRotPoint, TPoint(20, 40));
  d->ChBSizePaper->click();
  d->TrackBarAngel->setValue(45);
  EXPECT_TRUE(PreviewIs(*d, [&](TBitmap *b) { return RotateBitmap(b, false, paper, 45, 20, 40); }));
  Type(d->EditRPX, "-1");
  EXPECT_TRUE(PreviewIs(*d, [&](TBitmap *b) { return RotateBitmap(b, false, paper, 45, -1, 40); }));
  ExpectOK(
      d, [paper](TBitmap *b) { return RotateBitmap(b, false, paper, 45, -1, 11); }, "Frei drehen");
  EXPECT_EQ(Doc->Bitmap().Width(), 30);
}

TEST_F(OpDialogs, ResizeImageByPixelsAndPercent) {
  Show(Pattern(640, 480));
  Picture = Doc->Bitmap();
  auto *d = Open<TfrmResizeImage>();
  EXPECT_EQ(d->ImageOrig, nullptr);
  EXPECT_EQ(d->CBFilter->currentText(), "Linear");
  EXPECT_EQ(d->Size->EditWidthPx->text(), "640");
  EXPECT_EQ(d->Size->EditHeightPx->text(), "480");
  EXPECT_EQ(d->Size->EditWidthPC->text(), "100");
  d->Size->EditWidthPx->selectAll();
  QTest::keyClicks(d->Size->EditWidthPx, "100");
  EXPECT_EQ(d->Size->EditWidthPC->text(), "16");
  EXPECT_EQ(d->Size->EditHeightPx->text(), "77");
  EXPECT_EQ(d->Size->EditHeightPC->text(), "16");
  const TColor paper = Paper();
  ExpectOK(
      d, [paper](TBitmap *b) { return ResizeBitmap(b, sftLinear, paper, 16, 16); }, "Bildgröße ändern");
  EXPECT_EQ(Doc->Bitmap().Width(), 102);
  EXPECT_EQ(Doc->Bitmap().Height(), 76);
}

TEST_F(OpDialogs, ResizeImagePercentWithoutAspectAndBadSizes) {
  Show(Pattern(101, 101));
  Picture = Doc->Bitmap();
  auto *d = Open<TfrmResizeImage>();
  QPointer<TfrmResizeImage> alive(d);
  d->Size->ChBProp->click(); // off
  d->Size->EditHeightPC->setText("50");
  EXPECT_EQ(d->Size->EditHeightPx->text(), "50");
  EXPECT_EQ(d->Size->EditWidthPx->text(), "101");
  d->Size->ChBProp->click(); // on: the width follows the height's percentage
  EXPECT_EQ(d->Size->EditWidthPC->text(), "50");
  EXPECT_EQ(d->Size->EditWidthPx->text(), "50");
  // Text that is no number: a message, and the edits keep answering.
  ClearShownMessages();
  d->Size->EditWidthPx->setText("1-2");
  EXPECT_EQ(ShownMessages().size(), 1u);
  d->Size->EditWidthPx->setText("10");
  EXPECT_EQ(d->Size->EditWidthPC->text(), "10");
  // Nothing left of the picture, and more than memory holds: refused.
  ResetBeepCount();
  d->Size->EditWidthPC->setText("0");
  d->BitBtnOK->click();
  EXPECT_EQ(BeepCount(), 1);
  d->Size->EditWidthPC->setText("9000000");
  ClearShownMessages();
  d->BitBtnOK->click();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_TRUE(ShownMessages()[0].Text.contains("zu groß"));
  EXPECT_FALSE(alive.isNull());
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), Picture));
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
  // 50 % x 50 % of 101 x 101 is 50 x 50; every filter name but the first
  // resamples alike.
  d->Size->EditWidthPC->setText("50");
  d->CBFilter->setCurrentText("Mitchell");
  const TColor paper = Paper();
  ExpectOK(
      d, [paper](TBitmap *b) { return ResizeBitmap(b, sftLinear, paper, 50, 50); }, "Bildgröße ändern");
  EXPECT_EQ(Doc->Bitmap().Width(), 50);
}

TEST_F(OpDialogs, ResizeImageToOnePixel) {
  Show(Pattern(100, 100));
  Picture = Doc->Bitmap();
  auto *d = Open<TfrmResizeImage>();
  d->Size->EditWidthPC->setText("1");
  EXPECT_EQ(d->Size->EditHeightPC->text(), "1");
  const TColor paper = Paper();
  ExpectOK(
      d, [paper](TBitmap *b) { return ResizeBitmap(b, sftLinear, paper, 1, 1); }, "Bildgröße ändern");
  EXPECT_EQ(Doc->Bitmap().Width(), 1);
  EXPECT_EQ(Doc->Bitmap().Height(), 1);
}

TEST_F(OpDialogs, ResizeImageAsksAboutDimensionLines) {
  Doc->SetDimensioned(true);
  int opened = 0;
  TOpDialog::SetRunner([&](TOpDialog &) { ++opened; });
  QueueAnswer(mrNo);
  Doc->mnuSizeImage->trigger();
  EXPECT_EQ(opened, 0);
  QueueAnswer(mrYes);
  Doc->mnuSizeImage->trigger();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(ShownMessages().size(), 2u);
}

TEST_F(OpDialogs, ResizePaperWithItsAnchors) {
  Show(Pattern(64, 48), pf8bit);
  Picture = Doc->Bitmap();
  auto *d = Open<TfrmResizePaper>();
  EXPECT_EQ(d->CBImgPos->currentText(), "Oben Links");
  EXPECT_EQ(d->CBImgPos->count(), 9);
  d->Size->EditWidthPx->setText("80");
  EXPECT_EQ(d->Size->EditHeightPx->text(), "60");
  d->CBImgPos->setCurrentIndex(4);
  // The preview shows the new paper at the box's scale: the 145 x 108 copy
  // stands for 80 x 60, the picture 116 x 86 (Round(108 / 1.25)) in the
  // middle.
  const TColor paper = Paper();
  TBitmap expected(d->ReducedCopy().Width(), d->ReducedCopy().Height(), pf24bit);
  {
    TCanvas &c = expected.Canvas();
    c.Pen.Color = paper;
    c.Brush.Color = paper;
    c.Rectangle(0, 0, expected.Width(), expected.Height());
    c.StretchDraw(TRect(14, 11, 14 + 116, 11 + 86), Doc->Bitmap());
  }
  EXPECT_TRUE(SamePixels(d->PreviewBitmap(), expected));
  // Width 0: a beep, the dialog stays.
  QPointer<TfrmResizePaper> alive(d);
  d->Size->ChBProp->click();
  d->Size->EditWidthPx->setText("0");
  ResetBeepCount();
  d->BitBtnOK->click();
  EXPECT_EQ(BeepCount(), 1);
  ASSERT_FALSE(alive.isNull());
  // Paper beyond memory: a message, the dialog stays.
  d->Size->EditWidthPx->setText("100000");
  d->Size->EditHeightPx->setText("100000");
  ClearShownMessages();
  d->BitBtnOK->click();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text,
            "Ein Bild mit 100000 x 100000 Pixeln ist zu groß und kann nicht angelegt werden!");
  ASSERT_FALSE(alive.isNull());
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
  d->Size->EditWidthPx->setText("80");
  d->Size->EditHeightPx->setText("60");
  // The paper change works in the document's own format.
  ExpectOK(
      d, [paper](TBitmap *b) { return ChangePaperSize(b, 80, 60, 4, paper); }, "Papiergröße ändern");
  EXPECT_EQ(Doc->Bitmap().PixelFormat(), pf8bit);
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), Picture));
}

} // namespace
} // namespace tessaro::test
