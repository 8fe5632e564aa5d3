// The document's drawing: the image control's mouse events go to the tool
// engine.
#include "document/UnChild.h"

namespace tessaro {

void TfrmChild::ConnectTools() {
  TToolEngine *e = FEngine.get();
  connect(Image, &TImageView::ImageMouseDown, this,
          [e](TMouseButton b, TShiftState s, int x, int y) { e->ImageMouseDown(b, s, x, y); });
  connect(Image, &TImageView::ImageMouseMove, this,
          [e](TShiftState s, int x, int y) { e->ImageMouseMove(s, x, y); });
  connect(Image, &TImageView::ImageClick, this, [e] { e->ImageClick(); });
  connect(Image, &TImageView::ImageMouseUp, this,
          [e](TMouseButton b, TShiftState s, int x, int y) { e->ImageMouseUp(b, s, x, y); });
  connect(Image, &TImageView::ImageDblClick, this, [e] { e->ImageDblClick(); });
}

void TfrmChild::ClearPoints() {
  FEngine->FPoints.clear();
}

void TfrmChild::CancelDrawing() {
  FEngine->CancelDrawing();
}

} // namespace tessaro
