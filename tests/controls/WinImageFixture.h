// A floating image control on a shown parent, with mouse and key events sent
// through the window as the platform sends them, its events recorded, and
// the popup menus it opens answered by caption.
#pragma once

#include "../common/TestUtil.h"
#include "controls/LUMWinImage.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tessaro::test {

inline void FlushEvents() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// A 24-bit picture whose pixels all differ from their neighbours.
inline TBitmap Pattern(int w, int h) {
  TBitmap bmp(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetPixel(x, y, RGB(uint8_t(x * 7), uint8_t(y * 11), uint8_t((x ^ y) * 3)));
  return bmp;
}

class WinImageTest : public ::testing::Test {
protected:
  void SetUp() override {
    Parent = std::make_unique<QWidget>();
    Parent->resize(600, 400);
    Image = MakeImage(QRect(20, 30, 108, 58));
    Parent->show();
    FlushEvents();
  }
  void TearDown() override {
    Parent.reset();
    FlushEvents();
  }

  TLUMWinImage *MakeImage(const QRect &bounds) {
    auto *image = new TLUMWinImage(Parent.get()); // owned by the parent
    image->SetBitmap(Pattern(bounds.width() - 8, bounds.height() - 8));
    image->setGeometry(bounds);
    image->OnMove = [this](QObject *, int x, int y) { Moves.push_back(QPoint(x, y)); };
    image->OnAfterResize = [this](QObject *, int w, int h) { Resizes.push_back(QSize(w, h)); };
    image->OnDelete = [this](QObject *) { ++Deletes; };
    image->OnKeyUp = [this](QObject *, int key, TShiftState) { KeysUp.push_back(key); };
    image->OnMouseDown = [this](QObject *, TMouseButton b, TShiftState, int, int) { Downs.push_back(b); };
    image->show();
    return image;
  }

  // Mouse events at a point of the image control (its own coordinates).
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
    Origin = Image ? Image->pos() : QPoint();
    Mouse(QEvent::MouseButtonPress, p, b, b);
  }
  void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, p, Qt::NoButton, held);
  }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton);
  }
  void Hover(QPoint p) {
    Origin = Image->pos();
    Move(p, Qt::NoButton);
  }
  void Drag(QPoint from, QPoint by) {
    Press(from);
    Move(from + by / 2);
    Move(from + by);
    Release(from + by);
  }
  void Key(int key, bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(Image, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(Image, &release);
    QApplication::processEvents();
  }

  // The next popup menu that opens: its captions are recorded (submenus
  // after their parent entry), then the entry with the caption is chosen
  // (none: the menu is closed).
  void AnswerNextMenu(const QString &caption) {
    auto *timer = new QTimer(Parent.get());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, caption] {
      auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
      if (!menu)
        return;
      timer->stop();
      timer->deleteLater();
      MenuCaptions.clear();
      QAction *chosen = Collect(menu, caption);
      ++MenusShown;
      if (chosen)
        chosen->trigger();
      menu->close();
    });
    timer->start();
  }
  QAction *Collect(QMenu *menu, const QString &caption) {
    QAction *found = nullptr;
    for (QAction *a : menu->actions()) {
      if (a->isSeparator())
        continue;
      MenuCaptions << a->text();
      if (a->menu()) {
        if (QAction *sub = Collect(a->menu(), caption))
          found = sub;
      } else if (a->text() == caption) {
        found = a;
      }
    }
    return found;
  }

  std::unique_ptr<QWidget> Parent;
  QPointer<TLUMWinImage> Image;
  QPoint Origin;
  unsigned long Timestamp = 1000;
  std::vector<QPoint> Moves;
  std::vector<QSize> Resizes;
  std::vector<int> KeysUp;
  std::vector<TMouseButton> Downs;
  int Deletes = 0;
  int MenusShown = 0;
  QStringList MenuCaptions;
};

} // namespace tessaro::test
