// The text object control: its margin and frame, the see-through margin,
// moving and resizing by the hit zones, and pasting the editor's picture.
#include "controls/LUMWinRichEdit.h"

#include "controls/ObjectFace.h"
#include "controls/TransparentRegion.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace tessaro {

TLUMWinRichEdit::TLUMWinRichEdit(QWidget *parent) : QWidget(parent) {
  setObjectName("LUMWinRichEdit");
  setAccessibleName("Textobjekt");
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  FRichEdit = new TCanvasRichEdit(this);
  resize(200, 37);
  FRichEdit->setGeometry(8, 8, width() - 24, height() - 16);
}

TLUMWinRichEdit::~TLUMWinRichEdit() = default;

void TLUMWinRichEdit::SetColor(TColor color) {
  FColor = color;
  update();
}

void TLUMWinRichEdit::SetTransparent(bool on) {
  FTransparent = on;
  if (on)
    UpdateTransparentRegion();
  else
    clearMask();
}

void TLUMWinRichEdit::SetFocusRectLineColor(TColor color) {
  FFocusRectLineColor = color;
  update();
}

void TLUMWinRichEdit::SetFocusRectSizerColor(TColor color) {
  FFocusRectSizerColor = color;
  update();
}

std::shared_ptr<const TBitmap> TLUMWinRichEdit::RegionMask(int w, int h) {
  auto mask = std::make_shared<TBitmap>(std::max(w, 0), std::max(h, 0), pf24bit);
  TCanvas &c = mask->Canvas();
  c.Pen.Color = clBlack;
  c.Pen.Style = psSolid;
  c.Brush.Color = clBlack;
  c.Brush.Style = bsSolid;
  c.Rectangle(5, 5, w - 12, h - 12);
  return mask;
}

void TLUMWinRichEdit::UpdateTransparentRegion() {
  if (width() <= 0 || height() <= 0)
    return;
  // The mask stands in for a picture: drawn at (4, 4) on the see-through
  // colour with the frame over it.
  TThreadTransparent worker(TFaceLook{RegionMask(width(), height()), width(), height(), false, true,
                                      FFocusRectLineColor, FFocusRectSizerColor},
                            FTransparentColor, FProgressBar);
  const QRegion region = worker.Execute();
  // Nothing kept: a mask beside the control, which then takes no clicks
  // (an empty mask would show all of it).
  setMask(region.isEmpty() ? QRegion(-1, -1, 1, 1) : region);
  update();
}

void TLUMWinRichEdit::ClearTransparentRegion() {
  if (!FTransparent)
    return;
  clearMask();
  update();
}

void TLUMWinRichEdit::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  FRichEdit->setGeometry(8, 8, width() - 24, height() - 16);
  // During a drag the control is shown whole; the release recomputes.
  if (FTransparent && !FTracker.Tracking())
    UpdateTransparentRegion();
}

void TLUMWinRichEdit::paintEvent(QPaintEvent *event) {
  const TObjectFace face(
      TFaceLook{nullptr, width(), height(), false, true, FFocusRectLineColor, FFocusRectSizerColor});
  QPainter painter(this);
  // The editor covers the rest.
  PaintFace(painter, face, event->region() - QRegion(FRichEdit->geometry()), FColor);
  FocusEditor();
}

void TLUMWinRichEdit::FocusEditor() {
  // Every repaint puts the caret into the text, once the paint is over, but
  // never takes the keys from a field the user is typing into.
  if (FFocusPending || FDeleted)
    return;
  FFocusPending = true;
  QTimer::singleShot(0, this, [this] {
    FFocusPending = false;
    QWidget *focus = QApplication::focusWidget();
    if (FDeleted || !isVisible() || focus == FRichEdit)
      return;
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus))
      return;
    FRichEdit->setFocus(Qt::OtherFocusReason);
  });
}

void TLUMWinRichEdit::mousePressEvent(QMouseEvent *event) {
  if (FDeleted || FTracker.Tracking())
    return;
  const QPoint p = event->position().toPoint();
  const TMouseButton button = MouseButtonOf(event->button());
  const QPointer<TLUMWinRichEdit> self(this);
  if (OnMouseDown)
    OnMouseDown(this, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (!self || FDeleted || event->button() != Qt::LeftButton)
    return;
  FTracker.Begin(*this, *event);
  // The object is shown whole while it is dragged.
  ClearTransparentRegion();
}

void TLUMWinRichEdit::mouseMoveEvent(QMouseEvent *event) {
  if (FDeleted)
    return;
  if (FTracker.Tracking()) {
    FTracker.Follow(*this, *event);
    return;
  }
  const QPoint p = event->position().toPoint();
  const QPointer<TLUMWinRichEdit> self(this);
  if (OnMouseMove)
    OnMouseMove(this, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (!self || FDeleted)
    return;
  const TSizerZone zone = SizerZone(p.x(), p.y(), width(), height());
  setCursor(zone == szMove ? Qt::SizeAllCursor : ZoneCursor(zone));
}

void TLUMWinRichEdit::mouseReleaseEvent(QMouseEvent *event) {
  if (FDeleted || event->button() != Qt::LeftButton || !FTracker.Tracking())
    return;
  FTracker.End();
  setCursor(Qt::ArrowCursor);
  if (FTransparent)
    UpdateTransparentRegion();
}

bool TLUMWinRichEdit::PasteTextInto(TBitmap *Target, int Zoom, int X, int Y) {
  if (FDeleted || !Target || Target->Empty() || Target->PixelFormat() != pf24bit)
    return false;
  if (X == -1)
    X = Left() + 10;
  if (Y == -1)
    Y = Top() + 10;
  setFocus(Qt::OtherFocusReason);
  TBitmap work;
  FRichEdit->CaptureToBitmap(work);
  // Without the editor's two-pixel border.
  const int w = work.Width() - 4, h = work.Height() - 4;
  if (w <= 0 || h <= 0)
    return false;
  TBitmap text;
  text.Allocate(w, h, pf24bit, false);
  text.Canvas().Draw(-2, -2, work);
  const TColor background = ColorToRGB(FRichEdit->Color());
  if (Zoom != 100 && Zoom > 0) {
    const float percent = float((double(w) / Zoom * 100.0) / w * 100.0);
    ResizeBitmap(&text, sftNearest, background, percent, percent);
  }
  if (text.Empty() || !TransparentCopy(&text, Target, X, Y, background, true))
    return false;
  Free();
  return true;
}

void TLUMWinRichEdit::Free() {
  if (FDeleted)
    return;
  FDeleted = true;
  // The control may be going from inside one of its own event handlers.
  hide();
  setParent(nullptr);
  deleteLater();
}

} // namespace tessaro
