// The image control of a document: shows a raster at a zoom (percent, nearest
// neighbour), repaints only what changed, and reports the mouse in the order
// the tool engine relies on:
//   press -> ImageMouseDown; moves -> ImageMouseMove; release -> ImageClick
//   (only when press and release are both inside the control), then
//   ImageMouseUp. The second press of a double click -> ImageDblClick, then
//   ImageMouseDown (with ssDouble); its release -> ImageMouseUp only.
// Because the platform reports a double click only after the second press,
// ImageMouseDown of a press is sent when the next mouse event arrives or the
// event loop runs next, whichever comes first.
// Coordinates are control coordinates (pixels of the zoomed picture); the
// image pixel under control pixel X is X * 100 / zoom, truncated.
#pragma once

#include "core/Bitmap.h"

#include <QRect>
#include <QRegion>
#include <QScrollArea>
#include <QWidget>

#include <functional>
#include <memory>

namespace tessaro {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state as bits.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

// The shift state of keyboard modifiers and held mouse buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

class TImageView : public QWidget {
  Q_OBJECT
public:
  explicit TImageView(QWidget *parent = nullptr);
  ~TImageView() override;

  // The raster shown (shared with the document; null shows nothing). The view
  // follows the bitmap's change notification: changed pixels are repainted,
  // and a change of the bitmap's size resizes the control at the same zoom.
  void SetBitmap(std::shared_ptr<TBitmap> bitmap);
  const std::shared_ptr<TBitmap> &Bitmap() const { return FBitmap; }

  // Zoom in percent; values below 1 count as 1. The control becomes
  // Trunc(Width * zoom / 100) x Trunc(Height * zoom / 100) pixels.
  void SetZoom(int percent);
  int Zoom() const { return FZoom; }

  // Image point under a control point (truncating division by the zoom).
  QPoint ImagePoint(int x, int y) const;
  // Control rectangle that shows the image rectangle r (rounded outward).
  QRect ControlRect(const TRect &r) const;

  // Control position of the latest mouse event (the release for a click).
  QPoint LastMousePos() const { return FLastMousePos; }

  // What the paint events painted since ResetPaintStats, in control
  // coordinates, and how many ran (for tests and benchmarks; the region is
  // only collected after the first reset).
  const QRegion &PaintedRegion() const { return FPaintedRegion; }
  int PaintCount() const { return FPaintCount; }
  void ResetPaintStats();

signals:
  void ImageMouseDown(tessaro::TMouseButton button, tessaro::TShiftState shift, int x, int y);
  void ImageMouseMove(tessaro::TShiftState shift, int x, int y);
  void ImageMouseUp(tessaro::TMouseButton button, tessaro::TShiftState shift, int x, int y);
  void ImageClick();
  void ImageDblClick();

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
  void BitmapChanged(const TRect &r);
  void UpdateSize();
  void FlushPress();
  void EmitPress(const QPoint &pos, Qt::MouseButton button, TShiftState shift, bool dbl);

  std::shared_ptr<TBitmap> FBitmap;
  int FToken = 0;
  int FZoom = 100;
  int FShownWidth = -1; // raster size the control was last sized for
  int FShownHeight = -1;
  QPoint FLastMousePos;
  // A press is held back until it is clear whether it starts a double click
  // (the platform reports the double click after the press).
  bool FPendingPress = false;
  QPoint FPendingPos;
  Qt::MouseButton FPendingButton = Qt::NoButton;
  TShiftState FPendingShift = 0;
  // The left button went down inside the control and is not yet released;
  // FSecondPress marks the second press of a double click (no click event).
  bool FLeftDown = false;
  bool FSecondPress = false;
  QRegion FPaintedRegion;
  bool FTrackPaints = false;
  int FPaintCount = 0;
};

// The document window's client area inside the scrolling frame: the image
// control at its origin and the floating objects above it. It grows so that
// every object can be scrolled to, and keeps the image control below all of
// them.
class TImageClient : public QWidget {
  Q_OBJECT
public:
  explicit TImageClient(QWidget *parent = nullptr);

  TImageView *View() const { return FView; }

protected:
  bool event(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void UpdateSize();

  TImageView *FView; // owned through the Qt parent
};

// The scrolling frame around the client area. The client and the view are
// created and owned by the box.
class TImageScrollBox : public QScrollArea {
  Q_OBJECT
public:
  explicit TImageScrollBox(QWidget *parent = nullptr);

  TImageView *View() const { return FView; }
  // Parent of the floating objects: its coordinates are those of the image
  // control (pixels of the zoomed picture).
  TImageClient *Client() const { return FClient; }

  // Ctrl + wheel asks for the next zoom up (direction 1) or down (-1); the
  // image point under the mouse stays where it was. The plain wheel scrolls
  // vertically, Shift + wheel horizontally.
  std::function<void(int direction)> OnZoomStep;

  // Scroll positions (the control coordinate shown at the client's left and
  // top edge).
  int HorzScrollPos() const;
  int VertScrollPos() const;
  void SetScrollPos(int horz, int vert);

protected:
  void wheelEvent(QWheelEvent *event) override;

private:
  void ZoomAt(QPointF viewportPos, int direction);

  TImageClient *FClient; // owned through the Qt parent
  TImageView *FView;
  // Wheel turns below one notch, kept until they add up to one.
  int FZoomWheel = 0;
};

} // namespace tessaro
