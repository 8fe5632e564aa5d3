// Round trips through the real libraries and files written by other
// software (ImageMagick, libjpeg's tools), read through LoadImageFile.
#include "core/BmpFile.h"
#include "core/Palettes.h"
#include "files/ImageCodecs.h"
#include "files/LUMGraphicsFiles.h"

#include "../common/TestUtil.h"
#include "FilesTestUtil.h"

#include <set>

using namespace tessaro;
using namespace tessaro::test;

namespace {
const char *const kConvert = "/usr/bin/convert";

bool HasMarker(const std::vector<uint8_t> &d, uint8_t marker) {
  for (size_t i = 0; i + 1 < d.size(); ++i)
    if (d[i] == 0xFF && d[i + 1] == marker)
      return true;
  return false;
}
} // namespace

class FileFormats : public ::testing::Test {
protected:
  TTempDir Dir;
};

TEST_F(FileFormats, JpegRoundTripQualityAndProgressive) {
  TBitmap src = MakeGradient(64, 48);
  std::string f = Dir.File("a.JPG"); // capitals take the JPEG branch
  ASSERT_TRUE(SaveImageFile(&src, f, 100, 7, false));
  auto q100 = FileBytes(f);
  EXPECT_TRUE(IsJpegData(q100.data(), q100.size()));
  EXPECT_FALSE(HasMarker(q100, 0xC2));
  TBitmap back;
  ASSERT_TRUE(LoadImageFile(f, back));
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  ASSERT_EQ(back.Width(), 64);
  EXPECT_LE(MeanChannelDiff(src, back), 2.5); // chroma subsampling blurs the hard edges

  // Above 100 counts as 100; 0 is taken as 1 and gives a far smaller file.
  ASSERT_TRUE(SaveImageFile(&src, f, 250, 7, false));
  EXPECT_EQ(FileBytes(f), q100);
  ASSERT_TRUE(SaveImageFile(&src, f, 0, 7, false));
  auto q0 = FileBytes(f);
  ASSERT_TRUE(SaveImageFile(&src, f, 1, 7, false));
  EXPECT_EQ(FileBytes(f), q0);
  EXPECT_LT(q0.size(), q100.size() / 2);

  ASSERT_TRUE(SaveImageFile(&src, Dir.File("p.jpeg"), 90, 7, true));
  auto prog = FileBytes(Dir.File("p.jpeg"));
  EXPECT_TRUE(HasMarker(prog, 0xC2)); // progressive frame
  ASSERT_TRUE(LoadImageFile(Dir.File("p.jpeg"), back));
  EXPECT_LE(MeanChannelDiff(src, back), 4.0);
}

TEST_F(FileFormats, JpegGreyAndOtherFormats) {
  // An 8-bit grey raster is written as a greyscale JPEG and comes back grey.
  TBitmap grey(40, 30, pf8bit);
  grey.SetPalette(GrayPalette(256));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      grey.SetStored(x, y, uint32_t(x * 6));
  std::string f = Dir.File("g.jpg");
  ASSERT_TRUE(SaveImageFile(&grey, f, 100, 7, false));
  EXPECT_EQ(grey.PixelFormat(), pf8bit);
  auto data = FileBytes(f);
  TBitmap raw;
  std::string err;
  ASSERT_TRUE(ReadJpeg(data.data(), data.size(), raw, err)) << err;
  EXPECT_EQ(raw.PixelFormat(), pf8bit);
  EXPECT_LE(MaxChannelDiff(grey, raw), 3);

  // A 4-bit raster is converted to 24 bits in place first.
  TBitmap four = MakePattern(20, 10, pf4bit);
  TBitmap before = four;
  ASSERT_TRUE(SaveImageFile(&four, f, 100, 7, false));
  EXPECT_EQ(four.PixelFormat(), pf24bit);
  EXPECT_TRUE(SameColors(four, before));
}

TEST_F(FileFormats, JpegFromOtherSoftware) {
  REQUIRE_TOOL(kConvert);
  struct {
    const char *Name, *Args;
    bool Cmyk;
  } cases[] = {{"base.jpg", "-quality 95", false},
               {"prog.jpg", "-quality 95 -interlace JPEG", false},
               {"grey.jpg", "-colorspace Gray -quality 95", false},
               {"cmyk.jpg", "-colorspace CMYK -quality 95", true}};
  for (const auto &c : cases) {
    std::string f = Dir.File(c.Name);
    ASSERT_EQ(RunTool(std::string(kConvert) + " -size 32x16 xc:'rgb(200,40,90)' " + c.Args + " " + f), 0);
    TBitmap bmp;
    std::string err;
    ASSERT_TRUE(LoadImageFile(f, bmp, &err)) << c.Name << " " << err;
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_EQ(bmp.Width(), 32);
    EXPECT_EQ(bmp.Height(), 16);
    TColor px = bmp.GetPixel(16, 8);
    if (std::string(c.Name) == "grey.jpg") {
      EXPECT_EQ(GetRValue(px), GetBValue(px));
    } else {
      EXPECT_NEAR(GetRValue(px), 200, c.Cmyk ? 12 : 4) << c.Name;
      EXPECT_NEAR(GetGValue(px), 40, c.Cmyk ? 12 : 4) << c.Name;
      EXPECT_NEAR(GetBValue(px), 90, c.Cmyk ? 12 : 4) << c.Name;
    }
  }
}

