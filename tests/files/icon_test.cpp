#include "files/ImageCodecs.h"
#include "files/LUMGraphicsFiles.h"

#include "../common/TestUtil.h"
#include "FilesTestUtil.h"

using namespace tessaro;
using namespace tessaro::test;

namespace {
void Put16(std::vector<uint8_t> &v, unsigned x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t> &v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// An icon file with one 8 x 2, 1-bit image: palette black, red; the top row
// red, the bottom row black; the AND mask makes the left half of the top row
// transparent.
std::vector<uint8_t> OneBitIcon() {
  std::vector<uint8_t> dib;
  Put32(dib, 40);
  Put32(dib, 8);
  Put32(dib, 4); // twice the height: colour and mask
  Put16(dib, 1);
  Put16(dib, 1);
  for (int i = 0; i < 6; ++i)
    Put32(dib, 0);
  Put32(dib, 0x00000000); // black
  Put32(dib, 0x00FF0000); // red (BGRX: B=0, G=0, R=FF)
  // XOR rows bottom-up: bottom row black, top row red.
  Put32(dib, 0x00000000);
  Put32(dib, 0x000000FF);
  // AND rows bottom-up: bottom opaque, top left half transparent.
  Put32(dib, 0x00000000);
  Put32(dib, 0x000000F0);
  std::vector<uint8_t> f;
  Put16(f, 0);
  Put16(f, 1);
  Put16(f, 1);
  f.insert(f.end(), {8, 2, 2, 0});
  Put16(f, 1);
  Put16(f, 1);
  Put32(f, uint32_t(dib.size()));
  Put32(f, 22);
  f.insert(f.end(), dib.begin(), dib.end());
  return f;
}
} // namespace

TEST(IconFiles, AndMaskShowsTheBitmapBackground) {
  TTempDir dir;
  auto ico = OneBitIcon();
  TBitmap raw;
  std::string err;
  ASSERT_TRUE(ReadIco(ico.data(), ico.size(), raw, err)) << err;
  ASSERT_EQ(raw.PixelFormat(), pf32bit);
  EXPECT_EQ(raw.ScanLine(0)[3], 0);
  EXPECT_EQ(raw.ScanLine(0)[4 * 7 + 3], 255);

  WriteBytes(dir.File("a.ico"), ico);
  TBitmap bmp;
  ASSERT_TRUE(LoadImageFile(dir.File("a.ico"), bmp, &err)) << err;
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  ASSERT_EQ(bmp.Width(), 8);
  ASSERT_EQ(bmp.Height(), 2);
  EXPECT_EQ(bmp.GetPixel(1, 0), clWhite); // transparent: the new raster's white
  EXPECT_EQ(bmp.GetPixel(6, 0), clRed);
  EXPECT_EQ(bmp.GetPixel(1, 1), clBlack);

  // Broken directories and images fail cleanly.
  for (size_t cut : {size_t(5), size_t(20), size_t(40), ico.size() - 9}) {
    TBitmap b;
    EXPECT_FALSE(ReadIco(ico.data(), cut, b, err)) << cut;
  }
}

TEST(IconFiles, LargestImageOfAFileFromOtherSoftware) {
  REQUIRE_TOOL("/usr/bin/convert");
  TTempDir dir;
  std::string f = dir.File("multi.ico");
  ASSERT_EQ(RunTool("/usr/bin/convert -size 48x48 xc:none -fill red -draw 'rectangle 12,12 35,35' -define "
                    "icon:auto-resize=16,48,32 " +
                    f),
            0);
  TBitmap bmp;
  std::string err;
  ASSERT_TRUE(LoadImageFile(f, bmp, &err)) << err;
  EXPECT_EQ(bmp.Width(), 48);
  EXPECT_EQ(bmp.Height(), 48);
  EXPECT_EQ(bmp.GetPixel(2, 2), clWhite);
  EXPECT_EQ(bmp.GetPixel(24, 24), clRed);
  // A 256 x 256 entry is stored as PNG.
  ASSERT_EQ(RunTool("/usr/bin/convert -size 256x256 xc:blue -define icon:auto-resize=256,16 " + f), 0);
  ASSERT_TRUE(LoadImageFile(f, bmp, &err)) << err;
  EXPECT_EQ(bmp.Width(), 256);
  EXPECT_EQ(bmp.GetPixel(100, 100), clBlue);
}

TEST(IconFiles, SharedSampleIcons) {
  TESSARO_REQUIRE_TESTIMAGES();
  int read = 0;
  for (const auto &e : std::filesystem::recursive_directory_iterator(TestImages())) {
    if (LowerExtension(e.path().string()) != ".ico")
      continue;
    TBitmap bmp;
    std::string err;
    std::string name = e.path().filename().string();
    bool ok = LoadImageFile(e.path().string(), bmp, &err);
    if (ok) {
      ++read;
      EXPECT_GT(bmp.Width(), 0);
    }
  }
  EXPECT_GT(read, 0);
}
