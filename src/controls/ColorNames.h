// Spoken names of colours for assistive tools.
#pragma once

#include "core/Types.h"

#include <QString>

namespace tessaro {

// A name for a colour that has none: "Rot 128, Grün 64, Blau 0" (a system
// colour in its current value).
QString ColorDescription(TColor c);

} // namespace tessaro
