#include "core/BmpFile.h"
#include "core/FileUtil.h"

#include "../common/TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace tessaro;
namespace fs = std::filesystem;

namespace {

TBitmap Random(int w, int h, TPixelFormat pf, unsigned seed) {
  TBitmap b(w, h, pf24bit);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, rng() & 0xFFFFFF);
  b.SetPixelFormat(pf);
  if (pf == pf32bit) // the fourth byte must survive too
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        b.ScanLine(y)[4 * x + 3] = uint8_t(rng());
  return b;
}

void ExpectSamePixels(const TBitmap &a, const TBitmap &b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      ASSERT_EQ(a.GetPixel(x, y), b.GetPixel(x, y)) << x << "," << y;
}

// Builds a BMP file image from a header and pixel bytes.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, uint32_t compression,
                             const std::vector<uint32_t> &palette, const std::vector<uint8_t> &pixels) {
  std::vector<uint8_t> f;
  auto p16 = [&](uint32_t v) {
    f.push_back(uint8_t(v));
    f.push_back(uint8_t(v >> 8));
  };
  auto p32 = [&](uint32_t v) {
    p16(v & 0xFFFF);
    p16(v >> 16);
  };
  uint32_t off = 14 + 40 + uint32_t(palette.size()) * 4;
  f.push_back('B');
  f.push_back('M');
  p32(off + uint32_t(pixels.size()));
  p32(0);
  p32(off);
  p32(40);
  p32(uint32_t(w));
  p32(uint32_t(h));
  p16(1);
  p16(uint32_t(bits));
  p32(compression);
  p32(uint32_t(pixels.size()));
  p32(0);
  p32(0);
  p32(uint32_t(palette.size()));
  p32(0);
  for (uint32_t c : palette)
    p32(c);
  f.insert(f.end(), pixels.begin(), pixels.end());
  return f;
}

} // namespace

TEST(BmpFile, EveryPixelFormatRoundTripsWithItsFormat) {
  test::TTempDir dir;
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    for (int w : {1, 7, 33}) {
      TBitmap src = Random(w, 5, pf, unsigned(w * 10 + pf));
      std::string path = dir.File("rt.bmp");
      ASSERT_TRUE(SaveBmpFile(src, path));
      TBitmap back;
      std::string error;
      ASSERT_TRUE(LoadBmpFile(path, back, &error)) << error;
      EXPECT_EQ(back.PixelFormat(), pf) << PixelFormatName(pf);
      EXPECT_EQ(back.Palette(), src.Palette());
      for (int y = 0; y < 5; ++y)
        ASSERT_EQ(0, memcmp(back.ScanLine(y), src.ScanLine(y), src.RowBytes())) << PixelFormatName(pf);
      // The in-memory reader agrees with the file reader.
      TBitmap mem;
      std::vector<uint8_t> bytes = EncodeBmp(src);
      ASSERT_TRUE(ReadBmp(bytes.data(), bytes.size(), mem));
      ExpectSamePixels(mem, back);
    }
  }
}

TEST(BmpFile, HeaderFieldsOfWrittenFiles) {
  test::TTempDir dir;
  TBitmap b(10, 3, pf16bit);
  ASSERT_TRUE(SaveBmpFile(b, dir.File("h.bmp")));
  TBmpHeaderInfo info;
  ASSERT_TRUE(ReadBmpHeader(dir.File("h.bmp"), info));
  EXPECT_EQ(info.Width, 10);
  EXPECT_EQ(info.Height, 3);
  EXPECT_EQ(info.Planes, 1);
  EXPECT_EQ(info.BitCount, 16);
  EXPECT_EQ(info.Compression, 3u); // bit fields
  EXPECT_EQ(info.ImageSize, 60u);  // rows of 20 bytes
  EXPECT_EQ(info.FileSize, uint32_t(fs::file_size(dir.File("h.bmp"))));
  EXPECT_FALSE(ReadBmpHeader(dir.File("missing.bmp"), info));
}

