#include "import_helpers.h"

#include <cstring>

namespace tessaro::test {
namespace {

// --- Autodesk CEL/PIC --------------------------------------------------------

std::vector<uint8_t> Cel(int w, int h) {
  std::vector<uint8_t> f(32, 0);
  f[0] = 0x19, f[1] = 0x91;
  f[2] = uint8_t(w), f[4] = uint8_t(h);
  f[10] = 8;
  for (int i = 0; i < 256; ++i)
    f.insert(f.end(), {uint8_t(i & 63), uint8_t(63 - (i & 63)), 21});
  for (int i = 0; i < w * h; ++i)
    f.push_back(uint8_t(i));
  return f;
}

TEST(ImportCel, PaletteOfSixBitsAndSoftimageRefused) {
  std::vector<uint8_t> f = Cel(3, 2);
  TBitmap bmp;
  std::string error;
  ASSERT_EQ(Prober(f), "Autodesk");
  ASSERT_TRUE(Reader("Autodesk").Read("", f.data(), f.size(), bmp, error)) << error;
  ASSERT_EQ(bmp.Width(), 3);
  ASSERT_EQ(bmp.Height(), 2);
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(0, 255, 85));
  EXPECT_EQ(bmp.GetPixel(2, 1), RGB(20, 235, 85)); // index 5: 5, 58, 21 in VGA steps
  EXPECT_EQ(ReadPrefixes("Autodesk", f), 0);

