#include "controls/ColorNames.h"

namespace tessaro {

QString ColorDescription(TColor c) {
  c = ColorToRGB(c);
  return QStringLiteral("Rot %1, Grün %2, Blau %3").arg(GetRValue(c)).arg(GetGValue(c)).arg(GetBValue(c));
}

} // namespace tessaro
