// The picture controls of the operation dialogs ("Original:" and
// "Vorschau:"): a bitmap shown at the top left without stretching, so that
// control pixel (X, Y) is bitmap pixel (X, Y), and the mouse presses on it.
#pragma once

#include "core/Bitmap.h"

#include <QImage>
#include <QWidget>

namespace tessaro {

class TOpPicture : public QWidget {
  Q_OBJECT
public:
  // A control of the box size; with autoSize it takes the size of its
  // bitmap instead.
  TOpPicture(int boxSize, bool autoSize, QWidget *parent = nullptr);

  // Shows a copy of the bitmap's pixels.
  void SetBitmap(const TBitmap &bitmap);
  const QImage &Shown() const { return FImage; }

signals:
  // A press of any button at control coordinates (x, y).
  void MouseDown(Qt::MouseButton button, int x, int y);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  bool FAutoSize;
  QImage FImage;
};

} // namespace tessaro
