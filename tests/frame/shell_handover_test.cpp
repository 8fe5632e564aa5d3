// The hand-over file of a later start, the requests on the program's socket,
// and the running frame reading both.
#include "core/BmpFile.h"
#include "frame/HandOverFile.h"
#include "frame_fixture.h"
#include "platform/SingleInstance.h"

#include "shell_test_util.h"

#include "../common/TestUtil.h"

#include <QTimer>

#include <filesystem>
#include <fstream>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Captions(TfrmMain &frame) {
  std::vector<std::string> captions;
  for (TfrmChild *doc : frame.Documents())
    captions.push_back(doc->Caption().toStdString());
  return captions;
}

TEST(HandOverFile, OneFullPathLineEndingInCrLfReplacesTheFile) {
  TTempDir dir;
  const std::string list = dir.File("cache/LoadList.txt");
  ASSERT_TRUE(SaveBmpFile(TBitmap(2, 2), dir.File("a.bmp")));
  ASSERT_TRUE(SaveBmpFile(TBitmap(2, 2), dir.File("b.bmp")));
  // The folder is made when missing.
  ASSERT_TRUE(WriteHandOverFile(list, dir.File("a.bmp")));
  EXPECT_EQ(ReadText(list), dir.File("a.bmp") + "\r\n");
  ASSERT_TRUE(WriteHandOverFile(list, dir.File("b.bmp")));
  EXPECT_EQ(ReadText(list), dir.File("b.bmp") + "\r\n");
  // A relative name is made full: the running program has another folder.
  const fs::path old = fs::current_path();
  fs::current_path(dir.Path());
  EXPECT_TRUE(WriteHandOverFile(list, "a.bmp"));
  fs::current_path(old);
  EXPECT_EQ(ReadText(list), dir.File("a.bmp") + "\r\n");
  // Nothing is written for a missing file, a folder or no name at all.
  for (const std::string &bad : {dir.File("fehlt.bmp"), dir.Path().string(), std::string()}) {
    EXPECT_FALSE(WriteHandOverFile(list, bad)) << bad;
    EXPECT_EQ(ReadText(list), dir.File("a.bmp") + "\r\n");
  }
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("cache")), fs::directory_iterator()), 1);
}

TEST(HandOverFile, ReadingSkipsEmptyLinesAndStopsAtItsLimit) {
  TTempDir dir;
  const std::string list = dir.File("LoadList.txt");
  std::vector<std::string> lines;
  EXPECT_FALSE(ReadHandOverFile(list, lines));
  WriteText(list, "/a.bmp\r\n\r\n\n/b c.png\n/d.jpg");
  ASSERT_TRUE(ReadHandOverFile(list, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"/a.bmp", "/b c.png", "/d.jpg"}));
  // A huge file is read up to its limit; the line cut there is dropped.
  std::string huge;
  while (huge.size() < MaxHandOverBytes)
    huge += "/" + std::string(5000, 'x') + ".bmp\r\n";
  WriteText(list, huge);
  ASSERT_TRUE(ReadHandOverFile(list, lines));
  EXPECT_EQ(lines.size(), MaxHandOverBytes / 5007);
  EXPECT_EQ(lines.back().size(), 5005u);
  // A folder in its place is no hand-over file and stays.
  fs::remove(list);
  fs::create_directory(list);
  EXPECT_FALSE(ReadHandOverFile(list, lines));
  DeleteHandOverFile(list);
  EXPECT_TRUE(fs::is_directory(list));
}

TEST(HandOverFile, LinesOpenOnlyForDroppableTypesAndBitmaps) {
  TTempDir dir;
  struct TCase {
    std::string Name;
    bool Opens;
  };
  // ".gif" is neither among the droppable types nor ".bmp".
  const TCase cases[] = {{"a.bmp", true},  {"b.PNG", true},  {"c.jpg", true}, {"d.tif", true},
                         {"e.gif", false}, {"f.txt", false}, {"g", false}};
  for (const TCase &c : cases) {
    WriteText(dir.File(c.Name), "x");
    EXPECT_EQ(AcceptHandOverLine(dir.File(c.Name)), c.Opens) << c.Name;
  }
  EXPECT_FALSE(AcceptHandOverLine(dir.File("fehlt.bmp")));
  fs::create_directory(dir.File("ordner.bmp"));
  EXPECT_FALSE(AcceptHandOverLine(dir.File("ordner.bmp")));
  EXPECT_FALSE(AcceptHandOverLine("/" + std::string(10000, 'y') + ".bmp"));
}

