// Encoding and decoding a 4000 x 3000 photograph-like raster in memory, per
// format: the codec cost without the disk. bench/compare_files.sh measures
// whole conversions side by side with other tools.
#include "core/BmpFile.h"
#include "core/Parallel.h"
#include "files/ImageCodecs.h"
#include "files/ImportReaders.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace tessaro;

namespace {

// Smooth colour fields with fine grain, like a photograph: deterministic.
const TBitmap &Photo() {
  static const TBitmap photo = [] {
    TBitmap bmp(4000, 3000, pf24bit);
    uint32_t seed = 12345;
    for (int y = 0; y < bmp.Height(); ++y) {
      uint8_t *row = bmp.ScanLine(y);
      for (int x = 0; x < bmp.Width(); ++x) {
        seed = seed * 1664525u + 1013904223u;
        int grain = int(seed >> 28) - 8;
        double fx = x / 400.0, fy = y / 300.0;
        row[3 * x + 0] = uint8_t(std::clamp(int(128 + 90 * std::sin(fx + 2 * std::cos(fy))) + grain, 0, 255));
        row[3 * x + 1] = uint8_t(std::clamp(int(128 + 90 * std::sin(1.3 * fy + fx * 0.5)) + grain, 0, 255));
        row[3 * x + 2] = uint8_t(std::clamp(int(128 + 90 * std::cos(fx * 0.7 - fy)) + grain, 0, 255));
      }
    }
    return bmp;
  }();
  return photo;
}

std::vector<uint8_t> Encoded(const char *format) {
  std::vector<uint8_t> out;
  std::string err;
  std::string f = format;
  if (f == "jpeg")
    EncodeJpeg(Photo(), 90, false, out, err);
  else if (f == "jpeg-progressive")
    EncodeJpeg(Photo(), 90, true, out, err);
  else if (f == "png")
    EncodePng(Photo(), out, err);
  else if (f == "gif")
    EncodeGif(Photo(), out, err);
  else
    out = EncodeBmp(Photo());
  return out;
}

void BM_Encode(benchmark::State &state, const char *format) {
  Photo();
  for (auto _ : state) {
    auto out = Encoded(format);
    benchmark::DoNotOptimize(out.data());
    state.counters["bytes"] = double(out.size());
  }
}

void BM_Decode(benchmark::State &state, const char *format) {
  auto data = Encoded(format);
  std::string f = format;
  for (auto _ : state) {
    TBitmap bmp;
    std::string err;
    bool ok = f == "png"   ? ReadPng(data.data(), data.size(), bmp, err)
              : f == "gif" ? ReadGif(data.data(), data.size(), bmp, err)
              : f == "bmp" ? ReadBmp(data.data(), data.size(), bmp, &err)
                           : ReadJpeg(data.data(), data.size(), bmp, err);
    if (!ok)
      state.SkipWithError(err.c_str());
    benchmark::DoNotOptimize(bmp.Bits());
  }
}

// A Windows bitmap from memory, rows on 1 and on 2 threads (the argument).
void BM_DecodeBmpThreads(benchmark::State &state) {
  SetOpsThreads(int(state.range(0)));
  const std::vector<uint8_t> data = EncodeBmp(Photo());
  for (auto _ : state) {
    TBitmap bmp;
    ReadBmp(data.data(), data.size(), bmp);
    benchmark::DoNotOptimize(bmp.Bits());
  }
}

// A binary pixel map, read on 1 and on 2 threads (the argument).
void BM_DecodePnm(benchmark::State &state) {
  SetOpsThreads(int(state.range(0)));
  const TBitmap &photo = Photo();
  std::string ppm = "P6\n" + std::to_string(photo.Width()) + " " + std::to_string(photo.Height()) + "\n255\n";
  for (int y = 0; y < photo.Height(); ++y)
    for (int x = 0; x < photo.Width(); ++x) {
      const uint8_t *p = photo.ScanLine(y) + 3 * x;
      const char rgb[3] = {char(p[2]), char(p[1]), char(p[0])};
      ppm.append(rgb, 3);
    }
  const auto reader = NewPnmReader();
  for (auto _ : state) {
    TBitmap bmp;
    std::string err;
    if (!reader->Read("photo.ppm", reinterpret_cast<const uint8_t *>(ppm.data()), ppm.size(), bmp, err))
      state.SkipWithError(err.c_str());
    benchmark::DoNotOptimize(bmp.Bits());
  }
}

void BM_Octree(benchmark::State &state) {
  for (auto _ : state) {
    TPalette pal = OctreePalette(Photo());
    benchmark::DoNotOptimize(pal.data());
  }
}

// The palette is built on one thread, the pixels are matched on 1 or 2.
void BM_QuantizeTo8Bit(benchmark::State &state) {
  SetOpsThreads(int(state.range(0)));
  for (auto _ : state) {
    TBitmap q = QuantizeTo8Bit(Photo());
    benchmark::DoNotOptimize(q.Bits());
  }
}

} // namespace

BENCHMARK_CAPTURE(BM_Encode, jpeg, "jpeg")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Decode, jpeg, "jpeg")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Encode, jpeg_progressive, "jpeg-progressive")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Decode, jpeg_progressive, "jpeg-progressive")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Encode, png, "png")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Decode, png, "png")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Encode, gif, "gif")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Decode, gif, "gif")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Encode, bmp, "bmp")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Decode, bmp, "bmp")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DecodeBmpThreads)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_DecodePnm)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_Octree)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QuantizeTo8Bit)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->UseRealTime();

BENCHMARK_MAIN();
