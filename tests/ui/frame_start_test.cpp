// Start with a file on the command line.
#include "core/BmpFile.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

namespace tessaro::test {
namespace {

using FrameStart = FrameTest;

TEST_F(FrameStart, FileOnTheCommandLineReplacesTheUntitledDocument) {
  Frame.reset();
  RemoveCacheFolder();
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(TBitmap(30, 20, pf4bit), dir.File("start.bmp")));
  Frame = std::make_unique<TfrmMain>();
  Frame->CommandLine = {"tessaro", QString::fromStdString(dir.File("start.bmp"))};
  Frame->show();
  Flush();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(First()->Caption(), "start.bmp");
  EXPECT_EQ(First()->FImageType, pf4bit);
  EXPECT_EQ(Frame->NewImageNo, 1);
  EXPECT_EQ(Frame->DocumentNo, 101);

  // A missing file: the untitled document as usual.
  Frame.reset();
  Frame = std::make_unique<TfrmMain>();
  Frame->CommandLine = {"tessaro", QString::fromStdString(dir.File("fehlt.bmp"))};
  Frame->show();
  Flush();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(First()->Caption(), "Neu 1.bmp");
  EXPECT_TRUE(ShownMessages().empty());
}

} // namespace
} // namespace tessaro::test
