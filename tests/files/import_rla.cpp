#include "import_helpers.h"

namespace tessaro::test {
namespace {

const char *const Rla = "Alias Wavefront";

// Header of a w x h RGB file of 8 bits with one offset table entry per line.
std::vector<uint8_t> RlaHeader(int w, int h, int colours, int mattes) {
  std::vector<uint8_t> f(740, 0);
  auto put = [&f](size_t at, int v) {
    f[at] = uint8_t(v >> 8);
    f[at + 1] = uint8_t(v);
  };
  for (size_t at : {size_t(0), size_t(8)}) {
    put(at + 2, w - 1);
    put(at + 6, h - 1);
  }
  put(20, colours);
  put(22, mattes);
  put(26, 0xFFFE);
  put(658, 8);
  put(662, 8);
  return f;
}

TEST(ImportRla, LinesBottomUpWithRunsAndLiterals) {
  // 2 x 2, RGB: bottom line stored first (red red), top line literal
  // (green, blue).
  std::vector<uint8_t> f = RlaHeader(2, 2, 3, 0);
  uint32_t line0 = 740 + 8;
  uint32_t line1 = line0 + 3 * 4;
  for (uint32_t off : {line0, line1})
    f.insert(f.end(), {uint8_t(off >> 24), uint8_t(off >> 16), uint8_t(off >> 8), uint8_t(off)});
  for (uint8_t v : {255, 0, 0})
    f.insert(f.end(), {0, 2, 1, v}); // run of two
  for (auto pair : {std::pair<uint8_t, uint8_t>{0, 0}, {255, 0}, {0, 255}})
    f.insert(f.end(), {0, 3, 0xFE, pair.first, pair.second}); // two literals
  TBitmap bmp;
  std::string error;
  ASSERT_EQ(Prober(f), Rla);
  ASSERT_TRUE(Reader(Rla).Read("", f.data(), f.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 1), clRed);
  EXPECT_EQ(bmp.GetPixel(1, 1), clRed);
  EXPECT_EQ(bmp.GetPixel(0, 0), clLime);
  EXPECT_EQ(bmp.GetPixel(1, 0), clBlue);
  EXPECT_EQ(ReadPrefixes(Rla, f), 0);

  // A run longer than the line, an offset into the header.
  std::vector<uint8_t> bad = f;
  bad[line0 + 2] = 5;
  EXPECT_FALSE(Reader(Rla).Read("", bad.data(), bad.size(), bmp, error));
  bad = f;
  bad[740 + 2] = 0;
  bad[740 + 3] = 0;
  EXPECT_FALSE(Reader(Rla).Read("", bad.data(), bad.size(), bmp, error));
  EXPECT_FALSE(error.empty());
}

// The oiio samples hold one picture at 8, 10 and 16 bits: all three read
// alike, and the alpha files carry the same colours.
TEST(ImportRla, SampleFilesAtEveryDepthAgree) {
  TESSARO_REQUIRE_TESTIMAGES();
  std::filesystem::path dir = TestImages() / "oiio-images/rla";
  if (!std::filesystem::is_directory(dir))
    GTEST_SKIP() << "no RLA samples";
  TBitmap base;
  std::string error;
  ASSERT_TRUE(ReadWith(Rla, (dir / "ginsu_rgb_nc8.rla").string(), base, error)) << error;
  EXPECT_EQ(Prober(FileBytes((dir / "ginsu_rgb_nc8.rla").string())), Rla);
  for (const char *name : {"ginsu_rgb_nc10.rla", "ginsu_rgb_nc16.rla", "ginsu_rgba_nc8.rla",
                           "ginsu_rgba_nc10.rla", "ginsu_rgba_nc16.rla"}) {
    TBitmap bmp;
    ASSERT_TRUE(ReadWith(Rla, (dir / name).string(), bmp, error)) << name << ": " << error;
    EXPECT_LE(MaxDifference(bmp, base), 1) << name;
  }
  // The ginsu_a files hold another picture; they only have to read.
  for (const char *name : {"ginsu_a_nc8.rla", "ginsu_a_nc10.rla", "ginsu_a_nc16.rla"}) {
    TBitmap bmp;
    EXPECT_TRUE(ReadWith(Rla, (dir / name).string(), bmp, error)) << name << ": " << error;
    EXPECT_EQ(bmp.Width(), base.Width());
  }
  for (const char *name : {"crash1.rla", "crash2.rla"}) {
    TBitmap bmp;
    EXPECT_FALSE(ReadWith(Rla, (dir / name).string(), bmp, error)) << name;
  }
  TBitmap f;
  EXPECT_FALSE(ReadWith(Rla, (dir / "ginsu_rgb_ncf.rla").string(), f, error));
  EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace tessaro::test