TEST_F(FileFormats, BrokenJpegsFailCleanly) {
  TBitmap src = MakeGradient(64, 64);
  std::vector<uint8_t> data;
  std::string err;
  ASSERT_TRUE(EncodeJpeg(src, 90, false, data, err));
  std::vector<std::vector<uint8_t>> bad = {
      std::vector<uint8_t>(data.begin(), data.begin() + long(data.size() / 2)), // truncated
      std::vector<uint8_t>(data.begin(), data.begin() + 20),
      {0xFF, 0xD8, 0xFF},
  };
  auto huge = data; // a header claiming 65500 x 65500
  for (size_t i = 0; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = huge[i + 7] = 0xFF;
      huge[i + 6] = huge[i + 8] = 0xDC;
      break;
    }
  bad.push_back(huge);
  for (const auto &b : bad) {
    TBitmap bmp;
    err.clear();
    EXPECT_FALSE(ReadJpeg(b.data(), b.size(), bmp, err));
    EXPECT_FALSE(err.empty());
  }
  WriteBytes(Dir.File("t.jpg"), bad[0]);
  TBitmap bmp;
  EXPECT_FALSE(LoadImageFile(Dir.File("t.jpg"), bmp));
}

TEST_F(FileFormats, PngRoundTripEveryPixelFormat) {
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap src = MakePattern(37, 11, pf);
    std::string f = Dir.File("r.png");
    ASSERT_TRUE(SaveImageFile(&src, f, 100, 7, false)) << PixelFormatName(pf);
    TBitmap back;
    ASSERT_TRUE(LoadImageFile(f, back)) << PixelFormatName(pf);
    // Palette images stay palette images with the same palette and indices;
    // 15/16 bits come back as 24 bits of the same colours.
    TPixelFormat expect = (pf == pf15bit || pf == pf16bit) ? pf24bit : pf;
    EXPECT_EQ(back.PixelFormat(), expect) << PixelFormatName(pf);
    EXPECT_TRUE(SameColors(src, back)) << PixelFormatName(pf);
    if (IsPaletteFormat(pf)) {
      EXPECT_EQ(back.Palette(), src.Palette());
      for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 37; ++x)
          ASSERT_EQ(back.GetStored(x, y), src.GetStored(x, y));
    }
    if (pf == pf32bit) {
      EXPECT_EQ(back.GetStored(3, 4), src.GetStored(3, 4)); // the fourth byte is kept
    }
  }
}

TEST_F(FileFormats, PngFromOtherSoftware) {
  REQUIRE_TOOL(kConvert);
  struct {
    const char *Name, *Args;
    TPixelFormat Format;
  } cases[] = {
      {"g16.png", "-colorspace Gray -depth 16 PNG:", pf8bit},
      {"g1.png", "-colorspace Gray -depth 1 PNG8:", pf1bit},
      {"ga.png", "-colorspace Gray -alpha set -channel A -evaluate set 50% +channel PNG:", pf32bit},
      {"rgb16.png", "-depth 16 PNG48:", pf24bit},
      {"rgba.png", "-alpha set -channel A -evaluate set 50% +channel PNG32:", pf32bit},
      {"ilace.png", "-interlace PNG PNG24:", pf24bit},
      {"pal.png", "-colors 3 PNG8:", pf8bit},
      {"pal2.png", "-define png:bit-depth=2 -define png:color-type=3 ", pf4bit},
  };
  for (const auto &c : cases) {
    std::string f = Dir.File(c.Name);
    // Left half red, right half white.
    ASSERT_EQ(
        RunTool(std::string(kConvert) + " -size 20x10 xc:red -size 20x10 xc:white +append " + c.Args + f), 0);
    TBitmap bmp;
    std::string err;
    ASSERT_TRUE(LoadImageFile(f, bmp, &err)) << c.Name << err;
    EXPECT_EQ(bmp.Width(), 40);
    EXPECT_EQ(bmp.Height(), 10);
    std::string name = c.Name;
    bool grey = name[0] == 'g';
    // ImageMagick picks its own bit depth for 1-bit grey.
    if (name != "g1.png") {
      EXPECT_EQ(bmp.PixelFormat(), c.Format) << name;
    }
    EXPECT_EQ(bmp.GetPixel(30, 5), clWhite) << name;
    TColor left = bmp.GetPixel(3, 5);
    if (grey) {
      EXPECT_EQ(GetRValue(left), GetBValue(left)) << name;
    } else {
      EXPECT_EQ(left, clRed) << name;
    }
    if (c.Format == pf32bit) {
      EXPECT_NEAR(int(bmp.ScanLine(5)[4 * 3 + 3]), 128, 1) << name;
    }
  }
}

