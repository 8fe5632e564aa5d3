// Unsaved pictures survive a crash: a program process with unsaved
// documents is killed, and the next start gives them back pixel for pixel.
#include "core/BmpFile.h"
#include "core/TempFolder.h"
#include "document/UnNewImage.h"
#include "frame/CrashRecovery.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

// The strokes of the unsaved pictures.
void Paint(TBitmap &b, int seed) {
  for (int y = 0; y < b.Height(); y += 3)
    for (int x = (y + seed) % 5; x < b.Width(); x += 7)
      b.SetPixel(x, y, RGB(uint8_t(x * 3 + seed), uint8_t(y * 5), uint8_t(seed * 40)));
  b.Changed();
}

std::vector<uint8_t> Bytes(const TBitmap &b) {
  return std::vector<uint8_t>(b.Bits(), b.Bits() + b.ImageBytes());
}

// TMPDIR for the time of a scope.
class TTempDirEnv {
public:
  explicit TTempDirEnv(const std::string &dir) : FOld(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "") {
    setenv("TMPDIR", dir.c_str(), 1);
  }
  ~TTempDirEnv() { setenv("TMPDIR", FOld.c_str(), 1); }

private:
  std::string FOld;
};

// Run only as the child of the test below: a program with two unsaved
// pictures and one untouched, which says so once their snapshots are
// written and then waits to be killed.
TEST(ShellRecoveryChild, KeepsUnsavedPicturesUntilKilled) {
  const char *dir = std::getenv("TESSARO_RECOVERY_TMPDIR");
  if (!dir)
    GTEST_SKIP() << "runs as the child of ShellRecovery.KilledProgramGivesBackItsUnsavedPictures";
  setenv("TMPDIR", dir, 1);
  TCrashRecovery recovery;
  recovery.TakeOverPreviousRun();
  TfrmMain frame;
  frame.Recovery = &recovery;
  recovery.Watch(frame, 100);
  frame.show();
  Flush();
  TfrmChild *first = frame.Documents().at(0);
  ASSERT_TRUE(first->AddUndoStep("Linie"));
  Paint(first->Bitmap(), 1);
  TfrmChild *second = frame.CreateNewImage(30, 20, pf4bit, clYellow);
  ASSERT_TRUE(second->AddUndoStep("Linie"));
  Paint(second->Bitmap(), 2);
  frame.CreateNewImage(10, 10, pf24bit, clWhite); // untouched
  QElapsedTimer t;
  t.start();
  while (TCrashRecovery::ReadState(TCrashRecovery::RecoveryFolder()).size() < 2 && t.elapsed() < 20000)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  std::printf("BEREIT\n");
  std::fflush(stdout);
  while (t.elapsed() < 60000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
}

TEST(ShellRecovery, KilledProgramGivesBackItsUnsavedPictures) {
  TTempDir tmp;
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TESSARO_RECOVERY_TMPDIR", QString::fromStdString(tmp.Path().string()));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::SeparateChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=ShellRecoveryChild.KeepsUnsavedPicturesUntilKilled"});
  ASSERT_TRUE(child.waitForStarted(5000));
  QByteArray out;
  QElapsedTimer t;
  t.start();
  while (!out.contains("BEREIT") && t.elapsed() < 30000 && child.state() == QProcess::Running) {
    child.waitForReadyRead(100);
    out += child.readAllStandardOutput();
  }
  child.kill();
  child.waitForFinished(5000);
  ASSERT_TRUE(out.contains("BEREIT")) << out.toStdString();

  TTempDirEnv scope(tmp.Path().string());
  TCrashRecovery recovery;
  ASSERT_TRUE(recovery.TakeOverPreviousRun());
  ASSERT_EQ(recovery.Recoverable().size(), 2u);
  // Moved aside before any document of the new run exists.
  EXPECT_FALSE(fs::exists(CacheRootFolder()));
  EXPECT_FALSE(fs::exists(TCrashRecovery::RecoveryFolder()));

  ClearShownMessages();
  QueueAnswer(mrYes);
  {
    TfrmMain frame;
    frame.Recovery = &recovery;
    frame.show();
    Flush();
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].Type, mtConfirmation);
    EXPECT_TRUE(ShownMessages()[0].Text.contains("Neu 1.bmp"));
    EXPECT_TRUE(ShownMessages()[0].Text.contains("Neu 2.bmp"));
    EXPECT_FALSE(ShownMessages()[0].Text.contains("Neu 3.bmp"));
    ASSERT_EQ(frame.Documents().size(), 2u); // no untitled document besides
    TfrmChild *first = frame.Documents()[0];
    TfrmChild *second = frame.Documents()[1];
    TBitmap expected1(400, 300, pf24bit);
    Paint(expected1, 1);
    TBitmap expected2(30, 20, pf4bit);
    TfrmNewImage::PaintNewRaster(expected2, 30, 20, pf4bit, clYellow);
    Paint(expected2, 2);
    EXPECT_EQ(first->Caption(), "Neu 1.bmp");
    EXPECT_EQ(first->FileName(), "Neu 1.bmp");
    EXPECT_TRUE(first->Modified());
    EXPECT_EQ(Bytes(first->Bitmap()), Bytes(expected1));
    EXPECT_EQ(second->Caption(), "Neu 2.bmp");
    EXPECT_EQ(second->ImageType(), pf4bit);
    EXPECT_EQ(second->Bitmap().PixelFormat(), pf4bit);
    EXPECT_EQ(second->PaperColor(), clYellow);
    EXPECT_TRUE(second->Modified());
    EXPECT_EQ(Bytes(second->Bitmap()), Bytes(expected2));
    EXPECT_EQ(frame.NewImageNo, 3);
    // The new run's cache started empty and holds only its own documents.
    std::vector<std::string> folders;
    for (const auto &e : fs::directory_iterator(CacheRootFolder()))
      folders.push_back(e.path().filename().string());
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (std::vector<std::string>{"100", "101"}));
    for (const auto &e : fs::directory_iterator(PrivateTempFolder()))
      EXPECT_EQ(e.path().filename().string().rfind("Tessaro.previous-", 0), std::string::npos) << e.path();
    QueueAnswer(mrNo); // each unsaved picture asks once more at the end
    QueueAnswer(mrNo);
    frame.close();
  }
  EXPECT_FALSE(fs::exists(CacheRootFolder()));
}

