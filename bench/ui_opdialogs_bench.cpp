// The image commands and operation dialogs on a 6000 x 4000 24-bit document
// (offscreen platform).
// - Open/<dialog>: creating a dialog (reduced copy, first preview); target
//   under 150 ms.
// - PreviewStep/<dialog>: one step of the dialog's main setting with its
//   preview; target under 5 ms.
// - OK/<dialog> and Command/<item>: the whole OK or menu command (undo
//   snapshot, working format, routine), next to Routine/<...> (the same
//   routine with the same settings on a copy) and Snapshot (one undo step):
//   the overhead beyond routine + snapshot should stay within 10 %.
#include "core/Hooks.h"
#include "document/UnChild.h"
#include "document/UndoCache.h"
#include "frame/UnMain.h"
#include "ops/LUMGraphics.h"
#include "ops/dialogs/OpDialog.h"
#include "ops/dialogs/SizeEdits.h"
#include "ops/dialogs/TrackEdit.h"
#include "ops/dialogs/UnBlur.h"
#include "ops/dialogs/UnChangePalette.h"
#include "ops/dialogs/UnContrast.h"
#include "ops/dialogs/UnFrostedGlass.h"
#include "ops/dialogs/UnIntensity.h"
#include "ops/dialogs/UnLight.h"
#include "ops/dialogs/UnReplaceColors.h"
#include "ops/dialogs/UnResizeImage.h"
#include "ops/dialogs/UnResizePaper.h"
#include "ops/dialogs/UnRotate.h"
#include "ops/dialogs/UnSkew.h"
#include "ops/dialogs/UnSmoothColors.h"
#include "ui_bench_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

using namespace tessaro;
namespace fs = std::filesystem;

