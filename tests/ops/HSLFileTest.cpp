#include "../common/TestUtil.h"
#include "ops/LUMGraphics.h"

#include <fstream>
#include <sstream>

using namespace tessaro;
using tessaro::test::TTempDir;

namespace {

std::string ReadAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const std::string &path, const std::string &text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

} // namespace

TEST(HSLFile, FactorText) {
  EXPECT_EQ(FormatHSLFactor(0), "0,00");
  EXPECT_EQ(FormatHSLFactor(1), "1,00");
  EXPECT_EQ(FormatHSLFactor(-1.25f), "-1,25");
  EXPECT_EQ(FormatHSLFactor(0.125f), "0,13"); // halves away from zero
  EXPECT_EQ(FormatHSLFactor(-0.001f), "0,00");
  EXPECT_EQ(FormatHSLFactor(1234.5f), "1.234,50");
}

TEST(HSLFile, SaveAndLoad) {
  TTempDir dir;
  const std::string f = dir.File("HSL Farbpalette 1.hsl");
  ASSERT_TRUE(SaveHSLPalette(f, 0, 0, 1));
  const std::string text = ReadAll(f);
  EXPECT_EQ(text.substr(0, 44), "Kastell 3.0 - Tessaro 1.0\r\nHSL Farbpalette\r\n");
  EXPECT_NE(text.find("\r\n\r\n[Contents]\r\n0,00*0,00*1,00\r\n"), std::string::npos);
  float h = 9, s = 9, l = 9;
  ASSERT_TRUE(LoadHSLPalette(f, h, s, l));
  EXPECT_EQ(h, 0);
  EXPECT_EQ(s, 0);
  EXPECT_EQ(l, 1);
  ASSERT_TRUE(SaveHSLPalette(f, -2, 1.5f, 0.01f)); // overwrites
  LoadHSLPalette(f, h, s, l);
  EXPECT_FLOAT_EQ(h, -2);
  EXPECT_FLOAT_EQ(s, 1.5f);
  EXPECT_FLOAT_EQ(l, 0.01f);
  EXPECT_FALSE(SaveHSLPalette(dir.File("missing/x.hsl"), 0, 0, 1));
}

TEST(HSLFile, FailureCasesAreCleanFailures) {
  TTempDir dir;
  struct TCase {
    const char *Text;
    bool Ok;
    float H, S, L; // values afterwards, starting from 7, 7, 7
  } cases[] = {
      {"a\r\n[CONTENTS]\r\n0,5*1,25*-2\r\n", true, 0.5f, 1.25f, -2},
      {"x\r\n[Contents]\r\n1,5\r\n", true, 1.5f, 0, 0}, // missing factors read as 0
      {"x\r\n[Contents]\r\n1,5*2\r\n", true, 1.5f, 2, 0},
      {"0,25*0,5*0,75\nrest\n", true, 0.25f, 0.5f, 0.75f}, // no [Contents]: the first line
      {"", false, 7, 7, 7},                                // empty file
      {"x\r\n[Contents]", false, 7, 7, 7},                 // nothing after it
      {"[Contents]\r\n1,0*abc*2\r\n", false, 1, 7, 7},     // stops at the malformed factor
      {"[Contents]\r\n1.5*1*1\r\n", false, 7, 7, 7},       // not the decimal comma
  };
  int n = 0;
  for (const TCase &c : cases) {
    const std::string f = dir.File("p" + std::to_string(n++) + ".hsl");
    WriteAll(f, c.Text);
    float h = 7, s = 7, l = 7;
    EXPECT_EQ(LoadHSLPalette(f, h, s, l), c.Ok) << c.Text;
    EXPECT_FLOAT_EQ(h, c.H) << c.Text;
    EXPECT_FLOAT_EQ(s, c.S) << c.Text;
    EXPECT_FLOAT_EQ(l, c.L) << c.Text;
  }
  float h = 7, s = 7, l = 7;
  EXPECT_FALSE(LoadHSLPalette(dir.File("none.hsl"), h, s, l));
  EXPECT_FALSE(LoadHSLPalette(dir.Path().string(), h, s, l)); // a folder
}
