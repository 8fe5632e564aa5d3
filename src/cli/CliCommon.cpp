#include "cli/Cli.h"

#include <cstdio>

namespace tessaro::cli {

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
