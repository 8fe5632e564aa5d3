// The floating image control under the mouse and the keyboard: moving and
// resizing by the hit zones of its margin, the one-shot draw mode, and
// nudging with the keys (which act when they are released, so a held key
// moves the object once).
#include "controls/LUMWinImage.h"

#include "core/Canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tessaro {

void TLUMWinImage::mousePressEvent(QMouseEvent *event) {
  if (FDeleted || FTracking)
    return;
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    LeftPress(event);
    return;
  }
  if (event->button() != Qt::RightButton)
    return;
  const QPointer<TLUMWinImage> self(this);
  if (OnMouseDown)
    OnMouseDown(this, mbRight, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (!self || FDeleted)
    return;
  if (FPopupMenus & wipRButtonDown)
    ShowMenu(RButtonMenu());
}

void TLUMWinImage::LeftPress(QMouseEvent *event) {
  const QPoint p = event->position().toPoint();
  FSized = false;
  FPressing = true;
  if (!hasFocus())
    setFocus(Qt::MouseFocusReason);
  const QPointer<TLUMWinImage> self(this);
  if (OnMouseDown)
    OnMouseDown(this, mbLeft, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (!self || FDeleted)
    return;
  if (FDrawModeEnable) {
    FDrawing = true;
    FDrawStart = FDrawEnd = p;
    return;
  }
  FSavedBounds = geometry();
  FZone = SizerZone(p.x(), p.y(), width(), height());
  if (FZone != szMove)
    FSized = true;
  else
    setCursor(Qt::SizeAllCursor);
  // The object is shown whole while it is dragged.
  if (FTransparent)
    ClearTransparentRegion();
  FPressGlobal = event->globalPosition().toPoint();
  FTracking = true;
}

void TLUMWinImage::mouseMoveEvent(QMouseEvent *event) {
  if (FDeleted)
    return;
  if (FTracking) {
    setGeometry(TrackedBounds(FZone, FSavedBounds, event->globalPosition().toPoint() - FPressGlobal));
    return;
  }
  const QPoint p = event->position().toPoint();
  const QPointer<TLUMWinImage> self(this);
  if (OnMouseMove)
    OnMouseMove(this, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (!self || FDeleted)
    return;
  if (FDrawModeEnable)
    setCursor(Qt::CrossCursor);
  if (FDrawing && FDrawModeEnable) {
    DrawModeMove(p);
    return;
  }
  if (FDrawModeEnable && cursor().shape() == Qt::CrossCursor)
    return;
  setCursor(ZoneCursor(SizerZone(p.x(), p.y(), width(), height())));
}

void TLUMWinImage::EndTracking() {
  FTracking = false;
  const QPointer<TLUMWinImage> self(this);
  if (!FSized && OnMove)
    OnMove(this, Left() + 4, Top() + 4);
  if (!self || FDeleted)
    return;
  FPressing = false;
  setCursor(Qt::ArrowCursor);
  if (geometry() == FSavedBounds) {
    // A click: the see-through region taken away for the drag comes back.
    if (FTransparent && !FBitmap->Empty())
      ShowRegion();
    return;
  }
  if (FSized && FStretch && !FAutoSize)
    ShowAfterResizeMenu();
  if (!self || FDeleted)
    return;
  if (FTransparent)
    UpdateTransparentRegion();
}

void TLUMWinImage::mouseReleaseEvent(QMouseEvent *event) {
  if (FDeleted || event->button() != Qt::LeftButton)
    return;
  if (FTracking) {
    EndTracking();
    return;
  }
  const QPoint p = event->position().toPoint();
  const QPointer<TLUMWinImage> self(this);
  if (OnMouseUp)
    OnMouseUp(this, mbLeft, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (!self || FDeleted)
    return;
  if (FDrawModeEnable || FDrawing)
    DrawModeRelease();
  FPressing = false;
  if (FTransparent)
    UpdateTransparentRegion();
  setCursor(Qt::ArrowCursor);
}

void TLUMWinImage::DrawModeMove(QPoint p) {
  // The shape follows the pointer only inside the picture's rectangle.
  if (p.x() < 4 || p.x() > width() - 4 || p.y() < 4 || p.y() > height() - 4)
    return;
  FDrawEnd = p;
  update();
}

void TLUMWinImage::DrawModeRelease() {
  FDrawModeEnable = false;
  FDrawing = false;
  const int sx = FDrawStart.x() - 4, sy = FDrawStart.y() - 4;
  const int ex = FDrawEnd.x() - 4, ey = FDrawEnd.y() - 4;
  TBitmap &b = MutableBitmap();
  TCanvas &c = b.Canvas();
  const int ow = b.Width(), oh = b.Height();
  if (ow < InnerWidth() || oh < InnerHeight()) {
    // The picture grows to the inner rectangle; the new part is see-through.
    const int nw = std::max(ow, InnerWidth()), nh = std::max(oh, InnerHeight());
    b.SetSize(nw, nh);
    const TBrush brush = c.Brush;
    c.Brush.Style = bsSolid;
    c.Brush.Color = FTransparentColor;
    c.FillRect(TRect(ow, 0, nw, nh));
    c.FillRect(TRect(0, oh, ow, nh));
    c.Brush = brush;
  }
  switch (FDrawMode) {
  case dwmRect:
    c.Rectangle(sx, sy - 4, ex, ey);
    break;
  case dwmRoundRect:
    c.RoundRect(sx, sy, ex, ey, FDrawRoundRectValue, FDrawRoundRectValue);
    break;
  case dwmEllipse:
    c.Ellipse(sx, sy, ex, ey);
    break;
  case dwmLine:
    c.MoveTo(sx, sy);
    c.LineTo(ex, ey);
    break;
  }
  update();
}

namespace {

bool IsOwnKey(int key) {
  switch (key) {
  case Qt::Key_Escape:
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
  case Qt::Key_End:
  case Qt::Key_Home:
  case Qt::Key_Left:
  case Qt::Key_Up:
  case Qt::Key_Right:
  case Qt::Key_Down:
  case Qt::Key_Delete:
    return true;
  default:
    return false;
  }
}

} // namespace

void TLUMWinImage::keyPressEvent(QKeyEvent *event) {
  // The keys act on release; their presses must not scroll the document.
  if (IsOwnKey(event->key()))
    event->accept();
  else
    QWidget::keyPressEvent(event);
}

void TLUMWinImage::keyReleaseEvent(QKeyEvent *event) {
  if (FDeleted || event->isAutoRepeat()) {
    event->accept();
    return;
  }
  switch (event->key()) {
  case Qt::Key_Escape:
    FDrawModeEnable = false;
    FDrawing = false;
    setCursor(Qt::ArrowCursor);
    update();
    break;
  case Qt::Key_PageUp:
    SetTop(Top() - 10);
    break;
  case Qt::Key_PageDown:
    SetTop(Top() + 10);
    break;
  case Qt::Key_End:
    SetLeft(Left() + 10);
    break;
  case Qt::Key_Home:
    SetLeft(Left() - 10);
    break;
  case Qt::Key_Left:
    SetLeft(Left() - 1);
    break;
  case Qt::Key_Up:
    SetTop(Top() - 1);
    break;
  case Qt::Key_Right:
    SetLeft(Left() + 1);
    break;
  case Qt::Key_Down:
    SetTop(Top() + 1);
    break;
  case Qt::Key_Delete:
    DeleteImage();
    return;
  default:
    break;
  }
  event->accept();
  if (OnKeyUp)
    OnKeyUp(this, event->key(), ShiftStateOf(event->modifiers()));
}

} // namespace tessaro
