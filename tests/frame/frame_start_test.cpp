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
  EXPECT_EQ(First()->ImageType(), pf4bit);
  EXPECT_EQ(Frame->NewImageNo, 1);
  EXPECT_EQ(Frame->DocumentNo(), 101);

  // A missing file: the untitled document as usual.
  Frame.reset();
  Frame = std::make_unique<TfrmMain>();
  Frame->CommandLine = {"tessaro", QString::fromStdString(dir.File("fehlt.bmp"))};
  Frame->show();
  Flush();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(First()->Caption(), "Neu 1.bmp");
  EXPECT_TRUE(ShownMessages().empty());

  // A file of a foreign type: the warning, then the untitled document.
  {
    FILE *f = fopen(dir.File("liste.txt").c_str(), "wb");
    fputs("x", f);
    fclose(f);
  }
  Frame.reset();
  Frame = std::make_unique<TfrmMain>();
  Frame->CommandLine = {"tessaro", QString::fromStdString(dir.File("liste.txt"))};
  Frame->show();
  Flush();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
  EXPECT_TRUE(ShownMessages()[0].Text.endsWith("das Dateiformat von Tessaro nicht unterstützt wird!"));
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(First()->Caption(), "Neu 1.bmp");
  EXPECT_EQ(Frame->DocumentNo(), 101);
}

} // namespace
} // namespace tessaro::test
