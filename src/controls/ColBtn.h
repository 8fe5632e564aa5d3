// A flat colour button of the colour picker: its picture is a 14 x 14
// square of one colour framed in grey. System colours are shown in their
// current value.
#pragma once

#include "core/Types.h"

#include <QToolButton>

namespace tessaro {

class TColBtn : public QToolButton {
  Q_OBJECT
public:
  explicit TColBtn(QWidget *parent = nullptr);

  TColor SqareColor() const { return FSqareColor; }
  void SetSqareColor(TColor value);

private:
  void UpdateGlyph();

  TColor FSqareColor = clBlack;
};

} // namespace tessaro
