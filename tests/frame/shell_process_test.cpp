// The program started as a real process: a later start hands its file to
// the running program (a frame in this test process, or a first program
// process), requests that are garbage or cut off, and a socket left behind
// by a program that was killed.
#include "core/BmpFile.h"
#include "document/UndoCache.h"
#include "frame/AppShell.h"
#include "frame/HandOverFile.h"
#include "frame_fixture.h"
#include "platform/SingleInstance.h"

#include "../common/TestUtil.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstring>
#include <filesystem>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

// Runs the program to its end (at most timeoutMs), letting this process's
// events run meanwhile unless busy is set. The exit code, or -1 when it had
// to be killed.
int RunProgram(const QStringList &args, bool busy = false, const QProcessEnvironment &env = {},
               int timeoutMs = 15000) {
  QProcess p;
  if (!env.isEmpty())
    p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::ForwardedChannels);
  p.start(TESSARO_PROGRAM, args);
  if (!p.waitForStarted(5000))
    return -1;
  QElapsedTimer t;
  t.start();
  while (!p.waitForFinished(busy ? timeoutMs : 5)) {
    if (busy || t.elapsed() > timeoutMs) {
      p.kill();
      p.waitForFinished(2000);
      return -1;
    }
    QApplication::processEvents();
  }
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// Lets events run until done() or timeoutMs.
template <class F> bool WaitFor(F done, int timeoutMs = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs)
      return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// A frame of this process that answers on the socket like a running program
// and notes the requests it gets.
class ShellProcess : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_EQ(Instance.Start(), TSingleInstance::TStart::First);
    Instance.OnRequest = [this](const TShellRequest &r) {
      Kinds.push_back(r.Kind);
      Frame->ShellRequest(r);
    };
  }
  TSingleInstance Instance;
  std::vector<TShellRequest::TKind> Kinds;
};

TEST_F(ShellProcess, LaterStartWithoutFileRaisesTheFrameAndHandsNothingOver) {
  Frame->showMinimized();
  Flush();
  EXPECT_EQ(RunProgram({}), 0);
  EXPECT_EQ(Kinds, std::vector<TShellRequest::TKind>{TShellRequest::Raise});
  EXPECT_FALSE(fs::exists(HandOverFilePath()));
  EXPECT_FALSE(Frame->isMinimized());
  EXPECT_EQ(Frame->Documents().size(), 1u);
  // A missing file is no file to hand over either.
  EXPECT_EQ(RunProgram({"/gibt/es/nicht.bmp"}), 0);
  EXPECT_FALSE(fs::exists(HandOverFilePath()));
  EXPECT_EQ(Frame->Documents().size(), 1u);
}

TEST_F(ShellProcess, LaterStartWithFileOpensItInTheRunningFrameAtOnce) {
  TTempDir dir;
  TBitmap picture(7, 5, pf8bit);
  picture.SetPixel(3, 2, clRed);
  ASSERT_TRUE(SaveBmpFile(picture, dir.File("über.bmp")));
  // Relative to the later start's own folder.
  const fs::path old = fs::current_path();
  fs::current_path(dir.Path());
  const int code = RunProgram({"über.bmp"});
  fs::current_path(old);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Kinds, (std::vector<TShellRequest::TKind>{TShellRequest::Raise, TShellRequest::LoadList}));
  // The nudge opened it before the later start ended: no timer tick needed.
  ASSERT_EQ(Frame->Documents().size(), 2u);
  TfrmChild *doc = Frame->Documents()[1];
  EXPECT_EQ(doc->Caption(), "über.bmp");
  EXPECT_EQ(doc->FileName(), dir.File("über.bmp"));
  EXPECT_EQ(doc->ImageType(), pf8bit);
  EXPECT_EQ(doc->Bitmap().GetPixel(3, 2), clRed);
  EXPECT_FALSE(fs::exists(HandOverFilePath()));
}

TEST_F(ShellProcess, TwoLaterStartsWhileTheFrameIsBusyOpenOnlyTheSecondFile) {
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 3), dir.File("erste.bmp")));
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 3), dir.File("zweite.bmp")));
  // The frame runs no events meanwhile: each later start gives up waiting
  // for its answer and ends; the second replaced the first's line.
  EXPECT_EQ(RunProgram({QString::fromStdString(dir.File("erste.bmp"))}, true), 0);
  EXPECT_EQ(RunProgram({QString::fromStdString(dir.File("zweite.bmp"))}, true), 0);
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadHandOverFile(HandOverFilePath(), lines));
  EXPECT_EQ(lines, std::vector<std::string>{dir.File("zweite.bmp")});
  ASSERT_TRUE(WaitFor([&] { return Kinds.size() == 4; }));
  ASSERT_EQ(Frame->Documents().size(), 2u);
  EXPECT_EQ(Frame->Documents()[1]->Caption(), "zweite.bmp");
  EXPECT_FALSE(fs::exists(HandOverFilePath()));
}

