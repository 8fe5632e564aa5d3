#include "import_helpers.h"

namespace tessaro::test {
namespace {

const char *const Sgi = "SGI";

std::vector<uint8_t> SgiHeader(uint8_t storage, uint8_t bpc, int w, int h, int z) {
  std::vector<uint8_t> f(512, 0);
  f[0] = 0x01;
  f[1] = 0xDA;
  f[2] = storage;
  f[3] = bpc;
  f[5] = 3;
  f[7] = uint8_t(w);
  f[9] = uint8_t(h);
  f[11] = uint8_t(z);
  return f;
}

TEST(ImportSgi, RleRowsBottomUpAndBadTables) {
  // 2 x 2 grey, RLE: bottom row (stored first) is 10 10, top row 1 2.
  std::vector<uint8_t> f = SgiHeader(1, 1, 2, 2, 1);
  const uint32_t base = 512 + 16;
  for (uint32_t off : {base, base + 3})
    f.insert(f.end(), {0, 0, uint8_t(off >> 8), uint8_t(off)});
  f.insert(f.end(), {0, 0, 0, 3, 0, 0, 0, 4});
  f.insert(f.end(), {0x02, 10, 0x00, 0x82, 1, 2, 0x00});
  TBitmap bmp;
  std::string error;
  ASSERT_EQ(Prober(f), Sgi);
  ASSERT_TRUE(Reader(Sgi).Read("", f.data(), f.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 1), RGB(10, 10, 10));
  EXPECT_EQ(bmp.GetPixel(1, 1), RGB(10, 10, 10));
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(1, 1, 1));
  EXPECT_EQ(bmp.GetPixel(1, 0), RGB(2, 2, 2));
  EXPECT_EQ(ReadPrefixes(Sgi, f), 0);

  // A row offset beyond the file, and a run longer than the row.
  std::vector<uint8_t> bad = f;
  bad[512 + 2] = 0x7F;
  EXPECT_FALSE(Reader(Sgi).Read("", bad.data(), bad.size(), bmp, error));
  bad = f;
  bad[base] = 0x05; // run of 5 in a row of 2
  EXPECT_FALSE(Reader(Sgi).Read("", bad.data(), bad.size(), bmp, error));
  EXPECT_FALSE(error.empty());
}

TEST(ImportSgi, FilesWrittenByImageMagick) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  const char *variants[] = {
      "-compress None",           "-compress RLE",
      "-depth 16 -compress None", "-depth 16 -compress RLE",
      "-type Grayscale",          "-alpha set -channel A -evaluate set 50% +channel -compress RLE"};
  for (const char *v : variants) {
    std::string file = dir.File("rose.sgi");
    ASSERT_TRUE(Magick(std::string("rose: ") + v + " " + Quote(file))) << v;
    TBitmap bmp, ref;
    std::string error;
    ASSERT_EQ(Prober(FileBytes(file)), Sgi) << v;
    ASSERT_TRUE(ReadWith(Sgi, file, bmp, error)) << v << ": " << error;
    ASSERT_TRUE(MagickReference(file, dir, ref));
    EXPECT_LE(MaxDifference(bmp, ref), 1) << v;
  }
}

TEST(ImportSgi, SampleFiles) {
  TESSARO_REQUIRE_TESTIMAGES();
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  int read = 0;
  for (auto &p : SampleFiles("", {".sgi", ".rgb", ".rgba", ".bw"})) {
    if (p.string().find("/write/") != std::string::npos)
      continue;
    TBitmap bmp, ref;
    std::string error;
    bool ok = ReadWith(Sgi, p.string(), bmp, error);
    if (IsMalformedSample(p)) {
      EXPECT_FALSE(ok) << p;
      continue;
    }
    ASSERT_TRUE(ok) << p << ": " << error;
    ++read;
    std::filesystem::path png = p;
    png.replace_extension(".png");
    bool haveRef = p.string().find("kimageformats") != std::string::npos
                       ? std::filesystem::exists(png) && MagickReference(png.string(), dir, ref)
                       : MagickReference(p.string(), dir, ref);
    if (haveRef) {
      EXPECT_LE(MaxDifference(bmp, ref), 1) << p;
    }
  }
  EXPECT_GT(read, 8);
}

} // namespace
} // namespace tessaro::test
