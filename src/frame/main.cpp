// The program entry. A start while the program runs hands its file to the
// running program and ends; the first start moves aside what a crashed run
// left, shows the splash screen, builds the frame and runs the event loop.
#include "frame/AppShell.h"
#include "frame/CrashRecovery.h"
#include "frame/PicturePreload.h"
#include "frame/UnMain.h"
#include "frame/UnSplashScreen.h"
#include "platform/FileAssociations.h"
#include "platform/HelpJump.h"
#include "platform/QtHooks.h"
#include "platform/SingleInstance.h"
#include "platform/text/QtTextRasterizer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <string>
#include <vector>

int main(int argc, char **argv) {
  using namespace tessaro;
  const std::vector<std::string> arguments(argv, argv + argc);
  // A later start needs no window system: it only talks to the running
  // program over its socket.
  const std::string socketPath = TSingleInstance::SocketPath();
  if (TSingleInstance::Reachable(socketPath)) {
    HandOverToRunningProgram(socketPath, arguments);
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("Tessaro");
  QApplication::setApplicationDisplayName("Tessaro");
  QApplication::setDesktopFileName("tessaro");
  LoadShellResources();
  QApplication::setWindowIcon(QIcon::fromTheme("tessaro", QIcon(":/icons/tessaro.svg")));

  // Two starts at the same moment: the one that does not get to listen hands
  // over like any later start.
  TSingleInstance instance;
  const TSingleInstance::TStart role = instance.Start(socketPath);
  if (role == TSingleInstance::TStart::Running) {
    HandOverToRunningProgram(socketPath, arguments);
    return 0;
  }
  RouteShellRequests(instance);

  // What a crashed run left goes aside before any document exists. Without
  // the socket another program may be running: its folders stay untouched.
  TCrashRecovery recovery;
  if (role == TSingleInstance::TStart::First)
    recovery.TakeOverPreviousRun();

  // The command line's picture is read while the window is built.
  TPicturePreload preload;
  if (arguments.size() > 1)
    preload.Start(arguments[1]);

  // The splash screen paints before anything else takes time.
  auto *splash = new TfrmSplashScreen; // deletes itself when closed
  splash->show();
  QApplication::processEvents();

  // The program speaks German: Qt's own dialogs (colours, files) and the
  // window menus of the documents too.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::German), "qtbase", "_",
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  InstallQtCoreHooks();
  InstallQtTextRasterizer();
  // Installed, the help pages lie beside the program's other files (where
  // they may be updated); otherwise those built into the program serve.
  const QString installedHelp =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/tessaro/help/TESSARO.HLP");
  SetApplicationHelpFile(
      QFileInfo::exists(HelpContentsFileOf(installedHelp)) ? installedHelp : QString(":/help/TESSARO.HLP"));

  TfrmMain frame;
  frame.CommandLine = QApplication::arguments();
  frame.RawCommandLine = arguments;
  frame.Preload = &preload;
  if (role == TSingleInstance::TStart::First) {
    frame.Recovery = &recovery;
    recovery.Watch(frame);
  }
  frame.show();
  return app.exec();
}
