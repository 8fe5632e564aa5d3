// Floating images and the clipboard on the offscreen platform:
//  - dragging a 2000 x 2000 floating image over a 6000 x 4000 document and
//    over a 2500 x 2500 one: one mouse move with the repaint of what it
//    uncovered (target: at most 8 ms, and the big document at most 1.5 x
//    the small one);
//  - the see-through mask of a 2000 x 2000 object showing a photograph that
//    is half see-through: the worker alone and the control's whole update
//    with its mask (target: at most 50 ms);
//  - combining a cross-faded 2000 x 2000 object with a 6000 x 4000 document
//    (its two undo snapshots included) next to one pass over the object's
//    pixels and one snapshot of the document (target: at most 3 passes plus
//    the snapshots);
//  - copying a 6000 x 4000 marking to the clipboard and pasting it back.
//
// "ui_objects_bench --memory" instead reports the peak resident memory of
// that copy and paste beyond what the document already held, in copies of
// the marked pixels (target: at most 2).
#include "controls/TransparentRegion.h"
#include "document/UnChild.h"
#include "frame/UnMain.h"
#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using namespace tessaro;

namespace {

// A smooth picture in which a wavy half of the area is white.
std::shared_ptr<TBitmap> HalfSeeThroughPhoto(int w, int h) {
  auto b = std::make_shared<TBitmap>();
  b->Allocate(w, h, pf24bit, false);
  for (int y = 0; y < h; ++y) {
    uint8_t *row = b->ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const double f = std::sin(x / 97.0) * std::cos(y / 131.0) + std::sin((x + y) / 173.0);
      uint8_t *p = row + 3 * size_t(x);
      if (f > 0) {
        p[0] = p[1] = p[2] = 255;
      } else {
        p[0] = uint8_t(x * 255 / w);
        p[1] = uint8_t(y * 255 / h);
        p[2] = uint8_t(128 + 100 * f);
      }
    }
  }
  return b;
}

