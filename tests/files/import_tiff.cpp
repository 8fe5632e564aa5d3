#include "import_helpers.h"

#include <tiffio.h>

namespace tessaro::test {
namespace {

const char *const Tiff = "TIFF";

TEST(ImportTiff, FilesWrittenByImageMagick) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  struct Case {
    const char *options;
    int tolerance;
  } cases[] = {{"-compress None", 0},
               {"-compress LZW", 0},
               {"-compress Zip -define tiff:rows-per-strip=1", 0},
               {"-compress JPEG -quality 95", 0},
               {"-compress RLE", 0},
               {"-type Grayscale -depth 16", 1},
               {"-colors 20 -type Palette", 1},
               {"-monochrome -compress Group4", 0},
               {"-monochrome -compress Fax", 0},
               {"-define tiff:tile-geometry=32x32", 0},
               {"-endian MSB -depth 16", 1},
               {"-colorspace CMYK", 1},
               {"-alpha set -channel A -evaluate set 40% +channel", 2},
               {"-orient BottomRight", 0}};
  for (auto &c : cases) {
    std::string file = dir.File("rose.tif");
    ASSERT_TRUE(Magick(std::string("rose: ") + c.options + " " + Quote(file))) << c.options;
    std::vector<uint8_t> bytes = FileBytes(file);
    EXPECT_EQ(Prober(bytes), Tiff);
    TBitmap bmp, ref;
    std::string error;
    ASSERT_TRUE(ReadWith(Tiff, file, bmp, error)) << c.options << ": " << error;
    EXPECT_EQ(bmp.Width(), 70);
    EXPECT_EQ(bmp.Height(), 46);
    // The reference of a JPEG-compressed file is the decoded picture itself.
    ASSERT_TRUE(MagickReference(file, dir, ref, "-auto-orient -colorspace sRGB"));
    EXPECT_LE(MaxDifference(bmp, ref), c.tolerance) << c.options;
  }
}

TEST(ImportTiff, RefusesTruncatedAndForeignData) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  std::string file = dir.File("rose.tif");
  ASSERT_TRUE(Magick("rose: -compress LZW " + Quote(file)));
  std::vector<uint8_t> bytes = FileBytes(file);
  // Cut anywhere, the file gives a clean failure (a cut in the last strip may
  // still leave libtiff something it accepts, so only the count is checked).
  EXPECT_LT(ReadPrefixes(Tiff, bytes, 61), int(bytes.size() / 61) / 4);

  std::vector<uint8_t> junk = {'I', 'I', 42, 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
  TBitmap bmp;
  std::string error;
  EXPECT_FALSE(Reader(Tiff).Read("", junk.data(), junk.size(), bmp, error));
  EXPECT_FALSE(error.empty());
  std::vector<uint8_t> pcx = {0x0A, 5, 1, 8, 0, 0, 0, 0};
  EXPECT_FALSE(Reader(Tiff).Recognise(pcx.data(), pcx.size()));
  EXPECT_FALSE(Reader(Tiff).Read("", pcx.data(), pcx.size(), bmp, error));
}

TEST(ImportTiff, SampleFiles) {
  TESSARO_REQUIRE_TESTIMAGES();
  int read = 0;
  for (auto &p : SampleFiles("oiio-images/libtiffpic", {".tif", ".tiff"})) {
    TBitmap bmp;
    std::string error;
    if (!ReadWith(Tiff, p.string(), bmp, error))
      continue; // kinds outside libtiff's RGBA interface
    ++read;
    // Banded decoding gives what libtiff's whole-picture decoding gives
    // (ImageMagick converts YCbCr and LogLuv files differently).
    TIFF *t = TIFFOpen(p.string().c_str(), "r");
    ASSERT_TRUE(t);
    std::vector<uint32_t> whole(size_t(bmp.Width()) * size_t(bmp.Height()));
    ASSERT_TRUE(TIFFReadRGBAImageOriented(t, uint32_t(bmp.Width()), uint32_t(bmp.Height()), whole.data(),
                                          ORIENTATION_TOPLEFT, 0));
    TIFFClose(t);
    int worst = 0;
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) {
        uint32_t q = whole[size_t(y) * size_t(bmp.Width()) + size_t(x)];
        if (TIFFGetA(q) != 255)
          continue;
        TColor c = bmp.GetPixel(x, y);
        worst = std::max({worst, std::abs(int(GetRValue(c)) - int(TIFFGetR(q))),
                          std::abs(int(GetGValue(c)) - int(TIFFGetG(q))),
                          std::abs(int(GetBValue(c)) - int(TIFFGetB(q)))});
      }
    // text.tif: libtiff's ThunderScan decoder leaves the ends of some rows
    // undefined, so they depend on what the buffer held before.
    if (p.filename() != "text.tif") {
      EXPECT_EQ(worst, 0) << p;
    }
  }
  EXPECT_GT(read, 15);
  // The rest only has to be read or refused without harm.
  for (auto &p : SampleFiles("pillow", {".tif", ".tiff"})) {
    TBitmap bmp;
    std::string error;
    if (!ReadWith(Tiff, p.string(), bmp, error)) {
      EXPECT_FALSE(error.empty()) << p;
    }
  }
}

} // namespace
} // namespace tessaro::test
