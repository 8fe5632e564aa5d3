// The fill bucket and the crop tool on a 6000 x 4000 24-bit document, through
// the document's tool engine with the repaint of what changed (offscreen),
// next to the plain memory work they stand for.
// Targets: a fill whose area covers half the picture at most 10 x a memset of
// the raster's bytes (BM_FillHalf / BM_Memset); a maze-like area of 1-pixel
// corridors (many short runs) is reported in Mpx/s. A crop to a quarter at
// most 2 x (one copy of the kept pixels + the undo snapshot) (BM_Crop /
// BM_CropReference).
#include "core/Canvas.h"
#include "document/UnChild.h"
#include "document/UndoCache.h"
#include "frame/UnMain.h"

#include "ui_bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

using namespace tessaro;

namespace {

constexpr int W = 6000;
constexpr int H = 4000;

// Half the picture white (the left half), the rest a pattern; or a maze of
// white 1-pixel corridors (every other column, joined every 64 rows) in
// black.
TBitmap Picture(bool maze) {
  TBitmap b(W, H, pf24bit);
  for (int y = 0; y < H; ++y) {
    uint8_t *row = b.ScanLine(y);
    for (int x = 0; x < W; ++x) {
      uint8_t v;
      if (maze)
        v = (x % 2 == 0 || y % 64 == 0) ? 255 : 0;
      else
        v = x < W / 2 ? 255 : uint8_t(x * 7 + y);
      row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
    }
  }
  return b;
}

// Snapshots are never overwritten; the benchmark removes them itself so that
// the disk does not fill.
void RemoveSnapshots(const TfrmChild &doc) {
  std::error_code ec;
  for (const auto &e : std::filesystem::directory_iterator(doc.CacheDir(), ec))
    if (e.path().extension() == ".bmp")
      std::filesystem::remove(e.path(), ec);
}

struct TBench {
  TfrmMain Frame;
  TfrmChild *Doc = nullptr;
  TBench() {
    Frame.resize(1400, 1200);
    Frame.show();
    Doc = Frame.CreateNewImage(16, 16, pf24bit, clWhite);
    if (QWidget *sub = Doc ? Doc->parentWidget() : nullptr)
      sub->resize(1200, 1000);
    QApplication::processEvents();
  }
};

void Fill(benchmark::State &state, bool maze) {
  TBench b;
  if (!b.Doc) {
    state.SkipWithError("no document");
    return;
  }
  const TBitmap picture = Picture(maze);
  b.Frame.ActiveTool = dtFill;
  b.Frame.panFillColor->SetColor(clRed);
  TToolEngine &e = b.Doc->Engine();
  int64_t filled = 0;
  for (auto _ : state) {
    state.PauseTiming();
    b.Doc->Bitmap().Assign(picture);
    QApplication::processEvents();
    // The press records the undo step; only the release fills.
    e.ImageMouseDown(mbLeft, ssLeft, 10, 0);
    RemoveSnapshots(*b.Doc);
    state.ResumeTiming();
    e.ImageMouseUp(mbLeft, 0, 10, 0);
    QApplication::processEvents();
    if (b.Doc->Bitmap().GetPixel(10, 0) != clRed) {
      state.SkipWithError("nothing filled");
      break;
    }
    filled += maze ? int64_t(W / 2) * H + int64_t(W / 2) * (H / 64) : int64_t(W / 2) * H;
  }
  state.counters["Mpx/s"] = benchmark::Counter(double(filled) / 1e6, benchmark::Counter::kIsRate);
  b.Doc->SetModified(false);
}

void BM_FillHalf(benchmark::State &state) {
  Fill(state, false);
}
void BM_FillMaze(benchmark::State &state) {
  Fill(state, true);
}

void BM_Memset(benchmark::State &state) {
  TBitmap b(W, H, pf24bit);
  int v = 0;
  for (auto _ : state) {
    std::memset(b.Bits(), ++v & 0xFF, b.ImageBytes());
    benchmark::DoNotOptimize(b.Bits());
  }
}

void BM_Crop(benchmark::State &state) {
  TBench b;
  if (!b.Doc) {
    state.SkipWithError("no document");
    return;
  }
  const TBitmap picture = Picture(false);
  b.Frame.ActiveTool = dtCutImage;
  TToolEngine &e = b.Doc->Engine();
  for (auto _ : state) {
    state.PauseTiming();
    b.Doc->Bitmap().Assign(picture);
    QApplication::processEvents();
    state.ResumeTiming();
    // The press records the undo step, the release crops to a quarter.
    e.ImageMouseDown(mbLeft, ssLeft, 1500, 1000);
    e.ImageMouseMove(ssLeft, 4500, 3000);
    e.ImageMouseUp(mbLeft, 0, 4500, 3000);
    QApplication::processEvents();
    if (b.Doc->Bitmap().Width() != W / 2) {
      state.SkipWithError("not cropped");
      break;
    }
    state.PauseTiming();
    RemoveSnapshots(*b.Doc);
    state.ResumeTiming();
  }
  b.Doc->SetModified(false);
}

// One copy of the kept pixels and the undo snapshot of the whole picture.
void BM_CropReference(benchmark::State &state) {
  TBitmap picture = Picture(false);
  TUndoCache cache(picture, 950);
  TBitmap kept(W / 2, H / 2, pf24bit);
  const size_t bytes = size_t(W / 2) * 3;
  for (auto _ : state) {
    if (!cache.AddUndoStep("Beschneiden")) {
      state.SkipWithError("AddUndoStep failed");
      break;
    }
    for (int y = 0; y < H / 2; ++y)
      std::memcpy(kept.ScanLine(y), picture.ScanLine(H / 4 + y) + size_t(W / 4) * 3, bytes);
    benchmark::DoNotOptimize(kept.Bits());
    state.PauseTiming();
    std::error_code ec;
    for (const auto &f : std::filesystem::directory_iterator(cache.CacheDir(), ec))
      if (f.path().extension() == ".bmp")
        std::filesystem::remove(f.path(), ec);
    state.ResumeTiming();
  }
}

} // namespace

BENCHMARK(BM_Memset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillHalf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FillMaze)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CropReference)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Crop)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv) {
  return RunUiBenchmarks(argc, argv);
}
