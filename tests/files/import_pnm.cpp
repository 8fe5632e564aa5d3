#include "import_helpers.h"

#include <cstring>

namespace tessaro::test {
namespace {

const char *const Pnm = "Portable Map";

std::vector<uint8_t> Bytes(const std::string &s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

TEST(ImportPnm, AsciiAndBinaryWithCommentsAndMaxval) {
  struct Case {
    std::string file;
    std::vector<TColor> pixels; // 2 x 1
  } cases[] = {
      {"P1\n# c\n2 1\n10", {clBlack, clWhite}},
      {"P1 2 1 0 1\n", {clWhite, clBlack}},
      {"P2 2 1 4\n0 2\n", {clBlack, RGB(128, 128, 128)}},
      {"P3\n2 1\n# comment\n1000\n1000 0 0  0 500 2000\n", {clRed, RGB(0, 128, 255)}},
      {std::string("P4\n2 1\n") + char(0x40), {clWhite, clBlack}},
      {std::string("P5 2 1 255\n") + char(7) + char(200), {RGB(7, 7, 7), RGB(200, 200, 200)}},
      {std::string("P6 2 1 3\n") + char(3) + char(0) + char(0) + char(1) + char(2) + char(3),
       {clRed, RGB(85, 170, 255)}},
      {std::string("P5 2 1 65535\n") + char(0xFF) + char(0xFF) + char(0x80) + char(0x00),
       {clWhite, RGB(128, 128, 128)}},
  };
  for (auto &c : cases) {
    std::vector<uint8_t> f = Bytes(c.file);
    TBitmap bmp;
    std::string error;
    ASSERT_EQ(Prober(f), Pnm) << c.file;
    ASSERT_TRUE(Reader(Pnm).Read("", f.data(), f.size(), bmp, error)) << c.file << ": " << error;
    ASSERT_EQ(bmp.Width(), 2);
    ASSERT_EQ(bmp.Height(), 1);
    EXPECT_EQ(bmp.GetPixel(0, 0), c.pixels[0]) << c.file;
    EXPECT_EQ(bmp.GetPixel(1, 0), c.pixels[1]) << c.file;
  }
}

TEST(ImportPnm, RefusesBrokenFiles) {
  const char *bad[] = {
      "P6 2 1 255\n\1\2\3", "P5 0 1 255\n\1", "P5 2 1 0\n\1\2", "P5 2 1 70000\n\1\2",
      "P2 2 1 255\n12",     "P3 -2 1 255\n",  "P1 2 1 0 7",     "P6 99999999 99999999 255\n\1"};
  for (const char *s : bad) {
    std::vector<uint8_t> f = Bytes(s);
    TBitmap bmp;
    std::string error;
    EXPECT_FALSE(Reader(Pnm).Read("", f.data(), f.size(), bmp, error)) << s;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(Prober(Bytes("P7\nWIDTH 2\n")), "");
  EXPECT_EQ(Prober(Bytes("Pictures")), "");
}

TEST(ImportPnm, FilesWrittenByImageMagick) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  struct Case {
    const char *options, *name;
  } cases[] = {{"", "a.ppm"},
               {"-compress None", "a.ppm"},
               {"-depth 16", "a.ppm"},
               {"-colorspace Gray", "a.pgm"},
               {"-colorspace Gray -compress None -depth 16", "a.pgm"},
               {"-monochrome", "a.pbm"},
               {"-monochrome -compress None", "a.pbm"}};
  for (auto &c : cases) {
    std::string file = dir.File(c.name);
    ASSERT_TRUE(Magick(std::string("rose: ") + c.options + " " + Quote(file)));
    TBitmap bmp, ref;
    std::string error;
    ASSERT_TRUE(ReadWith(Pnm, file, bmp, error)) << c.options << error;
    ASSERT_TRUE(Magick(Quote(file) + " -depth 8 " + Quote("bmp3:" + dir.File("ref.bmp"))));
    // The reference goes through a binary 8-bit PPM of ImageMagick.
    ASSERT_TRUE(MagickReference(dir.File("ref.bmp"), dir, ref));
    EXPECT_LE(MaxDifference(bmp, ref), 1) << c.options;
    EXPECT_EQ(ReadPrefixes(Pnm, FileBytes(file), 97), 0) << c.options;
  }
}

TEST(ImportPnm, SampleFiles) {
  TESSARO_REQUIRE_TESTIMAGES();
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  for (auto &p : SampleFiles("pillow", {".pbm", ".pgm", ".ppm", ".pnm"})) {
    TBitmap bmp, ref;
    std::string error;
    bool ok = ReadWith(Pnm, p.string(), bmp, error);
    // courB08.pbm holds a PNG picture.
    if (IsMalformedSample(p) || p.filename() == "courB08.pbm") {
      EXPECT_FALSE(ok) << p;
      continue;
    }
    ASSERT_TRUE(ok) << p << ": " << error;
    if (MagickReference(p.string(), dir, ref)) {
      EXPECT_LE(MaxDifference(bmp, ref), 1) << p;
    }
  }
}

} // namespace
} // namespace tessaro::test
