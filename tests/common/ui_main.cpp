// Test main of the user-interface tests: a QApplication on the offscreen
// platform with the German locale, the core hooks installed, message boxes
// answered automatically, and TMPDIR and the XDG folders pointing into a
// fresh temporary folder, so that no test touches the user's real files.
#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"
#include "platform/ScreenMetrics.h"
#if __has_include("platform/text/QtTextRasterizer.h")
#include "platform/text/QtTextRasterizer.h"
#define TESSARO_HAVE_QT_TEXT 1
#endif

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char **argv) {
  // Everything below must be set before Qt or the program reads it.
  const char *base = std::getenv("TMPDIR");
  std::string tmpl = std::string(base && *base ? base : "/tmp") + "/tessaro-ui-test-XXXXXX";
  const char *root = mkdtemp(tmpl.data());
  if (!root)
    return 2;
  const std::filesystem::path home(root);
  for (const char *sub : {"tmp", "config", "data", "cache", "state", "runtime"})
    std::filesystem::create_directories(home / sub);
  std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all);
  setenv("TMPDIR", (home / "tmp").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
  setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("LANG", "de_DE.UTF-8", 1);
  setenv("LC_ALL", "de_DE.UTF-8", 1);

  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaro"));
#ifdef TESSARO_HAVE_QT_TEXT
  tessaro::InstallQtTextRasterizer();
#endif
  tessaro::InstallQtCoreHooks();
  tessaro::SetAutoAnswers(true);
  // A 1280 x 1024 screen of 320 x 256 mm: a quarter millimetre per pixel.
  tessaro::SetScreenMetrics(tessaro::TScreenMetrics{320, 256, 1280, 1024});

  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return result;
}
