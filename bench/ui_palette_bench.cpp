// The palette grid's bitmap colour set of a 6000 x 4000 photograph with a
// limit of 1000 colours, as the frame builds it (progress bar attached,
// events let through), next to one plain read pass over the same raster
// (target: at most 3 x the read pass).
//
// Cases: all three channels (the limit ends the scan early), the red
// channel alone (at most 256 colours: every row is read) and a posterised
// photograph with fewer than 1000 colours (every row is read, all channels).
// BM_FrameSetsSource adds what the frame pays before the scan: copying the
// document into the palette's colour source. The row scan alone is measured
// with AVX2 (where the processor has it) and without.
#include "controls/BitmapColorScan.h"
#include "controls/LUMColorPalette.h"
#include "platform/QtHooks.h"

#include <QApplication>
#include <QProgressBar>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

using namespace tessaro;

namespace {

constexpr int W = 6000, H = 4000;

// Gradients with noise, many colours; posterised to 8 levels per channel
// when asked (512 colours at most).
std::shared_ptr<const TBitmap> MakePhoto(bool posterised) {
  auto b = std::make_shared<TBitmap>(W, H, pf24bit);
  std::mt19937 rng(7);
  const uint8_t keep = posterised ? 0xE0 : 0xFF;
  for (int y = 0; y < H; ++y) {
    uint8_t *row = b->ScanLine(y);
    for (int x = 0; x < W; ++x) {
      row[3 * x] = uint8_t(x * 255 / W + (rng() & 7)) & keep;
      row[3 * x + 1] = uint8_t(y * 255 / H + (rng() & 7)) & keep;
      row[3 * x + 2] = uint8_t((x + y) * 127 / (W + H) + (rng() & 7)) & keep;
    }
  }
  return b;
}

const std::shared_ptr<const TBitmap> &Photo() {
  static const auto photo = MakePhoto(false);
  return photo;
}

const std::shared_ptr<const TBitmap> &Posterised() {
  static const auto photo = MakePhoto(true);
  return photo;
}

void SetRate(benchmark::State &state) {
  state.counters["Mpx/s"] =
      benchmark::Counter(double(W) * H * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

// One read pass: every byte of every row, summed.
void BM_ReadPass(benchmark::State &state) {
  const TBitmap &b = *Photo();
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int y = 0; y < H; ++y) {
      const uint8_t *row = b.ScanLine(y);
      uint32_t rowSum = 0;
      for (size_t i = 0; i < size_t(W) * 3; ++i)
        rowSum += row[i];
      sum += rowSum;
    }
    benchmark::DoNotOptimize(sum);
  }
  SetRate(state);
}

struct TFramePalette {
  QProgressBar Bar;
  TLUMColorPalette Palette;
  explicit TFramePalette(TColorLayer layers) {
    Palette.SetUpdating(false);
    Palette.SetMaxColors(1000);
    Palette.SetPaletteBgColor(clBtnFace);
    Palette.SetBitmapClLayers(layers);
    Palette.SetProgressBar(&Bar);
    Palette.SetPaletteType(pltBitmap);
    Palette.SetUpdating(true);
  }
};

void BitmapColors(benchmark::State &state, const std::shared_ptr<const TBitmap> &photo, TColorLayer layers) {
  TFramePalette frame(layers);
  for (auto _ : state)
    frame.Palette.BuildPalette(photo);
  state.counters["cells"] = frame.Palette.CurrColorCount();
  SetRate(state);
}

void BM_BitmapColorsAllChannels(benchmark::State &state) {
  BitmapColors(state, Photo(), AllColorLayers);
}
void BM_BitmapColorsRedChannel(benchmark::State &state) {
  BitmapColors(state, Photo(), clyRed);
}
void BM_BitmapColorsPosterised(benchmark::State &state) {
  BitmapColors(state, Posterised(), AllColorLayers);
}

// The row scan alone, with and without vector instructions.
void RowScan(benchmark::State &state, bool plain) {
  const TBitmap &b = *Photo();
  const uint32_t mask = StoredChannelMask(clyRed);
  for (auto _ : state) {
    TColorSet seen;
    std::vector<TColor> found;
    for (int y = 0; y < H; ++y)
      (plain ? ScanColorRowPlain : ScanColorRow)(b.ScanLine(y), W, mask, seen, 1000, found);
    benchmark::DoNotOptimize(found.data());
  }
  SetRate(state);
}
void BM_RowScanRedChannel(benchmark::State &state) {
  RowScan(state, false);
}
void BM_RowScanPlainRedChannel(benchmark::State &state) {
  RowScan(state, true);
}

// The frame's way: the document is copied into the colour source, whose
// setter rebuilds the grid.
void BM_FrameSetsSource(benchmark::State &state) {
  TFramePalette frame(clyRed);
  for (auto _ : state)
    frame.Palette.SetBitmapColorSource(*Photo());
  state.counters["cells"] = frame.Palette.CurrColorCount();
  SetRate(state);
}

} // namespace

BENCHMARK(BM_ReadPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BitmapColorsAllChannels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BitmapColorsRedChannel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BitmapColorsPosterised)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameSetsSource)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowScanRedChannel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowScanPlainRedChannel)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  InstallQtCoreHooks();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
