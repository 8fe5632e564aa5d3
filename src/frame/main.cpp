// The program entry: the Qt application with the core hooks and the text
// rasteriser installed, then the frame.
#include "frame/UnMain.h"
#include "platform/QtHooks.h"
#if __has_include("platform/text/QtTextRasterizer.h")
#include "platform/text/QtTextRasterizer.h"
#define TESSARO_HAVE_TEXT_RASTERIZER 1
#endif

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tessaro");
  tessaro::InstallQtCoreHooks();
#ifdef TESSARO_HAVE_TEXT_RASTERIZER
  tessaro::InstallQtTextRasterizer();
#endif
  tessaro::TfrmMain frame;
  frame.CommandLine = QApplication::arguments();
  frame.show();
  return app.exec();
}
