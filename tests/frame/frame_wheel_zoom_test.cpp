// The mouse wheel over a document: Ctrl steps the zoom list and keeps the
// image point under the mouse in place, the plain wheel scrolls vertically,
// Shift + wheel horizontally.
#include "frame_fixture.h"

#include <QComboBox>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

namespace tessaro::test {
namespace {

class FrameWheel : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    Doc = First();
    Doc->Bitmap().SetSize(1000, 800);
    Frame->SubWindowOf(Doc)->resize(420, 340);
    Flush();
  }
  // One notch (or delta) of the wheel at a point of the image control, as
  // the platform delivers it (so that it travels up to the scroll box).
  void Wheel(QPoint at, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPointF global = Doc->Image->mapToGlobal(QPointF(at));
    QWheelEvent e(QPointF(at), global, QPoint(), QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase,
                  false);
    // sendEvent would mark it as the program's own, which never travels up.
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::instance()->notify(Doc->Image, &e);
    Flush();
  }
  // The image point shown at a point of the scroll box's viewport.
  QPointF ImageAt(QPoint viewport) const {
    const QPointF control =
        QPointF(viewport) - QPointF(Doc->Image->mapTo(Doc->ScrollBox->viewport(), QPoint(0, 0)));
    return control * 100.0 / Doc->Zoom();
  }
  QPoint ViewportPos(QPoint imageControl) const {
    return Doc->Image->mapTo(Doc->ScrollBox->viewport(), imageControl);
  }
  TfrmChild *Doc = nullptr;
};

TEST_F(FrameWheel, CtrlWheelStepsThroughTheZoomList) {
  ASSERT_EQ(Doc->Zoom(), 100);
  const int steps[] = {120, 120, -120, -120, -120};
  const int zooms[] = {110, 120, 110, 100, 95};
  for (size_t i = 0; i < std::size(steps); ++i) {
    Wheel(QPoint(50, 50), steps[i], Qt::ControlModifier);
    EXPECT_EQ(Doc->Zoom(), zooms[i]) << i;
  }
  EXPECT_EQ(Frame->CBZoom->currentText().trimmed(), "95 %");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(7), "95 %");
  // Half notches add up; the list ends at its last entries.
  Wheel(QPoint(50, 50), 60, Qt::ControlModifier);
  EXPECT_EQ(Doc->Zoom(), 95);
  Wheel(QPoint(50, 50), 60, Qt::ControlModifier);
  EXPECT_EQ(Doc->Zoom(), 100);
  for (int i = 0; i < 30; ++i)
    Wheel(QPoint(5, 5), -120, Qt::ControlModifier);
  EXPECT_EQ(Doc->Zoom(), 10);
}

TEST_F(FrameWheel, ZoomKeepsTheImagePointUnderTheMouse) {
  // A typed zoom between two entries steps to the neighbour entry.
  Frame->CBZoom->setEditText("212 %");
  Flush();
  ASSERT_EQ(Doc->Zoom(), 212);
  Doc->ScrollBox->SetScrollPos(300, 200);
  Flush();
  const QPoint mouse(ViewportPos(QPoint(450, 330)));
  const QPointF before = ImageAt(mouse);
  Wheel(Doc->Image->mapFrom(Doc->ScrollBox->viewport(), mouse), 120, Qt::ControlModifier);
  ASSERT_EQ(Doc->Zoom(), 225);
  QPointF after = ImageAt(mouse);
  EXPECT_NEAR(after.x(), before.x(), 1.0);
  EXPECT_NEAR(after.y(), before.y(), 1.0);
  Wheel(Doc->Image->mapFrom(Doc->ScrollBox->viewport(), mouse), -120, Qt::ControlModifier);
  Wheel(Doc->Image->mapFrom(Doc->ScrollBox->viewport(), mouse), -120, Qt::ControlModifier);
  ASSERT_EQ(Doc->Zoom(), 190);
  after = ImageAt(mouse);
  EXPECT_NEAR(after.x(), before.x(), 1.0);
  EXPECT_NEAR(after.y(), before.y(), 1.0);
}

TEST_F(FrameWheel, WheelOverAnotherDocumentZoomsThatOne) {
  TfrmChild *other = Frame->CreateBlankDocument();
  Flush();
  ASSERT_EQ(Frame->ActiveChild(), other);
  Wheel(QPoint(10, 10), 120, Qt::ControlModifier);
  EXPECT_EQ(Frame->ActiveChild(), Doc);
  EXPECT_EQ(Doc->Zoom(), 110);
  EXPECT_EQ(other->Zoom(), 100);
}

TEST_F(FrameWheel, PlainWheelScrollsDownAndShiftWheelSideways) {
  QScrollBar *vert = Doc->ScrollBox->verticalScrollBar();
  QScrollBar *horz = Doc->ScrollBox->horizontalScrollBar();
  ASSERT_GT(vert->maximum(), 0);
  ASSERT_GT(horz->maximum(), 0);
  Wheel(QPoint(20, 20), -120);
  EXPECT_GT(vert->value(), 0);
  EXPECT_EQ(horz->value(), 0);
  const int v = vert->value();
  Wheel(QPoint(20, 20), -120, Qt::ShiftModifier);
  EXPECT_GT(horz->value(), 0);
  EXPECT_EQ(vert->value(), v);
  EXPECT_EQ(Doc->Zoom(), 100);
  Wheel(QPoint(20, 20), 120);
  EXPECT_LT(vert->value(), v);
}

} // namespace
} // namespace tessaro::test