TEST(BmpFile, RunLengthCodesAndDeltas) {
  // RLE8, 4 x 3, bottom-up.
  std::vector<uint8_t> rle8 = {3, 1,             // run of 3 x index 1
                               0, 3, 2, 3, 2, 0, // absolute run of 3, padded to a word
                               0, 0,             // end of line
                               0, 2, 1, 0,       // delta: one right, no line up
                               2, 3, 0, 1};      // run of 2 x index 3, end of bitmap
  std::vector<uint32_t> pal = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  auto file = MakeBmp(6, 3, 8, 1, pal, rle8);
  TBitmap b;
  std::string error;
  ASSERT_TRUE(ReadBmp(file.data(), file.size(), b, &error)) << error;
  EXPECT_EQ(b.PixelFormat(), pf8bit);
  auto line = [&](int y) {
    std::vector<uint32_t> v;
    for (int x = 0; x < 6; ++x)
      v.push_back(b.GetStored(x, y));
    return v;
  };
  // The file's first line is the bottom one; the absolute run continues it,
  // the delta moves one pixel right on the next line.
  EXPECT_EQ(line(2), (std::vector<uint32_t>{1, 1, 1, 2, 3, 2}));
  EXPECT_EQ(line(1), (std::vector<uint32_t>{0, 3, 3, 0, 0, 0}));
  EXPECT_EQ(line(0), (std::vector<uint32_t>{0, 0, 0, 0, 0, 0}));

  // RLE4: run of 5 alternating nibbles 1,2 then absolute 3 nibbles 3,4,5.
  std::vector<uint8_t> rle4 = {5, 0x12, 0, 3, 0x34, 0x50, 0, 1};
  auto file4 = MakeBmp(8, 1, 4, 2, pal, rle4);
  ASSERT_TRUE(ReadBmp(file4.data(), file4.size(), b, &error)) << error;
  EXPECT_EQ(b.PixelFormat(), pf4bit);
  std::vector<uint32_t> got;
  for (int x = 0; x < 8; ++x)
    got.push_back(b.GetStored(x, 0));
  EXPECT_EQ(got, (std::vector<uint32_t>{1, 2, 1, 2, 1, 3, 4, 5}));
}

TEST(BmpFile, ShortPalettesTopDownAndBitFields) {
  // 8-bit with a 2-entry palette, top-down.
  std::vector<uint8_t> px = {0, 1, 1, 0};
  auto f = MakeBmp(4, 1, 8, 0, {0x112233, 0x445566}, px);
  TBitmap b;
  ASSERT_TRUE(ReadBmp(f.data(), f.size(), b));
  EXPECT_EQ(b.Palette().size(), 2u);
  EXPECT_EQ(b.GetPixel(1, 0), RGB(0x44, 0x55, 0x66));
  // 16 bpp BI_RGB is 5-5-5.
  auto f16 = MakeBmp(2, 1, 16, 0, {}, {0xFF, 0x7F, 0x00, 0x7C});
  ASSERT_TRUE(ReadBmp(f16.data(), f16.size(), b));
  EXPECT_EQ(b.PixelFormat(), pf15bit);
  EXPECT_EQ(b.GetPixel(1, 0), clRed);
}

