#include "import_helpers.h"

namespace tessaro::test {
namespace {

const char *const Pcx = "Paintbrush";

// 128-byte header of a w x h picture.
std::vector<uint8_t> PcxHeader(int bits, int planes, int bytesPerLine, int w, int h) {
  std::vector<uint8_t> f(128, 0);
  f[0] = 0x0A;
  f[1] = 5;
  f[2] = 1;
  f[3] = uint8_t(bits);
  f[8] = uint8_t(w - 1);
  f[10] = uint8_t(h - 1);
  f[65] = uint8_t(planes);
  f[66] = uint8_t(bytesPerLine);
  return f;
}

TEST(ImportPcx, PlanesPalettesAndRuns) {
  // 16 colours in four bit planes, palette from the header: pixel 0 uses
  // colour 5, pixel 1 colour 10.
  std::vector<uint8_t> f = PcxHeader(1, 4, 2, 2, 1);
  for (int i = 0; i < 16; ++i) {
    f[size_t(16 + 3 * i)] = uint8_t(i * 16);
    f[size_t(17 + 3 * i)] = uint8_t(i);
    f[size_t(18 + 3 * i)] = 7;
  }
  // Plane bytes: p0 = 10.., p1 = 01.., p2 = 10.., p3 = 01..; each line byte
  // pair written as literal (values below 0xC0) and one run.
  f.insert(f.end(), {0x80, 0x00, 0x40, 0x00, 0x80, 0x00, 0xC1, 0x40, 0x00});
  TBitmap bmp;
  std::string error;
  ASSERT_EQ(Prober(f), Pcx);
  ASSERT_TRUE(Reader(Pcx).Read("", f.data(), f.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(80, 5, 7));
  EXPECT_EQ(bmp.GetPixel(1, 0), RGB(160, 10, 7));

  // 8 bits with the palette at the end; a run crosses from line one to two.
  std::vector<uint8_t> g = PcxHeader(8, 1, 2, 2, 2);
  g.insert(g.end(), {0xC3, 1, 2});
  g.push_back(0x0C);
  for (int i = 0; i < 256; ++i)
    g.insert(g.end(), {uint8_t(i), uint8_t(255 - i), 9});
  ASSERT_TRUE(Reader(Pcx).Read("", g.data(), g.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(1, 254, 9));
  EXPECT_EQ(bmp.GetPixel(0, 1), RGB(1, 254, 9));
  EXPECT_EQ(bmp.GetPixel(1, 1), RGB(2, 253, 9));

  // Truncated data and lying headers.
  EXPECT_EQ(ReadPrefixes(Pcx, std::vector<uint8_t>(f.begin(), f.end())), 0);
  std::vector<uint8_t> bad = f;
  bad[3] = 3;
  EXPECT_FALSE(Reader(Pcx).Recognise(bad.data(), bad.size()));
  bad = f;
  bad[66] = 0; // bytes per line below the width
  EXPECT_FALSE(Reader(Pcx).Read("", bad.data(), bad.size(), bmp, error));
  bad = PcxHeader(8, 3, 255, 255, 255);
  bad[9] = bad[11] = 0xFF;
  bad.insert(bad.end(), {0xFF, 0});
  EXPECT_FALSE(Reader(Pcx).Read("", bad.data(), bad.size(), bmp, error));
}

TEST(ImportPcx, FilesWrittenByImageMagick) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  const char *variants[] = {"",
                            "-colors 100 -type Palette",
                            "-monochrome",
                            "-colors 16 -type Palette",
                            "-alpha set -channel A -evaluate set 50% +channel",
                            "-compress None"};
  for (const char *v : variants) {
    std::string file = dir.File("rose.pcx");
    ASSERT_TRUE(Magick(std::string("rose: ") + v + " " + Quote(file))) << v;
    TBitmap bmp, ref;
    std::string error;
    ASSERT_EQ(Prober(FileBytes(file)), Pcx) << v;
    ASSERT_TRUE(ReadWith(Pcx, file, bmp, error)) << v << ": " << error;
    ASSERT_TRUE(MagickReference(file, dir, ref));
    EXPECT_EQ(MaxDifference(bmp, ref), 0) << v;
  }
}

TEST(ImportPcx, SampleFiles) {
  TESSARO_REQUIRE_TESTIMAGES();
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  int read = 0;
  for (auto &p : SampleFiles("", {".pcx"})) {
    if (p.string().find("/write/") != std::string::npos)
      continue;
    TBitmap bmp, ref;
    std::string error;
    bool ok = ReadWith(Pcx, p.string(), bmp, error);
    // 01r_00.pcx declares 12 bytes per line for 88 pixels of 8 bits.
    if (IsMalformedSample(p) || p.filename() == "01r_00.pcx") {
      EXPECT_FALSE(ok) << p;
      continue;
    }
    ASSERT_TRUE(ok) << p << ": " << error;
    ++read;
    std::filesystem::path png = p;
    png.replace_extension(".png");
    // ImageMagick shows pil184.pcx (white background, set bits) inverted.
    if (p.filename() == "pil184.pcx") {
      EXPECT_EQ(bmp.GetPixel(0, 0), clWhite);
      continue;
    }
    if (std::filesystem::exists(png) ? MagickReference(png.string(), dir, ref)
                                     : MagickReference(p.string(), dir, ref)) {
      EXPECT_LE(MaxDifference(bmp, ref), 1) << p;
    }
  }
  EXPECT_GT(read, 10);
}

} // namespace
} // namespace tessaro::test
