#include "document/ImageView.h"

#include "core/ChannelBits.h"

#include <QApplication>
#include <QChildEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tessaro {

namespace {

TShiftState ShiftOf(const QMouseEvent *e) {
  return ShiftStateOf(e->modifiers(), e->buttons());
}

TMouseButton ButtonOf(Qt::MouseButton b) {
  switch (b) {
  case Qt::RightButton:
    return mbRight;
  case Qt::MiddleButton:
    return mbMiddle;
  default:
    return mbLeft;
  }
}

bool Handled(Qt::MouseButton b) {
  return b == Qt::LeftButton || b == Qt::RightButton || b == Qt::MiddleButton;
}

// Screen colours of the pixels x0..x1-1 of one raster row.
void DecodeRow(const TBitmap &bmp, int y, int x0, int x1, const std::vector<QRgb> &palette, QRgb *out) {
  const uint8_t *row = bmp.ScanLine(y);
  const auto pal = [&](unsigned i) { return i < palette.size() ? palette[i] : qRgb(0, 0, 0); };
  switch (bmp.PixelFormat()) {
  case pf1bit:
    for (int x = x0; x < x1; ++x)
      *out++ = pal((row[x >> 3] >> (7 - (x & 7))) & 1);
    break;
  case pf4bit:
    for (int x = x0; x < x1; ++x)
      *out++ = pal((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    break;
  case pf8bit:
    for (int x = x0; x < x1; ++x)
      *out++ = pal(row[x]);
    break;
  case pf15bit:
    for (int x = x0; x < x1; ++x) {
      const unsigned w = unsigned(row[2 * x]) | (unsigned(row[2 * x + 1]) << 8);
      *out++ = qRgb(Expand5((w >> 10) & 31), Expand5((w >> 5) & 31), Expand5(w & 31));
    }
    break;
  case pf16bit:
    for (int x = x0; x < x1; ++x) {
      const unsigned w = unsigned(row[2 * x]) | (unsigned(row[2 * x + 1]) << 8);
      *out++ = qRgb(Expand5((w >> 11) & 31), Expand6((w >> 5) & 63), Expand5(w & 31));
    }
    break;
  case pf24bit:
    for (int x = x0; x < x1; ++x) {
      const uint8_t *p = row + 3 * size_t(x);
      *out++ = qRgb(p[2], p[1], p[0]);
    }
    break;
  case pf32bit:
    for (int x = x0; x < x1; ++x) {
      const uint8_t *p = row + 4 * size_t(x);
      *out++ = qRgb(p[2], p[1], p[0]);
    }
    break;
  default:
    for (int x = x0; x < x1; ++x)
      *out++ = qRgb(0, 0, 0);
    break;
  }
}

// Control coordinates stay within what a widget can be.
int ClampSize(int64_t v) {
  return int(std::clamp<int64_t>(v, 0, QWIDGETSIZE_MAX));
}

// Smallest control coordinate c with c * 100 / zoom >= v (the first control
// pixel that shows image coordinate v or a later one).
int ControlCoord(int v, int zoom) {
  return ClampSize((int64_t(v) * zoom + 99) / 100);
}

} // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
  TShiftState s = 0;
  if (m & Qt::ShiftModifier)
    s |= ssShift;
  if (m & Qt::AltModifier)
    s |= ssAlt;
  if (m & Qt::ControlModifier)
    s |= ssCtrl;
  if (b & Qt::LeftButton)
    s |= ssLeft;
  if (b & Qt::RightButton)
    s |= ssRight;
  if (b & Qt::MiddleButton)
    s |= ssMiddle;
  return s;
}

TImageView::TImageView(QWidget *parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(0, 0);
}

TImageView::~TImageView() {
  if (FBitmap && FToken)
    FBitmap->Unsubscribe(FToken);
}

void TImageView::SetBitmap(std::shared_ptr<TBitmap> bitmap) {
  if (FBitmap && FToken)
    FBitmap->Unsubscribe(FToken);
  FToken = 0;
  FBitmap = std::move(bitmap);
  if (FBitmap)
    FToken = FBitmap->Subscribe([this](const TRect &r) { BitmapChanged(r); });
  UpdateSize();
  update();
}

void TImageView::SetZoom(int percent) {
  FZoom = std::max(1, percent);
  UpdateSize();
  update();
}

void TImageView::UpdateSize() {
  const int w = FBitmap ? FBitmap->Width() : 0;
  const int h = FBitmap ? FBitmap->Height() : 0;
  FShownWidth = w;
  FShownHeight = h;
  setFixedSize(ClampSize(int64_t(w) * FZoom / 100), ClampSize(int64_t(h) * FZoom / 100));
}

QPoint TImageView::ImagePoint(int x, int y) const {
  return QPoint(int(int64_t(x) * 100 / FZoom), int(int64_t(y) * 100 / FZoom));
}

QRect TImageView::ControlRect(const TRect &r) const {
  const int l = ControlCoord(r.Left, FZoom);
  const int t = ControlCoord(r.Top, FZoom);
  const int rr = ControlCoord(r.Right, FZoom);
  const int b = ControlCoord(r.Bottom, FZoom);
  if (rr <= l || b <= t)
    return QRect();
  return QRect(l, t, rr - l, b - t);
}

void TImageView::BitmapChanged(const TRect &r) {
  if (!FBitmap)
    return;
  if (FBitmap->Width() != FShownWidth || FBitmap->Height() != FShownHeight) {
    UpdateSize();
    update();
    return;
  }
  const QRect cr = ControlRect(r) & rect();
  if (!cr.isEmpty())
    update(cr);
}

void TImageView::ResetPaintStats() {
  FPaintedRegion = QRegion();
  FTrackPaints = true;
  FPaintCount = 0;
}

void TImageView::paintEvent(QPaintEvent *event) {
  ++FPaintCount;
  QPainter painter(this);
  const QRegion region = event->region() & QRegion(rect());
  if (FTrackPaints)
    FPaintedRegion += region;
  if (!FBitmap || FBitmap->Empty()) {
    for (const QRect &r : region)
      painter.fillRect(r, palette().color(QPalette::Window));
    return;
  }
  const TBitmap &bmp = *FBitmap;
  std::vector<QRgb> pal;
  for (const TRGBQuad &q : bmp.Palette())
    pal.push_back(qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue));
  std::vector<QRgb> line;
  std::vector<int> srcX;
  for (const QRect &r : region) {
    // Only the painted rectangle is converted, never the whole raster.
    QImage img(r.size(), QImage::Format_RGB32);
    srcX.resize(size_t(r.width()));
    for (int i = 0; i < r.width(); ++i)
      srcX[size_t(i)] = std::min(bmp.Width() - 1, int(int64_t(r.left() + i) * 100 / FZoom));
    const int sx0 = srcX.front();
    const int sx1 = srcX.back() + 1;
    line.resize(size_t(sx1 - sx0));
    int lastSy = -1;
    for (int j = 0; j < r.height(); ++j) {
      const int sy = std::min(bmp.Height() - 1, int(int64_t(r.top() + j) * 100 / FZoom));
      auto *dst = reinterpret_cast<QRgb *>(img.scanLine(j));
      if (sy == lastSy) {
        std::memcpy(dst, img.scanLine(j - 1), size_t(r.width()) * sizeof(QRgb));
        continue;
      }
      lastSy = sy;
      if (FZoom == 100) {
        DecodeRow(bmp, sy, sx0, sx1, pal, dst);
        continue;
      }
      DecodeRow(bmp, sy, sx0, sx1, pal, line.data());
      for (int i = 0; i < r.width(); ++i)
        dst[i] = line[size_t(srcX[size_t(i)] - sx0)];
    }
    painter.drawImage(r.topLeft(), img);
  }
}

