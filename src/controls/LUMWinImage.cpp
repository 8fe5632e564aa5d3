// The floating image control: its picture and properties, painting, the
// see-through region and the operations its menus and keys call.
#include "controls/LUMWinImage.h"

#include "controls/ObjectFace.h"
#include "controls/TransparentRegion.h"
#include "platform/MessageDlg.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tessaro {

float ExactResizePercent(int from, int to) {
  float p = float(double(to) * 100.0 / double(from));
  auto size = [from](float q) { return std::trunc(double(from) * double(q) / 100.0); };
  for (int i = 0; i < 64 && size(p) < to; ++i)
    p = std::nextafter(p, INFINITY);
  for (int i = 0; i < 64 && size(p) > to; ++i)
    p = std::nextafter(p, -INFINITY);
  return p;
}

TLUMWinImage::TLUMWinImage(QWidget *parent) : QWidget(parent), FBitmap(std::make_shared<TBitmap>()) {
  setObjectName("LUMWinImage");
  setAccessibleName("Bewegliches Bild");
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(105, 105);
}

TLUMWinImage::~TLUMWinImage() = default;

TBitmap &TLUMWinImage::MutableBitmap() {
  FFace.reset();
  // Copy on write: a picture shared with someone else stays as it is.
  if (FBitmap.use_count() > 1)
    FBitmap = std::make_shared<TBitmap>(*FBitmap);
  FaceChanged();
  return const_cast<TBitmap &>(*FBitmap);
}

void TLUMWinImage::FaceChanged() {
  ++FFaceVersion;
}

void TLUMWinImage::SetBitmap(const TBitmap &bitmap) {
  SetBitmap(std::make_shared<const TBitmap>(bitmap));
}

void TLUMWinImage::SetBitmap(std::shared_ptr<const TBitmap> bitmap) {
  FFace.reset();
  FBitmap = bitmap ? std::move(bitmap) : std::make_shared<const TBitmap>();
  FaceChanged();
  ApplyAutoSize();
  update();
}

void TLUMWinImage::SetColor(TColor color) {
  FColor = color;
  update();
}

void TLUMWinImage::ApplyAutoSize() {
  if (FAutoSize && !FBitmap->Empty())
    resize(FBitmap->Width() + 8, FBitmap->Height() + 8);
}

void TLUMWinImage::SetAutoSize(bool on) {
  FAutoSize = on;
  FaceChanged();
  ApplyAutoSize();
}

void TLUMWinImage::SetStretch(bool on) {
  FStretch = on;
  FaceChanged();
}

void TLUMWinImage::SetTransparent(bool on) {
  if (on)
    UpdateTransparentRegion();
  else
    ClearTransparentRegion();
  FTransparent = on;
}

void TLUMWinImage::SetTransparentColor(TColor color) {
  if (color != FTransparentColor)
    FRegionVersion = -1;
  FTransparentColor = color;
  if (FTransparent) {
    ClearTransparentRegion();
    UpdateTransparentRegion();
  }
}

void TLUMWinImage::SetFocusRectLineColor(TColor color) {
  if (color != FFocusRectLineColor)
    FaceChanged();
  FFocusRectLineColor = color;
}

void TLUMWinImage::SetFocusRectSizerColor(TColor color) {
  if (color != FFocusRectSizerColor)
    FaceChanged();
  FFocusRectSizerColor = color;
}

void TLUMWinImage::resizeEvent(QResizeEvent *event) {
  FaceChanged();
  QWidget::resizeEvent(event);
}

TFaceLook TLUMWinImage::FaceSpec() const {
  return TFaceLook{
      FBitmap, width(), height(), FStretch && !FAutoSize, true, FFocusRectLineColor, FFocusRectSizerColor};
}

const TObjectFace &TLUMWinImage::Face() {
  if (!FFace || FFaceBuiltFor != FFaceVersion) {
    FFace = std::make_unique<TObjectFace>(FaceSpec());
    FFaceBuiltFor = FFaceVersion;
  }
  return *FFace;
}

