// One mouse move while drawing (rubber band erased and drawn again in the
// raster, or a stroke's piece painted, plus the repaint of what changed,
// offscreen platform) on a 6000 x 4000 document next to a 1000 x 1000 one, at
// zoom 100 and 800 (target: the big document at most 1.5 x the small one).
// Line tools, the shapes' rubber bands, and the strokes of eraser, brush and
// clone at size 50. Polyline, Bézier curve and polygon draw nothing on a
// move; their cost is the status texts and the event itself.
#include "document/UnChild.h"
#include "frame/OptionToolBars.h"
#include "frame/UnMain.h"

#include "ui_bench_main.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>

using namespace tessaro;

namespace {

void BM_ToolMove(benchmark::State &state) {
  const auto tool = TDrawTool(state.range(0));
  const int w = int(state.range(1)), h = int(state.range(2)), zoom = int(state.range(3));
  TfrmMain frame;
  frame.resize(1400, 1200);
  frame.show();
  TfrmChild *doc = frame.CreateNewImage(w, h, pf24bit, clWhite);
  if (!doc) {
    state.SkipWithError("no document");
    return;
  }
  if (QWidget *sub = doc->parentWidget())
    sub->resize(1200, 1000);
  doc->SetZoom(zoom);
  frame.ActiveTool = tool;
  frame.ToolBarStdSize.EditStdSize->setText("50");
  QApplication::processEvents();
  TToolEngine &e = doc->Engine();
  // The clone tool's source point, where the stroke's press is.
  if (tool == dtClone)
    e.FPoints = {e.ImagePoint(40, 40)};
  e.ImageMouseDown(mbLeft, ssLeft, 40, 40);
  int i = 0;
  for (auto _ : state) {
    // A line of about 700 control pixels that turns a little each move.
    const int x = 700 + (i % 50), y = 300 + (i % 37);
    e.ImageMouseMove(ssLeft, x, y);
    QApplication::processEvents();
    ++i;
  }
  e.ImageMouseUp(mbLeft, 0, 700, 300);
  doc->SetModified(false);
}

void Args(benchmark::internal::Benchmark *b) {
  for (int tool : {dtLine, dtPolyLine, dtFreeLine, dtBezier, dtRoundRect, dtRect3D, dtPolygon, dtEllipse,
                   dtArc, dtChord, dtPie, dtDimHor, dtErase, dtPen, dtClone})
    for (int zoom : {100, 800}) {
      b->Args({tool, 1000, 1000, zoom});
      b->Args({tool, 6000, 4000, zoom});
    }
}

} // namespace

BENCHMARK(BM_ToolMove)->Apply(Args)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
  return RunUiBenchmarks(argc, argv);
}
