// tessaro-cli apply, run as a program: operations in order with the same
// pixels as the library routines, the own-format operations, and bad
// arguments that leave no output behind.
#include "core/BmpFile.h"
#include "core/FileUtil.h"
#include "ops/LUMGraphics.h"

#include "../common/TestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace tessaro {
namespace {

struct TRun {
  int Code = -1;
  std::string Output;
};

std::string Quote(const std::string &s) {
  std::string q = "'";
  for (char c : s)
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Options before the subcommand go into `global`, those after the
// operations into `trailing`.
TRun Apply(const std::string &in, const std::string &out, const std::vector<std::string> &ops,
           const std::string &global = "", const std::string &trailing = "") {
  std::string cmd = std::string(TESSARO_CLI) + " " + global + " apply " + Quote(in) + " " + Quote(out);
  for (const std::string &op : ops)
    cmd += " " + Quote(op);
  cmd += " " + trailing;
  TRun r;
  FILE *p = popen((cmd + " 2>&1").c_str(), "r");
  if (!p)
    return r;
  char buf[512];
  while (size_t n = fread(buf, 1, sizeof buf, p))
    r.Output.append(buf, n);
  int status = pclose(p);
  r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TBitmap Sample(int w, int h) {
  TBitmap b(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, RGB(uint8_t(x * 9 + y), uint8_t(y * 17), uint8_t((x * 5) ^ y)));
  return b;
}

std::string Save(const test::TTempDir &dir, const std::string &name, const TBitmap &b) {
  std::string path = dir.File(name);
  std::string error;
  EXPECT_TRUE(SaveBmpFile(b, path, &error)) << error;
  return path;
}

TBitmap Load(const std::string &path) {
  TBitmap bmp;
  std::string error;
  EXPECT_TRUE(LoadBmpFile(path, bmp, &error)) << error;
  return bmp;
}

bool Same(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
    return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), RowBytesFor(a.Width(), a.PixelFormat())) != 0)
      return false;
  return true;
}

TEST(CliApply, OperationsRunInOrderLikeTheRoutines) {
  test::TTempDir dir;
  TBitmap src = Sample(41, 29);
  std::string in = Save(dir, "in.bmp", src), out = dir.File("out.bmp");
  TRun r =
      Apply(in, out,
            {"ContrastBitmap(-5)", "GrayScaleBitmap(1)", "RotateBitmap(true,#FFFFFF,30,-1,-1)",
             "ResizeBitmap(sftLinear,$00FF0000,50,50)", "BlurBitmap(2.5)", "ChangeRed(40,1)",
             "PaletteMapBitmap(5,3,false,0,0,1)", "SkewBitmap(#000000,0.25,-0.5)", "FogBitmap(#808080,200)",
             "Rotate90", "FlipHorizontal()", " GradientFill( #FFFF00 , #00FFFF ,10,20,1,-1,-1)"});
  ASSERT_EQ(r.Code, 0) << r.Output;
  TBitmap expect = src;
  ContrastBitmap(&expect, -5);
  GrayScaleBitmap(&expect, 1);
  RotateBitmap(&expect, true, clWhite, 30, -1, -1);
  ResizeBitmap(&expect, sftLinear, clBlue, 50, 50);
  BlurBitmap(&expect, 2.5f);
  ChangeRed(&expect, 40, 1);
  PaletteMapBitmap(&expect, 5, 3, false, 0, 0, 1);
  SkewBitmap(&expect, clBlack, 0.25f, -0.5f);
  FogBitmap(&expect, RGB(128, 128, 128), 200);
  Rotate90(&expect);
  FlipHorizontal(&expect);
  GradientFill(clYellow, clAqua, expect.Canvas(), 10, 20, 1, -1, -1);
  EXPECT_TRUE(Same(Load(out), expect));
}

TEST(CliApply, PaletteImagesAndOwnFormatOperations) {
  test::TTempDir dir;
  TBitmap src = Sample(20, 10);
  src.SetPixelFormat(pf8bit);
  std::string in = Save(dir, "in8.bmp", src);
  // The paper change works in the image's own format.
  std::string paper = dir.File("paper.bmp");
  ASSERT_EQ(Apply(in, paper, {"ChangePaperSize(30,12,4,#FFFFFF)"}).Code, 0);
  TBitmap p = Load(paper);
  EXPECT_EQ(p.PixelFormat(), pf8bit);
  EXPECT_EQ(p.Width(), 30);
  EXPECT_EQ(p.GetPixel(5, 1), src.GetPixel(0, 0));
  // A 24-bit operation brings the image into pf24bit first, losslessly.
  std::string inv = dir.File("inv.bmp");
  ASSERT_EQ(Apply(in, inv, {"InvertBitmap", "InvertBitmap", "PixelFormat(pf8bit)"}).Code, 0);
  EXPECT_TRUE(Same(Load(inv), src));
  std::string inv24 = dir.File("inv24.bmp");
  ASSERT_EQ(Apply(in, inv24, {"InvertBitmap"}).Code, 0);
  TBitmap i24 = Load(inv24);
  EXPECT_EQ(i24.PixelFormat(), pf24bit);
  TColor c = src.GetPixel(3, 4);
  EXPECT_EQ(i24.GetPixel(3, 4),
            RGB(uint8_t(255 - GetRValue(c)), uint8_t(255 - GetGValue(c)), uint8_t(255 - GetBValue(c))));
}

