#include "import_helpers.h"

namespace tessaro::test {
namespace {

const char *const Tga = "Truevision Targa";

// A tiny Targa built byte by byte: 3 x 2 pixels, type and descriptor given.
std::vector<uint8_t> TgaHeader(uint8_t type, uint8_t depth, uint8_t descriptor, int w = 3, int h = 2) {
  return {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(w), 0, uint8_t(h), 0, depth, descriptor};
}

TEST(ImportTarga, RunsCrossRowsAndAllFourOrigins) {
  // Row order in the file: first row red red green, second row blue blue blue;
  // the first run packet (3 red... ) crosses nothing, the second crosses rows.
  const std::vector<uint8_t> body = {0x81, 0,   0,   255, // 2 x red
                                     0x00, 0,   255, 0,   // 1 raw green
                                     0x82, 255, 0,   0};  // 3 x blue (second row)
  struct Case {
    uint8_t descriptor;
    bool top, right;
  } cases[] = {{0x00, false, false}, {0x20, true, false}, {0x10, false, true}, {0x30, true, true}};
  for (auto c : cases) {
    std::vector<uint8_t> f = TgaHeader(10, 24, c.descriptor);
    f.insert(f.end(), body.begin(), body.end());
    TBitmap bmp;
    std::string error;
    ASSERT_TRUE(Reader(Tga).Recognise(f.data(), f.size()));
    ASSERT_TRUE(Reader(Tga).Read("", f.data(), f.size(), bmp, error)) << error;
    ASSERT_EQ(bmp.Width(), 3);
    ASSERT_EQ(bmp.Height(), 2);
    int firstRow = c.top ? 0 : 1;
    auto at = [&](int fileX, int fileRow) {
      int x = c.right ? 2 - fileX : fileX;
      int y = fileRow == 0 ? firstRow : 1 - firstRow;
      return bmp.GetPixel(x, y);
    };
    EXPECT_EQ(at(0, 0), clRed) << int(c.descriptor);
    EXPECT_EQ(at(1, 0), clRed);
    EXPECT_EQ(at(2, 0), clLime);
    EXPECT_EQ(at(0, 1), clBlue);
    EXPECT_EQ(at(2, 1), clBlue);
  }
}

TEST(ImportTarga, SixteenBitAndColourMapAndGrey) {
  // 15-bit: 0x7C00 is red, 0x03E0 green, 0x001F blue.
  std::vector<uint8_t> f = TgaHeader(2, 16, 0x20, 3, 1);
  f.insert(f.end(), {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00});
  TBitmap bmp;
  std::string error;
  ASSERT_TRUE(Reader(Tga).Read("", f.data(), f.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), clRed);
  EXPECT_EQ(bmp.GetPixel(1, 0), clLime);
  EXPECT_EQ(bmp.GetPixel(2, 0), clBlue);

  // Colour map of two 24-bit entries starting at index 5; index 9 is outside.
  std::vector<uint8_t> m = {0, 1, 1, 5,    0,  2,  0,  24, 0,  0,  0, 0, 3, 0,
                            1, 0, 8, 0x20, 10, 20, 30, 40, 50, 60, 5, 6, 9};
  ASSERT_TRUE(Reader(Tga).Read("", m.data(), m.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(30, 20, 10));
  EXPECT_EQ(bmp.GetPixel(1, 0), RGB(60, 50, 40));
  EXPECT_EQ(bmp.GetPixel(2, 0), clBlack);

  std::vector<uint8_t> g = TgaHeader(3, 8, 0x20, 2, 1);
  g.insert(g.end(), {0x40, 0xC0});
  ASSERT_TRUE(Reader(Tga).Read("", g.data(), g.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(0x40, 0x40, 0x40));
  EXPECT_EQ(bmp.GetPixel(1, 0), RGB(0xC0, 0xC0, 0xC0));
}

TEST(ImportTarga, RefusesBadHeadersAndTruncation) {
  std::vector<uint8_t> good = TgaHeader(2, 24, 0);
  good.resize(good.size() + 18, 7);
  TBitmap bmp;
  std::string error;
  ASSERT_TRUE(Reader(Tga).Read("", good.data(), good.size(), bmp, error));
  EXPECT_EQ(ReadPrefixes(Tga, good), 0);

  struct Case {
    size_t offset;
    uint8_t value;
  } bad[] = {{1, 2}, {2, 0}, {2, 4}, {2, 32}, {16, 12}, {12, 0}, {17, 0xC0}, {2, 1} /* map type 0 */};
  for (auto c : bad) {
    std::vector<uint8_t> f = good;
    f[c.offset] = c.value;
    EXPECT_FALSE(Reader(Tga).Recognise(f.data(), f.size())) << c.offset << "=" << int(c.value);
    EXPECT_FALSE(Reader(Tga).Read("", f.data(), f.size(), bmp, error));
    EXPECT_FALSE(error.empty());
  }

  // An RLE header that claims 65535 x 65535 pixels with a few bytes of data.
  std::vector<uint8_t> huge = TgaHeader(10, 24, 0, 255, 255);
  huge[13] = huge[15] = 255;
  huge.insert(huge.end(), {0xFF, 1, 2, 3});
  EXPECT_FALSE(Reader(Tga).Read("", huge.data(), huge.size(), bmp, error));
}

TEST(ImportTarga, FilesWrittenByImageMagick) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  const char *variants[] = {"-compress None",
                            "-compress RLE",
                            "-type Grayscale -compress None",
                            "-type Grayscale -compress RLE",
                            "-colors 60 -type Palette -compress None",
                            "-colors 60 -type Palette -compress RLE",
                            "-alpha set -channel A -evaluate set 50% +channel -compress RLE"};
  for (const char *v : variants) {
    std::string file = dir.File("rose.tga");
    ASSERT_TRUE(Magick(std::string("rose: ") + v + " " + Quote(file))) << v;
    TBitmap bmp, ref;
    std::string error;
    ASSERT_TRUE(ReadWith(Tga, file, bmp, error)) << v << ": " << error;
    ASSERT_TRUE(MagickReference(file, dir, ref, "-auto-orient"));
    EXPECT_EQ(MaxDifference(bmp, ref), 0) << v;
    EXPECT_EQ(Prober(FileBytes(file)), Tga) << v;
  }
}

TEST(ImportTarga, SampleFiles) {
  TESSARO_REQUIRE_TESTIMAGES();
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  int read = 0;
  for (auto &p : SampleFiles("", {".tga"})) {
    if (p.string().find("/write/") != std::string::npos)
      continue;
    TBitmap bmp, ref;
    std::string error;
    bool ok = ReadWith(Tga, p.string(), bmp, error);
    // p_8.tga is a bare header, cross_scan_line_truncated.tga ends early.
    std::string name = p.filename().string();
    if (name == "p_8.tga" || name.find("truncated") != std::string::npos) {
      EXPECT_FALSE(ok) << p;
      continue;
    }
    ASSERT_TRUE(ok) << p << ": " << error;
    ++read;
    EXPECT_EQ(Prober(FileBytes(p.string())), Tga) << p;
    // The kimageformats samples bring their reference rendering beside them.
    std::filesystem::path png = p;
    png.replace_extension(".png");
    // ImageMagick misreads grey pictures with alpha (these start with black).
    if (name == "la.tga" || name.find("_la_") != std::string::npos) {
      EXPECT_EQ(bmp.GetPixel(0, 0), clBlack) << p;
      continue;
    }
    bool haveRef = std::filesystem::exists(png) ? MagickReference(png.string(), dir, ref)
                                                : MagickReference(p.string(), dir, ref, "-auto-orient");
    if (haveRef) {
      EXPECT_LE(MaxDifference(bmp, ref), 1) << p;
    }
  }
  EXPECT_GT(read, 30);
}

} // namespace
} // namespace tessaro::test
