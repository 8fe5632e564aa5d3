#include "core/Palettes.h"

namespace tessaro {

namespace {

TPalette Make(std::initializer_list<TColor> colors) {
  TPalette p;
  for (TColor c : colors)
    p.push_back(QuadFromColor(c));
  return p;
}

} // namespace

const TPalette &VgaPalette() {
  static const TPalette pal =
      Make({RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128), RGB(128, 0, 128),
            RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),
            RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)});
  return pal;
}

const TPalette &SystemPalette20() {
  static const TPalette pal = Make(
      {RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
       RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
       RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
       RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)});
  return pal;
}

// The first ten static colours, the 6 x 6 x 6 colour cube, twenty further
// grey levels, the last ten static colours.
const TPalette &HalftonePalette() {
  static const TPalette pal = [] {
    TPalette p;
    const TPalette &sys = SystemPalette20();
    p.insert(p.end(), sys.begin(), sys.begin() + 10);
    for (int b = 0; b < 6; ++b)
      for (int g = 0; g < 6; ++g)
        for (int r = 0; r < 6; ++r)
          p.push_back(QuadFromColor(RGB(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51))));
    // Grey levels between the cube's six: 20 values spread over the ramp,
    // none equal to a multiple of 51.
    static const uint8_t greys[20] = {8,   17,  25,  34,  42,  59,  68,  76,  85,  93,
                                      110, 119, 136, 145, 170, 178, 187, 212, 229, 238};
    for (uint8_t v : greys)
      p.push_back(QuadFromColor(RGB(v, v, v)));
    p.insert(p.end(), sys.begin() + 10, sys.end());
    return p;
  }();
  return pal;
}

const TPalette &BlackWhitePalette() {
  static const TPalette pal = Make({RGB(0, 0, 0), RGB(255, 255, 255)});
  return pal;
}

TPalette GrayPalette(int n) {
  TPalette p;
  if (n < 2)
    n = 2;
  for (int i = 0; i < n; ++i) {
    uint8_t v = uint8_t((i * 255 + (n - 1) / 2) / (n - 1));
    p.push_back(TRGBQuad{v, v, v, 0});
  }
  return p;
}

const TPalette &DefaultPalette(TPixelFormat pf) {
  static const TPalette none;
  switch (pf) {
  case pf1bit:
    return BlackWhitePalette();
  case pf4bit:
    return VgaPalette();
  case pf8bit:
    return HalftonePalette();
  default:
    return none;
  }
}

} // namespace tessaro