namespace {

constexpr int W = 6000;
constexpr int H = 4000;

const TBitmap &Picture() {
  static const std::unique_ptr<TBitmap> bmp = [] {
    auto b = std::make_unique<TBitmap>(W, H, pf24bit);
    for (int y = 0; y < H; ++y) {
      uint8_t *row = b->ScanLine(y);
      for (size_t i = 0; i < size_t(W) * 3; ++i)
        row[i] = uint8_t((i * 7) ^ (y * 3) ^ (i >> 9));
    }
    return b;
  }();
  return *bmp;
}

// One frame with the big document for the whole program.
struct TBench {
  TfrmMain Frame;
  TfrmChild *Doc = nullptr;
  TBench() {
    Frame.resize(1200, 900);
    Frame.show();
    QApplication::processEvents();
    Doc = Frame.Documents().at(0);
    Restore();
  }
  void Restore() {
    Doc->Bitmap().Assign(Picture());
    Doc->SetImageType(pf24bit);
  }
  // Snapshots are never overwritten; the bench removes them between runs.
  void RemoveSnapshots() {
    std::error_code ec;
    for (const auto &e : fs::directory_iterator(Doc->CacheDir(), ec))
      if (e.path().extension() == ".bmp")
        fs::remove(e.path(), ec);
  }
};

std::unique_ptr<TBench> GBench;

TBench &Bench() {
  if (!GBench)
    GBench = std::make_unique<TBench>();
  return *GBench;
}

struct TDialogCase {
  const char *Name;
  std::function<TOpDialog *(TfrmChild &)> Make;
  // Sets the settings that OK runs with.
  std::function<void(TOpDialog &)> Set;
  // One step of the main setting (i counts the steps).
  std::function<void(TOpDialog &, int i)> Step;
};

template <class T> T &As(TOpDialog &d) {
  return static_cast<T &>(d);
}

const std::vector<TDialogCase> &Dialogs() {
  static const std::vector<TDialogCase> cases = {
      {"Skew", [](TfrmChild &c) { return new TfrmSkew(c); },
       [](TOpDialog &d) { As<TfrmSkew>(d).TrackBarX->setValue(2300); },
       [](TOpDialog &d, int i) { As<TfrmSkew>(d).TrackBarX->setValue(2300 + i % 2); }},
      {"Intensity", [](TfrmChild &c) { return new TfrmIntensity(c); },
       [](TOpDialog &d) { As<TfrmIntensity>(d).TrackBarRed->setValue(300); },
       [](TOpDialog &d, int i) { As<TfrmIntensity>(d).TrackBarRed->setValue(300 + i % 2); }},
      {"ReplaceColors", [](TfrmChild &c) { return new TfrmReplaceColors(c); },
       [](TOpDialog &d) { As<TfrmReplaceColors>(d).ImageOrigMouseDown(Qt::LeftButton, 3, 3); },
       [](TOpDialog &d, int i) {
         As<TfrmReplaceColors>(d).ImageOrigMouseDown(Qt::LeftButton, 3 + i % 2, 3);
       }},
      {"ResizeImage", [](TfrmChild &c) { return new TfrmResizeImage(c); },
       [](TOpDialog &d) { As<TfrmResizeImage>(d).Size->EditWidthPC->setText("50"); },
       [](TOpDialog &d, int i) { As<TfrmResizeImage>(d).Size->EditWidthPC->setText(i % 2 ? "51" : "50"); }},
      {"ResizePaper", [](TfrmChild &c) { return new TfrmResizePaper(c); },
       [](TOpDialog &d) { As<TfrmResizePaper>(d).Size->EditWidthPx->setText("6500"); },
       [](TOpDialog &d, int i) {
         As<TfrmResizePaper>(d).Size->EditWidthPx->setText(i % 2 ? "6501" : "6500");
       }},
      {"Light", [](TfrmChild &c) { return new TfrmLight(c); },
       [](TOpDialog &d) { As<TfrmLight>(d).TrackBarLigth->setValue(300); },
       [](TOpDialog &d, int i) { As<TfrmLight>(d).TrackBarLigth->setValue(300 + i % 2); }},
      {"Contrast", [](TfrmChild &c) { return new TfrmContrast(c); },
       [](TOpDialog &d) { As<TfrmContrast>(d).TrackBarContrast->setValue(300); },
       [](TOpDialog &d, int i) { As<TfrmContrast>(d).TrackBarContrast->setValue(300 + i % 2); }},
      {"Rotate", [](TfrmChild &c) { return new TfrmRotate(c); },
       [](TOpDialog &d) { As<TfrmRotate>(d).TrackBarAngel->setValue(30); },
       [](TOpDialog &d, int i) { As<TfrmRotate>(d).TrackBarAngel->setValue(30 + i % 2); }},
      {"SmoothColors", [](TfrmChild &c) { return new TfrmSmoothColors(c); },
       [](TOpDialog &d) { As<TfrmSmoothColors>(d).TrackBarTransp->setValue(50); },
       [](TOpDialog &d, int i) { As<TfrmSmoothColors>(d).TrackBarTransp->setValue(50 + i % 2); }},
      {"FrostedGlass", [](TfrmChild &c) { return new TfrmFrostedGlass(c); },
       [](TOpDialog &d) { As<TfrmFrostedGlass>(d).TrackBarFG->setValue(50); },
       [](TOpDialog &d, int i) { As<TfrmFrostedGlass>(d).TrackBarFG->setValue(50 + i % 2); }},
      {"Blur", [](TfrmChild &c) { return new TfrmBlur(c); },
       [](TOpDialog &d) { As<TfrmBlur>(d).TrackBarBlur->setValue(30); },
       [](TOpDialog &d, int i) { As<TfrmBlur>(d).TrackBarBlur->setValue(30 + i % 2); }},
      {"BlurWidest", [](TfrmChild &c) { return new TfrmBlur(c); },
       [](TOpDialog &d) { As<TfrmBlur>(d).TrackBarBlur->setValue(989); },
       [](TOpDialog &d, int i) { As<TfrmBlur>(d).TrackBarBlur->setValue(989 + i % 2); }},
      {"ChangePalette", [](TfrmChild &c) { return new TfrmChangePalette(c); },
       [](TOpDialog &d) { As<TfrmChangePalette>(d).TrackBarH->setValue(250); },
       [](TOpDialog &d, int i) { As<TfrmChangePalette>(d).TrackBarH->setValue(250 + i % 2); }},
  };
  return cases;
}

std::unique_ptr<TOpDialog> MakeDialog(const TDialogCase &c) {
  return std::unique_ptr<TOpDialog>(c.Make(*Bench().Doc));
}

void BM_Open(benchmark::State &state) {
  const TDialogCase &c = Dialogs()[size_t(state.range(0))];
  state.SetLabel(c.Name);
  Bench().Restore();
  for (auto _ : state) {
    std::unique_ptr<TOpDialog> d = MakeDialog(c);
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
}

void BM_PreviewStep(benchmark::State &state) {
  const TDialogCase &c = Dialogs()[size_t(state.range(0))];
  state.SetLabel(c.Name);
  Bench().Restore();
  std::unique_ptr<TOpDialog> d = MakeDialog(c);
  c.Set(*d);
  int i = 0;
  for (auto _ : state)
    c.Step(*d, ++i);
}

// OK of the dialog, from the click to the closed dialog.
void BM_OK(benchmark::State &state) {
  const TDialogCase &c = Dialogs()[size_t(state.range(0))];
  state.SetLabel(c.Name);
  TBench &b = Bench();
  for (auto _ : state) {
    state.PauseTiming();
    b.Restore();
    b.RemoveSnapshots();
    TOpDialog *d = MakeDialog(c).release();
    d->setAttribute(Qt::WA_DeleteOnClose);
    c.Set(*d);
    state.ResumeTiming();
    d->BitBtnOKClick();
    state.PauseTiming();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
  b.RemoveSnapshots();
  b.Restore();
}

// The dialog of the row's case with its settings read, or null (the row
// skipped) when it gives none.
std::unique_ptr<TOpDialog> PreparedDialog(benchmark::State &state, TOpArgs &args) {
  const TDialogCase &c = Dialogs()[size_t(state.range(0))];
  state.SetLabel(c.Name);
  Bench().Restore();
  std::unique_ptr<TOpDialog> d = MakeDialog(c);
  c.Set(*d);
  if (!d->Settings(args)) {
    state.SkipWithError("no settings");
    return nullptr;
  }
  return d;
}

// The document's own path for the same settings, without the dialog.
void BM_Apply(benchmark::State &state) {
  TBench &b = Bench();
  TOpArgs args;
  const std::unique_ptr<TOpDialog> d = PreparedDialog(state, args);
  if (!d)
    return;
  for (auto _ : state) {
    state.PauseTiming();
    b.Restore();
    b.RemoveSnapshots();
    state.ResumeTiming();
    b.Doc->ApplyImageOp(d->Op(), args);
  }
  b.RemoveSnapshots();
  b.Restore();
}

// The same routine with the same settings on a copy of the picture.
void BM_Routine(benchmark::State &state) {
  TOpArgs args;
  const std::unique_ptr<TOpDialog> d = PreparedDialog(state, args);
  if (!d)
    return;
  for (auto _ : state) {
    state.PauseTiming();
    TBitmap copy(Picture());
    state.ResumeTiming();
    RunImageOp(copy, d->Op(), args);
  }
}

// One undo step of the picture.
void BM_Snapshot(benchmark::State &state) {
  TBench &b = Bench();
  b.Restore();
  for (auto _ : state) {
    b.Doc->AddUndoStep("Bench");
    state.PauseTiming();
    b.RemoveSnapshots();
    state.ResumeTiming();
  }
}

const TImageCommand Commands[] = {icInvert,     icGrayScale, icLighter, icMoreContrast, icRotateRight,
                                  icRotateLeft, icRotate180, icFlipHor, icFlipVert,     icOnlyRed};

void BM_Command(benchmark::State &state) {
  const TImageOp &op = *FindImageCommand(Commands[state.range(0)]);
  state.SetLabel(op.UndoCaption);
  TBench &b = Bench();
  for (auto _ : state) {
    state.PauseTiming();
    b.Restore();
    b.RemoveSnapshots();
    state.ResumeTiming();
    b.Doc->ImageCommand(op.Command);
  }
  b.RemoveSnapshots();
  b.Restore();
}

void BM_CommandRoutine(benchmark::State &state) {
  const TImageOp &op = *FindImageCommand(Commands[state.range(0)]);
  state.SetLabel(op.UndoCaption);
  const TOpArgs args = DefaultOpArgs(op);
  for (auto _ : state) {
    state.PauseTiming();
    TBitmap copy(Picture());
    state.ResumeTiming();
    RunImageOp(copy, op, args);
  }
}

void DialogArgs(benchmark::internal::Benchmark *b) {
  for (size_t i = 0; i < Dialogs().size(); ++i)
    b->Arg(int64_t(i));
}

void CommandArgs(benchmark::internal::Benchmark *b) {
  for (size_t i = 0; i < std::size(Commands); ++i)
    b->Arg(int64_t(i));
}

} // namespace

BENCHMARK(BM_Open)->Apply(DialogArgs)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PreviewStep)->Apply(DialogArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Snapshot)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OK)->Apply(DialogArgs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Apply)->Apply(DialogArgs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Routine)->Apply(DialogArgs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Command)->Apply(CommandArgs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CommandRoutine)->Apply(CommandArgs)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv) {
  // The palette dialog offers to save its custom palette: no file dialog.
  TfrmChangePalette::SetFileDialogHook([](bool) { return QString(); });
  return RunUiBenchmarks(argc, argv, [] {
    GBench.reset();
    RemoveCacheFolder();
  });
}
