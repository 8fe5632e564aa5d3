// The program entry: the Qt application with the core hooks and the text
// rasteriser installed, then the frame.
#include "frame/UnMain.h"
#include "platform/QtHooks.h"
#include "platform/text/QtTextRasterizer.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tessaro");
  // The program speaks German: Qt's own dialogs (colours, files) and the
  // window menus of the documents too.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::German), "qtbase", "_",
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  tessaro::InstallQtCoreHooks();
  tessaro::InstallQtTextRasterizer();
  tessaro::TfrmMain frame;
  frame.CommandLine = QApplication::arguments();
  frame.show();
  return app.exec();
}
