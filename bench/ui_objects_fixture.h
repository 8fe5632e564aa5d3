// A shown main frame with one new document, for the benchmarks of floating
// objects; the document closes without asking when it goes.
#pragma once

#include "document/UnChild.h"
#include "frame/UnMain.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include <filesystem>
#include <string>

namespace tessaro {

struct TFrame {
  TfrmMain Frame;
  TfrmChild *Doc = nullptr;
  TFrame(int w, int h) {
    Frame.resize(1400, 1200);
    Frame.show();
    Doc = Frame.CreateNewImage(w, h, pf24bit, clWhite);
    if (Doc && Doc->parentWidget())
      Doc->parentWidget()->resize(1200, 1000);
    QApplication::processEvents();
  }
  ~TFrame() {
    if (Doc)
      Doc->SetModified(false);
    for (TfrmChild *d : Frame.Documents())
      d->SetCloseAgreed();
  }
  void Mouse(QWidget *over, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QWindow *win = Frame.windowHandle();
    const QPoint global = over->mapToGlobal(pos);
    QMouseEvent e(type, win->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(win, &e);
  }
};

// Takes away the undo snapshots of a document's cache folder.
inline void RemoveSnapshots(const std::string &dir) {
  std::error_code ec;
  for (const auto &e : std::filesystem::directory_iterator(dir, ec))
    if (e.path().extension() == ".bmp")
      std::filesystem::remove(e.path(), ec);
}

} // namespace tessaro