void TLUMWinImage::paintEvent(QPaintEvent *event) {
  const TObjectFace &face = Face();
  QPainter painter(this);
  TBitmap strip;
  for (const QRect &r : event->region()) {
    const QRect cr = r & rect();
    // A band of rows at a time: little memory however large the object.
    constexpr int BandRows = 64;
    for (int y = cr.top(); y <= cr.bottom(); y += BandRows) {
      const int h = std::min(BandRows, cr.bottom() + 1 - y);
      if (strip.Width() != cr.width() || strip.Height() != h)
        strip.Allocate(cr.width(), h, pf24bit, false);
      face.Render(cr.x(), y, strip, FColor);
      // Rows of a 24-bit raster are blue, green, red, padded to 4 bytes: a
      // picture Qt draws as it is.
      const QImage rows(strip.Bits(), strip.Width(), strip.Height(), qsizetype(strip.RowBytes()),
                        QImage::Format_BGR888);
      painter.drawImage(QPoint(cr.x(), y), rows);
    }
  }
  if (FDrawing) {
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(QColor(GetRValue(FDrawPenColor), GetGValue(FDrawPenColor), GetBValue(FDrawPenColor)));
    painter.setBrush(Qt::NoBrush);
    const QRect box = QRect(FDrawStart, FDrawEnd).normalized();
    switch (FDrawMode) {
    case dwmRect:
      painter.drawRect(QRect(QPoint(FDrawStart.x(), FDrawStart.y() - 4), FDrawEnd).normalized());
      break;
    case dwmRoundRect:
      painter.drawRoundedRect(box, FDrawRoundRectValue / 2.0, FDrawRoundRectValue / 2.0);
      break;
    case dwmEllipse:
      painter.drawEllipse(box);
      break;
    case dwmLine:
      painter.drawLine(FDrawStart, FDrawEnd);
      break;
    }
  }
}

void TLUMWinImage::ShowRegion() {
  if (FRegionVersion != FFaceVersion) {
    TThreadTransparent worker(FaceSpec(), FTransparentColor, FProgressBar);
    FRegion = worker.Execute();
    FRegionVersion = FFaceVersion;
  }
  // Nothing kept: a mask beside the control, which then shows nothing and
  // takes no clicks (an empty mask would show all of it).
  setMask(FRegion.isEmpty() ? QRegion(-1, -1, 1, 1) : FRegion);
  update();
}

void TLUMWinImage::UpdateTransparentRegion() {
  if (FBitmap->Empty())
    return;
  ShowRegion();
}

void TLUMWinImage::ClearTransparentRegion() {
  clearMask();
  update();
}

void TLUMWinImage::ApplyStretchedSize(TStretchFilter Filter) {
  if (!FBitmap->Empty()) {
    const int bw = FBitmap->Width(), bh = FBitmap->Height();
    TBitmap &b = MutableBitmap();
    ResizeBitmap(&b, Filter, FTransparentColor, ExactResizePercent(bw, InnerWidth()),
                 ExactResizePercent(bh, InnerHeight()));
  }
  // The handler may delete the object.
  const QPointer<TLUMWinImage> self(this);
  if (OnAfterResize)
    OnAfterResize(this, FBitmap->Width(), FBitmap->Height());
  if (!self || FDeleted)
    return;
  update();
  // A new look needs a new see-through region.
  if (FTransparent && !FPressing)
    UpdateTransparentRegion();
}

void TLUMWinImage::UndoResize() {
  move(FSavedBounds.topLeft());
  resize(FSavedBounds.size());
  const QPointer<TLUMWinImage> self(this);
  if (OnAfterResize)
    OnAfterResize(this, FBitmap->Width(), FBitmap->Height());
  if (!self || FDeleted)
    return;
  if (OnMove)
    OnMove(this, Left() + 4, Top() + 4);
  if (self && !FDeleted && FTransparent && !FPressing)
    UpdateTransparentRegion();
}

void TLUMWinImage::CombineWithBackground(QObject *Sender, TBitmap *Target, int offsetX, int offsetY) {
  if (FBitmap->Empty())
    return;
  if (Target == nullptr) {
    if (OnCombineWithBgGr)
      OnCombineWithBgGr(Sender, nullptr);
    else
      MessageDlg(QString("No Target available!"), mtWarning, mbOK);
    return;
  }
  if (TransparentCopy(FBitmap.get(), Target, Left() + 4 + offsetX, Top() + 4 + offsetY, FTransparentColor,
                      true))
    DeleteImage();
}

void TLUMWinImage::DeleteImage() {
  if (FDeleted)
    return;
  FDeleted = true;
  if (OnDelete)
    OnDelete(this);
  // The control may be deleting itself from inside one of its own event
  // handlers: it leaves its parent now and goes once that event is over.
  hide();
  setParent(nullptr);
  deleteLater();
}

void TLUMWinImage::BringToFront() {
  raise();
}

void TLUMWinImage::SendToBack() {
  lower();
}

} // namespace tessaro