TEST(CliApply, SecondImageOperations) {
  test::TTempDir dir;
  TBitmap base = Sample(30, 20), top = Sample(8, 6);
  InvertBitmap(&top);
  std::string in = Save(dir, "base.bmp", base), over = Save(dir, "top.bmp", top);
  std::string out = dir.File("out.bmp");
  ASSERT_EQ(
      Apply(in, out, {"BlendDraw(" + over + ",3,4,127)", "TransparentCopy(" + over + ",-2,15,#FFFFFF,true)"})
          .Code,
      0);
  TBitmap expect = base;
  BlendDraw(&expect, &top, 3, 4, 127);
  TransparentCopy(&top, &expect, -2, 15, clWhite, true);
  EXPECT_TRUE(Same(Load(out), expect));
}

TEST(CliApply, BadArgumentsWriteNothing) {
  test::TTempDir dir;
  std::string in = Save(dir, "in.bmp", Sample(10, 10)), out = dir.File("out.bmp");
  struct TCase {
    std::vector<std::string> Ops;
    const char *Message;
  } cases[] = {
      {{"InvertBitmap", "Foo(1)"}, "Unbekannte Operation \"Foo\""},
      {{"LightenBitmap(256)"}, "Argument 1 (\"256\")"},
      {{"LightenBitmap(5"}, "schließende Klammer fehlt"},
      {{"LightenBitmap(5,6)"}, "erwartet 1 Argument(e)"},
      {{"RotateBitmap(yes,#FFFFFF,30,-1,-1)"}, "true oder false"},
      {{"ResizeBitmap(sftCubic,#FFFFFF,50,50)"}, "sftNearest"},
      {{"SkewBitmap(#FFFFFF,0,5,0)"}, "erwartet 3 Argument(e)"},
      {{"FogBitmap(white,5)"}, "Farbe"},
      {{"InvertBitmap", "ContrastBitmap(300)"}, "ContrastBitmap(300)\" ist fehlgeschlagen"},
      {{"PaletteMapBitmap(9,3,false,0,0,1)"}, "fehlgeschlagen"},
      {{"ChangePaperSize(0,10,4,#FFFFFF)"}, "fehlgeschlagen"},
      {{"ResizeBitmap(sftLinear,#FFFFFF,1000000,1000000)"}, "Nicht genügend Speicher"},
      {{"BlendDraw(" + dir.File("missing.bmp") + ",0,0,9)"}, "missing.bmp"},
  };
  for (const TCase &c : cases) {
    TRun r = Apply(in, out, c.Ops);
    EXPECT_NE(r.Code, 0) << c.Ops.back();
    EXPECT_NE(r.Output.find(c.Message), std::string::npos) << r.Output;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.Ops.back();
  }
  TRun missing = Apply(dir.File("nothing.bmp"), out, {"InvertBitmap"});
  EXPECT_NE(missing.Code, 0);
  EXPECT_FALSE(std::filesystem::exists(out));
}

// A binary pixel map (red, green, blue per pixel) read on every core, and
// operations that give the same pixels on one thread and on two.
TEST(CliApply, ThreadsOptionKeepsThePixels) {
  test::TTempDir dir;
  const int w = 401, h = 299; // above the size from which threads are used
  std::string ppm = "P6\n# noise\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
  TBitmap expect(w, h, pf24bit);
  uint32_t s = 17;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t rgb[3];
      for (uint8_t &c : rgb) {
        s = s * 1664525u + 1013904223u;
        c = uint8_t(s >> 24);
      }
      ppm.append(reinterpret_cast<const char *>(rgb), 3);
      expect.SetPixel(x, y, RGB(rgb[0], rgb[1], rgb[2]));
    }
  const std::string in = dir.File("in.ppm");
  ASSERT_TRUE(WriteFileAtomically(in, ppm.data(), ppm.size()));
  const std::string copy = dir.File("copy.bmp");
  ASSERT_EQ(Apply(in, copy, {"PixelFormat(pf24bit)"}).Code, 0);
  EXPECT_TRUE(Same(Load(copy), expect));

  const std::vector<std::string> ops = {"BlurBitmap(3.5)", "RotateBitmap(true,#FFFFFF,30,-1,-1)", "Rotate90",
                                        "PixelFormat(pf8bit)"};
  const std::string one = dir.File("one.bmp"), two = dir.File("two.bmp"), all = dir.File("all.bmp");
  ASSERT_EQ(Apply(in, one, ops, "--threads 1").Code, 0);
  ASSERT_EQ(Apply(in, two, ops, "", "--threads 2").Code, 0);
  ASSERT_EQ(Apply(in, all, ops).Code, 0);
  EXPECT_TRUE(Same(Load(one), Load(two)));
  EXPECT_TRUE(Same(Load(one), Load(all)));

  const std::string none = dir.File("none.bmp");
  for (const char *bad : {"--threads 0", "--threads -2", "--threads many"}) {
    TRun r = Apply(in, none, {"InvertBitmap"}, bad);
    EXPECT_NE(r.Code, 0) << bad;
    EXPECT_NE(r.Output.find("--threads"), std::string::npos) << r.Output;
    EXPECT_FALSE(std::filesystem::exists(none)) << bad;
  }
}

TEST(CliApply, HelpListsTheOperations) {
  FILE *p = popen((std::string(TESSARO_CLI) + " apply --help 2>&1").c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string text;
  char buf[512];
  while (size_t n = fread(buf, 1, sizeof buf, p))
    text.append(buf, n);
  pclose(p);
  for (const char *name :
       {"InvertBitmap", "RotateBitmap(ResizePaper,FillColor,Angle,Cx,Cy)", "BlurBitmap(Radius)",
        "PaletteMapBitmap", "GradientFill", "ChangePaperSize", "PixelFormat", "ChangeRed"})
    EXPECT_NE(text.find(name), std::string::npos) << name;
}

} // namespace
} // namespace tessaro
