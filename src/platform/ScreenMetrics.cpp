#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace tessaro {

namespace {

std::optional<TScreenMetrics> GPinned;

} // namespace

TScreenMetrics ScreenMetrics() {
  if (GPinned)
    return *GPinned;
  TScreenMetrics m;
  if (const QScreen *screen = QGuiApplication::primaryScreen()) {
    const QSizeF mm = screen->physicalSize();
    const QSize px = screen->size();
    m = {mm.width(), mm.height(), px.width(), px.height()};
  }
  // A screen that reports no size: 96 pixels per inch.
  if (m.WidthPx <= 0 || m.HeightPx <= 0) {
    m.WidthPx = 1024;
    m.HeightPx = 768;
  }
  if (m.WidthMm <= 0 || m.HeightMm <= 0) {
    m.WidthMm = m.WidthPx * 25.4 / 96.0;
    m.HeightMm = m.HeightPx * 25.4 / 96.0;
  }
  return m;
}

void SetScreenMetrics(std::optional<TScreenMetrics> metrics) {
  GPinned = metrics;
}

double HorzMm(double pixels) {
  const TScreenMetrics m = ScreenMetrics();
  return pixels * m.WidthMm / m.WidthPx;
}

double VertMm(double pixels) {
  const TScreenMetrics m = ScreenMetrics();
  return pixels * m.HeightMm / m.HeightPx;
}

} // namespace tessaro
