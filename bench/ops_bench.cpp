// Raster routines on a 4000 x 3000 24-bit image, each on 1 and on 2 threads
// (the argument), wall time: the speed-up from the second core reads off
// side by side (bench/speedup.sh prints it as a table). A memcpy of the same
// raster and a copy into a new raster are the yardsticks: point and channel
// routines aim at 3x the memcpy time, flips and quarter turns at 4x.
//
//   cmake --build build -j2 --target ops_bench
//   build/bench/ops_bench                          # every routine
//   build/bench/ops_bench --benchmark_filter=Blur  # some of them
#include "core/Bitmap.h"
#include "core/Parallel.h"
#include "ops/LUMGraphics.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
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

// A picture of the same size for the routines that copy one onto another.
const TBitmap &Overlay() {
  static const TBitmap overlay = [] {
    TBitmap b = Source();
    FlipVertical(&b);
    return b;
  }();
  return overlay;
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

using TRoutine = std::function<void(TBitmap *)>;

// In-place routines run on one working copy again and again (that does not
// change their cost); routines that change the size start from a fresh copy
// each time, which is not timed.
void Run(benchmark::State &state, const TRoutine &routine, bool fresh) {
  SetOpsThreads(int(state.range(0)));
  TBitmap work = Source();
  for (auto _ : state) {
    if (fresh) {
      state.PauseTiming();
      work = Source();
      state.ResumeTiming();
    }
    routine(&work);
    benchmark::ClobberMemory();
  }
  state.counters["Mpx/s"] =
      benchmark::Counter(double(W) * H * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
  SetOpsThreads(0);
}

struct TCase {
  const char *Name;
  TRoutine Routine;
  bool Fresh = false;
};

const std::vector<TCase> &Cases() {
  static const std::vector<TCase> cases = {
      // point and channel routines
      {"Invert", [](TBitmap *b) { InvertBitmap(b); }},
      {"GrayScale", [](TBitmap *b) { GrayScaleBitmap(b, gsAll); }},
      {"GrayRed", [](TBitmap *b) { GrayScaleBitmap(b, gsRed); }},
      {"Lighten", [](TBitmap *b) { LightenBitmap(b, 5); }},
      {"Darken", [](TBitmap *b) { DarkenBitmap(b, 5); }},
      {"Contrast", [](TBitmap *b) { ContrastBitmap(b, 5); }},
      {"KeepRedOnly", [](TBitmap *b) { KeepRedOnly(b); }},
      {"RemoveGreen", [](TBitmap *b) { RemoveGreen(b); }},
      // flips and turns
      {"FlipHorizontal", [](TBitmap *b) { FlipHorizontal(b); }},
      {"FlipVertical", [](TBitmap *b) { FlipVertical(b); }},
      {"Rotate90", [](TBitmap *b) { Rotate90(b); }},
      {"Rotate180", [](TBitmap *b) { Rotate180(b); }},
      // free rotation, skew, resize, paper
      {"RotateFree30", [](TBitmap *b) { RotateBitmap(b, false, clWhite, 30, -1, -1); }, true},
      {"RotateFree30Paper", [](TBitmap *b) { RotateBitmap(b, true, clWhite, 30, -1, -1); }, true},
      {"Skew", [](TBitmap *b) { SkewBitmap(b, clWhite, 0.3f, 0.1f); }, true},
      {"Resize50Nearest", [](TBitmap *b) { ResizeBitmap(b, sftNearest, clWhite, 50, 50); }, true},
      {"Resize50Linear", [](TBitmap *b) { ResizeBitmap(b, sftLinear, clWhite, 50, 50); }, true},
      {"Resize50Mitchell", [](TBitmap *b) { ResizeBitmap(b, sftMitchell, clWhite, 50, 50); }, true},
      {"Resize150Linear", [](TBitmap *b) { ResizeBitmap(b, sftLinear, clWhite, 150, 150); }, true},
      {"PaperSize", [](TBitmap *b) { ChangePaperSize(b, W + 400, H + 300, 4, clWhite); }, true},
      // tone and colour
      {"Brightness", [](TBitmap *b) { ApplyBrightness(b, -30); }},
      {"Intensity", [](TBitmap *b) { ApplyIntensity(b, 20, -40, 60); }},
      {"ChangeBlueAdd", [](TBitmap *b) { ChangeBlue(b, 20, 1); }},
      {"ReplaceColor", [](TBitmap *b) { ReplaceColor(b, RGB(10, 200, 30), clFuchsia); }},
      {"TransparentCopy", [](TBitmap *b) { TransparentCopy(&Overlay(), b, 0, 0, clWhite, true); }},
      {"BlendDraw", [](TBitmap *b) { BlendDraw(b, &Overlay(), 0, 0, 100); }},
      // effects
      {"Gradient", [](TBitmap *b) { DrawGradient(b, clYellow, clAqua, 1, W, H, 0, 0, 0); }},
      {"Gradient50", [](TBitmap *b) { DrawGradient(b, clYellow, clAqua, 0, W, H, 0, 0, 50); }},
      {"Fog50", [](TBitmap *b) { FogBitmap(b, clWhite, 127); }},
      {"Blur1", [](TBitmap *b) { BlurBitmap(b, 1); }},
      {"Blur5", [](TBitmap *b) { BlurBitmap(b, 5); }},
      {"Blur40", [](TBitmap *b) { BlurBitmap(b, 40); }},
      {"PaletteMap", [](TBitmap *b) { PaletteMapBitmap(b, pcWeightedRGB, 3, false, 0, 0, 1); }},
  };
  return cases;
}

} // namespace

int main(int argc, char **argv) {
  for (const TCase &c : Cases())
    benchmark::RegisterBenchmark((std::string("BM_") + c.Name).c_str(),
                                 [&c](benchmark::State &state) { Run(state, c.Routine, c.Fresh); })
        ->Unit(benchmark::kMillisecond)
        ->Arg(1)
        ->Arg(2)
        ->UseRealTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
