// The format table: its rows agree with each other, every writer writes a
// file that reads back, and the frame's load policy.
#include "../common/TestUtil.h"
#include "FilesTestUtil.h"
#include "core/BmpFile.h"
#include "files/FileFormats.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaro::test {
namespace {

TEST(FormatTable, RowsAgree) {
  std::set<std::string> readable;
  for (const TImageExtension &e : ImageExtensions()) {
    EXPECT_TRUE(readable.insert(e.Ext).second) << "twice: " << e.Ext;
    EXPECT_EQ(ImageFormat(e.Format).Format, e.Format) << e.Ext;
    EXPECT_EQ(FindImageExtension(std::string("a") + e.Ext), &e);
  }
  EXPECT_EQ(readable.size(), 38u);
  for (const auto *entries : {&OpenFilterEntries(), &SaveFilterEntries()})
    for (const TFilterEntry &entry : *entries)
      for (const std::string &ext : entry.Extensions)
        EXPECT_TRUE(readable.count(ext)) << entry.Caption << " " << ext;
  // What the save dialog offers has a writer.
  for (const TFilterEntry &entry : SaveFilterEntries())
    for (const std::string &ext : entry.Extensions)
      EXPECT_NE(ImageFormatOf("a" + ext)->Write, nullptr) << ext;
  EXPECT_EQ(ImageFormatOf("a.txt"), nullptr);
  EXPECT_EQ(ImageFormatOf("A.JFIF")->Format, ffJpeg);
}

TEST(FormatTable, EveryWriterWritesAFileThatReadsBack) {
  TTempDir dir;
  const TBitmap source = MakeGradient(13, 7);
  const struct {
    const char *Ext;
    bool Exact;
  } cases[] = {{".bmp", true},   {".dib", true},  {".rle", true}, {".png", true}, {".jpg", false},
               {".jfif", false}, {".gif", false}, {".wmf", true}, {".emf", true}};
  for (const auto &c : cases) {
    const std::string path = dir.File(std::string("out") + c.Ext);
    const TImageFormat &format = *ImageFormatOf(path);
    ASSERT_NE(format.Write, nullptr) << c.Ext;
    std::string error;
    ASSERT_TRUE(format.Write(source, path, TWriteOptions{}, error)) << c.Ext << ": " << error;
    TBitmap back;
    ASSERT_TRUE(LoadImageFile(path, back, &error)) << c.Ext << ": " << error;
    EXPECT_EQ(back.Width(), 13) << c.Ext;
    EXPECT_EQ(back.Height(), 7) << c.Ext;
    if (c.Exact) {
      EXPECT_TRUE(SameColors(back, source)) << c.Ext;
    }
  }
  // The formats that are only read have no writer.
  for (const char *name : {"a.ico", "a.tga", "a.tif"})
    EXPECT_EQ(ImageFormatOf(name)->Write, nullptr) << name;
}

TEST(LoadPictureFile, BitmapsKeepTheirFormatAndTheReadOnlyFlagStays) {
  TTempDir dir;
  std::string error;
  const std::string bmp = dir.File("a.bmp"), png = dir.File("b.png"), gif = dir.File("c.gif");
  ASSERT_TRUE(SaveBmpFile(MakePattern(6, 5, pf8bit), bmp, &error)) << error;
  TBitmap palette = MakePattern(6, 5, pf8bit), colours = MakeGradient(6, 5);
  ASSERT_TRUE(SaveImageFile(&palette, png, 100, 7, false));
  ASSERT_TRUE(SaveImageFile(&colours, gif, 100, 7, false));
  // A Windows bitmap keeps its 8 bits; a PNG comes through the loader.
  TBitmap loaded;
  ASSERT_TRUE(LoadPictureFile(bmp, loaded, error)) << error;
  EXPECT_EQ(loaded.PixelFormat(), pf8bit);
  ASSERT_TRUE(LoadPictureFile(png, loaded, error)) << error;
  EXPECT_EQ(loaded.Width(), 6);
  // A read-only GIF is read and read-only again afterwards.
  ASSERT_TRUE(SetFileReadOnly(gif, true));
  ASSERT_TRUE(LoadPictureFile(gif, loaded, error)) << error;
  EXPECT_EQ(loaded.PixelFormat(), pf8bit);
  EXPECT_TRUE(IsFileReadOnly(gif));
  // Content no reader takes: false with a message, the flag still set.
  const std::string bad = dir.File("d.tga");
  WriteBytes(bad, {1, 2, 3, 4, 5});
  ASSERT_TRUE(SetFileReadOnly(bad, true));
  error.clear();
  EXPECT_FALSE(LoadPictureFile(bad, loaded, error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(IsFileReadOnly(bad));
}

} // namespace
} // namespace tessaro::test
