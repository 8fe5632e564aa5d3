#include "platform/QtHooks.h"

#include "core/Hooks.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QThread>

namespace tessaro {

namespace {
QElapsedTimer GSinceEvents;
int GIntervalMs = 20;

// Only the user-interface thread runs events and sets cursors; a raster
// routine on a worker thread gets no-ops.
bool OnGuiThread() {
  QCoreApplication *app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

bool HaveWidgets() {
  return OnGuiThread() && qobject_cast<QApplication *>(QCoreApplication::instance());
}
} // namespace

void ProcessMessagesNow() {
  if (!OnGuiThread())
    return;
  QCoreApplication::processEvents();
  GSinceEvents.restart();
}

void InstallQtCoreHooks(int intervalMs) {
  GIntervalMs = intervalMs < 0 ? 0 : intervalMs;
  GSinceEvents.start();
  TCoreHooks hooks;
  hooks.ProcessMessages = [] {
    // Pixel loops call this every few rows: only a clock read unless the
    // interval has passed.
    if (!GSinceEvents.isValid() || GSinceEvents.elapsed() >= GIntervalMs)
      ProcessMessagesNow();
  };
  hooks.BeginWaitCursor = [] {
    if (HaveWidgets())
      QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  };
  hooks.EndWaitCursor = [] {
    if (HaveWidgets())
      QApplication::restoreOverrideCursor();
  };
  SetCoreHooks(std::move(hooks));
}

} // namespace tessaro