TEST_F(FileFormats, BrokenPngsFailCleanly) {
  TBitmap src = MakeGradient(50, 50);
  std::vector<uint8_t> data;
  std::string err;
  ASSERT_TRUE(EncodePng(src, data, err));
  auto crc = data;
  crc[40] ^= 0x55;
  for (const auto &b : {std::vector<uint8_t>(data.begin(), data.begin() + long(data.size() / 2)), crc,
                        std::vector<uint8_t>(data.begin(), data.begin() + 8)}) {
    TBitmap bmp;
    EXPECT_FALSE(ReadPng(b.data(), b.size(), bmp, err));
  }
}

TEST_F(FileFormats, GifPaletteRastersKeepTheirPalette) {
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit}) {
    TBitmap src = MakePattern(33, 9, pf);
    std::string f = Dir.File("p.gif");
    ASSERT_TRUE(SaveImageFile(&src, f, 100, 7, false));
    TBitmap back;
    ASSERT_TRUE(LoadImageFile(f, back));
    EXPECT_EQ(back.PixelFormat(), pf8bit); // an 8-bit GIF stays 8-bit
    EXPECT_TRUE(SameColors(src, back)) << PixelFormatName(pf);
    ASSERT_GE(back.Palette().size(), src.Palette().size());
    EXPECT_TRUE(std::equal(src.Palette().begin(), src.Palette().end(), back.Palette().begin()));
  }
}

TEST_F(FileFormats, GifOctreeForDeepRasters) {
  // Few colours survive exactly.
  TBitmap few(30, 30, pf24bit);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x)
      few.SetPixel(x, y, RGB(uint8_t(x / 10 * 100), uint8_t(y / 10 * 100), 7));
  std::string f = Dir.File("few.gif");
  ASSERT_TRUE(SaveImageFile(&few, f, 100, 7, false));
  TBitmap back;
  ASSERT_TRUE(LoadImageFile(f, back));
  EXPECT_TRUE(SameColors(few, back));

  // Many colours: at most 256 taken from the image, every pixel its nearest.
  for (TPixelFormat pf : {pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap src = MakeGradient(128, 128);
    src.SetPixelFormat(pf);
    ASSERT_TRUE(SaveImageFile(&src, f, 100, 7, false));
    ASSERT_TRUE(LoadImageFile(f, back));
    ASSERT_EQ(back.PixelFormat(), pf8bit);
    const TPalette &pal = back.Palette();
    EXPECT_LE(pal.size(), 256u);
    std::set<TColor> used;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x)
        used.insert(back.GetPixel(x, y));
    EXPECT_GT(used.size(), 150u) << PixelFormatName(pf);
    EXPECT_LE(MaxChannelDiff(src, back), 24) << PixelFormatName(pf);
    for (int y = 0; y < 128; y += 9)
      for (int x = 0; x < 128; x += 7) {
        TColor c = src.GetPixel(x, y), got = back.GetPixel(x, y);
        auto dist = [&](TColor p) {
          int dr = GetRValue(p) - GetRValue(c), dg = GetGValue(p) - GetGValue(c),
              db = GetBValue(p) - GetBValue(c);
          return dr * dr + dg * dg + db * db;
        };
        for (const auto &q : pal)
          ASSERT_LE(dist(got), dist(ColorFromQuad(q)));
      }
  }
}

TEST_F(FileFormats, GifFromOtherSoftware) {
  REQUIRE_TOOL(kConvert);
  // Interlaced; an animation (first frame is red); a frame smaller than its
  // logical screen, placed at an offset.
  std::string i = Dir.File("i.gif"), a = Dir.File("a.gif"), o = Dir.File("o.gif");
  ASSERT_EQ(RunTool(std::string(kConvert) + " -size 40x30 gradient:red-blue -interlace GIF " + i), 0);
  ASSERT_EQ(RunTool(std::string(kConvert) + " -size 10x10 xc:red xc:lime xc:blue " + a), 0);
  ASSERT_EQ(RunTool(std::string(kConvert) + " -size 8x6 xc:red -repage 30x20+5+7 " + o), 0);
  TBitmap bmp;
  ASSERT_TRUE(LoadImageFile(i, bmp));
  EXPECT_EQ(bmp.Width(), 40);
  EXPECT_EQ(bmp.PixelFormat(), pf8bit);
  EXPECT_EQ(bmp.GetPixel(20, 0), clRed);
  EXPECT_EQ(bmp.GetPixel(20, 29), clBlue);
  EXPECT_GT(GetRValue(bmp.GetPixel(20, 10)), GetRValue(bmp.GetPixel(20, 20)));
  ASSERT_TRUE(LoadImageFile(a, bmp));
  EXPECT_EQ(bmp.GetPixel(5, 5), clRed);
  ASSERT_TRUE(LoadImageFile(o, bmp));
  EXPECT_EQ(bmp.Width(), 30);
  EXPECT_EQ(bmp.Height(), 20);
  EXPECT_EQ(bmp.GetPixel(5, 7), clRed);
  EXPECT_EQ(bmp.GetPixel(12, 12), clRed);
}

