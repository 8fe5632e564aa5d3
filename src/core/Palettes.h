// The fixed palettes of the platform: the 16 VGA colours, the 20 static
// system colours and the 256-colour halftone palette.
#pragma once

#include "core/Bitmap.h"

namespace tessaro {

const TPalette &VgaPalette();        // 16 entries in the 4-bit DIB order
const TPalette &SystemPalette20();   // 20 static colours (10 first, 10 last)
const TPalette &HalftonePalette();   // 256 entries
const TPalette &BlackWhitePalette(); // black, white
// Grey ramp of n entries from black to white (n >= 2).
TPalette GrayPalette(int n);

// The palette a conversion gives a palette format.
const TPalette &DefaultPalette(TPixelFormat pf);

} // namespace tessaro
