// tessaro-cli draw, run as a program: scripts, new and loaded images,
// errors that leave no output behind.
#include "core/BmpFile.h"
#include "core/Canvas.h"

#include "../common/TestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace tessaro {
namespace {

struct TRun {
  int Code = -1;
  std::string Output; // standard error and output
};

// Single quotes around the script keep the shell out of it.
std::string Quote(const std::string &s) {
  std::string q = "'";
  for (char c : s)
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

TRun Cli(const std::string &args) {
  TRun r;
  std::string cmd = std::string(TESSARO_CLI) + " " + args + " 2>&1";
  FILE *p = popen(cmd.c_str(), "r");
  if (!p)
    return r;
  char buf[512];
  while (size_t n = fread(buf, 1, sizeof buf, p))
    r.Output.append(buf, n);
  int status = pclose(p);
  r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TBitmap Load(const std::string &path) {
  TBitmap bmp;
  std::string error;
  EXPECT_TRUE(LoadBmpFile(path, bmp, &error)) << error;
  return bmp;
}

TEST(CliDraw, RunsStatementsInOrderOnANewImage) {
  test::TTempDir dir;
  std::string out = dir.File("out.bmp");
  TRun r =
      Cli("draw --new 40x30 --paper '#00FF00' --out " + out + " " +
          Quote("pen color=#FF0000; rectangle 0 0 10 10\n"
                "brush color=$00FF0000 style=bsSolid; pen style=psClear; rectangle 20 0 30 10;"
                "pixel 39 29 #000000\n\n"
                "pen style=psSolid width=1 color=#000000 mode=pmNotXor; moveto 0 20; lineto 40 20; moveto 0 "
                "20; lineto 40 20"));
  ASSERT_EQ(r.Code, 0) << r.Output;
  TBitmap bmp = Load(out);
  EXPECT_EQ(bmp.Width(), 40);
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_EQ(bmp.GetPixel(0, 0), clRed);
  EXPECT_EQ(bmp.GetPixel(10, 10), clLime); // right and bottom edges excluded
  EXPECT_EQ(bmp.GetPixel(5, 5), clWhite);  // default brush
  EXPECT_EQ(bmp.GetPixel(20, 0), clBlue);  // no outline with psClear
  EXPECT_EQ(bmp.GetPixel(39, 29), clBlack);
  EXPECT_EQ(bmp.GetPixel(5, 20), clLime); // XOR line drawn twice
}

TEST(CliDraw, FormatsCopyModesAndPictures) {
  test::TTempDir dir;
  std::string pic = dir.File("pic.bmp"), out = dir.File("out.bmp");
  {
    TBitmap p(2, 1, pf24bit);
    p.SetPixel(0, 0, clRed);
    p.SetPixel(1, 0, clBlue);
    ASSERT_TRUE(SaveBmpFile(p, pic));
  }
  for (int bits : {1, 4, 8, 15, 16, 24, 32}) {
    TRun r =
        Cli("draw --new 20x10 --format " + std::to_string(bits) + " --out " + out + " " +
            Quote("draw 0 0 \"" + pic + "\"; stretchdraw 4 0 8 2 " + pic + "; copyrect 10 0 14 2 4 0 8 2"));
    ASSERT_EQ(r.Code, 0) << bits << r.Output;
    TBitmap bmp = Load(out);
    TBitmap ref(1, 1, bmp.PixelFormat());
    if (!bmp.Palette().empty())
      ref.SetPalette(bmp.Palette());
    TColor red = ref.ColorFromStored(ref.StoredFromColor(clRed));
    EXPECT_EQ(bmp.GetPixel(0, 0), red) << bits;
    EXPECT_EQ(bmp.GetPixel(5, 1), red) << bits;
    EXPECT_EQ(bmp.GetPixel(11, 1), red) << bits;
  }
  TRun r =
      Cli("draw --new 4x4 --paper '#FFFFFF' --out " + out + " " + Quote("copymode $550009; draw 0 0 " + pic));
  ASSERT_EQ(r.Code, 0) << r.Output;
  EXPECT_EQ(Load(out).GetPixel(0, 0), clBlack); // destination inverted
}

TEST(CliDraw, DrawsOnALoadedImageWithFillBevelAndText) {
  test::TTempDir dir;
  std::string in = dir.File("in.bmp"), out = dir.File("out.bmp");
  {
    TBitmap p(100, 40, pf8bit);
    p.Canvas().Brush.Color = clWhite;
    p.Canvas().FillRect(TRect(0, 0, 100, 40));
    ASSERT_TRUE(SaveBmpFile(p, in));
  }
  TRun r = Cli("draw --in " + in + " --out " + out + " " +
               Quote("brush color=#0000FF; floodfill 0 0 #FFFFFF; bevel 0 0 100 40 #FFFFFF #000000 2\n"
                     "font name=\"DejaVu Sans\" size=12 color=#FFFF00 style=bold; brush style=bsClear;"
                     "textout 10 10 \"Tessaro; Text\""));
  ASSERT_EQ(r.Code, 0) << r.Output;
  TBitmap bmp = Load(out);
  EXPECT_EQ(bmp.PixelFormat(), pf8bit);
  EXPECT_EQ(bmp.GetPixel(50, 39), clBlack);
  EXPECT_EQ(bmp.GetPixel(1, 20), clWhite);
  EXPECT_EQ(bmp.GetPixel(5, 5), clBlue);
  int yellow = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x)
      yellow += bmp.GetPixel(x, y) == clYellow;
  EXPECT_GT(yellow, 30);
}

TEST(CliDraw, ErrorsNameTheLineAndWriteNothing) {
  test::TTempDir dir;
  std::string out = dir.File("out.bmp");
  struct TCase {
    std::string Args;
    std::string Message;
  } cases[] = {
      {"--new 10x10 " + Quote("moveto 1 1\nwiggle 3"), "Zeile 2"},
      {"--new 10x10 " + Quote("moveto 1 1; lineto 3"), "Zeile 1"},
      {"--new 10x10 " + Quote("pen color=purple"), "keine Farbe"},
      {"--new 10x10 " + Quote("pen style=psWavy"), "psWavy"},
      {"--new 10x10 " + Quote("polygon 1 2 3"), "Paare"},
      {"--new 10x10 " + Quote("textout 1 1 \"open"), "Anführungszeichen"},
      {"--new 10x10 " + Quote("draw 0 0 " + dir.File("missing.bmp")), "missing.bmp"},
      {"--in " + dir.File("none.bmp") + " " + Quote("moveto 0 0"), "none.bmp"},
      {"--new 0x10 " + Quote("moveto 0 0"), "--new"},
      {"--new 10x10 --format 12 " + Quote("moveto 0 0"), "--format"},
      {"--new 100000x100000 " + Quote("moveto 0 0"), "zu groß"},
      {Quote("moveto 0 0"), "--new"},
  };
  for (const TCase &c : cases) {
    TRun r = Cli("draw " + c.Args + " --out " + out);
    EXPECT_NE(r.Code, 0) << c.Args;
    EXPECT_NE(r.Output.find(c.Message), std::string::npos) << c.Args << "\n" << r.Output;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.Args;
  }
}

} // namespace
} // namespace tessaro
