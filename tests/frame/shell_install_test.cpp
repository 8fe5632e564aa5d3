// cmake --install: the program, its desktop entry, icons, MIME package and
// help pages under a prefix of one's choice, and a program that runs there.
#include "platform/SingleInstance.h"

#include "shell_test_util.h"

#include "../common/TestUtil.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

int RunTool(const QString &program, const QStringList &args, QString *output = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished(5000);
    return -1;
  }
  if (output)
    *output = QString::fromUtf8(p.readAll());
  return p.exitCode();
}

TEST(ShellInstall, PrefixHoldsAProgramTheDesktopListsAndThatRunsThere) {
  TTempDir root;
  const fs::path prefix = root.Path() / "mein Präfix";
  QString log;
  ASSERT_EQ(RunTool(TESSARO_CMAKE,
                    {"--install", TESSARO_BUILD_DIR, "--prefix", QString::fromStdString(prefix.string())},
                    &log),
            0)
      << log.toStdString();
  const fs::path share = prefix / "share";
  for (const fs::path &f :
       {prefix / "bin/tessaro", prefix / "bin/tessaro-cli", share / "mime/packages/tessaro.xml",
        share / "icons/hicolor/scalable/apps/tessaro.svg", share / "tessaro/help/TESSARO.cnt",
        share / "tessaro/help/Overview.html"})
    EXPECT_TRUE(fs::is_regular_file(f)) << f;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const fs::path png =
        share / "icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) / "apps/tessaro.png";
    EXPECT_TRUE(fs::is_regular_file(png)) << png;
  }
  // The entry starts the installed program (quoted: the prefix has a blank).
  const fs::path entry = share / "applications/tessaro.desktop";
  const std::string text = ReadText(entry);
  EXPECT_NE(text.find("\nExec=\"" + (prefix / "bin/tessaro").string() + "\" %f\n"), std::string::npos)
      << text;
  if (const QString validate = QStandardPaths::findExecutable("desktop-file-validate"); !validate.isEmpty()) {
    EXPECT_EQ(RunTool(validate, {QString::fromStdString(entry.string())}, &log), 0) << log.toStdString();
  }
  // The shared MIME database built from the package knows our types.
  if (const QString update = QStandardPaths::findExecutable("update-mime-database"); !update.isEmpty()) {
    ASSERT_EQ(RunTool(update, {QString::fromStdString((share / "mime").string())}, &log), 0)
        << log.toStdString();
    const std::string globs = ReadText(share / "mime/globs2");
    EXPECT_NE(globs.find("image/x-tessaro-rla:*.rla"), std::string::npos);
    EXPECT_NE(globs.find("image/x-tessaro-win:*.win"), std::string::npos);
  }

  // The installed program runs: it answers on its socket.
  const fs::path tmp = root.Path() / "tmp";
  fs::create_directories(tmp);
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TMPDIR", QString::fromStdString(tmp.string()));
  env.insert("XDG_DATA_HOME", QString::fromStdString((root.Path() / "data").string()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString((root.Path() / "config").string()));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(env);
  program.start(QString::fromStdString((prefix / "bin/tessaro").string()), {});
  ASSERT_TRUE(program.waitForStarted(5000));
  const std::string socket = (tmp / ("tessaro-" + std::to_string(getuid())) / "Tessaro.socket").string();
  QElapsedTimer t;
  t.start();
  while (!TSingleInstance::Reachable(socket) && t.elapsed() < 15000 && program.state() == QProcess::Running)
    program.waitForFinished(20);
  EXPECT_TRUE(TSingleInstance::Reachable(socket));
  // Its own file class (written while its frame is built) names where it
  // is installed.
  const fs::path own = root.Path() / "data/applications/tessaro.desktop";
  while (!fs::exists(own) && t.elapsed() < 15000)
    program.waitForFinished(20);
  EXPECT_NE(ReadText(own).find((prefix / "bin/tessaro").string()), std::string::npos);
  program.kill();
  program.waitForFinished(5000);
}

} // namespace
} // namespace tessaro::test