void TImageView::EmitPress(const QPoint &pos, Qt::MouseButton button, TShiftState shift, bool dbl) {
  if (button == Qt::LeftButton) {
    FLeftDown = true;
    FSecondPress = dbl;
  }
  if (dbl && button == Qt::LeftButton)
    emit ImageDblClick();
  emit ImageMouseDown(ButtonOf(button), shift | (dbl ? ssDouble : 0), pos.x(), pos.y());
}

void TImageView::FlushPress() {
  if (!FPendingPress)
    return;
  FPendingPress = false;
  EmitPress(FPendingPos, FPendingButton, FPendingShift, false);
}

void TImageView::mousePressEvent(QMouseEvent *event) {
  FlushPress();
  if (!Handled(event->button()))
    return;
  FLastMousePos = event->position().toPoint();
  // The platform sends the double click right after this press; hold the
  // press back until then, or until anything else happens.
  FPendingPress = true;
  FPendingPos = FLastMousePos;
  FPendingButton = event->button();
  FPendingShift = ShiftOf(event);
  QMetaObject::invokeMethod(this, &TImageView::FlushPress, Qt::QueuedConnection);
}

void TImageView::mouseDoubleClickEvent(QMouseEvent *event) {
  if (!Handled(event->button()))
    return;
  // Either the held-back press of this double click, or a platform that
  // sends the double click in place of the second press.
  if (FPendingPress && FPendingButton != event->button())
    FlushPress();
  FPendingPress = false;
  FLastMousePos = event->position().toPoint();
  EmitPress(FLastMousePos, event->button(), ShiftOf(event), true);
}

