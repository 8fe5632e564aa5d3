#include "import_helpers.h"

#include "files/ImportEps.h"

#include <chrono>
#include <cstring>

namespace tessaro::test {
namespace {

const char *const Eps = "Encapsulated Postscript";

struct TEpsSettings {
  ~TEpsSettings() {
    SetEpsRenderingEnabled(true);
    SetEpsRenderTimeout(30);
  }
};

// A small EPS: left half red, right half blue, 20 x 10 points.
const char *const TwoColours = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\n"
                               "1 0 0 setrgbcolor 0 0 10 10 rectfill\n"
                               "0 0 1 setrgbcolor 10 0 10 10 rectfill\nshowpage\n%%EOF\n";

void Le32(std::vector<uint8_t> &f, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    f[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// Binary EPS header, PostScript section and TIFF preview.
std::vector<uint8_t> BinaryEps(const std::string &ps, const std::vector<uint8_t> &tiff) {
  std::vector<uint8_t> f(30 + ps.size() + tiff.size(), 0);
  f[0] = 0xC5, f[1] = 0xD0, f[2] = 0xD3, f[3] = 0xC6;
  Le32(f, 4, 30);
  Le32(f, 8, uint32_t(ps.size()));
  Le32(f, 20, uint32_t(30 + ps.size()));
  Le32(f, 24, uint32_t(tiff.size()));
  f[28] = f[29] = 0xFF;
  std::copy(ps.begin(), ps.end(), f.begin() + 30);
  std::copy(tiff.begin(), tiff.end(), f.begin() + 30 + std::ptrdiff_t(ps.size()));
  return f;
}

TEST(ImportEps, TiffPreviewOfBinaryEps) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  TEpsSettings restore;
  std::string tif = dir.File("rose.tif");
  ASSERT_TRUE(Magick("rose: " + Quote(tif)));
  std::vector<uint8_t> bytes = BinaryEps(TwoColours, FileBytes(tif));
  ASSERT_EQ(Prober(bytes), Eps);
  // The preview needs no Ghostscript.
  SetEpsRenderingEnabled(false);
  TBitmap bmp, ref;
  std::string error;
  ASSERT_TRUE(Reader(Eps).Read("", bytes.data(), bytes.size(), bmp, error)) << error;
  ASSERT_TRUE(MagickReference(tif, dir, ref));
  EXPECT_EQ(MaxDifference(bmp, ref), 0);

  // Offsets that point outside the file.
  std::vector<uint8_t> bad = bytes;
  bad[23] = bad[27] = bad[7] = 0x7F;
  EXPECT_FALSE(Reader(Eps).Read("", bad.data(), bad.size(), bmp, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadPrefixes(Eps, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 64)), 0);
}

TEST(ImportEps, PostScriptThroughGhostscript) {
  TESSARO_REQUIRE_GHOSTSCRIPT();
  TEpsSettings restore;
  std::vector<uint8_t> f(TwoColours, TwoColours + std::strlen(TwoColours));
  // Plain, and binary without a preview.
  for (const auto &file : {f, BinaryEps(TwoColours, {})}) {
    TBitmap bmp;
    std::string error;
    ASSERT_EQ(Prober(file), Eps);
    ASSERT_TRUE(Reader(Eps).Read("", file.data(), file.size(), bmp, error)) << error;
    ASSERT_EQ(bmp.Width(), 20);
    ASSERT_EQ(bmp.Height(), 10);
    EXPECT_EQ(bmp.GetPixel(2, 5), clRed);
    EXPECT_EQ(bmp.GetPixel(17, 5), clBlue);
  }

  // Without Ghostscript the file gives a clean failure.
  SetEpsRenderingEnabled(false);
  TBitmap bmp;
  std::string error;
  EXPECT_FALSE(Reader(Eps).Read("", f.data(), f.size(), bmp, error));
  EXPECT_NE(error.find("Ghostscript"), std::string::npos);
}

TEST(ImportEps, HostilePostScriptIsBounded) {
  TESSARO_REQUIRE_GHOSTSCRIPT();
  TEpsSettings restore;
  SetEpsRenderTimeout(2);
  TBitmap bmp;
  std::string error;
  // An endless loop is stopped; file access is refused in safe mode; a huge
  // page is refused before rendering.
  const char *files[] = {"%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n{} loop\n",
                         "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n(/etc/passwd) (r) file pop\n",
                         "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 900000 900000\nshowpage\n"};
  for (const char *s : files) {
    std::vector<uint8_t> f(s, s + std::strlen(s));
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Reader(Eps).Read("", f.data(), f.size(), bmp, error)) << s;
    EXPECT_FALSE(error.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  }
}

TEST(ImportEps, SampleFiles) {
  TESSARO_REQUIRE_TESTIMAGES();
  TEpsSettings restore;
  SetEpsRenderTimeout(10);
  bool gs = GhostscriptCanRender();
  int read = 0;
  for (auto &p : SampleFiles("pillow/Tests/images/eps", {".eps"})) {
    TBitmap bmp;
    std::string error;
    if (ReadWith(Eps, p.string(), bmp, error)) {
      ++read;
      EXPECT_FALSE(bmp.Empty());
    } else {
      EXPECT_FALSE(error.empty()) << p;
    }
  }
  if (gs) {
    EXPECT_GT(read, 5);
  }
}

} // namespace
} // namespace tessaro::test
