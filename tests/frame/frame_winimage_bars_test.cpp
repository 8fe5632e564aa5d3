// "Bewegliche Objekte" and "Transparenz" acting on the current floating
// image: typed positions and sizes (read leniently, with the window
// scrolled), the status texts, the cross-fade after moves and from its
// edit, the see-through button and colour following the current object,
// the combine button with its combine type, and beeps without an object.
#include "../common/TestUtil.h"
#include "document/objects/CrossFade.h"
#include "frame/UpDown.h"
#include "frame_fixture.h"
#include "ops/LUMGraphics.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace tessaro::test {
namespace {

TBitmap Picture(int w, int h) {
  TBitmap bmp(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetPixel(x, y, RGB(uint8_t(x * 5), uint8_t(y * 3), uint8_t(77 + x + y)));
  return bmp;
}

class WinImageBars : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    Doc = First();
    Doc->Bitmap().Assign(Picture(400, 300));
    Flush();
  }
  // Types text into an emptied edit and presses Enter.
  static void Type(QLineEdit *edit, const QString &text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  TToolBarWinImage &Bar() { return Frame->ToolBarWinImage; }
  TToolBarTransp &Transp() { return Frame->ToolBarTransp; }
  QString Panel(int i) { return Frame->StatusBarChild->PanelText(i); }

  TfrmChild *Doc = nullptr;
};

TEST_F(WinImageBars, TheBarsCarryTheirControls) {
  EXPECT_EQ(Bar().Bar->windowTitle(), "Bewegliche Objekte");
  EXPECT_EQ(Transp().Bar->windowTitle(), "Transparenz");
  QStringList items;
  for (int i = 0; i < Bar().CBWinImagComineType->count(); ++i)
    items << Bar().CBWinImagComineType->itemText(i);
  EXPECT_EQ(items, QStringList({"Standard", "Hinzufügen", "Invertierte Subtraktion", "XOR Invertierung",
                                "Subtraktion", "Invertiertes Kopieren", "Quellmuster Subtraktion",
                                "Quellmuster Kopieren", "Quellmuster Invertieren", "Quellmuster Zeichnen",
                                "Kombinierte  Addition", "Kombinierte Subtraktion", "Invertieren", "Schwarz",
                                "Weiß"}));
  EXPECT_EQ(Bar().CBWinImagComineType->currentIndex(), 0);
  const std::tuple<TUpDown *, QLineEdit *, int, int> spinners[] = {
      {Bar().UpDownWinImgXPos, Bar().EditWinImgX, -9999, 9999},
      {Bar().UpDownWinImgYPos, Bar().EditWinImgY, 0, 10000},
      {Bar().UpDownWinImgYWidth, Bar().EditWinImgWidth, -9999, 9999},
      {Bar().UpDownWinImgYHeigth, Bar().EditWinImgHeight, -9999, 9999},
  };
  for (const auto &[upDown, edit, min, max] : spinners) {
    EXPECT_EQ(upDown->Min(), min) << Hint(edit).toStdString();
    EXPECT_EQ(upDown->Max(), max) << Hint(edit).toStdString();
    EXPECT_EQ(edit->text(), "0");
  }
  EXPECT_EQ(Hint(Bar().EditWinImgX), "X Position in Pixel");
  EXPECT_EQ(Bar().SpBtnWinImgCombine->text(), "Mit Hintergrund kombinieren");
  EXPECT_EQ(Transp().TrackBarWinImgTransp->maximum(), 100);
  EXPECT_EQ(Transp().TrackBarWinImgTransp->tickInterval(), 10);
  EXPECT_EQ(Transp().EditWinImgTransp->text(), "0");
  EXPECT_FALSE(Transp().TBWinImgTransp->isChecked());
  EXPECT_EQ(Transp().ClPickCBWinImgTransp->ActiveColor(), clWhite);
}

TEST_F(WinImageBars, PositionEditsMoveTheObjectAndReadLeniently) {
  TLUMWinImageEx *image = Doc->InsertWinImage(Picture(100, 50));
  Flush();
  EXPECT_EQ(Bar().EditWinImgX->text(), "4");
  // Typed text, what the edit shows after Enter, where the control lies.
  const std::tuple<const char *, const char *, int> xs[] = {
      {"120", "120", 116}, {"12a", "12", 8}, {" -7 px", "-7", -11}, {"123456", "9999", 9995}};
  for (const auto &[typed, shown, left] : xs) {
    Type(Bar().EditWinImgX, typed);
    EXPECT_EQ(Bar().EditWinImgX->text(), shown) << typed;
    EXPECT_EQ(image->Left(), left) << typed;
  }
  Type(Bar().EditWinImgX, "120");
  Type(Bar().EditWinImgY, "60");
  EXPECT_EQ(image->pos(), QPoint(116, 56));
  // A quarter millimetre per pixel on the tests' screen.
  EXPECT_EQ(Panel(0), "X: 120 (30,00 mm)");
  EXPECT_EQ(Panel(1), "Y: 60 (15,00 mm)");
  EXPECT_EQ(Panel(2), "H: 50 (12,50 mm)");
  EXPECT_EQ(Panel(3), "B: 100 (25,00 mm)");
  // The spinner steps from the number shown and moves at once.
  Bar().UpDownWinImgYPos->UpButton()->click();
  EXPECT_EQ(Bar().EditWinImgY->text(), "61");
  EXPECT_EQ(image->Top(), 57);
  // A rest that is no number leaves the object where it is.
  Type(Bar().EditWinImgX, "1-2");
  ASSERT_FALSE(ShownMessages().empty());
  EXPECT_EQ(ShownMessages().back().Text, "'1-2' ist kein gültiger Integerwert");
  EXPECT_EQ(image->Left(), 116);
  EXPECT_EQ(BeepCount(), 0);
}

TEST_F(WinImageBars, PositionsCountTheScrolledAwayPart) {
  Doc->Bitmap().Assign(Picture(1400, 1200));
  Flush();
  Doc->ScrollBox->SetScrollPos(200, 150);
  Flush();
  const QPoint scroll(Doc->ScrollBox->HorzScrollPos(), Doc->ScrollBox->VertScrollPos());
  ASSERT_GT(scroll.x(), 0);
  ASSERT_GT(scroll.y(), 0);
  TLUMWinImageEx *image = Doc->InsertWinImage(Picture(30, 20));
  Flush();
  EXPECT_EQ(Bar().EditWinImgX->text(), QString::number(scroll.x() + 4));
  Type(Bar().EditWinImgX, "300");
  Type(Bar().EditWinImgY, "250");
  // 300 pixels into the picture, that is 300 - scroll from the window's edge.
  EXPECT_EQ(image->mapTo(Doc->ScrollBox->viewport(), QPoint(4, 4)), QPoint(300, 250) - scroll);
  EXPECT_EQ(Panel(0), "X: 300 (75,00 mm)");
  EXPECT_EQ(Panel(1), "Y: 250 (62,50 mm)");
  // Combined, it lands where the edits said.
  Bar().SpBtnWinImgCombine->click();
  Flush();
  EXPECT_EQ(Doc->Bitmap().GetPixel(300 + 7, 250 + 3), Picture(30, 20).GetPixel(7, 3));
}

TEST_F(WinImageBars, SizeEditsResampleThePictureAsInserted) {
  const TBitmap source = Picture(100, 50);
  TLUMWinImageEx *image = Doc->InsertWinImage(source);
  Flush();
  auto resampled = [&source](int w, int h) {
    TBitmap b(source);
    ResizeBitmap(&b, sftNearest, clWhite, ExactResizePercent(100, w), ExactResizePercent(50, h));
    return b;
  };
  Type(Bar().EditWinImgWidth, "30 px");
  EXPECT_EQ(Bar().EditWinImgWidth->text(), "30");
  EXPECT_EQ(image->size(), QSize(38, 58));
  EXPECT_TRUE(PixelsEqual(image->Bitmap(), resampled(30, 50)));
  EXPECT_EQ(Panel(3), "B: 30 (7,50 mm)");
  // Growing again starts from the inserted pixels, not from the shrunk ones.
  Type(Bar().EditWinImgWidth, "150");
  Bar().UpDownWinImgYHeigth->UpButton()->click();
  EXPECT_EQ(Bar().EditWinImgHeight->text(), "51");
  EXPECT_EQ(image->size(), QSize(158, 59));
  EXPECT_TRUE(PixelsEqual(image->Bitmap(), resampled(150, 51)));
  // No inner size leaves an empty picture; a size typed later brings it back.
  Type(Bar().EditWinImgWidth, "-20");
  EXPECT_TRUE(image->Bitmap().Empty());
  EXPECT_LE(image->width(), 8);
  Type(Bar().EditWinImgWidth, "100");
  EXPECT_TRUE(PixelsEqual(image->Bitmap(), resampled(100, 51)));
  EXPECT_TRUE(PixelsEqual(image->SourceBitmap(), source));
}

TEST_F(WinImageBars, MovesReblendOnlyWhenTheTrackBarIsNotAtZero) {
  const TBitmap source = Picture(60, 40);
  TLUMWinImageEx *image = Doc->InsertWinImage(source);
  Type(Bar().EditWinImgX, "24");
  EXPECT_EQ(image->SharedBitmap(), image->SharedSourceBitmap());
  EXPECT_EQ(image->BlendLevel(), 0);

  Transp().TrackBarWinImgTransp->setValue(50);
  EXPECT_EQ(Transp().EditWinImgTransp->text(), "50");
  Type(Bar().EditWinImgX, "104");
  Type(Bar().EditWinImgY, "34");
  EXPECT_EQ(image->BlendLevel(), 50);
  // Opacity 128 over what lies under the new place.
  for (const QPoint p : {QPoint(0, 0), QPoint(30, 20), QPoint(59, 39)}) {
    const TColor s = source.GetPixel(p.x(), p.y());
    const TColor d = Doc->Bitmap().GetPixel(104 + p.x(), 34 + p.y());
    const TColor got = image->Bitmap().GetPixel(p.x(), p.y());
    EXPECT_NEAR(GetRValue(got), (GetRValue(s) * 128 + GetRValue(d) * 127) / 255, 1);
    EXPECT_NEAR(GetGValue(got), (GetGValue(s) * 128 + GetGValue(d) * 127) / 255, 1);
    EXPECT_NEAR(GetBValue(got), (GetBValue(s) * 128 + GetBValue(d) * 127) / 255, 1);
  }
  EXPECT_TRUE(PixelsEqual(image->SourceBitmap(), source));
}

TEST_F(WinImageBars, TheCrossFadeEditSetsTheTrackBar) {
  TLUMWinImageEx *image = Doc->InsertWinImage(Picture(60, 40));
  // Typed value, track bar position after Enter.
  const std::pair<const char *, int> cases[] = {{"30", 30}, {"150", 0}, {"7 %", 7}, {"-3", 0}, {"100", 100}};
  for (const auto &[typed, position] : cases) {
    Type(Transp().EditWinImgTransp, typed);
    EXPECT_EQ(Transp().TrackBarWinImgTransp->value(), position) << typed;
    EXPECT_EQ(Transp().EditWinImgTransp->text(), QString::number(position)) << typed;
    EXPECT_EQ(image->BlendLevel(), position) << typed;
  }
  // At 100 only the picture beneath shows.
  EXPECT_EQ(image->Bitmap().GetPixel(10, 10), Doc->Bitmap().GetPixel(14, 14));
}

TEST_F(WinImageBars, SeeThroughButtonAndColourFollowTheCurrentObject) {
  TLUMWinImageEx *a = Doc->InsertWinImage(Picture(60, 40));
  Frame->TBWinImgTranspClick();
  Transp().ClPickCBWinImgTransp->SetActiveColor(RGB(0, 255, 0));
  EXPECT_TRUE(a->Transparent());
  EXPECT_EQ(a->TransparentColor(), RGB(0, 255, 0));

  // A new object shows its own state; changing it leaves the first alone.
  TLUMWinImageEx *b = Doc->InsertWinImage(Picture(30, 30));
  EXPECT_FALSE(Transp().TBWinImgTransp->isChecked());
  EXPECT_EQ(Transp().ClPickCBWinImgTransp->ActiveColor(), clWhite);
  Transp().ClPickCBWinImgTransp->SetActiveColor(clRed);
  EXPECT_EQ(b->TransparentColor(), clRed);
  EXPECT_FALSE(b->Transparent());

  Doc->WinImageMouseDown(a, mbLeft, 0, 10, 10);
  EXPECT_TRUE(Transp().TBWinImgTransp->isChecked());
  EXPECT_EQ(Transp().ClPickCBWinImgTransp->ActiveColor(), RGB(0, 255, 0));
  EXPECT_EQ(a->TransparentColor(), RGB(0, 255, 0));
  EXPECT_EQ(b->TransparentColor(), clRed);
  Frame->TBWinImgTranspClick();
  EXPECT_FALSE(a->Transparent());
  EXPECT_EQ(BeepCount(), 0);
}

TEST_F(WinImageBars, TheCombineButtonUsesTheChosenCombineType) {
  TBitmap picture = Picture(40, 30);
  picture.SetPixel(5, 5, clWhite);
  TLUMWinImageEx *image = Doc->InsertWinImage(picture);
  image->SetTransparent(true);
  Type(Bar().EditWinImgX, "50");
  Type(Bar().EditWinImgY, "20");
  const TBitmap before(Doc->Bitmap());
  Bar().CBWinImagComineType->setCurrentIndex(3); // "XOR Invertierung"
  Bar().SpBtnWinImgCombine->click();
  Flush();
  EXPECT_TRUE(Doc->WinImages().empty());
  EXPECT_EQ(Doc->ActiveWinImage(), nullptr);
  EXPECT_FALSE(Bar().Bar->isVisible());
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      const bool inside = x >= 50 && x < 90 && y >= 20 && y < 50 && !(x == 55 && y == 25);
      const TColor expected =
          inside ? (picture.GetPixel(x - 50, y - 20) ^ before.GetPixel(x, y)) : before.GetPixel(x, y);
      ASSERT_EQ(Doc->Bitmap().GetPixel(x, y), expected) << x << "," << y;
    }
}

