// Cost of the undo history on a 6000 x 4000 24-bit document, next to plain
// file writes and reads of the same number of bytes in the same folder.
// Targets: AddUndoStep <= 1.5 x fwrite; Undo <= 1.5 x (fwrite + fread).
#include "core/Bitmap.h"
#include "document/UndoCache.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

using namespace tessaro;
namespace fs = std::filesystem;

namespace {

constexpr int W = 6000;
constexpr int H = 4000;

TBitmap &Document() {
  static std::unique_ptr<TBitmap> bmp = [] {
    auto b = std::make_unique<TBitmap>(W, H, pf24bit);
    for (int y = 0; y < H; ++y) {
      uint8_t *row = b->ScanLine(y);
      for (size_t i = 0; i < b->RowBytes(); ++i)
        row[i] = uint8_t(i * 7 + y);
    }
    return b;
  }();
  return *bmp;
}

// Snapshots are never overwritten, so each iteration's files are removed
// outside the timed part to keep the disk from filling.
void RemoveSnapshots(const std::string &dir) {
  std::error_code ec;
  for (const auto &e : fs::directory_iterator(dir, ec))
    if (e.path().extension() == ".bmp" || e.path().extension() == ".raw")
      fs::remove(e.path(), ec);
}

bool WriteRaw(const std::string &path, const std::vector<uint8_t> &bytes) {
  FILE *f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool ReadRaw(const std::string &path, std::vector<uint8_t> &bytes) {
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f)
    return false;
  const bool ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  std::fclose(f);
  return ok;
}

void BM_Fwrite(benchmark::State &state) {
  TBitmap &doc = Document();
  TUndoCache cache(doc, 900);
  std::vector<uint8_t> bytes(doc.Bits(), doc.Bits() + doc.ImageBytes());
  int n = 0;
  for (auto _ : state) {
    if (!WriteRaw(cache.CacheDir() + "/" + std::to_string(++n) + ".raw", bytes))
      state.SkipWithError("write failed");
    state.PauseTiming();
    RemoveSnapshots(cache.CacheDir());
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_AddUndoStep(benchmark::State &state) {
  TBitmap &doc = Document();
  TUndoCache cache(doc, 901);
  for (auto _ : state) {
    if (!cache.AddUndoStep("Linie"))
      state.SkipWithError("AddUndoStep failed");
    state.PauseTiming();
    RemoveSnapshots(cache.CacheDir());
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.ImageBytes()));
}

void BM_FwriteFread(benchmark::State &state) {
  TBitmap &doc = Document();
  TUndoCache cache(doc, 902);
  std::vector<uint8_t> bytes(doc.Bits(), doc.Bits() + doc.ImageBytes());
  std::vector<uint8_t> back(bytes.size());
  const std::string old = cache.CacheDir() + "/old.raw";
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteRaw(old, bytes);
    state.ResumeTiming();
    if (!WriteRaw(cache.CacheDir() + "/" + std::to_string(++n) + ".raw", bytes) || !ReadRaw(old, back))
      state.SkipWithError("write or read failed");
    state.PauseTiming();
    RemoveSnapshots(cache.CacheDir());
    state.ResumeTiming();
  }
}

void BM_Undo(benchmark::State &state) {
  TBitmap &doc = Document();
  TUndoCache cache(doc, 903);
  for (auto _ : state) {
    state.PauseTiming();
    cache.AddUndoStep("Linie");
    state.ResumeTiming();
    if (!cache.Undo())
      state.SkipWithError("Undo failed");
    state.PauseTiming();
    RemoveSnapshots(cache.CacheDir());
    state.ResumeTiming();
  }
}

} // namespace

BENCHMARK(BM_Fwrite)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_AddUndoStep)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_FwriteFread)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond)->Iterations(8);

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  RemoveCacheFolder();
  return 0;
}
