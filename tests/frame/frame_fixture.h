// A fresh frame per test, shown on the offscreen platform, with message
// boxes answered from a queue and the cache folder cleared before and after.
#pragma once

#include "document/UnChild.h"
#include "document/UndoCache.h"
#include "frame/UnMain.h"
#include "platform/Beep.h"
#include "platform/Hints.h"
#include "platform/MessageDlg.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

#include <memory>

namespace tessaro::test {

// Runs posted events, deferred deletions included.
inline void Flush() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

class FrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    RemoveCacheFolder();
    SetAutoAnswers(true);
    ClearAnswers();
    ClearShownMessages();
    ResetBeepCount();
    Frame = std::make_unique<TfrmMain>();
    Frame->show();
    Flush();
  }
  void TearDown() override {
    Frame.reset();
    Flush();
    ClearAnswers();
    RemoveCacheFolder();
  }

  void Activate(TfrmChild *child) {
    Frame->MdiArea->setActiveSubWindow(Frame->SubWindowOf(child));
    Flush();
  }
  // Closes a document's window the way its close box does.
  bool CloseDocument(TfrmChild *child) {
    QMdiSubWindow *sub = Frame->SubWindowOf(child);
    const bool closed = sub->close();
    Flush();
    return closed;
  }
  TfrmChild *First() { return Frame->Documents().at(0); }

  std::unique_ptr<TfrmMain> Frame;
};

} // namespace tessaro::test
