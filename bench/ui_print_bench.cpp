// Printing and the help menu: opening the preview of a 6000 x 4000
// document (target: under 300 ms), printing it to a PDF file (time and the
// file's size; the picture goes in once at its own resolution), and
// building the help menu from a contents file of 5,000 entries (target:
// under 100 ms).
#include "controls/LUMHelpPopupMenu.h"
#include "core/Bitmap.h"
#include "platform/MessageDlg.h"
#include "print/PrintReport.h"
#include "print/UnPreviewPrint.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace tessaro;

namespace {

QTemporaryDir *Scratch() {
  static QTemporaryDir dir;
  return &dir;
}

// A photo-like 24-bit picture: smooth colour gradients with fine detail.
std::unique_ptr<TBitmap> Photo(int w, int h) {
  auto b = std::make_unique<TBitmap>(w, h, pf24bit);
  for (int y = 0; y < h; ++y) {
    uint8_t *row = b->ScanLine(y);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = uint8_t(x * 255 / w);
      row[3 * x + 1] = uint8_t(y * 255 / h);
      row[3 * x + 2] = uint8_t(((x / 7) ^ (y / 5)) & 0xFF);
    }
  }
  return b;
}

TPrintSource Source(const TBitmap &picture) {
  TPrintSource s;
  s.Picture = &picture;
  s.Caption = QStringLiteral("Foto.bmp");
  s.PixelsPerMm = StandardReportPixelsPerMm;
  return s;
}

void BM_OpenPreview(benchmark::State &state) {
  auto picture = Photo(6000, 4000);
  for (auto _ : state) {
    TfrmPreviewPrint form(Source(*picture));
    form.resize(1000, 800);
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.panPreview->grab());
    form.close();
  }
}

void BM_PrintPdf(benchmark::State &state) {
  auto picture = Photo(6000, 4000);
  TfrmPreviewPrint form(Source(*picture));
  const QString pdf = Scratch()->filePath(QStringLiteral("page.pdf"));
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    if (!PrintReportPage(printer, form.Report(), form.Picture()))
      state.SkipWithError("printing failed");
  }
  state.counters["pdf_MB"] = double(QFileInfo(pdf).size()) / 1e6;
  state.counters["raster_MB"] = double(picture->ImageBytes()) / 1e6;
}

void BM_BuildHelpMenu(benchmark::State &state) {
  const QString file = Scratch()->filePath(QStringLiteral("GROSS.cnt"));
  {
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(":Base GROSS.HLP\r\n");
    for (int i = 0; i < int(state.range(0)); ++i) {
      // Books of 50 topics in chapters of 10 books.
      if (i % 500 == 0)
        out.write("1 Kapitel " + QByteArray::number(i / 500) + "\r\n");
      if (i % 50 == 0)
        out.write("2 Buch " + QByteArray::number(i / 50) + "\r\n");
      out.write("3 Thema " + QByteArray::number(i) + "=Thema." + QByteArray::number(i) + "\r\n");
    }
  }
  QMenu menu;
  for (auto _ : state)
    BuildHelpPopupMenu(file, QStringLiteral("Übersicht"), true, false, 88, 89, state.range(1) != 0, &menu);
}

} // namespace

BENCHMARK(BM_OpenPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BuildHelpMenu)->Args({5000, 0})->Args({5000, 1})->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The page setup of the design, whatever the user has stored.
  QTemporaryDir config;
  setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  SetAutoAnswers(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