  // Softimage PIC files begin with $5380F634.
  std::vector<uint8_t> soft = {0x53, 0x80, 0xF6, 0x34, 0x40, 0x60, 0x66, 0x66};
  soft.resize(200, 0);
  EXPECT_EQ(Prober(soft), "");
  EXPECT_FALSE(Reader("Autodesk").Read("", soft.data(), soft.size(), bmp, error));
  for (auto &p : SampleFiles("", {".pic"})) {
    EXPECT_FALSE(ReadWith("Autodesk", p.string(), bmp, error)) << p;
    EXPECT_NE(Prober(FileBytes(p.string())), "Autodesk") << p;
  }
}

// --- Kodak Photo CD ----------------------------------------------------------

TEST(ImportPcd, BaseImageTurnedByItsOrientation) {
  // Neutral chroma, luminance rising along x: grey levels.
  std::vector<uint8_t> f(0x30000 + 768 * 512 * 3 / 2, 0);
  std::memcpy(f.data() + 0x800, "PCD_IPI", 7);
  for (int pair = 0; pair < 256; ++pair) {
    uint8_t *p = f.data() + 0x30000 + size_t(pair) * 768 * 3;
    for (int x = 0; x < 768; ++x)
      p[x] = p[768 + x] = uint8_t(x / 4);
    std::memset(p + 1536, 156, 384);
    std::memset(p + 1920, 137, 384);
  }
  for (int rotation : {0, 1, 2, 3}) {
    f[0x0E02] = uint8_t(rotation);
    TBitmap bmp;
    std::string error;
    ASSERT_EQ(Prober(f), "Kodak Photo CD");
    ASSERT_TRUE(Reader("Kodak Photo CD").Read("", f.data(), f.size(), bmp, error)) << error;
    bool turned = rotation & 1;
    ASSERT_EQ(bmp.Width(), turned ? 512 : 768);
    // Where the darkest column of the picture ends up.
    TColor dark = bmp.GetPixel(0, 0), far = bmp.GetPixel(bmp.Width() - 1, bmp.Height() - 1);
    if (rotation == 0 || rotation == 3) {
      EXPECT_EQ(dark, clBlack) << rotation;
    } else {
      EXPECT_EQ(far, clBlack) << rotation;
    }
    EXPECT_EQ(GetRValue(bmp.GetPixel(turned ? 100 : 300, turned ? 300 : 100)),
              GetGValue(bmp.GetPixel(turned ? 100 : 300, turned ? 300 : 100)));
  }
  f.resize(0x30000 + 1000);
  TBitmap bmp;
  std::string error;
  EXPECT_FALSE(Reader("Kodak Photo CD").Read("", f.data(), f.size(), bmp, error));
  EXPECT_FALSE(error.empty());
}

TEST(ImportPcd, SampleFile) {
  TESSARO_REQUIRE_TESTIMAGES();
  TESSARO_REQUIRE_TOOL(ImageMagick);
  std::filesystem::path p = TestImages() / "pillow/Tests/images/hopper.pcd";
  if (!std::filesystem::exists(p))
    GTEST_SKIP();
  TTempDir dir;
  TBitmap bmp, ref;
  std::string error;
  ASSERT_TRUE(ReadWith("Kodak Photo CD", p.string(), bmp, error)) << error;
  // The base resolution, not the first (smallest) one.
  std::string ppm = dir.File("ref.ppm");
  ASSERT_TRUE(Magick("-size 768x512 " + Quote(p.string()) + " -depth 8 " + Quote("ppm:" + ppm)));
  ASSERT_TRUE(ReadWith("Portable Map", ppm, ref, error));
  ASSERT_EQ(bmp.Width(), ref.Width());
  double sum = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      for (int s = 0; s < 24; s += 8)
        sum += std::abs(int((bmp.GetPixel(x, y) >> s) & 255) - int((ref.GetPixel(x, y) >> s) & 255));
  // ImageMagick maps the PhotoYCC range through a curve, we map it linearly.
  EXPECT_LT(sum / (3.0 * bmp.Width() * bmp.Height()), 4.0);
}

// --- Dr. Halo CUT --------------------------------------------------------------

// 3 x 2: line one a run of three 7s, line two literals 1 2 3.
const std::vector<uint8_t> CutFile = {3, 0, 2, 0, 0, 0, 3, 0, 0x83, 7, 0, 5, 0, 3, 1, 2, 3, 0};

TEST(ImportCut, GreyWithoutAndColoursWithPaletteFile) {
  TTempDir dir;
  std::string file = dir.File("pic.cut");
  WriteBytes(file, CutFile);
  TBitmap bmp;
  std::string error;
  ASSERT_EQ(Prober(CutFile), "Dr. Halo");
  ASSERT_TRUE(ReadWith("Dr. Halo", file, bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(2, 0), RGB(7, 7, 7));
  EXPECT_EQ(bmp.GetPixel(1, 1), RGB(2, 2, 2));

  // Palette file: 40-byte header, maxima 255, entries of three words.
  std::vector<uint8_t> pal(40, 0);
  pal[0] = 'A', pal[1] = 'H', pal[6] = 'P';
  pal[12] = 255;
  for (int k = 0; k < 3; ++k)
    pal[size_t(14 + 2 * k)] = 255;
  for (int i = 0; i < 256; ++i) {
    if (pal.size() % 512 > 506)
      pal.resize((pal.size() / 512 + 1) * 512, 0);
    for (int v : {i, 255 - i, 100})
      pal.insert(pal.end(), {uint8_t(v), 0});
  }
  WriteBytes(dir.File("pic.pal"), pal);
  ASSERT_TRUE(ReadWith("Dr. Halo", file, bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(7, 248, 100));
  EXPECT_EQ(bmp.GetPixel(2, 1), RGB(3, 252, 100));
  if (HaveTool(ImageMagick)) {
    TBitmap ref;
    ASSERT_TRUE(MagickReference(file, dir, ref));
    EXPECT_EQ(MaxDifference(bmp, ref), 0);
  }

  EXPECT_EQ(ReadPrefixes("Dr. Halo", CutFile), 0);
  std::vector<uint8_t> bad = CutFile;
  bad[8] = 0x85; // run past the width
  EXPECT_FALSE(Reader("Dr. Halo").Read("", bad.data(), bad.size(), bmp, error));
  EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace tessaro::test