TEST(BmpFile, BrokenFilesFailWithAReason) {
  std::vector<uint8_t> good = MakeBmp(4, 4, 24, 0, {}, std::vector<uint8_t>(48, 7));
  struct Case {
    const char *name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"not a bmp", {'P', 'K', 3, 4}});
  cases.push_back({"truncated pixels", std::vector<uint8_t>(good.begin(), good.end() - 20)});
  cases.push_back({"truncated header", std::vector<uint8_t>(good.begin(), good.begin() + 30)});
  auto huge = good;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x0F; // width 268 million
  huge[22] = 0xFF, huge[23] = 0xFF, huge[24] = 0x0F;
  cases.push_back({"huge dimensions", huge});
  auto badBits = good;
  badBits[28] = 7;
  cases.push_back({"bad bit count", badBits});
  auto badHeader = good;
  badHeader[14] = 0xFF, badHeader[15] = 0xFF, badHeader[16] = 0xFF;
  cases.push_back({"bad header size", badHeader});
  auto rle = MakeBmp(4, 4, 8, 1, {0, 0xFFFFFF}, {0, 200, 1, 2}); // absolute run beyond the data
  cases.push_back({"broken rle", rle});
  for (const Case &c : cases) {
    TBitmap b(3, 3);
    std::string error;
    EXPECT_FALSE(ReadBmp(c.bytes.data(), c.bytes.size(), b, &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
    EXPECT_EQ(b.Width(), 3) << c.name << ": the bitmap stays as it was";
  }
}

TEST(BmpFile, FailedSaveLeavesTheOldFile) {
  test::TTempDir dir;
  std::string path = dir.File("keep.bmp");
  ASSERT_TRUE(WriteFileAtomically(path, "old", 3));
  ASSERT_FALSE(SaveBmpFile(TBitmap(), path)); // empty bitmap is refused
  std::vector<uint8_t> back;
  ASSERT_TRUE(ReadWholeFile(path, back));
  EXPECT_EQ(std::string(back.begin(), back.end()), "old");
  EXPECT_FALSE(SaveBmpFile(TBitmap(2, 2), dir.File("no/such/folder.bmp")));
  // No temporary files are left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(BmpFile, SuiteGoodFilesReadAndAgree) {
  TESSARO_REQUIRE_TESTIMAGES();
  fs::path g = test::TestImages() / "pillow/Tests/images/bmp/g";
  auto load = [&](const char *name) {
    TBitmap b;
    std::string error;
    EXPECT_TRUE(LoadBmpFile((g / name).string(), b, &error)) << name << ": " << error;
    return b;
  };
  for (const auto &entry : fs::directory_iterator(g)) {
    TBitmap b;
    std::string error;
    EXPECT_TRUE(LoadBmpFile(entry.path().string(), b, &error)) << entry.path() << ": " << error;
  }
  EXPECT_EQ(load("pal1.bmp").PixelFormat(), pf1bit);
  EXPECT_EQ(load("pal4.bmp").PixelFormat(), pf4bit);
  EXPECT_EQ(load("rgb16.bmp").PixelFormat(), pf15bit);
  EXPECT_EQ(load("rgb16-565.bmp").PixelFormat(), pf16bit);
  EXPECT_EQ(load("rgb32.bmp").PixelFormat(), pf32bit);
  TBitmap pal8 = load("pal8.bmp");
  for (const char *same :
       {"pal8-0.bmp", "pal8os2.bmp", "pal8rle.bmp", "pal8topdown.bmp", "pal8v4.bmp", "pal8v5.bmp"}) {
    SCOPED_TRACE(same);
    ExpectSamePixels(load(same), pal8);
  }
  TBitmap rgb24 = load("rgb24.bmp");
  ExpectSamePixels(load("rgb32.bmp"), rgb24);
  ExpectSamePixels(load("rgb32bf.bmp"), rgb24);
  ExpectSamePixels(load("pal4rle.bmp"), load("pal4.bmp"));
  ExpectSamePixels(load("rgb16-565pal.bmp"), load("rgb16-565.bmp"));
}

TEST(BmpFile, SuiteBadAndQuestionableFilesNeverCrash) {
  TESSARO_REQUIRE_TESTIMAGES();
  fs::path root = test::TestImages() / "pillow/Tests/images/bmp";
  for (const char *sub : {"b", "q"}) {
    for (const auto &entry : fs::directory_iterator(root / sub)) {
      TBitmap b;
      std::string error;
      bool ok = LoadBmpFile(entry.path().string(), b, &error);
      if (ok)
        EXPECT_FALSE(b.Empty()) << entry.path();
      else
        EXPECT_FALSE(error.empty()) << entry.path();
    }
  }
  for (const char *bad : {"badbitcount.bmp", "badheadersize.bmp", "badplanes.bmp", "badwidth.bmp",
                          "reallybig.bmp", "shortfile.bmp", "rletopdown.bmp", "badrle.bmp"}) {
    TBitmap b;
    EXPECT_FALSE(LoadBmpFile((root / "b" / bad).string(), b)) << bad;
  }
}
