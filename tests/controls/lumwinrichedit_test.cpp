// The text object control under real mouse events: its geometry and the
// editor's margins, the hit zones of its margin, the see-through margin,
// and pasting what the editor shows into a picture.
#include "../common/RichEditTestUtil.h"
#include "../common/TestUtil.h"
#include "FloatingObjectFixture.h"
#include "controls/LUMWinRichEdit.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace tessaro::test {
namespace {

TBitmap Filled(int w, int h, TColor c) {
  TBitmap bmp(w, h, pf24bit);
  bmp.Canvas().Brush.Color = c;
  bmp.Canvas().FillRect(TRect(0, 0, w, h));
  return bmp;
}

class RichEditTest : public FloatingObjectTest {
protected:
  void SetUp() override {
    FloatingObjectTest::SetUp();
    Object = new TLUMWinRichEdit(Parent.get()); // owned by the parent
    Object->move(20, 30);
    Object->OnMouseDown = [this](QObject *, TMouseButton b, TShiftState, int, int) { Downs.push_back(b); };
    Parent->show();
    FlushEvents();
  }
  QWidget *Control() const override { return Object; }

  void Type(const QString &text) {
    QTest::keyClicks(Object->RichEdit(), text);
    FlushEvents();
  }
  void Select(int from, int to) {
    QTextCursor c = Object->RichEdit()->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    Object->RichEdit()->setTextCursor(c);
  }

  QPointer<TLUMWinRichEdit> Object;
  std::vector<TMouseButton> Downs;
};

TEST_F(RichEditTest, EditorKeepsItsMarginsAndTheRegionFollowsTheSize) {
  EXPECT_EQ(Object->size(), QSize(200, 37));
  EXPECT_EQ(Object->RichEdit()->geometry(), QRect(8, 8, 176, 21));
  Object->SetTransparent(true);
  // The inside from (9, 9) to (191, 28), the frame's sizers; the rest of the
  // margin lets the clicks through to what lies beneath.
  const QRegion mask = Object->mask();
  for (QPoint kept : {QPoint(9, 9), QPoint(191, 28), QPoint(100, 18), QPoint(1, 0), QPoint(199, 36)})
    EXPECT_TRUE(mask.contains(kept)) << kept.x() << "," << kept.y();
  for (QPoint cut : {QPoint(8, 25), QPoint(192, 28), QPoint(100, 29), QPoint(30, 6)})
    EXPECT_FALSE(mask.contains(cut)) << cut.x() << "," << cut.y();
  EXPECT_EQ(Parent->childAt(QPoint(20 + 8, 30 + 25)), nullptr);

  Drag(QPoint(197, 34), QPoint(100, 43)); // the bottom-right corner
  EXPECT_EQ(Object->geometry(), QRect(20, 30, 300, 80));
  EXPECT_EQ(Object->RichEdit()->geometry(), QRect(8, 8, 276, 64));
  EXPECT_TRUE(Object->mask().contains(QPoint(291, 71)));
  EXPECT_FALSE(Object->mask().contains(QPoint(292, 71)));

  Object->SetTransparent(false);
  EXPECT_TRUE(Object->mask().isEmpty());
}

TEST_F(RichEditTest, MarginMovesAndResizesWithTheHitZones) {
  Hover(QPoint(188, 18)); // the right margin beside the editor
  EXPECT_EQ(Object->cursor().shape(), Qt::SizeAllCursor);
  Hover(QPoint(196, 18));
  EXPECT_EQ(Object->cursor().shape(), Qt::SizeHorCursor);
  Hover(QPoint(3, 3));
  EXPECT_EQ(Object->cursor().shape(), Qt::SizeFDiagCursor);

  Drag(QPoint(188, 18), QPoint(30, 20));
  EXPECT_EQ(Object->geometry(), QRect(50, 50, 200, 37));
  EXPECT_EQ(Object->cursor().shape(), Qt::ArrowCursor);
  Drag(QPoint(3, 18), QPoint(-10, 0)); // the left edge
  EXPECT_EQ(Object->geometry(), QRect(40, 50, 210, 37));
  EXPECT_EQ(Object->RichEdit()->geometry(), QRect(8, 8, 186, 21));

  // Every press is reported first; the right button moves nothing.
  Origin = Object->pos();
  Mouse(QEvent::MouseButtonPress, QPoint(198, 18), Qt::RightButton, Qt::RightButton);
  Mouse(QEvent::MouseMove, QPoint(150, 0), Qt::NoButton, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, QPoint(150, 0), Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(Object->geometry(), QRect(40, 50, 210, 37));
  EXPECT_EQ(Downs, (std::vector<TMouseButton>{mbLeft, mbLeft, mbRight}));
}

TEST_F(RichEditTest, PasteShowsWhatTheEditorShowsWithoutItsBackground) {
  Object->resize(260, 70);
  Type("Hallo Welt");
  Object->RichEdit()->append("zweite Zeile");
  Select(0, 5);
  Object->RichEdit()->SetSelStyle(fsBold, true);
  Object->RichEdit()->SetSelColor(clRed);
  Select(6, 10);
  Object->RichEdit()->SetSelSize(14);
  FlushEvents();
  Select(0, 0);
  const QImage shown = ShownByEditor(Object->RichEdit());
  ASSERT_EQ(shown.size(), QSize(236, 54));

  // A selection and the caret are not part of the picture.
  Select(0, 10);
  Object->RichEdit()->setFocus();
  const TBitmap before = Filled(400, 300, RGB(10, 120, 200));
  TBitmap target(before);
  EXPECT_TRUE(Object->PasteTextInto(&target, 100, 15, 25));
  const TBitmap expected = PastedOver(before, shown, 15, 25);
  EXPECT_FALSE(PixelsEqual(expected, before));
  EXPECT_TRUE(PixelsEqual(target, expected));
  // The object went.
  EXPECT_TRUE(Object->Deleted());
  FlushEvents();
  EXPECT_TRUE(Object.isNull());
}

TEST_F(RichEditTest, PasteAtZoomTwoHundredIsHalvedAndOnlyInto24Bit) {
  Object->resize(300, 80);
  Object->RichEdit()->setFontPointSize(20);
  Type("Halbe Breite");
  auto extent = [](const TBitmap &b) {
    QRect box;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        if (b.GetPixel(x, y) != RGB(10, 120, 200))
          box |= QRect(x, y, 1, 1);
    return box;
  };
  // Not into a picture of another format: the object stays.
  TBitmap grey(400, 300, pf8bit);
  EXPECT_FALSE(Object->PasteTextInto(&grey, 100, -1, -1));
  EXPECT_FALSE(Object->Deleted());

  const QImage shown = ShownByEditor(Object->RichEdit());
  TBitmap half = Filled(400, 300, RGB(10, 120, 200));
  QRect fullBox;
  for (int y = 2; y < shown.height() - 2; ++y)
    for (int x = 2; x < shown.width() - 2; ++x)
      if (shown.pixel(x, y) != qRgb(255, 255, 255))
        fullBox |= QRect(x - 2, y - 2, 1, 1);
  ASSERT_TRUE(Object->PasteTextInto(&half, 200, 10, 20));
  const QRect halfBox = extent(half);
  EXPECT_NEAR(halfBox.left(), 10 + fullBox.left() / 2, 1);
  EXPECT_NEAR(halfBox.top(), 20 + fullBox.top() / 2, 1);
  EXPECT_NEAR(halfBox.width(), fullBox.width() / 2, 1);
  EXPECT_NEAR(halfBox.height(), fullBox.height() / 2, 1);
}

} // namespace
} // namespace tessaro::test
