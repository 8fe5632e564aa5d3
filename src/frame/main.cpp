// The program entry: the Qt application with the core hooks and the text
// rasteriser installed, then the frame.
#include "frame/UnMain.h"
#include "platform/QtHooks.h"
#include "platform/text/QtTextRasterizer.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tessaro");
  tessaro::InstallQtCoreHooks();
  tessaro::InstallQtTextRasterizer();
  tessaro::TfrmMain frame;
  frame.CommandLine = QApplication::arguments();
  frame.show();
  return app.exec();
}
