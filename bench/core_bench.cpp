// Pixel-format conversion and BMP file speed on a 4000 x 3000 raster, with
// plain fwrite/fread of the same bytes into the same folder as the baseline.
// Conversions run on 1 and on 2 threads (the argument), wall time.
#include "core/BmpFile.h"
#include "core/Parallel.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

using namespace tessaro;

namespace {

constexpr int W = 4000, H = 3000;

// A smooth photograph-like picture: gradients with noise, many colours.
const TBitmap &Photo() {
  static const TBitmap photo = [] {
    TBitmap b(W, H, pf24bit);
    std::mt19937 rng(7);
    for (int y = 0; y < H; ++y) {
      uint8_t *row = b.ScanLine(y);
      for (int x = 0; x < W; ++x) {
        row[3 * x] = uint8_t(x * 255 / W + (rng() & 7));
        row[3 * x + 1] = uint8_t(y * 255 / H + (rng() & 7));
        row[3 * x + 2] = uint8_t((x + y) * 127 / (W + H) + (rng() & 7));
      }
    }
    return b;
  }();
  return photo;
}

std::string BenchFile(const char *name) {
  return "/tmp/tessaro-bench-" + std::to_string(getpid()) + name;
}

void Convert(benchmark::State &state, TPixelFormat pf, TPixelFormat from = pf24bit) {
  SetOpsThreads(int(state.range(0)));
  static TBitmap source;
  if (source.PixelFormat() != from || source.Empty()) {
    source = Photo();
    source.SetPixelFormat(from);
  }
  for (auto _ : state) {
    state.PauseTiming();
    TBitmap b = source;
    state.ResumeTiming();
    b.SetPixelFormat(pf);
    benchmark::DoNotOptimize(b.Bits());
  }
  state.counters["Mpx/s"] =
      benchmark::Counter(double(W) * H * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}
void BM_Convert24To8(benchmark::State &s) {
  Convert(s, pf8bit);
}
void BM_Convert24To4(benchmark::State &s) {
  Convert(s, pf4bit);
}
void BM_Convert24To1(benchmark::State &s) {
  Convert(s, pf1bit);
}
void BM_Convert24To16(benchmark::State &s) {
  Convert(s, pf16bit);
}
void BM_Convert24To32(benchmark::State &s) {
  Convert(s, pf32bit);
}
void BM_Convert8To24(benchmark::State &s) {
  Convert(s, pf24bit, pf8bit);
}

void BM_FwriteBaseline(benchmark::State &state) {
  const TBitmap &b = Photo();
  std::string path = BenchFile("raw");
  for (auto _ : state) {
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(b.Bits(), 1, b.ImageBytes(), f);
    std::fclose(f);
  }
  std::remove(path.c_str());
}

void BM_BmpWrite(benchmark::State &state) {
  const TBitmap &b = Photo();
  std::string path = BenchFile("w.bmp");
  for (auto _ : state)
    SaveBmpFile(b, path);
  std::remove(path.c_str());
}

void BM_FreadBaseline(benchmark::State &state) {
  const TBitmap &b = Photo();
  std::string path = BenchFile("raw2");
  FILE *f = std::fopen(path.c_str(), "wb");
  std::fwrite(b.Bits(), 1, b.ImageBytes(), f);
  std::fclose(f);
  for (auto _ : state) {
    // A plain reader allocates the memory it reads into, as the BMP reader does.
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[b.ImageBytes()]);
    FILE *r = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(buffer.get(), 1, b.ImageBytes(), r));
    std::fclose(r);
  }
  std::remove(path.c_str());
}

void BM_BmpRead(benchmark::State &state) {
  std::string path = BenchFile("r.bmp");
  SaveBmpFile(Photo(), path);
  for (auto _ : state) {
    TBitmap b;
    LoadBmpFile(path, b);
    benchmark::DoNotOptimize(b.Bits());
  }
  std::remove(path.c_str());
}

} // namespace

BENCHMARK(BM_Convert24To8)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_Convert24To4)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_Convert24To1)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_Convert24To16)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_Convert24To32)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_Convert8To24)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_FwriteBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpRead)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
