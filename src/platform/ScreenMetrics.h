// The screen's size in millimetres and pixels, for the millimetre texts of
// the drawing tools. Tests pin it with SetScreenMetrics.
#pragma once

#include <optional>

namespace tessaro {

struct TScreenMetrics {
  double WidthMm = 0;  // HORZSIZE
  double HeightMm = 0; // VERTSIZE
  int WidthPx = 0;
  int HeightPx = 0;
};

// The primary screen's metrics (a pinned value first).
TScreenMetrics ScreenMetrics();
void SetScreenMetrics(std::optional<TScreenMetrics> metrics);

// A horizontal or vertical pixel distance in millimetres of the screen.
double HorzMm(double pixels);
double VertMm(double pixels);

} // namespace tessaro
