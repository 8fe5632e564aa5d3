#include "platform/QtHooks.h"

#include "core/Hooks.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>

namespace tessaro {

namespace {
QElapsedTimer GSinceEvents;
int GIntervalMs = 20;
} // namespace

void ProcessMessagesNow() {
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
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
      QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  };
  hooks.EndWaitCursor = [] {
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
      QApplication::restoreOverrideCursor();
  };
  SetCoreHooks(std::move(hooks));
}

} // namespace tessaro