struct TFrame {
  TfrmMain Frame;
  TfrmChild *Doc = nullptr;
  TFrame(int w, int h) {
    Frame.resize(1400, 1200);
    Frame.show();
    Doc = Frame.CreateNewImage(w, h, pf24bit, clWhite);
    if (Doc && Doc->parentWidget())
      Doc->parentWidget()->resize(1200, 1000);
    QApplication::processEvents();
  }
  ~TFrame() {
    if (Doc)
      Doc->SetModified(false);
    for (TfrmChild *d : Frame.Documents())
      d->SetCloseAgreed();
  }
  void Mouse(QWidget *over, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QWindow *win = Frame.windowHandle();
    const QPoint global = over->mapToGlobal(pos);
    QMouseEvent e(type, win->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(win, &e);
  }
};

void RemoveSnapshots(const std::string &dir) {
  std::error_code ec;
  for (const auto &e : std::filesystem::directory_iterator(dir, ec))
    if (e.path().extension() == ".bmp")
      std::filesystem::remove(e.path(), ec);
}

void BM_DragObject(benchmark::State &state) {
  TFrame f(int(state.range(0)), int(state.range(1)));
  if (!f.Doc) {
    state.SkipWithError("no document");
    return;
  }
  TLUMWinImageEx *image = f.Doc->InsertWinImage(HalfSeeThroughPhoto(2000, 2000));
  image->move(100, 100);
  QApplication::processEvents();
  // Press in the move zone, then move back and forth by a few pixels.
  const QPoint grip(300, 300);
  f.Mouse(image, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
  QApplication::processEvents();
  int i = 0;
  for (auto _ : state) {
    const QPoint at = grip + QPoint((i % 2) ? 12 : -12, (i % 3) - 1) - (image->pos() - QPoint(100, 100));
    f.Mouse(image, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    ++i;
  }
  f.Mouse(image, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
}

TFaceLook PhotoFace() {
  static const std::shared_ptr<const TBitmap> photo = HalfSeeThroughPhoto(2000, 2000);
  return TFaceLook{photo, 2008, 2008, false, true, clBlue, clBlue};
}

void BM_MaskWorker(benchmark::State &state) {
  const TFaceLook face = PhotoFace();
  int rects = 0;
  for (auto _ : state) {
    TThreadTransparent worker(face, clWhite, nullptr);
    const QRegion region = worker.Execute();
    rects = region.rectCount();
  }
  state.counters["rects"] = rects;
}

void BM_MaskControl(benchmark::State &state) {
  QWidget parent;
  parent.resize(800, 600);
  auto *image = new TLUMWinImage(&parent); // owned by the parent
  image->SetBitmap(PhotoFace().Bitmap);
  image->resize(2008, 2008);
  image->SetTransparentColor(clWhite);
  parent.show();
  QApplication::processEvents();
  for (auto _ : state) {
    // A new look each time, so the region is computed again.
    image->SetBitmap(PhotoFace().Bitmap);
    image->UpdateTransparentRegion();
    QApplication::processEvents();
  }
}

void BM_Combine(benchmark::State &state) {
  TFrame f(6000, 4000);
  if (!f.Doc) {
    state.SkipWithError("no document");
    return;
  }
  const std::shared_ptr<const TBitmap> photo = HalfSeeThroughPhoto(2000, 2000);
  for (auto _ : state) {
    state.PauseTiming();
    TLUMWinImageEx *image = f.Doc->InsertWinImage(photo);
    image->move(500, 400);
    f.Frame.SetBlendPosition(0);
    f.Frame.SetBlendPosition(50);
    QApplication::processEvents();
    state.ResumeTiming();
    f.Doc->CombineWinImage(image, nullptr);
    state.PauseTiming();
    RemoveSnapshots(f.Doc->CacheDir());
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}

void BM_ObjectPass(benchmark::State &state) {
  TBitmap doc(6000, 4000, pf24bit);
  const std::shared_ptr<TBitmap> object = HalfSeeThroughPhoto(2000, 2000);
  for (auto _ : state)
    TransparentCopy(object.get(), &doc, 504, 404, clWhite, false);
}

// One snapshot of the document's history (the combination writes two).
void BM_Snapshot(benchmark::State &state) {
  TFrame f(6000, 4000);
  if (!f.Doc) {
    state.SkipWithError("no document");
    return;
  }
  for (auto _ : state) {
    f.Doc->AddUndoStep("Objekt löschen");
    state.PauseTiming();
    RemoveSnapshots(f.Doc->CacheDir());
    state.ResumeTiming();
  }
}

void MarkAll(TfrmChild &doc) {
  TfrmMain *frame = TfrmMain::Instance();
  frame->ActiveTool = dtMarkRect;
  TToolEngine &e = doc.Engine();
  e.ImageMouseDown(mbLeft, ssLeft, 0, 0);
  e.ImageMouseMove(ssLeft, 3000, 2000);
  e.ImageMouseUp(mbLeft, 0, doc.Bitmap().Width(), doc.Bitmap().Height());
}

void BM_CopyPaste(benchmark::State &state) {
  TFrame f(6000, 4000);
  if (!f.Doc) {
    state.SkipWithError("no document");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    MarkAll(*f.Doc);
    state.ResumeTiming();
    f.Doc->mnuCopyClick();
    f.Doc->mnuPasteClick();
    QApplication::processEvents();
    state.PauseTiming();
    f.Doc->DestroyWinImages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    RemoveSnapshots(f.Doc->CacheDir());
    state.ResumeTiming();
  }
}

long StatusKb(const char *field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(field, 0) == 0)
      return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

int MeasureMemory() {
  TFrame f(6000, 4000);
  if (!f.Doc)
    return 1;
  MarkAll(*f.Doc);
  QApplication::processEvents();
  const double copy = double(f.Doc->Bitmap().ImageBytes()) / 1024.0;
  // Start the peak afresh from here.
  std::ofstream("/proc/self/clear_refs") << "5";
  const long base = StatusKb("VmRSS:");
  const auto t0 = std::chrono::steady_clock::now();
  f.Doc->mnuCopyClick();
  const auto t1 = std::chrono::steady_clock::now();
  const long afterCopy = StatusKb("VmHWM:");
  f.Doc->mnuPasteClick();
  const long afterPaste = StatusKb("VmHWM:");
  QApplication::processEvents();
  const auto t2 = std::chrono::steady_clock::now();
  const long peak = StatusKb("VmHWM:");
  std::printf("peak after the copy %.2f, after the paste %.2f, after its first paint %.2f copies\n",
              (afterCopy - base) / copy, (afterPaste - base) / copy, (peak - base) / copy);
  std::printf("copy %.1f ms, paste with its first paint %.1f ms\n",
              std::chrono::duration<double, std::milli>(t1 - t0).count(),
              std::chrono::duration<double, std::milli>(t2 - t1).count());
  std::printf("peak beyond the document: %.0f MiB = %.2f copies of the %.0f MiB marked\n",
              (peak - base) / 1024.0, (peak - base) / copy, copy / 1024.0);
  return 0;
}

} // namespace

BENCHMARK(BM_DragObject)->Args({6000, 4000})->Args({2500, 2500})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskWorker)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskControl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Combine)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ObjectPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Snapshot)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CopyPaste)->Unit(benchmark::kMillisecond)->Iterations(4);

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  InstallQtCoreHooks();
  SetAutoAnswers(true);
  int result = 0;
  if (argc > 1 && std::strcmp(argv[1], "--memory") == 0) {
    result = MeasureMemory();
  } else {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  RemoveCacheFolder();
  return result;
}
