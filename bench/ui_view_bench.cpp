// Repaint cost of the image view follows the changed rectangle, not the
// picture: a 1000-pixel XOR line drawn and erased at zoom 100, with the
// repaint under the offscreen platform, on a 6000 x 4000 document next to a
// 1000 x 1000 one (target: at most 1.5 x).
//
// "ui_view_bench --memory" instead reports the peak resident size of an open
// 6000 x 4000 24-bit document beyond the program's baseline (target: at most
// 1.3 x its raster bytes), and the peak during an undo.
#include "core/Canvas.h"
#include "document/ImageView.h"
#include "document/UndoCache.h"
#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/resource.h>

using namespace tessaro;

namespace {

std::shared_ptr<TBitmap> WhiteDocument(int w, int h) {
  auto b = std::make_shared<TBitmap>(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    std::memset(b->ScanLine(y), 0xFF, b->RowBytes());
  return b;
}

struct TWindow {
  std::unique_ptr<TImageScrollBox> Box;
  explicit TWindow(std::shared_ptr<TBitmap> bmp) : Box(std::make_unique<TImageScrollBox>()) {
    Box->resize(1100, 1100);
    Box->View()->SetBitmap(std::move(bmp));
    Box->show();
    for (int i = 0; i < 50 && Box->View()->PaintCount() == 0; ++i)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
};

void BM_XorLine(benchmark::State &state) {
  auto bmp = WhiteDocument(int(state.range(0)), int(state.range(1)));
  TWindow win(bmp);
  TImageView *view = win.Box->View();
  TCanvas &c = bmp->Canvas();
  c.Pen.Mode = pmNotXor;
  c.Pen.Color = clBlack;
  view->ResetPaintStats();
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) { // draw, then erase
      c.MoveTo(0, 500);
      c.LineTo(1000, 500);
      QApplication::processEvents();
    }
  }
  state.counters["paints"] = double(view->PaintCount()) / double(state.iterations());
}

long PeakKb() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_maxrss;
}

int MeasureMemory() {
  const int W = 6000, H = 4000;
  {
    // Baseline: a window with a small document, painted once.
    TWindow warm(WhiteDocument(400, 300));
    QApplication::processEvents();
  }
  const long base = PeakKb();
  auto bmp = WhiteDocument(W, H);
  const double raster = double(bmp->ImageBytes());
  TWindow win(bmp);
  TImageView *view = win.Box->View();
  TUndoCache cache(*bmp, 990);
  for (int zoom : {100, 10, 1, 100}) {
    view->SetZoom(zoom);
    for (int pos = 0; pos < 5000; pos += 1250) {
      win.Box->SetScrollPos(pos, pos / 2);
      QApplication::processEvents();
    }
  }
  cache.AddUndoStep("Linie");
  bmp->Canvas().MoveTo(0, 10);
  bmp->Canvas().LineTo(5000, 3000);
  QApplication::processEvents();
  const long open = PeakKb();
  cache.Undo();
  QApplication::processEvents();
  const long undo = PeakKb();
  std::printf("raster bytes            %.1f MB\n", raster / 1e6);
  std::printf("baseline peak RSS       %.1f MB\n", base / 1024.0);
  std::printf("open document, beyond   %.1f MB = %.3f x raster\n", (open - base) * 1024.0 / 1e6,
              (open - base) * 1024.0 / raster);
  std::printf("after an undo, beyond   %.1f MB = %.3f x raster\n", (undo - base) * 1024.0 / 1e6,
              (undo - base) * 1024.0 / raster);
  RemoveCacheFolder();
  return 0;
}

} // namespace

BENCHMARK(BM_XorLine)->Args({1000, 1000})->Args({6000, 4000})->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  InstallQtCoreHooks();
  SetAutoAnswers(true);
  if (argc > 1 && std::strcmp(argv[1], "--memory") == 0)
    return MeasureMemory();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