TEST_F(WinImageBars, WithoutACurrentObjectTheControlsBeep) {
  Frame->ToolBarWinImage.Bar->show();
  Frame->ToolBarTransp.Bar->show();
  const TBitmap before(Doc->Bitmap());
  const int steps = Doc->Undo().UndoIndex();
  auto everyControl = [this] {
    for (QLineEdit *edit :
         {Bar().EditWinImgX, Bar().EditWinImgY, Bar().EditWinImgWidth, Bar().EditWinImgHeight}) {
      QTest::keyClick(edit, Qt::Key_5);
      QTest::keyClick(edit, Qt::Key_Return);
    }
    for (TUpDown *upDown : {Bar().UpDownWinImgXPos, Bar().UpDownWinImgYPos, Bar().UpDownWinImgYWidth,
                            Bar().UpDownWinImgYHeigth})
      upDown->UpButton()->click();
    Frame->TBWinImgTranspClick();
    Transp().ClPickCBWinImgTransp->SetActiveColor(Transp().ClPickCBWinImgTransp->ActiveColor() ^ 0xFF);
    Bar().SpBtnWinImgCombine->click();
    // The cross-fade has nothing to blend: it only shows the value.
    Type(Transp().EditWinImgTransp, "40");
  };
  // A document without object, then no document at all.
  everyControl();
  EXPECT_EQ(BeepCount(), 8 + 4 + 3);
  EXPECT_EQ(Transp().TrackBarWinImgTransp->value(), 40);
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), before));
  EXPECT_EQ(Doc->Undo().UndoIndex(), steps);
  ASSERT_TRUE(CloseDocument(Doc));
  ASSERT_TRUE(Frame->Documents().empty());
  ResetBeepCount();
  everyControl();
  EXPECT_EQ(BeepCount(), 8 + 4 + 3);
  EXPECT_TRUE(ShownMessages().empty());
}

} // namespace
} // namespace tessaro::test
