// Windows and enhanced metafiles: our own files round trip, files made of
// the common drawing records play at their size and mapping, other
// software reads what we write, and damaged files fail or stop cleanly.
#include "core/Canvas.h"
#include "files/ImageCodecs.h"
#include "files/LUMGraphicsFiles.h"

#include "../common/TestUtil.h"
#include "FilesTestUtil.h"

#include <cstring>

using namespace tessaro;
using namespace tessaro::test;

namespace {

struct TBytes {
  std::vector<uint8_t> B;
  TBytes &W(uint32_t v) {
    B.push_back(uint8_t(v));
    B.push_back(uint8_t(v >> 8));
    return *this;
  }
  TBytes &D(uint32_t v) { return W(v & 0xFFFF).W(v >> 16); }
};

// A placeable WMF of 200 x 100 units at 192 units per inch (100 x 50
// pixels) with the given records (function, parameter words).
std::vector<uint8_t> Wmf(const std::vector<std::pair<uint16_t, std::vector<uint16_t>>> &records) {
  TBytes f;
  f.D(0x9AC6CDD7).W(0).W(0).W(0).W(200).W(100).W(192).D(0);
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i)
    sum ^= uint16_t(f.B[size_t(2 * i)] | (f.B[size_t(2 * i + 1)] << 8));
  f.W(sum);
  f.W(1).W(9).W(0x0300).D(0).W(8).D(0).W(0);
  for (const auto &[fn, params] : records) {
    f.D(uint32_t(3 + params.size())).W(fn);
    for (uint16_t p : params)
      f.W(p);
  }
  f.D(3).W(0);
  return f.B;
}

// An EMF whose frame is 100 x 50 pixels of a 1920 x 1080 device of
// 508 x 286 mm, with the given records (type, parameter dwords).
std::vector<uint8_t> Emf(const std::vector<std::pair<uint32_t, std::vector<uint32_t>>> &records) {
  TBytes f;
  f.D(1).D(88).D(0).D(0).D(99).D(49);
  f.D(0).D(0).D(2646).D(1324); // frame, 0.01 mm
  f.D(0x464D4520).D(0x10000).D(0).D(0).D(8).D(0).D(0).D(0).D(1920).D(1080).D(508).D(286);
  for (const auto &[type, params] : records) {
    f.D(type).D(uint32_t(8 + 4 * params.size()));
    for (uint32_t p : params)
      f.D(p);
  }
  f.D(14).D(20).D(0).D(16).D(20);
  return f.B;
}

TBitmap Decode(bool (*reader)(const uint8_t *, size_t, TBitmap &, std::string &),
               const std::vector<uint8_t> &d) {
  TBitmap bmp;
  std::string err;
  EXPECT_TRUE(reader(d.data(), d.size(), bmp, err)) << err;
  return bmp;
}

} // namespace

TEST(Metafiles, RoundTripEveryPixelFormat) {
  TTempDir dir;
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap src = MakePattern(23, 9, pf);
    for (const char *name : {"a.wmf", "a.emf"}) {
      std::string f = dir.File(name);
      ASSERT_TRUE(SaveImageFile(&src, f, 100, 7, false)) << name;
      TBitmap back;
      std::string err;
      ASSERT_TRUE(LoadImageFile(f, back, &err)) << name << " " << err;
      EXPECT_EQ(back.PixelFormat(), pf24bit);
      EXPECT_TRUE(SameColors(src, back)) << name << " " << PixelFormatName(pf);
    }
  }
  // The same code path writes two different formats.
  auto w = FileBytes(dir.File("a.wmf")), e = FileBytes(dir.File("a.emf"));
  EXPECT_TRUE(IsWmfData(w.data(), w.size()));
  EXPECT_FALSE(IsEmfData(w.data(), w.size()));
  EXPECT_TRUE(IsEmfData(e.data(), e.size()));
  EXPECT_FALSE(IsWmfData(e.data(), e.size()));
}