using ShellRecoveryWriter = FrameTest;

TEST_F(ShellRecoveryWriter, SnapshotsFollowChangesSavesAndClosedDocuments) {
  TCrashRecovery recovery;
  recovery.Watch(*Frame, 0);
  const std::string folder = TCrashRecovery::RecoveryFolder();
  TfrmChild *doc = First();
  // Unmodified: nothing to keep.
  recovery.WritePending();
  EXPECT_TRUE(TCrashRecovery::ReadState(folder).empty());
  ASSERT_TRUE(doc->AddUndoStep("Linie"));
  Paint(doc->Bitmap(), 3);
  // Not while a figure is being drawn.
  doc->Engine().FDrawing = true;
  recovery.WritePending();
  EXPECT_TRUE(TCrashRecovery::ReadState(folder).empty());
  doc->Engine().FDrawing = false;
  recovery.WritePending();
  std::vector<TCrashRecovery::TRecoverable> state = TCrashRecovery::ReadState(folder);
  ASSERT_EQ(state.size(), 1u);
  EXPECT_EQ(state[0].Caption, "Neu 1.bmp");
  TBitmap written;
  ASSERT_TRUE(LoadBmpFile(state[0].Snapshot, written));
  EXPECT_EQ(Bytes(written), Bytes(doc->Bitmap()));
  // The undo history's numbering is untouched: one snapshot, number 1.
  EXPECT_EQ(doc->Undo().UndoFileNo(), 2);

  // Saved, the file holds it: the snapshot goes.
  TTempDir dir;
  Frame->SaveDialogHook = [&](std::string &name) {
    name = dir.File("gesichert.bmp");
    return true;
  };
  ASSERT_TRUE(Frame->SaveDocument(*doc, doc->FileName(), true));
  recovery.WritePending();
  EXPECT_TRUE(TCrashRecovery::ReadState(folder).empty());
  EXPECT_FALSE(fs::exists(state[0].Snapshot));
  // Changed again, then closed without saving: its snapshot goes with it.
  ASSERT_TRUE(doc->AddUndoStep("Linie"));
  Paint(doc->Bitmap(), 4);
  recovery.WritePending();
  ASSERT_EQ(TCrashRecovery::ReadState(folder).size(), 1u);
  EXPECT_EQ(TCrashRecovery::ReadState(folder)[0].FileName, dir.File("gesichert.bmp"));
  QueueAnswer(mrNo);
  ASSERT_TRUE(CloseDocument(doc));
  recovery.WritePending();
  EXPECT_TRUE(TCrashRecovery::ReadState(folder).empty());
  recovery.Finish();
  EXPECT_FALSE(fs::exists(folder));
}

TEST(ShellRecoveryOffer, DeclinedOrBrokenStatesLeaveNothingBehind) {
  TTempDir tmp;
  TTempDirEnv scope(tmp.Path().string());
  const std::string temp = PrivateTempFolder();
  // A crashed run's folders: one good picture, and lines that are garbage.
  fs::create_directories(CacheRootFolder() + "/100");
  const std::string folder = TCrashRecovery::RecoveryFolder();
  fs::create_directories(folder);
  ASSERT_TRUE(SaveBmpFile(TBitmap(4, 4), folder + "/100.bmp"));
  TCrashRecovery::TRecoverable r;
  r.Caption = "Foto.png";
  r.FileName = "/bilder/Foto.png";
  std::string state = TCrashRecovery::StateText({{100, r}, {101, r}});
  state += "kaputt\n1\t2\n-4\t24\t0\tx\ty\n100\t99\t0\tx\ty\n";
  std::ofstream(folder + "/state", std::ios::binary) << state;
  TCrashRecovery recovery;
  ASSERT_TRUE(recovery.TakeOverPreviousRun());
  ASSERT_EQ(recovery.Recoverable().size(), 1u); // 101 has no picture
  EXPECT_EQ(recovery.Recoverable()[0].FileName, "/bilder/Foto.png");
  ClearShownMessages();
  QueueAnswer(mrNo);
  {
    TfrmMain frame;
    EXPECT_EQ(recovery.Offer(frame), 0);
    EXPECT_TRUE(frame.Documents().empty());
    frame.RemoveCacheHook = [] {};
  }
  EXPECT_EQ(ShownMessages().size(), 1u);
  for (const auto &e : fs::directory_iterator(temp))
    EXPECT_EQ(e.path().filename().string().rfind("Tessaro.previous-", 0), std::string::npos) << e.path();
  RemoveCacheFolder();
  // Nothing left: nothing to take over.
  TCrashRecovery again;
  EXPECT_FALSE(again.TakeOverPreviousRun());
}

} // namespace
} // namespace tessaro::test
