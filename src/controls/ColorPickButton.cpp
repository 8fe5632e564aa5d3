#include "controls/ColorPickButton.h"

#include "platform/QtColor.h"

#include <QColorDialog>

namespace tessaro {

TColorPickButton::TColorPickButton(TColor color, QWidget *parent) : QPushButton(parent), FColor(color) {
  setMinimumWidth(80);
  SetActiveColor(color);
  connect(this, &QPushButton::clicked, this, &TColorPickButton::Choose);
}

void TColorPickButton::SetActiveColor(TColor c) {
  const bool changed = c != FColor;
  FColor = c;
  const QColor q = ToQColor(c);
  setStyleSheet(QString("background-color: %1; border: 1px solid black; min-height: 18px;").arg(q.name()));
  if (changed)
    emit Changed();
}

void TColorPickButton::Choose() {
  const QColor q = QColorDialog::getColor(ToQColor(FColor), this, "Farbe");
  if (q.isValid())
    SetActiveColor(FromQColor(q));
}

} // namespace tessaro
