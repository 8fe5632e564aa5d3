// A label that previews a font: its text in the font and the font's colour,
// on a background colour unless it is transparent. A click reports itself.
#pragma once

#include "core/Types.h"

#include <QFont>
#include <QLabel>

namespace tessaro {

class TFontLabel : public QLabel {
  Q_OBJECT
public:
  TFontLabel(const QString &caption, QWidget *parent = nullptr);

  // The font and its colour.
  QFont LabelFont() const { return FFont; }
  void SetLabelFont(const QFont &font);
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor color);
  // The background (every bit of the value is kept; drawn from its colour
  // bytes).
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  QFont FFont;
  TColor FFontColor = clBlack;
  TColor FColor = clWhite;
  bool FTransparent = false;
};

} // namespace tessaro
