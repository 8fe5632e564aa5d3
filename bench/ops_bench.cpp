// Raster routines on a 4000 x 3000 24-bit image, with a memcpy of the same
// raster as the yardstick. Point and channel routines aim at 3x the memcpy
// time, flips and quarter turns at 4x; blur and free rotation report pixels
// per second. Every routine runs on 1 and on 2 threads (the argument), so
// the speed-up from the second core reads off side by side.
#include "core/Bitmap.h"
#include "core/Parallel.h"
#include "ops/LUMGraphics.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace tessaro;

namespace {

constexpr int W = 4000, H = 3000;

TBitmap &Source() {
  static TBitmap bmp = [] {
    TBitmap b(W, H, pf24bit);
    uint32_t s = 12345;
    for (int y = 0; y < H; ++y) {
      uint8_t *row = b.ScanLine(y);
      for (size_t i = 0; i < size_t(W) * 3; ++i) {
        s = s * 1664525u + 1013904223u;
        row[i] = uint8_t(s >> 24);
      }
    }
    return b;
  }();
  return bmp;
}

void BM_Memcpy(benchmark::State &state) {
  const TBitmap &src = Source();
  std::vector<uint8_t> dst(src.ImageBytes());
  for (auto _ : state) {
    std::memcpy(dst.data(), src.Bits(), src.ImageBytes());
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.ImageBytes()));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

// A routine that must produce a new raster (the quarter turn) pays for fresh
// memory: this is the copy of the raster into a newly allocated one.
void BM_NewRasterCopy(benchmark::State &state) {
  const TBitmap &src = Source();
  for (auto _ : state) {
    TBitmap copy(src);
    benchmark::DoNotOptimize(copy.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_NewRasterCopy)->Unit(benchmark::kMillisecond);

// In-place routines run on one working copy; running them repeatedly on it
// does not change their cost.
template <class Fn> void RunInPlace(benchmark::State &state, Fn fn) {
  SetOpsThreads(int(state.range(0)));
  TBitmap work = Source();
  for (auto _ : state) {
    fn(&work);
    benchmark::ClobberMemory();
  }
  state.counters["Mpx/s"] =
      benchmark::Counter(double(W) * H * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

#define OPS_BENCH(name, call)                                                                                \
  void BM_##name(benchmark::State &state) {                                                                  \
    RunInPlace(state, [](TBitmap *b) { call; });                                                             \
  }                                                                                                          \
  BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)

OPS_BENCH(Invert, InvertBitmap(b));
OPS_BENCH(GrayScale, GrayScaleBitmap(b, gsAll));
OPS_BENCH(GrayRed, GrayScaleBitmap(b, gsRed));
OPS_BENCH(Lighten, LightenBitmap(b, 5));
OPS_BENCH(Darken, DarkenBitmap(b, 5));
OPS_BENCH(Contrast, ContrastBitmap(b, 5));
OPS_BENCH(KeepRedOnly, KeepRedOnly(b));
OPS_BENCH(RemoveGreen, RemoveGreen(b));
OPS_BENCH(ChangeBlueAdd, ChangeBlue(b, 20, 1));
OPS_BENCH(FlipHorizontal, FlipHorizontal(b));
OPS_BENCH(FlipVertical, FlipVertical(b));
OPS_BENCH(Rotate90, Rotate90(b));
OPS_BENCH(Rotate180, Rotate180(b));
OPS_BENCH(Blur5, BlurBitmap(b, 5));
OPS_BENCH(Fog50, FogBitmap(b, clWhite, 127));
OPS_BENCH(PaletteMap, PaletteMapBitmap(b, pcWeightedRGB, 3, false, 0, 0, 1));

// Routines that change the size start from a fresh copy each time; the copy
// is not timed.
template <class Fn> void RunOnCopy(benchmark::State &state, Fn fn) {
  SetOpsThreads(int(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TBitmap work = Source();
    state.ResumeTiming();
    fn(&work);
    benchmark::ClobberMemory();
  }
  state.counters["Mpx/s"] =
      benchmark::Counter(double(W) * H * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_RotateFree30(benchmark::State &state) {
  RunOnCopy(state, [](TBitmap *b) { RotateBitmap(b, false, clWhite, 30, -1, -1); });
}
BENCHMARK(BM_RotateFree30)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);

void BM_RotateFree30Paper(benchmark::State &state) {
  RunOnCopy(state, [](TBitmap *b) { RotateBitmap(b, true, clWhite, 30, -1, -1); });
}
BENCHMARK(BM_RotateFree30Paper)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);

void BM_Resize50Linear(benchmark::State &state) {
  RunOnCopy(state, [](TBitmap *b) { ResizeBitmap(b, sftLinear, clWhite, 50, 50); });
}
BENCHMARK(BM_Resize50Linear)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);

void BM_Skew(benchmark::State &state) {
  RunOnCopy(state, [](TBitmap *b) { SkewBitmap(b, clWhite, 0.3f, 0.1f); });
}
BENCHMARK(BM_Skew)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);

} // namespace

BENCHMARK_MAIN();
