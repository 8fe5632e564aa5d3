// TColor <-> QColor (system colours resolved first).
#pragma once

#include "core/Types.h"

#include <QColor>

namespace tessaro {

inline QColor ToQColor(TColor c) {
  c = ColorToRGB(c);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

inline TColor FromQColor(const QColor &c) {
  return RGB(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
}

} // namespace tessaro
