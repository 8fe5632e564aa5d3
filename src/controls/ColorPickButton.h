// A button that shows a colour and lets the user choose another one.
#pragma once

#include "core/Types.h"

#include <QPushButton>

namespace tessaro {

class TColorPickButton : public QPushButton {
  Q_OBJECT
public:
  explicit TColorPickButton(TColor color, QWidget *parent = nullptr);
  TColor ActiveColor() const { return FColor; }
  void SetActiveColor(TColor c);

signals:
  void Changed();

private:
  void Choose();
  TColor FColor;
};

} // namespace tessaro
