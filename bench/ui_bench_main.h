// The main of the user-interface benchmarks: a QApplication on the offscreen
// platform, the core hooks installed and message boxes answered by
// themselves.
#pragma once

#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

// atEnd runs after the benchmarks, while the application still exists.
inline int RunUiBenchmarks(int argc, char **argv, const std::function<void()> &atEnd = {}) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  tessaro::InstallQtCoreHooks();
  tessaro::SetAutoAnswers(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (atEnd)
    atEnd();
  return 0;
}