TEST_F(ShellProcess, SocketIsTheUsersAloneAndSurvivesGarbage) {
  struct stat st {};
  ASSERT_EQ(lstat(Instance.Path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  EXPECT_EQ(st.st_mode & 077, 0u) << std::oct << st.st_mode;
  ASSERT_EQ(lstat(fs::path(Instance.Path()).parent_path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 3), dir.File("a.bmp")));
  auto sendRaw = [&](const std::string &bytes) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, Instance.Path().c_str());
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)), 0);
    ASSERT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
    close(fd);
  };
  sendRaw("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
  sendRaw(std::string(5000, '\xff'));
  std::string cut = ShellRequestBytes({TShellRequest::Execute, {dir.File("a.bmp")}});
  cut.resize(cut.size() - 3);
  sendRaw(cut);
  for (int i = 0; i < 20; ++i)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_TRUE(Kinds.empty());
  EXPECT_EQ(Frame->Documents().size(), 1u);
  // A whole request still works afterwards.
  bool answered = false;
  std::thread client([&] {
    answered = TSingleInstance::Send(Instance.Path(), {{TShellRequest::Execute, {dir.File("a.bmp")}}}, 5000);
  });
  ASSERT_TRUE(WaitFor([&] { return Kinds.size() == 1; }));
  for (int i = 0; i < 20; ++i)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  client.join();
  EXPECT_TRUE(answered);
  EXPECT_EQ(Frame->Documents().size(), 2u);
}

// A first program of its own, in fresh temporary and XDG folders.
class ProgramProcess : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char *sub : {"tmp", "config", "data"})
      fs::create_directories(Home.Path() / sub);
    Env = QProcessEnvironment::systemEnvironment();
    Env.insert("TMPDIR", QString::fromStdString((Home.Path() / "tmp").string()));
    Env.insert("XDG_CONFIG_HOME", QString::fromStdString((Home.Path() / "config").string()));
    Env.insert("XDG_DATA_HOME", QString::fromStdString((Home.Path() / "data").string()));
    Env.insert("QT_QPA_PLATFORM", "offscreen");
    Private = Home.Path() / "tmp" / ("tessaro-" + std::to_string(getuid()));
    Socket = (Private / "Tessaro.socket").string();
  }
  void TearDown() override {
    for (auto &p : Programs) {
      p->kill();
      p->waitForFinished(5000);
    }
  }
  QProcess &Start(const QStringList &args = {}) {
    Programs.push_back(std::make_unique<QProcess>());
    QProcess &p = *Programs.back();
    p.setProcessEnvironment(Env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(TESSARO_PROGRAM, args);
    p.waitForStarted(5000);
    return p;
  }
  bool WaitReachable(int timeoutMs = 15000) {
    return WaitFor([&] { return TSingleInstance::Reachable(Socket); }, timeoutMs);
  }

  TTempDir Home;
  QProcessEnvironment Env;
  fs::path Private;
  std::string Socket;
  std::vector<std::unique_ptr<QProcess>> Programs;
};

TEST_F(ProgramProcess, OpenRequestReachesARealProgramAndAKilledOneIsReplaced) {
  QProcess &first = Start();
  ASSERT_TRUE(WaitReachable());
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 3), dir.File("a.bmp")));
  // The open request: its document gets the next cache folder (101; the
  // untitled start document has 100).
  const fs::path cache = Private / "Tessaro";
  EXPECT_TRUE(TSingleInstance::Send(Socket, {{TShellRequest::Execute, {dir.File("a.bmp")}}}, 10000));
  EXPECT_TRUE(WaitFor([&] { return fs::exists(cache / "101"); }));

  // Killed, it leaves its socket and cache folder behind.
  first.kill();
  first.waitForFinished(5000);
  EXPECT_TRUE(fs::exists(fs::symlink_status(Socket)));
  EXPECT_FALSE(TSingleInstance::Reachable(Socket));
  ASSERT_TRUE(fs::exists(cache / "101"));

  // The next start takes the socket over instead of handing over to nobody,
  // and the old cache goes before its own first document.
  QProcess &next = Start();
  ASSERT_TRUE(WaitReachable());
  EXPECT_EQ(next.state(), QProcess::Running);
  EXPECT_TRUE(WaitFor([&] { return !fs::exists(cache / "101") && fs::exists(cache / "100"); }));
  for (const auto &e : fs::directory_iterator(Private))
    EXPECT_EQ(e.path().filename().string().rfind("Tessaro.previous-", 0), std::string::npos) << e.path();

  // A later start with a file hands it over to the new program.
  QProcess &later = Start({QString::fromStdString(dir.File("a.bmp"))});
  EXPECT_TRUE(later.waitForFinished(10000));
  EXPECT_EQ(later.exitCode(), 0);
  EXPECT_TRUE(WaitFor([&] { return fs::exists(cache / "101"); }));
  EXPECT_FALSE(fs::exists(cache / "LoadList.txt"));
}

} // namespace
} // namespace tessaro::test