TEST_F(FileFormats, LoadRules) {
  TBitmap bmp(5, 5, pf24bit);
  EXPECT_FALSE(LoadImageFile(Dir.File("missing.png"), bmp));
  WriteBytes(Dir.File("a.txt"), {1, 2, 3});
  EXPECT_FALSE(LoadImageFile(Dir.File("a.txt"), bmp));
  // A BMP read through LoadImageFile becomes 24 bits.
  TBitmap eight = MakePattern(9, 9, pf8bit);
  ASSERT_TRUE(SaveImageFile(&eight, Dir.File("e.bmp"), 100, 7, false));
  std::string err;
  ASSERT_TRUE(LoadImageFile(Dir.File("e.bmp"), bmp, &err)) << err;
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_TRUE(SameColors(eight, bmp));
  // A JPEG named .pcx: no import reader recognises it, the .pcx reader fails.
  TBitmap src = MakeGradient(8, 8);
  ASSERT_TRUE(SaveImageFile(&src, Dir.File("j.jpg"), 90, 7, false));
  WriteBytes(Dir.File("j.pcx"), FileBytes(Dir.File("j.jpg")));
  EXPECT_FALSE(LoadImageFile(Dir.File("j.pcx"), bmp));
  // A read-only GIF is writable after loading (the frame puts the flag back).
  ASSERT_TRUE(SaveImageFile(&src, Dir.File("ro.gif"), 90, 7, false));
  chmod(Dir.File("ro.gif").c_str(), 0444);
  ASSERT_TRUE(LoadImageFile(Dir.File("ro.gif"), bmp));
  struct stat st;
  stat(Dir.File("ro.gif").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(FileFormats, ContentIsProbedBeforeTheExtension) {
  // A PNG named .tga is read by the PNG reader of the import list, as 24 bits.
  TBitmap src = MakePattern(12, 7, pf8bit);
  ASSERT_TRUE(SaveImageFile(&src, Dir.File("p.png"), 100, 7, false));
  WriteBytes(Dir.File("p.tga"), FileBytes(Dir.File("p.png")));
  TBitmap bmp;
  std::string err;
  ASSERT_TRUE(LoadImageFile(Dir.File("p.tga"), bmp, &err)) << err;
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_TRUE(SameColors(src, bmp));
  // A PCX named .tga is read by the Paintbrush reader, as 24 bits.
  REQUIRE_TOOL(kConvert);
  ASSERT_EQ(RunTool(std::string(kConvert) + " -size 16x8 xc:red -type Palette " + Dir.File("x.pcx")), 0);
  WriteBytes(Dir.File("x.tga"), FileBytes(Dir.File("x.pcx")));
  ASSERT_TRUE(LoadImageFile(Dir.File("x.tga"), bmp, &err)) << err;
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_EQ(bmp.Width(), 16);
  EXPECT_EQ(bmp.GetPixel(3, 3), clRed);
}

TEST_F(FileFormats, SaveRulesAndFailures) {
  TBitmap src = MakeGradient(8, 8);
  EXPECT_FALSE(SaveImageFile(nullptr, Dir.File("a.png"), 100, 7, false));
  EXPECT_FALSE(SaveImageFile(&src, Dir.File("a.tga"), 100, 7, false));
  EXPECT_FALSE(std::filesystem::exists(Dir.File("a.tga")));
  // A writer that fails leaves the old file as it was and nothing beside it.
  std::string f = Dir.File("keep.png");
  ASSERT_TRUE(SaveImageFile(&src, f, 100, 7, false));
  auto old = FileBytes(f);
  TBitmap empty;
  std::string err;
  EXPECT_FALSE(SaveImageFile(&empty, f, 100, 7, false, &err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(FileBytes(f), old);
  EXPECT_FALSE(SaveImageFile(&src, Dir.File("no/such/folder.png"), 100, 7, false));
  size_t n = 0;
  for (auto &e : std::filesystem::directory_iterator(Dir.Path()))
    n += e.is_regular_file();
  EXPECT_EQ(n, 1u);
}
