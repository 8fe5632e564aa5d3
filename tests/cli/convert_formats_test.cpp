// tessaro-cli convert and info over every writable format, run as the built
// program.
#include "core/BmpFile.h"
#include "files/LUMGraphicsFiles.h"

#include "../common/TestUtil.h"

#include <cstdio>
#include <sys/wait.h>

using namespace tessaro;
using tessaro::test::TTempDir;

namespace {

struct TRun {
  int Exit = -1;
  std::string Out;
};

TRun RunCli(const std::string &args) {
  TRun r;
  std::string cmd = std::string(TESSARO_CLI) + " " + args + " 2>&1";
  FILE *p = popen(cmd.c_str(), "r");
  if (!p)
    return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0)
    r.Out.append(buf, n);
  int status = pclose(p);
  r.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TBitmap Picture() {
  TBitmap bmp(48, 32, pf24bit);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x)
      bmp.SetPixel(x, y, RGB(uint8_t(x * 5), uint8_t(y * 8), uint8_t(x < 24 ? 30 : 220)));
  return bmp;
}

bool SameColors(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return false;
  return true;
}

} // namespace

TEST(CliConvert, EveryWritableFormat) {
  TTempDir dir;
  TBitmap src = Picture();
  std::string in = dir.File("in.bmp");
  ASSERT_TRUE(SaveBmpFile(src, in));
  for (const char *ext : {"bmp", "png", "gif", "wmf", "emf", "jpg", "jpeg"}) {
    std::string out = dir.File(std::string("out.") + ext);
    TRun r = RunCli("convert " + in + " " + out);
    ASSERT_EQ(r.Exit, 0) << ext << ": " << r.Out;
    TBitmap back;
    std::string err;
    ASSERT_TRUE(LoadImageFile(out, back, &err)) << ext << " " << err;
    EXPECT_EQ(back.Width(), 48) << ext;
    std::string e = ext;
    if (e != "jpg" && e != "jpeg") {
      // 48 x 32 pixels hold at most 1536 colours; the GIF keeps fewer.
      if (e != "gif") {
        EXPECT_TRUE(SameColors(src, back)) << ext;
      }
    }
    // And back to BMP from that format.
    TRun b = RunCli("convert " + out + " " + dir.File(std::string("back_") + ext + ".bmp"));
    EXPECT_EQ(b.Exit, 0) << ext << ": " << b.Out;
  }
}

TEST(CliConvert, JpegOptionsAndPixelFormats) {
  TTempDir dir;
  std::string in = dir.File("in.bmp");
  ASSERT_TRUE(SaveBmpFile(Picture(), in));
  ASSERT_EQ(RunCli("convert " + in + " " + dir.File("q10.jpg") + " --quality 10").Exit, 0);
  ASSERT_EQ(RunCli("convert " + in + " " + dir.File("q95.jpg") + " --quality 95 --progressive").Exit, 0);
  EXPECT_LT(std::filesystem::file_size(dir.File("q10.jpg")), std::filesystem::file_size(dir.File("q95.jpg")));
  std::vector<uint8_t> prog;
  {
    FILE *f = fopen(dir.File("q95.jpg").c_str(), "rb");
    int c;
    while ((c = fgetc(f)) != EOF)
      prog.push_back(uint8_t(c));
    fclose(f);
  }
  bool sof2 = false;
  for (size_t i = 0; i + 1 < prog.size(); ++i)
    sof2 = sof2 || (prog[i] == 0xFF && prog[i + 1] == 0xC2);
  EXPECT_TRUE(sof2);

  // --format sets the pixel format that info reports.
  ASSERT_EQ(RunCli("convert " + in + " " + dir.File("p8.png") + " --format 8").Exit, 0);
  TRun info = RunCli("info " + dir.File("p8.png"));
  EXPECT_EQ(info.Exit, 0);
  EXPECT_EQ(info.Out, "width: 48\nheight: 32\nformat: pf8bit\nbits: 8\npalette: 256\n");
  ASSERT_EQ(RunCli("convert " + in + " " + dir.File("g.gif") + " --format 4").Exit, 0);
  info = RunCli("info " + dir.File("g.gif"));
  EXPECT_NE(info.Out.find("format: pf8bit\n"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("palette: 16\n"), std::string::npos) << info.Out;
  info = RunCli("info " + dir.File("q95.jpg"));
  EXPECT_NE(info.Out.find("format: pf24bit\nbits: 24\npalette: 0\n"), std::string::npos) << info.Out;
}

TEST(CliConvert, Failures) {
  TTempDir dir;
  std::string in = dir.File("in.bmp");
  ASSERT_TRUE(SaveBmpFile(Picture(), in));
  TRun r = RunCli("convert " + dir.File("missing.png") + " " + dir.File("o.png"));
  EXPECT_NE(r.Exit, 0);
  EXPECT_NE(r.Out.find("missing.png"), std::string::npos) << r.Out;
  r = RunCli("convert " + in + " " + dir.File("o.tga"));
  EXPECT_NE(r.Exit, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.tga")));
  // A damaged file is refused with its name, and nothing is written.
  FILE *f = fopen(dir.File("bad.png").c_str(), "wb");
  fputs("\x89PNG\r\n\x1a\n garbage", f);
  fclose(f);
  r = RunCli("convert " + dir.File("bad.png") + " " + dir.File("o.bmp"));
  EXPECT_NE(r.Exit, 0);
  EXPECT_NE(r.Out.find("bad.png"), std::string::npos) << r.Out;
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.bmp")));
}