TEST(ShellRequests, FramesParseAndGarbageOrCutFramesDoNot) {
  std::string buffer = ShellRequestBytes({TShellRequest::Raise, {}}) +
                       ShellRequestBytes({TShellRequest::Execute, {"/bilder/a.bmp", "zweite Zeile"}}) +
                       ShellRequestBytes({TShellRequest::LoadList, {}});
  TShellRequest r;
  ASSERT_EQ(TakeShellRequest(buffer, r), TShellParse::Request);
  EXPECT_EQ(r.Kind, TShellRequest::Raise);
  ASSERT_EQ(TakeShellRequest(buffer, r), TShellParse::Request);
  EXPECT_EQ(r.Kind, TShellRequest::Execute);
  EXPECT_EQ(r.Macro, (std::vector<std::string>{"/bilder/a.bmp", "zweite Zeile"}));
  ASSERT_EQ(TakeShellRequest(buffer, r), TShellParse::Request);
  EXPECT_EQ(r.Kind, TShellRequest::LoadList);
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(TakeShellRequest(buffer, r), TShellParse::NeedMore);

  // A frame cut off waits for its rest.
  std::string cut = ShellRequestBytes({TShellRequest::Execute, {"/a.bmp"}});
  cut.pop_back();
  EXPECT_EQ(TakeShellRequest(cut, r), TShellParse::NeedMore);
  const std::string garbage[] = {"GET / HTTP/1.0\n",          "TESSARO/1 RAISE\n",
                                 "TESSARO/1 RAISE 1\nx",      "TESSARO/1 FORMAT 0\n",
                                 "TESSARO/1 EXECUTE -5\n",    "TESSARO/1 EXECUTE 9999999\n",
                                 "TESSARO/1 EXECUTE 70000\n", std::string(100, 'A')};
  for (std::string g : garbage)
    EXPECT_EQ(TakeShellRequest(g, r), TShellParse::Garbage) << g;
}

using ShellFrame = FrameTest;

TEST_F(ShellFrame, HandOverTimerOpensLinesInOrderAndDeletesTheFile) {
  TTempDir dir;
  for (const char *name : {"drei.gif", "vier.txt"})
    WriteText(dir.File(name), "x");
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 2), dir.File("eins.bmp")));
  ASSERT_TRUE(SaveBmpFile(TBitmap(4, 2), dir.File("fünf.BMP")));
  const std::string list = HandOverFilePath();
  ASSERT_FALSE(list.empty());
  WriteText(list, dir.File("eins.bmp") + "\r\n" + dir.File("drei.gif") + "\r\n\r\n" + dir.File("fehlt.bmp") +
                      "\r\n" + dir.File("vier.txt") + "\r\n" + dir.Path().string() + "\r\n" +
                      dir.File("fünf.BMP") + "\r\n");
  EXPECT_EQ(Frame->TimerLoadFile->interval(), 2500);
  EXPECT_TRUE(Frame->TimerLoadFile->isActive());
  Frame->TimerLoadFileTimer();
  EXPECT_EQ(Captions(*Frame), (std::vector<std::string>{"Neu 1.bmp", "eins.bmp", "fünf.BMP"}));
  EXPECT_FALSE(fs::exists(list));
  EXPECT_TRUE(ShownMessages().empty());
  EXPECT_TRUE(Frame->TimerLoadFile->isActive());
  // Without a file nothing happens.
  Frame->TimerLoadFileTimer();
  EXPECT_EQ(Frame->Documents().size(), 3u);
}

TEST_F(ShellFrame, AFileHandedOverWhileOpeningIsReadRightAfter) {
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 2), dir.File("a.bmp")));
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 2), dir.File("b.bmp")));
  WriteText(dir.File("c.png"), "kein Bild");
  const std::string list = HandOverFilePath();
  WriteText(list, dir.File("c.png") + "\r\n" + dir.File("a.bmp") + "\r\n");
  // c.png cannot be read: its message box runs the event loop, and a later
  // start hands over b.bmp and nudges meanwhile.
  QueueAnswer(mrOk);
  SetAutoAnswers(false);
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(WriteHandOverFile(dir.File("b.bmp")));
    Frame->ShellRequest({TShellRequest::LoadList, {}});
    SetAutoAnswers(true);
    if (QWidget *box = QApplication::activeModalWidget())
      box->close();
  });
  Frame->TimerLoadFileTimer();
  SetAutoAnswers(true);
  EXPECT_EQ(Captions(*Frame), (std::vector<std::string>{"Neu 1.bmp", "a.bmp", "b.bmp"}));
  EXPECT_FALSE(fs::exists(list));
}

TEST_F(ShellFrame, OpenRequestOpensItsFirstLineUnlessTheFrameIsBeingBuilt) {
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 2), dir.File("a.bmp")));
  ASSERT_TRUE(SaveBmpFile(TBitmap(3, 2), dir.File("b.bmp")));
  Frame->FCreating = true;
  Frame->SystemExecuteMacro({dir.File("a.bmp")});
  EXPECT_EQ(Frame->Documents().size(), 1u);
  Frame->FCreating = false;
  Frame->SystemExecuteMacro({});
  Frame->SystemExecuteMacro({dir.File("fehlt.bmp")});
  EXPECT_TRUE(ShownMessages().empty());
  Frame->ShellRequest({TShellRequest::Execute, {dir.File("a.bmp"), dir.File("b.bmp")}});
  EXPECT_EQ(Captions(*Frame), (std::vector<std::string>{"Neu 1.bmp", "a.bmp"}));
  // Unlike a handed-over line, a request with a foreign type gets the
  // warning of opening.
  WriteText(dir.File("x.gif"), "x");
  WriteText(dir.File("x.txt"), "x");
  Frame->SystemExecuteMacro({dir.File("x.txt")});
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
}

} // namespace
} // namespace tessaro::test
