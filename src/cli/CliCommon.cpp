#include "cli/Cli.h"

#include <cctype>
#include <cstdio>

namespace tessaro::cli {

bool ParseColor(const std::string &text, TColor &color) {
  auto hex = [](const std::string &s, uint32_t &v) {
    if (s.empty() || s.size() > 8)
      return false;
    v = 0;
    for (char c : s) {
      if (!std::isxdigit(static_cast<unsigned char>(c)))
        return false;
      v = v * 16 +
          uint32_t(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return true;
  };
  uint32_t v = 0;
  if (text.size() == 7 && text[0] == '#') {
    if (!hex(text.substr(1), v))
      return false;
    color = RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v));
    return true;
  }
  if (text.size() >= 2 && text[0] == '$') {
    if (!hex(text.substr(1), v))
      return false;
    color = v;
    return true;
  }
  return false;
}

bool FormatFromBits(int bits, TPixelFormat &pf) {
  static const struct {
    int Bits;
    TPixelFormat Format;
  } formats[] = {{1, pf1bit},   {4, pf4bit},   {8, pf8bit},  {15, pf15bit},
                 {16, pf16bit}, {24, pf24bit}, {32, pf32bit}};
  for (const auto &f : formats)
    if (f.Bits == bits) {
      pf = f.Format;
      return true;
    }
  return false;
}

void PrintError(const std::string &message) {
  std::fprintf(stderr, "tessaro-cli: %s\n", message.c_str());
}

} // namespace tessaro::cli
