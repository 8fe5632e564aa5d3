#include "controls/TransparentRegion.h"

#include <QProgressBar>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <utility>
#include <vector>

namespace tessaro {

namespace {

// Rows rendered at a time: small enough to stay in the cache.
constexpr int BandRows = 32;

using TRuns = std::vector<std::pair<int, int>>; // [x0, x1)

void RowRuns(const uint8_t *row, int w, uint32_t key, TRuns &runs) {
  runs.clear();
  int x = 0;
  while (x < w) {
    while (x < w &&
           (uint32_t(row[3 * x]) | uint32_t(row[3 * x + 1]) << 8 | uint32_t(row[3 * x + 2]) << 16) == key)
      ++x;
    if (x >= w)
      break;
    const int start = x;
    while (x < w &&
           (uint32_t(row[3 * x]) | uint32_t(row[3 * x + 1]) << 8 | uint32_t(row[3 * x + 2]) << 16) != key)
      ++x;
    runs.emplace_back(start, x);
  }
}

} // namespace

QRegion KeptRegion(const TFaceLook &look, TColor transparentColor,
                   const std::function<void(int row)> &rowDone) {
  const int w = look.Width, h = look.Height;
  if (w <= 0 || h <= 0)
    return QRegion();
  if (transparentColor > 0xFFFFFF) {
    if (rowDone)
      for (int y = 0; y < h; ++y)
        rowDone(y);
    return QRegion(0, 0, w, h);
  }
  const TObjectFace face(look);
  // Stored bytes of the see-through colour (blue, green, red).
  const uint32_t key = uint32_t(GetBValue(transparentColor)) | uint32_t(GetGValue(transparentColor)) << 8 |
                       uint32_t(GetRValue(transparentColor)) << 16;
  std::vector<QRect> rects;
  TRuns band, runs;
  int bandTop = 0;
  auto flush = [&](int bottom) {
    for (const auto &[x0, x1] : band)
      rects.emplace_back(x0, bandTop, x1 - x0, bottom - bandTop);
  };
  TBitmap strip;
  for (int y0 = 0; y0 < h; y0 += BandRows) {
    const int n = std::min(BandRows, h - y0);
    if (strip.Height() != n)
      strip.Allocate(w, n, pf24bit, false);
    face.Render(0, y0, strip, transparentColor);
    for (int j = 0; j < n; ++j) {
      const int y = y0 + j;
      RowRuns(strip.ScanLine(j), w, key, runs);
      if (y == 0 || runs != band) {
        if (y > 0)
          flush(y);
        band.swap(runs);
        bandTop = y;
      }
      if (rowDone)
        rowDone(y);
    }
  }
  flush(h);
  QRegion region;
  if (!rects.empty())
    region.setRects(rects.data(), int(rects.size()));
  return region;
}

TThreadTransparent::TThreadTransparent(TFaceLook face, TColor transparentColor, QProgressBar *progressBar)
    : FFace(std::move(face)), FTransparentColor(transparentColor), FProgressBar(progressBar) {}

QRegion TThreadTransparent::Execute() {
  const int pictureHeight = FFace.Bitmap ? FFace.Bitmap->Height() : 0;
  if (FProgressBar) {
    FProgressBar->setMaximum(pictureHeight / 50);
    FProgressBar->setValue(0);
  }
  // The worker only counts; the bar belongs to this thread, which moves it
  // while it waits.
  std::atomic<int> steps{0};
  auto worker = std::async(std::launch::async, [this, &steps] {
    return KeptRegion(FFace, FTransparentColor, [&steps](int row) {
      if (row % 50 == 0)
        steps.fetch_add(1, std::memory_order_relaxed);
    });
  });
  while (worker.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
    if (FProgressBar)
      FProgressBar->setValue(std::min(steps.load(std::memory_order_relaxed), FProgressBar->maximum()));
  }
  struct TReset {
    QPointer<QProgressBar> &Bar;
    ~TReset() {
      if (Bar)
        Bar->setValue(0);
    }
  } reset{FProgressBar};
  return worker.get();
}

} // namespace tessaro
