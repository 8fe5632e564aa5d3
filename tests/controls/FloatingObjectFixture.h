// A floating object control on a shown parent, with mouse events sent
// through the window as the platform sends them.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

namespace tessaro::test {

inline void FlushEvents() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

class FloatingObjectTest : public ::testing::Test {
protected:
  // The parent is made here; the fixture adds its control and shows it.
  void SetUp() override {
    Parent = std::make_unique<QWidget>();
    Parent->resize(600, 400);
  }
  void TearDown() override {
    Parent.reset();
    FlushEvents();
  }

  // The control the gestures act on (null once it is gone).
  virtual QWidget *Control() const = 0;

  // Mouse events at a point of the control (its own coordinates), each a
  // second after the last, so that no two make a double click.
  void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QWindow *win = Parent->windowHandle();
    const QPoint global = Parent->mapToGlobal(Origin + pos);
    QMouseEvent e(type, win->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    e.setTimestamp(Timestamp += 1000);
    QCoreApplication::sendEvent(win, &e);
    QApplication::processEvents();
  }
  // Points are relative to where the control was when the gesture began.
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Origin = Control() ? Control()->pos() : QPoint();
    Mouse(QEvent::MouseButtonPress, p, b, b);
  }
  void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, p, Qt::NoButton, held);
  }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton);
  }
  void Hover(QPoint p) {
    Origin = Control()->pos();
    Move(p, Qt::NoButton);
  }
  void Drag(QPoint from, QPoint by) {
    Press(from);
    Move(from + by / 2);
    Move(from + by);
    Release(from + by);
  }

  std::unique_ptr<QWidget> Parent;
  QPoint Origin;
  unsigned long Timestamp = 1000;
};

} // namespace tessaro::test
