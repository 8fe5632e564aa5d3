// Text objects on the offscreen platform:
//  - typing into a text object of 20 lines over a 6000 x 4000 document and
//    over a 1000 x 1000 one: one keystroke with the repaint it causes
//    (target: each keystroke repaints only the object, the big document at
//    most 1.5 x the small one); the counter view_px is the area of the
//    document's picture repainted per keystroke;
//  - combining a 1000 x 600 text object with the picture at "Beste
//    Qualität" (its lines drawn again; the undo snapshot included), and as
//    its editor shows it, for comparison.
#include "ui_bench_main.h"
#include "ui_objects_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QTextCursor>
#include <benchmark/benchmark.h>

using namespace tessaro;

namespace {

void Key(QWidget *to, int key, const QString &text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(to, &release);
}

// Lines of a text object: count lines of about width characters.
QString Lines(int count, int width) {
  QString text;
  for (int i = 0; i < count; ++i) {
    if (i)
      text += '\n';
    for (int j = 0; text.size() - text.lastIndexOf('\n') < width; ++j)
      text += QString("Zeile %1 Wort %2 ").arg(i + 1).arg(j);
  }
  return text;
}

void BM_TypeIntoText(benchmark::State &state) {
  TFrame f(int(state.range(0)), int(state.range(1)));
  if (!f.Doc) {
    state.SkipWithError("no document");
    return;
  }
  f.Frame.TBFontClick();
  TLUMWinRichEdit *object = f.Doc->ActiveRichEdit();
  object->move(50, 50);
  object->resize(500, 330);
  TCanvasRichEdit *editor = object->RichEdit();
  editor->setPlainText(Lines(20, 40));
  editor->moveCursor(QTextCursor::End);
  editor->setFocus();
  QApplication::processEvents();
  f.Doc->Image->ResetPaintStats();
  int64_t viewPixels = 0;
  int i = 0;
  for (auto _ : state) {
    // A letter, then its removal: the text stays as long as it was.
    if (i++ % 2 == 0)
      Key(editor, Qt::Key_A, "a");
    else
      Key(editor, Qt::Key_Backspace, QString());
    editor->viewport()->repaint();
    QApplication::processEvents();
  }
  for (const QRect &r : f.Doc->Image->PaintedRegion())
    viewPixels += int64_t(r.width()) * r.height();
  state.counters["view_px"] = benchmark::Counter(double(viewPixels) / double(state.iterations()));
}
BENCHMARK(BM_TypeIntoText)->Args({6000, 4000})->Args({1000, 1000})->Unit(benchmark::kMillisecond);

void BM_CombineText(benchmark::State &state) {
  TFrame f(2000, 1500);
  if (!f.Doc) {
    state.SkipWithError("no document");
    return;
  }
  const bool render = state.range(0) != 0;
  f.Frame.ToolBarRenderText.ChBRenderText->setChecked(render);
  f.Frame.ToolBarRenderText.CBRendereQuality->setCurrentIndex(4);
  f.Frame.ToolBarText.LMDFontSizeCBText->setEditText("12");
  const QString text = Lines(30, 110);
  for (auto _ : state) {
    state.PauseTiming();
    f.Frame.TBFontClick();
    TLUMWinRichEdit *object = f.Doc->ActiveRichEdit();
    object->move(100, 100);
    object->resize(1000 + 24, 600 + 16);
    object->RichEdit()->setPlainText(text);
    QApplication::processEvents();
    RemoveSnapshots(f.Doc->CacheDir());
    state.ResumeTiming();
    f.Frame.SpBtnTextCombineClick();
  }
}
BENCHMARK(BM_CombineText)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv) {
  return RunUiBenchmarks(argc, argv);
}
