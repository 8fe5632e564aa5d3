// A plain shape control: a rectangle with a pen and a brush, as the page
// sketches of the page setup and the preview page use it. It lets mouse
// events through to what lies below.
#pragma once

#include <QColor>
#include <QWidget>

namespace tessaro {

class TPageShape : public QWidget {
  Q_OBJECT
public:
  explicit TPageShape(QWidget *parent = nullptr);

  // Outline (Qt::NoPen for none) and fill (Qt::NoBrush leaves it clear).
  void SetPen(const QColor &color, Qt::PenStyle style);
  void SetBrush(const QColor &color, Qt::BrushStyle style = Qt::SolidPattern);
  QColor PenColor() const { return FPenColor; }
  Qt::PenStyle PenStyle() const { return FPenStyle; }
  QColor BrushColor() const { return FBrushColor; }
  Qt::BrushStyle BrushStyle() const { return FBrushStyle; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QColor FPenColor = Qt::black;
  Qt::PenStyle FPenStyle = Qt::SolidLine;
  QColor FBrushColor = Qt::white;
  Qt::BrushStyle FBrushStyle = Qt::SolidPattern;
};

} // namespace tessaro