void TImageView::mouseMoveEvent(QMouseEvent *event) {
  FlushPress();
  FLastMousePos = event->position().toPoint();
  emit ImageMouseMove(ShiftOf(event), FLastMousePos.x(), FLastMousePos.y());
}

void TImageView::mouseReleaseEvent(QMouseEvent *event) {
  FlushPress();
  if (!Handled(event->button()))
    return;
  FLastMousePos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    const bool click = FLeftDown && !FSecondPress && rect().contains(FLastMousePos);
    FLeftDown = false;
    FSecondPress = false;
    if (click)
      emit ImageClick();
  }
  emit ImageMouseUp(ButtonOf(event->button()), ShiftOf(event), FLastMousePos.x(), FLastMousePos.y());
}

TImageClient::TImageClient(QWidget *parent) : QWidget(parent) {
  FView = new TImageView(this); // owned by the client
  FView->installEventFilter(this);
  UpdateSize();
}

void TImageClient::UpdateSize() {
  QRect all(0, 0, FView->width(), FView->height());
  for (QObject *o : children()) {
    auto *w = qobject_cast<QWidget *>(o);
    if (w && w != FView && !w->isHidden())
      all |= w->geometry();
  }
  const QSize size(std::max(0, all.right() + 1), std::max(0, all.bottom() + 1));
  if (size != this->size())
    resize(size);
}

bool TImageClient::event(QEvent *event) {
  if (event->type() == QEvent::ChildAdded) {
    if (auto *w = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
      w->installEventFilter(this);
  } else if (event->type() == QEvent::ChildRemoved) {
    if (QObject *child = static_cast<QChildEvent *>(event)->child())
      child->removeEventFilter(this);
    UpdateSize();
  }
  return QWidget::event(event);
}

bool TImageClient::eventFilter(QObject *watched, QEvent *event) {
  switch (event->type()) {
  case QEvent::Move:
  case QEvent::Resize:
  case QEvent::Show:
  case QEvent::Hide:
    UpdateSize();
    break;
  case QEvent::ZOrderChange:
    // An object sent to the back still lies above the picture.
    if (watched != FView)
      FView->lower();
    break;
  default:
    break;
  }
  return QWidget::eventFilter(watched, event);
}

TImageScrollBox::TImageScrollBox(QWidget *parent) : QScrollArea(parent) {
  auto client = std::make_unique<TImageClient>();
  FClient = client.get();
  FView = FClient->View();
  setWidgetResizable(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setWidget(client.release()); // the scroll area owns the client from here
}

int TImageScrollBox::HorzScrollPos() const {
  return horizontalScrollBar()->value();
}
int TImageScrollBox::VertScrollPos() const {
  return verticalScrollBar()->value();
}

void TImageScrollBox::SetScrollPos(int horz, int vert) {
  horizontalScrollBar()->setValue(horz);
  verticalScrollBar()->setValue(vert);
}

void TImageScrollBox::wheelEvent(QWheelEvent *event) {
  const QPoint angle = event->angleDelta();
  if (event->modifiers() & Qt::ControlModifier) {
    event->accept();
    FZoomWheel += angle.y() != 0 ? angle.y() : angle.x();
    while (FZoomWheel >= 120 || FZoomWheel <= -120) {
      const int direction = FZoomWheel > 0 ? 1 : -1;
      FZoomWheel -= direction * 120;
      ZoomAt(event->position(), direction);
    }
    return;
  }
  // Shift turns the wheel sideways (some platforms already deliver it so).
  const bool sideways = (event->modifiers() & Qt::ShiftModifier) || angle.y() == 0;
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  QScrollBar *bar = sideways ? horizontalScrollBar() : verticalScrollBar();
  const int lines = QApplication::wheelScrollLines();
  bar->setValue(bar->value() - delta * lines * bar->singleStep() / 120);
  event->accept();
}

void TImageScrollBox::ZoomAt(QPointF viewportPos, int direction) {
  if (!OnZoomStep)
    return;
  const int oldZoom = FView->Zoom();
  // The image point under the mouse, unrounded.
  const QPointF control = viewportPos - QPointF(FView->mapTo(viewport(), QPoint(0, 0)));
  const QPointF image = control * 100.0 / oldZoom;
  OnZoomStep(direction);
  const int newZoom = FView->Zoom();
  if (newZoom == oldZoom)
    return;
  const QPointF moved = image * newZoom / 100.0;
  SetScrollPos(int(moved.x() - viewportPos.x()), int(moved.y() - viewportPos.y()));
}

} // namespace tessaro
