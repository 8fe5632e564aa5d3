// Select-only lists whose items are drawn by their owner: the fill kinds,
// line widths, pen styles and drawing modes of the attribute toolbar. Every
// item is 16 pixels high. The owner draws an item through the raster canvas
// onto a small bitmap the size of the item, so that pen styles, hatch
// brushes and raster operations look exactly as they will in the picture;
// the bitmap is then shown in the list. The closed list shows its current
// item the same way.
#pragma once

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Types.h"

#include <QComboBox>
#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace tessaro {

// The drawing surface of one item: the raster canvas for figures, and text
// in the list's font.
class TItemCanvas {
public:
  // bitmap is the item's picture; text is drawn in textColor.
  TItemCanvas(TBitmap &bitmap, const QFont &font, TColor textColor);

  TCanvas &Canvas() { return FBitmap.Canvas(); }
  int TextWidth(const QString &text) const;
  int TextHeight(const QString &text) const;
  // One line of text, top-left at (x, y). Its box is filled with the brush
  // colour when the brush is solid and left untouched otherwise.
  void TextOut(int x, int y, const QString &text);

  // The item as it is shown: the bitmap with the texts over it.
  QImage ToImage() const;

private:
  struct TText {
    QPoint Pos;
    QString Text;
    bool Opaque;
    TColor Back;
  };
  TBitmap &FBitmap;
  QFont FFont;
  TColor FTextColor;
  std::vector<TText> FTexts;
};

class TOwnerDrawList : public QComboBox {
  Q_OBJECT
public:
  static constexpr int ItemHeight = 16;
  // Draws item `index` into rect of the canvas (selected: the highlighted
  // item of the open list, or the closed list while it has the focus).
  using TDrawItem = std::function<void(TItemCanvas &canvas, int index, const TRect &rect, bool selected)>;

  explicit TOwnerDrawList(QWidget *parent = nullptr);
  void SetDrawItem(TDrawItem drawItem) { FDrawItem = std::move(drawItem); }

  // The item as the list shows it, width pixels wide and 16 high.
  QImage RenderItem(int index, int width, bool selected) const;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  TDrawItem FDrawItem;
};

} // namespace tessaro
