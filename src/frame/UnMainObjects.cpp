// The frame's side of the marking and the floating images: "Markierung
// löschen" turned off, the object toolbars shown and hidden, the object's
// status texts, the cross-fade position the objects share, and the floating
// images as the save's merge sees them.
#include "frame/UnMain.h"

#include "document/UnChild.h"
#include "frame/ToolPictures.h"
#include "platform/ScreenMetrics.h"

#include <QToolBar>

namespace tessaro {

void TfrmMain::CreateObjectParts() {
  // Saving paints the floating images into the raster first, each made the
  // current one and combined.
  FloatingKinds.push_back(TFloatingKind{[](const QObject *object) {
                                          const auto *image = qobject_cast<const TLUMWinImageEx *>(object);
                                          return image && !image->Deleted();
                                        },
                                        [](TfrmChild &doc, QObject *object) {
                                          if (auto *image = qobject_cast<TLUMWinImageEx *>(object)) {
                                            doc.SetActiveWinImage(image);
                                            doc.CombineWinImage(image, nullptr);
                                          }
                                        }});
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