TEST(Metafiles, OtherSoftwareReadsOurWmf) {
  REQUIRE_TOOL("/usr/bin/convert");
  TESSARO_REQUIRE_MAGICK_READ("WMF", "libmagickcore-6.q16-6-extra");
  TTempDir dir;
  TBitmap src(40, 20, pf24bit);
  src.Canvas().Brush.Color = clRed;
  src.Canvas().FillRect(TRect(0, 0, 40, 20));
  ASSERT_TRUE(SaveImageFile(&src, dir.File("r.wmf"), 100, 7, false));
  ASSERT_EQ(RunTool("/usr/bin/convert " + dir.File("r.wmf") + " " + dir.File("r.png")), 0);
  TBitmap png;
  ASSERT_TRUE(LoadImageFile(dir.File("r.png"), png));
  // libwmf renders at 72 dpi: 30 x 15.
  EXPECT_NEAR(png.Width(), 30, 1);
  TColor c = png.GetPixel(png.Width() / 2, png.Height() / 2);
  EXPECT_GT(GetRValue(c), 200);
  EXPECT_LT(GetGValue(c), 50);
}

TEST(Metafiles, WmfRecordsWithWindowMapping) {
  // Units are half pixels: window 200 x 100 on a 100 x 50 picture.
  auto wmf = Wmf({
      {0x020B, {0, 0}},                    // SETWINDOWORG
      {0x020C, {100, 200}},                // SETWINDOWEXT
      {0x02FC, {0, 0x00FF, 0x0000, 0}},    // CREATEBRUSHINDIRECT solid red -> 0
      {0x012D, {0}},                       // SELECTOBJECT
      {0x02FA, {5, 0, 0, 0, 0}},           // CREATEPENINDIRECT null -> 1
      {0x012D, {1}},                       // SELECTOBJECT
      {0x041B, {60, 100, 20, 20}},         // RECTANGLE 20,20 - 100,60
      {0x02FA, {0, 2, 0, 0x0000, 0x00FF}}, // CREATEPENINDIRECT blue -> 2
      {0x012D, {2}},                       //
      {0x0214, {90, 10}},                  // MOVETO 10,90
      {0x0213, {90, 190}},                 // LINETO 190,90
      {0x01F0, {0}},                       // DELETEOBJECT 0
      {0x02FC, {0, 0xFF00, 0x0000, 0}},    // CREATEBRUSHINDIRECT green -> 0 again
      {0x012D, {0}},                       //
      {0x0418, {80, 190, 20, 130}},        // ELLIPSE 130,20 - 190,80
  });
  TBitmap bmp = Decode(ReadWmf, wmf);
  ASSERT_EQ(bmp.Width(), 100);
  ASSERT_EQ(bmp.Height(), 50);
  EXPECT_EQ(bmp.GetPixel(0, 0), clWhite);
  EXPECT_EQ(bmp.GetPixel(10, 10), clRed);
  EXPECT_EQ(bmp.GetPixel(49, 29), clRed);
  EXPECT_EQ(bmp.GetPixel(50, 30), clWhite);
  EXPECT_EQ(bmp.GetPixel(50, 45), clBlue);
  EXPECT_EQ(bmp.GetPixel(80, 25), clLime);
  EXPECT_EQ(bmp.GetPixel(66, 11), clWhite); // outside the ellipse's curve

  // A damaged tail ends the picture; a damaged header fails.
  auto cut = wmf;
  cut.resize(cut.size() - 20);
  Decode(ReadWmf, cut);
  TBitmap b;
  std::string err;
  EXPECT_FALSE(ReadWmf(wmf.data(), 30, b, err));
  auto zero = Wmf({});
  zero[10] = zero[12] = 0; // no size
  EXPECT_FALSE(ReadWmf(zero.data(), zero.size(), b, err));
}

