// The frame's side of the marking and the floating images: "Markierung
// löschen" kept current, the object toolbars shown and hidden, the object's
// status texts, and the cross-fade position the objects share.
#include "frame/UnMain.h"

#include "document/UnChild.h"
#include "frame/ToolPictures.h"
#include "platform/ScreenMetrics.h"

#include <QTimer>
#include <QToolBar>

namespace tessaro {

void TfrmMain::CreateObjectParts() {
  TimerMarking = new QTimer(this);
  TimerMarking->setInterval(1000);
  connect(TimerMarking, &QTimer::timeout, this, [this] { DisplayMarking(); });
  TimerMarking->start();
}

void TfrmMain::DisplayMarking() {
  TfrmChild *doc = ActiveChild();
  TBUndoMark->setEnabled(doc && doc->MarkingExists());
}

void TfrmMain::DisableUndoMark() {
  TBUndoMark->setEnabled(false);
}

void TfrmMain::ShowObjectToolBars() {
  ToolBarWinImage->show();
  ToolBarTransp->show();
}

void TfrmMain::SetBlendPosition(int position) {
  if (position == FBlendPosition)
    return;
  FBlendPosition = position;
  TrackBarWinImgTranspChange();
}

void TfrmMain::TrackBarWinImgTranspChange() {
  TfrmChild *doc = ActiveChild();
  if (!doc || !doc->ActiveWinImage())
    return;
  doc->CrossFadeWinImage(*doc->ActiveWinImage(), FBlendPosition);
}

void TfrmMain::ShowObjectStatus() {
  TfrmChild *doc = ActiveChild();
  TLUMWinImageEx *image = doc ? doc->ActiveWinImage() : nullptr;
  if (!image)
    return;
  // Pixels of the zoomed picture, and what they measure on the screen.
  const int x = image->Left() + 4, y = image->Top() + 4;
  const int h = image->InnerHeight(), b = image->InnerWidth();
  const QString unit = DrawAttributes().DimUnit;
  auto text = [&unit](const char *label, int pixels, double mm) {
    return QString(label) + QString::number(pixels) + " (" + FormatMm(mm) + " " + unit + ")";
  };
  SetStatusText(0, text("X: ", x, HorzMm(x)));
  SetStatusText(1, text("Y: ", y, VertMm(y)));
  SetStatusText(2, text("H: ", h, VertMm(h)));
  SetStatusText(3, text("B: ", b, HorzMm(b)));
}

} // namespace tessaro
