// Copy, cut and paste through the desktop's clipboard (the offscreen
// platform keeps one in the process): round trips keep every pixel, cut
// leaves the paper colour, pasted pictures become floating images, and
// pictures that carry alpha are laid on the paper colour.
#include "objects_fixture.h"

#include <QAction>
#include <QMimeData>

namespace tessaro::test {
namespace {

class ClipboardTest : public ObjectsTest {
protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    Load(Pattern(120, 90));
    Doc->SetPaperColor(RGB(0, 128, 255));
  }
  void Mark(QPoint from, QPoint to) {
    Host.Attributes.Tool = dtMarkRect;
    Drag(from, {(from + to) / 2}, to);
  }
};

TEST_F(ClipboardTest, CopyWithoutMarkingTakesTheWholePicture) {
  Doc->mnuCopyClick();
  EXPECT_TRUE(PixelsEqual(Clipboard(), *Before));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
  EXPECT_EQ(Steps(), 0);
}

TEST_F(ClipboardTest, CopyOfAnotherFormatGivesItsColours) {
  Load(Pattern(120, 90, pf8bit));
  Doc->mnuCopyClick();
  EXPECT_TRUE(PixelsEqual(Clipboard(), *Before));
}

TEST_F(ClipboardTest, CutLeavesThePaperColourAndUndoBringsTheMarkingBack) {
  Mark({20, 10}, {70, 40});
  const TBitmap framed(Doc->Bitmap());
  Doc->mnuCutClick();
  EXPECT_TRUE(PixelsEqual(Clipboard(), Area(*Before, TRect(20, 10, 70, 40))));
  TBitmap expected(*Before);
  FillMarking(expected.Canvas(), TRect(20, 10, 70, 40), TMarkShape(), RGB(0, 128, 255));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), expected));
  EXPECT_FALSE(Doc->MarkingExists());
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Ausschneiden)");
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), framed));
  EXPECT_EQ(Doc->MarkRect(), TRect(20, 10, 70, 40));
}

TEST_F(ClipboardTest, CutWithoutMarkingEmptiesThePicture) {
  Doc->mnuCutClick();
  EXPECT_TRUE(PixelsEqual(Clipboard(), *Before));
  for (QPoint p : {QPoint(0, 0), QPoint(119, 89), QPoint(60, 45)})
    EXPECT_EQ(Doc->Bitmap().GetPixel(p.x(), p.y()), RGB(0, 128, 255));
}

TEST_F(ClipboardTest, PasteMakesAFloatingImageOfTheSamePixels) {
  Mark({10, 20}, {110, 70});
  Doc->mnuCopyClick();
  Doc->mnuPasteClick();
  TLUMWinImageEx *image = Doc->ActiveWinImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->geometry(), QRect(0, 0, 108, 58));
  EXPECT_TRUE(PixelsEqual(image->Bitmap(), Area(*Before, TRect(10, 20, 110, 70))));
  EXPECT_TRUE(PixelsEqual(image->SourceBitmap(), image->Bitmap()));
  EXPECT_TRUE(image->Stretch());
  EXPECT_EQ(Host.ObjectPos, QPoint(4, 4));
  EXPECT_EQ(Host.ObjectSize, QSize(100, 50));
  EXPECT_TRUE(Host.ObjectToolBars);
  EXPECT_EQ(Host.Status[0], "X: 4");
  EXPECT_EQ(Host.Status[1], "Y: 4");
  // Pasting changes no pixel of the raster and records no step.
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
  EXPECT_EQ(Steps(), 1);
}

TEST_F(ClipboardTest, PicturesWithAlphaLieOnThePaperColour) {
  QImage picture(4, 2, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  picture.setPixelColor(1, 0, QColor(255, 0, 0));
  picture.setPixelColor(2, 1, QColor(0, 0, 255, 128));
  QGuiApplication::clipboard()->setImage(picture);
  Doc->mnuPasteClick();
  ASSERT_NE(Doc->ActiveWinImage(), nullptr);
  const TBitmap &b = Doc->ActiveWinImage()->Bitmap();
  EXPECT_EQ(b.GetPixel(0, 0), RGB(0, 128, 255));
  EXPECT_EQ(b.GetPixel(1, 0), RGB(255, 0, 0));
  const TColor half = b.GetPixel(2, 1);
  EXPECT_NEAR(GetRValue(half), 0, 1);
  EXPECT_NEAR(GetGValue(half), 64, 2);
  EXPECT_NEAR(GetBValue(half), 255, 1);
}

TEST_F(ClipboardTest, EmptyingTheClipboardTurnsPasteOff) {
  Doc->mnuCopyClick();
  Doc->mnuMainEditClick();
  EXPECT_TRUE(Doc->mnuPaste->isEnabled());
  EXPECT_TRUE(Doc->mnuClearClipBrd->isEnabled());
  Doc->mnuClearClipBrd->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(ClipboardHasBitmap());
  EXPECT_FALSE(Doc->mnuPaste->isEnabled());
  EXPECT_FALSE(Doc->ppMnuPaste->isEnabled());
  // Paste with nothing to paste does nothing.
  Doc->mnuPasteClick();
  EXPECT_EQ(Doc->ActiveWinImage(), nullptr);
}

TEST_F(ClipboardTest, AnObjectStartsWhereTheWindowIsScrolledTo) {
  Load(Pattern(900, 700));
  Doc->ScrollBox->SetScrollPos(200, 150);
  QApplication::processEvents();
  const QPoint scroll(Doc->ScrollBox->HorzScrollPos(), Doc->ScrollBox->VertScrollPos());
  ASSERT_NE(scroll, QPoint(0, 0));
  QGuiApplication::clipboard()->setImage(QImage(30, 20, QImage::Format_RGB32));
  Doc->mnuPasteClick();
  ASSERT_NE(Doc->ActiveWinImage(), nullptr);
  EXPECT_EQ(Doc->ActiveWinImage()->pos(), scroll);
  EXPECT_EQ(Host.ObjectPos, scroll + QPoint(4, 4));
}

} // namespace
} // namespace tessaro::test
