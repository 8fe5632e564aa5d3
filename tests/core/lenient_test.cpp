// The lenient number readers of the edit fields.
#include "core/Lenient.h"

#include <gtest/gtest.h>

namespace tessaro::test {
namespace {

TEST(Lenient, IntegerReading) {
  const struct {
    const char *Text;
    int Value;
  } cases[] = {{"12 px", 12}, {"-", 0},       {"", 0},    {"-7", -7}, {"a1b2", 12},
               {"45°", 45},   {"  10 %", 10}, {"abc", 0}, {"007", 7}, {"-2147483648", -2147483647 - 1}};
  for (const auto &c : cases)
    EXPECT_EQ(LenientStrToInt(c.Text), c.Value) << c.Text;
}

TEST(Lenient, IntegerErrorsNameTheRest) {
  for (const char *text : {"1-2", "--3", "2147483648", "x9-"}) {
    std::string err;
    int v = 99;
    EXPECT_FALSE(TryLenientStrToInt(text, v, &err)) << text;
    EXPECT_EQ(v, 99);
    EXPECT_THROW(LenientStrToInt(text), EConvertError);
  }
  try {
    LenientStrToInt("1 - 2 mm");
  } catch (const EConvertError &e) {
    EXPECT_STREQ(e.what(), "'1-2' ist kein gültiger Integerwert");
  }
}

TEST(Lenient, FloatReading) {
  const struct {
    const char *Text;
    double Value;
  } cases[] = {{"0,5", 0.5}, {"-1,25", -1.25}, {",", 0},       {"-", 0},
               {"", 0},      {"1.5", 15},      {"2,0 x", 2.0}, {",5", 0.5}};
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(LenientStrToFloat(c.Text), c.Value) << c.Text;
  EXPECT_DOUBLE_EQ(LenientStrToFloat("1.5", '.'), 1.5);
  try {
    LenientStrToFloat("1,2,3");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError &e) {
    EXPECT_STREQ(e.what(), "'1,2,3' ist kein gültiger Gleitkommawert");
  }
  EXPECT_THROW(LenientStrToFloat("1-2"), EConvertError);
}

} // namespace
} // namespace tessaro::test
