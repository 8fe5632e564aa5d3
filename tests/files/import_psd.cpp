#include "import_helpers.h"

namespace tessaro::test {
namespace {

const char *const Psd = "Photoshop";

void Be16(std::vector<uint8_t> &f, unsigned v) {
  f.insert(f.end(), {uint8_t(v >> 8), uint8_t(v)});
}
void Be32(std::vector<uint8_t> &f, uint32_t v) {
  f.insert(f.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

// Header of a w x h file up to the compression field (empty sections).
std::vector<uint8_t> PsdHead(unsigned channels, uint32_t w, uint32_t h, unsigned depth, unsigned mode) {
  std::vector<uint8_t> f = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0};
  Be16(f, channels);
  Be32(f, h);
  Be32(f, w);
  Be16(f, depth);
  Be16(f, mode);
  Be32(f, 0); // colour mode data
  Be32(f, 0); // resources
  Be32(f, 0); // layers
  return f;
}

TEST(ImportPsd, CmykRleAndBitmapBuiltByHand) {
  // 2 x 1 CMYK, PackBits: channel rows C M Y K, inverted ink values.
  std::vector<uint8_t> f = PsdHead(4, 2, 1, 8, 4);
  Be16(f, 1);
  for (int i = 0; i < 4; ++i)
    Be16(f, 2);
  f.insert(f.end(), {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80}); // C=full, M,Y none, K half
  TBitmap bmp;
  std::string error;
  ASSERT_EQ(Prober(f), Psd);
  ASSERT_TRUE(Reader(Psd).Read("", f.data(), f.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), RGB(0, 128, 128));
  EXPECT_EQ(bmp.GetPixel(1, 0), RGB(0, 128, 128));
  EXPECT_EQ(ReadPrefixes(Psd, f), 0);

  // A PackBits row that claims more bytes than the file holds.
  std::vector<uint8_t> lie = f;
  lie[lie.size() - 8 - 7] = 0x7F;
  EXPECT_FALSE(Reader(Psd).Read("", lie.data(), lie.size(), bmp, error));
  EXPECT_FALSE(error.empty());

  // Bitmap mode, raw: set bits are black.
  std::vector<uint8_t> b = PsdHead(1, 3, 1, 1, 0);
  Be16(b, 0);
  b.push_back(0xA0);
  ASSERT_TRUE(Reader(Psd).Read("", b.data(), b.size(), bmp, error)) << error;
  EXPECT_EQ(bmp.GetPixel(0, 0), clBlack);
  EXPECT_EQ(bmp.GetPixel(1, 0), clWhite);
  EXPECT_EQ(bmp.GetPixel(2, 0), clBlack);

  // Huge sizes with little data, unknown modes and zip compression.
  std::vector<uint8_t> huge = PsdHead(3, 30000, 30000, 8, 3);
  Be16(huge, 0);
  EXPECT_FALSE(Reader(Psd).Read("", huge.data(), huge.size(), bmp, error));
  std::vector<uint8_t> lab = PsdHead(3, 1, 1, 8, 9);
  Be16(lab, 0);
  lab.insert(lab.end(), {1, 2, 3});
  EXPECT_FALSE(Reader(Psd).Read("", lab.data(), lab.size(), bmp, error));
}

TEST(ImportPsd, FilesWrittenByImageMagick) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  struct Case {
    const char *options;
    int tolerance;
  } cases[] = {{"", 0},
               {"-compress None", 0},
               {"-depth 16", 1},
               {"-type Grayscale", 1},
               {"-colors 50 -type Palette", 1},
               {"-colorspace CMYK", 2},
               {"-alpha set -channel A -evaluate set 50% +channel", 0}};
  for (auto &c : cases) {
    std::string file = dir.File("rose.psd");
    ASSERT_TRUE(Magick(std::string("rose: ") + c.options + " " + Quote(file))) << c.options;
    TBitmap bmp, ref;
    std::string error;
    ASSERT_EQ(Prober(FileBytes(file)), Psd) << c.options;
    ASSERT_TRUE(ReadWith(Psd, file, bmp, error)) << c.options << ": " << error;
    // ImageMagick cannot read back its own indexed files: the reference is
    // the converted picture itself.
    std::string ppm = dir.File("ref.ppm");
    ASSERT_TRUE(Magick(std::string("rose: ") + c.options + " -colorspace sRGB -alpha off -depth 8 " +
                       Quote("ppm:" + ppm)));
    ASSERT_TRUE(ReadWith("Portable Map", ppm, ref, error));
    EXPECT_LE(MaxDifference(bmp, ref), c.tolerance) << c.options;
  }
}

TEST(ImportPsd, SampleFiles) {
  TESSARO_REQUIRE_TESTIMAGES();
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  int read = 0;
  for (auto &p : SampleFiles("", {".psd", ".pdd"})) {
    TBitmap bmp, ref;
    std::string error;
    bool ok = ReadWith(Psd, p.string(), bmp, error);
    if (IsMalformedSample(p)) {
      EXPECT_FALSE(ok && bmp.Empty()) << p;
      continue;
    }
    if (!ok) {
      EXPECT_FALSE(error.empty()) << p; // Lab, multichannel, 32-bit float and zip variants
      continue;
    }
    ++read;
    std::filesystem::path png = p;
    png.replace_extension(".png");
    // Composites with transparency are stored matted on white.
    // The kimageformats samples bring a reference rendering beside them.
    bool haveRef = p.string().find("kimageformats") != std::string::npos
                       ? std::filesystem::exists(png) &&
                             MagickReference(png.string(), dir, ref, "-background white -flatten")
                       : MagickReference(p.string(), dir, ref, "-colorspace sRGB -background white -flatten");
    // Saved without "maximise compatibility", the file holds no real
    // composite; only the layers (which are not read) show the picture.
    // rgba.psd stores its composite un-matted, the colours under
    // transparent pixels show.
    if (p.filename() == "psd_123_nomaxcompat.psd" || p.filename() == "rgba.psd")
      continue;
    if (haveRef) {
      EXPECT_LE(MaxDifference(bmp, ref), 3) << p;
    }
  }
  EXPECT_GT(read, 20);
}

} // namespace
} // namespace tessaro::test
