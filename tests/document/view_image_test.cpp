// The image view: zoom, dirty-rectangle repaint, scroll positions and the
// order of the mouse events, with real widgets and mouse events delivered
// through the top-level window as the platform delivers them.
#include "document/ImageView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tessaro;

namespace {

std::string Name(TMouseButton b) {
  return b == mbLeft ? "L" : b == mbRight ? "R" : "M";
}

// Records the view's events as short texts.
struct TEventLog {
  std::vector<std::string> Events;
  explicit TEventLog(TImageView *v) {
    QObject::connect(v, &TImageView::ImageMouseDown, [this](TMouseButton b, TShiftState s, int x, int y) {
      Events.push_back("down " + Name(b) + ((s & ssDouble) ? " dbl " : " ") + std::to_string(x) + "," +
                       std::to_string(y));
    });
    QObject::connect(v, &TImageView::ImageMouseMove, [this](TShiftState s, int x, int y) {
      Events.push_back(std::string("move ") + ((s & ssLeft) ? "L " : "") + std::to_string(x) + "," +
                       std::to_string(y));
    });
    QObject::connect(v, &TImageView::ImageMouseUp, [this](TMouseButton b, TShiftState, int x, int y) {
      Events.push_back("up " + Name(b) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    QObject::connect(v, &TImageView::ImageClick, [this] { Events.push_back("click"); });
    QObject::connect(v, &TImageView::ImageDblClick, [this] { Events.push_back("dblclick"); });
  }
};

void ProcessFor(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms)
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A document-like window: the scroll box with a view on a 200 x 150 raster.
class ImageViewTest : public testing::Test {
protected:
  void SetUp() override {
    Bitmap = std::make_shared<TBitmap>(200, 150, pf24bit);
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x)
        Bitmap->SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), 128));
    Box = std::make_unique<TImageScrollBox>();
    Box->resize(320, 260);
    View = Box->View();
    View->SetBitmap(Bitmap);
    Box->show();
    QElapsedTimer t;
    t.start();
    while (View->PaintCount() == 0 && t.elapsed() < 2000)
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_GT(View->PaintCount(), 0);
    View->ResetPaintStats();
  }

  // Sends a mouse event to the top-level window at a point of the view.
  void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
             bool process = true) {
    QWindow *win = Box->window()->windowHandle();
    const QPoint global = View->mapToGlobal(pos);
    QMouseEvent e(type, win->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    e.setTimestamp(++Timestamp);
    QCoreApplication::sendEvent(win, &e);
    if (process)
      QApplication::processEvents();
  }
  // The platform reports the second press of a double click and then, in
  // the same breath, the double click itself.
  void SecondPress(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, p, b, b, false);
    Mouse(QEvent::MouseButtonDblClick, p, b, b);
  }
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { Mouse(QEvent::MouseButtonPress, p, b, b); }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton);
  }
  void Move(QPoint p, Qt::MouseButtons held) { Mouse(QEvent::MouseMove, p, Qt::NoButton, held); }

  std::shared_ptr<TBitmap> Bitmap;
  std::unique_ptr<TImageScrollBox> Box;
  TImageView *View = nullptr;
  unsigned long Timestamp = 1000;
};

TEST_F(ImageViewTest, ClickOrder) {
  TEventLog log(View);
  Move(QPoint(3, 4), Qt::NoButton);
  Press(QPoint(5, 5));
  Move(QPoint(6, 7), Qt::LeftButton);
  Release(QPoint(6, 7));
  EXPECT_EQ(log.Events,
            (std::vector<std::string>{"move 3,4", "down L 5,5", "move L 6,7", "click", "up L 6,7"}));
  EXPECT_EQ(View->LastMousePos(), QPoint(6, 7));
}

TEST_F(ImageViewTest, ReleaseOutsideGivesNoClick) {
  TEventLog log(View);
  Press(QPoint(190, 140));
  Move(QPoint(230, 145), Qt::LeftButton); // beyond the picture's right edge
  Release(QPoint(230, 145));
  EXPECT_EQ(log.Events, (std::vector<std::string>{"down L 190,140", "move L 230,145", "up L 230,145"}));
}

TEST_F(ImageViewTest, DoubleClickComesBeforeTheSecondPress) {
  TEventLog log(View);
  Press(QPoint(20, 30));
  Release(QPoint(20, 30));
  SecondPress(QPoint(20, 30));
  Release(QPoint(20, 30));
  EXPECT_EQ(log.Events, (std::vector<std::string>{"down L 20,30", "click", "up L 20,30", "dblclick",
                                                  "down L dbl 20,30", "up L 20,30"}));
  // A following single click is an ordinary one again.
  log.Events.clear();
  Press(QPoint(21, 30));
  Release(QPoint(21, 30));
  EXPECT_EQ(log.Events, (std::vector<std::string>{"down L 21,30", "click", "up L 21,30"}));
}

