// The Qt implementation of the canvas's text rasteriser. Needs a
// QGuiApplication to exist while text is measured or drawn.
#pragma once

namespace tessaro {

// Installs the Qt text rasteriser for every canvas.
void InstallQtTextRasterizer();

} // namespace tessaro
