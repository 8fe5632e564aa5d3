#include "core/Types.h"

#include <array>

namespace tessaro {

namespace {

// The classic Windows defaults of the system colours (25 is unused).
std::array<TColor, COLOR_SYSCOLOR_COUNT> &SystemColors() {
  static std::array<TColor, COLOR_SYSCOLOR_COUNT> colors = {
      RGB(192, 192, 192), // scroll bar
      RGB(0, 128, 128),   // desktop
      RGB(0, 0, 128),     // active caption
      RGB(128, 128, 128), // inactive caption
      RGB(192, 192, 192), // menu
      RGB(255, 255, 255), // window
      RGB(0, 0, 0),       // window frame
      RGB(0, 0, 0),       // menu text
      RGB(0, 0, 0),       // window text
      RGB(255, 255, 255), // caption text
      RGB(192, 192, 192), // active border
      RGB(192, 192, 192), // inactive border
      RGB(128, 128, 128), // application workspace
      RGB(0, 0, 128),     // highlight
      RGB(255, 255, 255), // highlight text
      RGB(192, 192, 192), // button face
      RGB(128, 128, 128), // button shadow
      RGB(128, 128, 128), // grey text
      RGB(0, 0, 0),       // button text
      RGB(192, 192, 192), // inactive caption text
      RGB(255, 255, 255), // button highlight
      RGB(0, 0, 0),       // 3D dark shadow
      RGB(223, 223, 223), // 3D light
      RGB(0, 0, 0),       // tooltip text
      RGB(255, 255, 225), // tooltip background
      RGB(0, 0, 0),       // (unused)
      RGB(0, 0, 255),     // hot-tracked item
      RGB(16, 132, 208),  // gradient of the active caption
      RGB(181, 181, 181), // gradient of the inactive caption
  };
  return colors;
}

} // namespace

TColor ColorToRGB(TColor c) {
  if (!IsSystemColor(c))
    return c;
  uint8_t index = uint8_t(c & 0xFF);
  if (index >= COLOR_SYSCOLOR_COUNT)
    return 0;
  return SystemColors()[index];
}

void SetSystemColor(uint8_t index, TColor value) {
  if (index < COLOR_SYSCOLOR_COUNT)
    SystemColors()[index] = value & 0xFFFFFF;
}

uint32_t Color32(TColor c) {
  TColor v = ColorToRGB(c);
  return 0xFF000000u | (uint32_t(GetRValue(v)) << 16) | (uint32_t(GetGValue(v)) << 8) | GetBValue(v);
}

TColor WinColor(uint32_t argb) {
  return RGB(uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
}

} // namespace tessaro
