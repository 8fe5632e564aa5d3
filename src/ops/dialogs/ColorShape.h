// A colour field of the operation dialogs: a framed rectangle in one colour
// that reports mouse presses (most fields open the colour dialog on a press).
#pragma once

#include "core/Types.h"

#include <QFrame>

class QToolButton;

namespace tessaro {

// The small button beside a colour field that opens the colour dialog,
// called by its hint.
QToolButton *ColorButton(QWidget *parent, const QString &hint);

class TColorShape : public QFrame {
  Q_OBJECT
public:
  // name is what screen readers call the field (its label or hint).
  TColorShape(TColor color, const QString &name, QWidget *parent = nullptr);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);

signals:
  void MouseDown(Qt::MouseButton button);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  TColor FColor;
};

} // namespace tessaro
