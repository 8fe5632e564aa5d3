// Canvas throughput on a 4000 x 3000 24-bit raster, with memset and memcpy
// over the same bytes as the yardsticks.
#include "core/Bitmap.h"
#include "core/Canvas.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace tessaro;

constexpr int W = 4000, H = 3000;

TBitmap &Raster() {
  static TBitmap bmp(W, H, pf24bit);
  return bmp;
}

void BM_Memset(benchmark::State &state) {
  TBitmap &bmp = Raster();
  int v = 0;
  for (auto _ : state) {
    std::memset(bmp.Bits(), v++ & 0xFF, bmp.ImageBytes());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bmp.ImageBytes()));
}
BENCHMARK(BM_Memset)->Unit(benchmark::kMillisecond);

void BM_Memcpy(benchmark::State &state) {
  TBitmap &bmp = Raster();
  std::vector<uint8_t> other(bmp.ImageBytes(), 0x5A);
  for (auto _ : state) {
    std::memcpy(bmp.Bits(), other.data(), bmp.ImageBytes());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bmp.ImageBytes()));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_RectangleCopy(benchmark::State &state) {
  TBitmap &bmp = Raster();
  TCanvas c(bmp);
  c.Brush.Color = RGB(10, 20, 30);
  for (auto _ : state) {
    c.Rectangle(0, 0, W, H);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bmp.ImageBytes()));
}
BENCHMARK(BM_RectangleCopy)->Unit(benchmark::kMillisecond);

void BM_RectangleNot(benchmark::State &state) {
  TBitmap &bmp = Raster();
  TCanvas c(bmp);
  c.Pen.Mode = pmNot;
  for (auto _ : state) {
    c.Rectangle(0, 0, W, H);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bmp.ImageBytes()));
}
BENCHMARK(BM_RectangleNot)->Unit(benchmark::kMillisecond);

void BM_FloodFillWhole(benchmark::State &state) {
  TBitmap &bmp = Raster();
  TCanvas c(bmp);
  c.Pen.Style = psClear;
  c.Brush.Color = clWhite;
  c.Rectangle(0, 0, W, H);
  TColor colors[2] = {clRed, clWhite};
  int i = 0;
  for (auto _ : state) {
    c.Brush.Color = colors[i % 2];
    c.FloodFill(W / 2, H / 2, colors[(i + 1) % 2], fsSurface);
    ++i;
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bmp.ImageBytes()));
}
BENCHMARK(BM_FloodFillWhole)->Unit(benchmark::kMillisecond);

void BM_RandomLines10000(benchmark::State &state) {
  TBitmap &bmp = Raster();
  TCanvas c(bmp);
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> dx(0, W - 1), dy(0, H - 1);
  std::vector<TPoint> pts(20000);
  for (TPoint &p : pts)
    p = TPoint(dx(rng), dy(rng));
  for (auto _ : state) {
    for (size_t k = 0; k < pts.size(); k += 2) {
      c.MoveTo(pts[k].X, pts[k].Y);
      c.LineTo(pts[k + 1].X, pts[k + 1].Y);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RandomLines10000)->Unit(benchmark::kMillisecond);

void BM_RandomEllipses1000(benchmark::State &state) {
  TBitmap &bmp = Raster();
  TCanvas c(bmp);
  c.Pen.Width = int(state.range(0));
  std::mt19937 rng(2);
  std::uniform_int_distribution<int> dx(0, W - 1), dy(0, H - 1);
  std::vector<TPoint> pts(2000);
  for (TPoint &p : pts)
    p = TPoint(dx(rng), dy(rng));
  for (auto _ : state) {
    for (size_t k = 0; k < pts.size(); k += 2)
      c.Ellipse(pts[k].X, pts[k].Y, pts[k + 1].X, pts[k + 1].Y);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RandomEllipses1000)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_XorRubberBandEllipse(benchmark::State &state) {
  TBitmap &bmp = Raster();
  TCanvas c(bmp);
  c.Pen.Mode = pmNotXor;
  c.Brush.Style = bsClear;
  for (auto _ : state) {
    c.Ellipse(100, 100, 2100, 1600);
    c.Ellipse(100, 100, 2100, 1600);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_XorRubberBandEllipse)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