TEST(Metafiles, EmfRecordsWithMappingModes) {
  auto emf = Emf({
      {17, {8}},                    // SETMAPMODE anisotropic
      {9, {200, 100}},              // SETWINDOWEXTEX
      {11, {100, 50}},              // SETVIEWPORTEXTEX
      {39, {1, 0, 0x0000FF, 0}},    // CREATEBRUSHINDIRECT red
      {37, {1}},                    // SELECTOBJECT
      {37, {0x80000008}},           // NULL_PEN
      {43, {20, 20, 100, 60}},      // RECTANGLE
      {38, {2, 0, 2, 0, 0xFF0000}}, // CREATEPEN blue width 2
      {37, {2}},                    //
      {27, {10, 90}},               // MOVETOEX
      {54, {190, 90}},              // LINETO
      {37, {0x80000000}},           // WHITE_BRUSH... then a stock black brush
      {37, {0x80000004}},           //
      {37, {0x80000008}},           //
      {42, {130, 20, 190, 80}},     // ELLIPSE
  });
  TBitmap bmp = Decode(ReadEmf, emf);
  ASSERT_EQ(bmp.Width(), 100);
  ASSERT_EQ(bmp.Height(), 50);
  EXPECT_EQ(bmp.GetPixel(0, 0), clWhite);
  EXPECT_EQ(bmp.GetPixel(10, 10), clRed);
  EXPECT_EQ(bmp.GetPixel(49, 29), clRed);
  EXPECT_EQ(bmp.GetPixel(50, 30), clWhite);
  EXPECT_EQ(bmp.GetPixel(50, 45), clBlue);
  EXPECT_EQ(bmp.GetPixel(80, 25), clBlack);

  // MM_TEXT ignores the extents; the world transform moves.
  auto moved = Emf({
      {35, {0x3F800000, 0, 0, 0x3F800000, 0x41200000, 0}}, // translate x by 10
      {37, {0x80000004}},                                  // BLACK_BRUSH
      {37, {0x80000008}},
      {43, {0, 0, 10, 10}},
  });
  bmp = Decode(ReadEmf, moved);
  EXPECT_EQ(bmp.GetPixel(5, 5), clWhite);
  EXPECT_EQ(bmp.GetPixel(15, 5), clBlack);

  TBitmap b;
  std::string err;
  EXPECT_FALSE(ReadEmf(emf.data(), 60, b, err));
  auto cut = emf;
  cut.resize(cut.size() - 30);
  Decode(ReadEmf, cut);
}

TEST(Metafiles, SharedSamples) {
  TESSARO_REQUIRE_TESTIMAGES();
  auto dir = TestImages();
  int read = 0;
  for (const char *name : {"pillow/Tests/images/drawing.wmf", "pillow/Tests/images/drawing.emf"}) {
    TBitmap bmp;
    std::string err;
    EXPECT_TRUE(LoadImageFile((dir / name).string(), bmp, &err)) << name << err;
    read += !bmp.Empty();
  }
  EXPECT_EQ(read, 2);
  // A selection of EMF files of many record kinds plays without failing.
  int n = 0;
  for (int i = 0; i < 185; i += 7) {
    char name[64];
    std::snprintf(name, sizeof name, "libemf2svg/emf/test-%03d.emf", i);
    auto path = dir / name;
    if (!std::filesystem::exists(path) || std::filesystem::file_size(path) > 40000)
      continue;
    auto data = FileBytes(path.string());
    if (data.size() >= 88) {
      uint32_t fr, fb;
      std::memcpy(&fr, data.data() + 32, 4);
      std::memcpy(&fb, data.data() + 36, 4);
      if (uint64_t(fr) * fb > 4e8) // very large pages take long to fill
        continue;
    }
    TBitmap bmp;
    std::string err;
    if (LoadImageFile(path.string(), bmp, &err))
      ++n;
  }
  EXPECT_GT(n, 5);
}
