// Test main for core tests that draw text: a Qt Gui application on the
// offscreen platform with the Qt text rasteriser installed.
#include "platform/text/QtTextRasterizer.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  tessaro::InstallQtTextRasterizer();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