TEST_F(ImageViewTest, DoubleClickInPlaceOfTheSecondPress) {
  // Events sent to the widget itself may bring the double click instead of
  // the second press (as test tools do).
  TEventLog log(View);
  const QPoint p(20, 30);
  for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(Qt::LeftButton)},
                               std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons()},
                               std::pair{QEvent::MouseButtonDblClick, Qt::MouseButtons(Qt::LeftButton)},
                               std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons()}}) {
    QMouseEvent e(type, p, View->mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(View, &e);
    QApplication::processEvents();
  }
  EXPECT_EQ(log.Events, (std::vector<std::string>{"down L 20,30", "click", "up L 20,30", "dblclick",
                                                  "down L dbl 20,30", "up L 20,30"}));
}

TEST_F(ImageViewTest, HeldBackPressIsDeliveredWithoutFurtherInput) {
  TEventLog log(View);
  Press(QPoint(8, 9)); // processes pending events once
  EXPECT_EQ(log.Events, std::vector<std::string>{"down L 8,9"});
  Release(QPoint(8, 9));
}

TEST_F(ImageViewTest, OtherButtonsGiveNoClick) {
  TEventLog log(View);
  Press(QPoint(10, 10), Qt::RightButton);
  Release(QPoint(10, 10), Qt::RightButton);
  SecondPress(QPoint(10, 10), Qt::RightButton);
  Release(QPoint(10, 10), Qt::RightButton);
  EXPECT_EQ(log.Events,
            (std::vector<std::string>{"down R 10,10", "up R 10,10", "down R dbl 10,10", "up R 10,10"}));
}

TEST_F(ImageViewTest, ScrolledControlCoordinates) {
  View->SetZoom(400); // 800 x 600 inside the 320 x 260 box
  QApplication::processEvents();
  Box->SetScrollPos(100, 60);
  QApplication::processEvents();
  EXPECT_EQ(Box->HorzScrollPos(), 100);
  EXPECT_EQ(Box->VertScrollPos(), 60);
  TEventLog log(View);
  // The point 5, 7 of the visible area is control point 105, 67.
  const QPoint visible = View->mapFrom(Box->viewport(), QPoint(5, 7));
  Press(visible);
  Release(visible);
  EXPECT_EQ(log.Events.front(), "down L 105,67");
  EXPECT_EQ(View->ImagePoint(105, 67), QPoint(26, 16));
}

TEST_F(ImageViewTest, ZoomSizesTheControl) {
  struct {
    int Zoom;
    QSize Size;
  } cases[] = {{100, {200, 150}}, {50, {100, 75}}, {150, {300, 225}}, {1, {2, 1}}, {0, {2, 1}}, {-5, {2, 1}}};
  for (const auto &c : cases) {
    View->SetZoom(c.Zoom);
    EXPECT_EQ(View->size(), c.Size) << c.Zoom;
  }
  EXPECT_EQ(View->Zoom(), 1);
  // A raster that changes its size takes the control along at the same zoom.
  View->SetZoom(200);
  Bitmap->SetSize(50, 40);
  EXPECT_EQ(View->size(), QSize(100, 80));
}

TEST_F(ImageViewTest, RepaintFollowsTheChangedRectangle) {
  struct {
    int Zoom;
    TRect Changed;
    QRect Painted;
  } cases[] = {
      {100, TRect(50, 40, 51, 41), QRect(50, 40, 1, 1)},
      {100, TRect(10, 20, 30, 25), QRect(10, 20, 20, 5)},
      {300, TRect(10, 20, 11, 21), QRect(30, 60, 3, 3)},
      {150, TRect(3, 3, 4, 4), QRect(5, 5, 1, 1)}, // control 5 shows pixel 3, control 6 pixel 4
      {50, TRect(10, 20, 11, 21), QRect(5, 10, 1, 1)},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Zoom);
    View->SetZoom(c.Zoom);
    ProcessFor(30);
    View->ResetPaintStats();
    for (int y = c.Changed.Top; y < c.Changed.Bottom; ++y)
      for (int x = c.Changed.Left; x < c.Changed.Right; ++x)
        Bitmap->ScanLine(y)[3 * x + 2] = 255;
    Bitmap->Changed(c.Changed);
    ProcessFor(30);
    EXPECT_EQ(View->PaintedRegion(), QRegion(View->ControlRect(c.Changed)));
    EXPECT_EQ(View->ControlRect(c.Changed), c.Painted);
    EXPECT_GE(View->PaintCount(), 1);
  }
  // A pixel that is not shown at 50 % repaints nothing.
  View->ResetPaintStats();
  Bitmap->Changed(TRect(11, 21, 12, 22));
  ProcessFor(30);
  EXPECT_EQ(View->PaintCount(), 0);
}

TEST_F(ImageViewTest, ShowsEveryPixelFormatNearestNeighbour) {
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    SCOPED_TRACE(PixelFormatName(pf));
    TBitmap b(9, 6, pf24bit);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 9; ++x)
        b.SetPixel(x, y, (x + y) % 3 == 0 ? clWhite : RGB(uint8_t(x * 28), uint8_t(y * 40), 200));
    b.SetPixelFormat(pf);
    Bitmap->Assign(b);
    View->SetZoom(300);
    const QImage shot = View->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(27, 18));
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 27; ++x) {
        const TColor c = Bitmap->GetPixel(x / 3, y / 3);
        ASSERT_EQ(shot.pixel(x, y), qRgb(GetRValue(c), GetGValue(c), GetBValue(c))) << x << "," << y;
      }
  }
}

} // namespace
