// The main of the user-interface benchmarks: a QApplication on the offscreen
// platform, the core hooks installed and message boxes answered by
// themselves.
#pragma once

#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunUiBenchmarks(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  tessaro::InstallQtCoreHooks();
  tessaro::SetAutoAnswers(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
