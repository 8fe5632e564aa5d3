#include "controls/AttributeLists.h"

#include "platform/QtColor.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace tessaro {

namespace {

QImage ToQImage(const TBitmap &bmp) {
  QImage img(bmp.Width(), bmp.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bmp.Height(); ++y) {
    auto *dst = reinterpret_cast<QRgb *>(img.scanLine(y));
    for (int x = 0; x < bmp.Width(); ++x) {
      const TColor c = bmp.GetPixel(x, y);
      dst[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
  }
  return img;
}

// Paints the items of the open list through the owner.
class TItemDelegate : public QStyledItemDelegate {
public:
  TItemDelegate(const TOwnerDrawList &list) : QStyledItemDelegate(nullptr), FList(list) {}

  void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    painter->drawImage(option.rect.topLeft(), FList.RenderItem(index.row(), option.rect.width(), selected));
  }
  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override {
    return QSize(option.rect.width(), TOwnerDrawList::ItemHeight);
  }

private:
  const TOwnerDrawList &FList;
};

} // namespace

TItemCanvas::TItemCanvas(TBitmap &bitmap, const QFont &font, TColor textColor)
    : FBitmap(bitmap), FFont(font), FTextColor(textColor) {}

int TItemCanvas::TextWidth(const QString &text) const {
  return QFontMetrics(FFont).horizontalAdvance(text);
}

int TItemCanvas::TextHeight(const QString &) const {
  return QFontMetrics(FFont).height();
}

void TItemCanvas::TextOut(int x, int y, const QString &text) {
  const TBrush &brush = FBitmap.Canvas().Brush;
  FTexts.push_back({QPoint(x, y), text, brush.Style == bsSolid, brush.Color});
}

QImage TItemCanvas::ToImage() const {
  QImage img = ToQImage(FBitmap);
  if (FTexts.empty())
    return img;
  QPainter p(&img);
  p.setFont(FFont);
  const QFontMetrics fm(FFont);
  for (const TText &t : FTexts) {
    const QRect box(t.Pos, QSize(fm.horizontalAdvance(t.Text), fm.height()));
    if (t.Opaque)
      p.fillRect(box, ToQColor(t.Back));
    p.setPen(ToQColor(FTextColor));
    p.drawText(QPoint(t.Pos.x(), t.Pos.y() + fm.ascent()), t.Text);
  }
  return img;
}

TOwnerDrawList::TOwnerDrawList(QWidget *parent) : QComboBox(parent) {
  setEditable(false);
  // The delegate belongs to the list's view.
  auto *delegate = new TItemDelegate(*this);
  delegate->setParent(view());
  setItemDelegate(delegate);
}

QImage TOwnerDrawList::RenderItem(int index, int width, bool selected) const {
  TBitmap bmp(std::max(width, 1), ItemHeight, pf24bit);
  TItemCanvas canvas(bmp, font(), selected ? clHighlightText : clWindowText);
  if (FDrawItem && index >= 0 && index < count())
    FDrawItem(canvas, index, TRect(0, 0, bmp.Width(), ItemHeight), selected);
  return canvas.ToImage();
}

void TOwnerDrawList::paintEvent(QPaintEvent *) {
  QStylePainter painter(this);
  QStyleOptionComboBox opt;
  initStyleOption(&opt);
  opt.currentText.clear();
  opt.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, opt);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
  if (currentIndex() < 0 || field.isEmpty())
    return;
  const QImage item = RenderItem(currentIndex(), field.width(), hasFocus());
  const int top = field.top() + (field.height() - ItemHeight) / 2;
  painter.setClipRect(field);
  painter.drawImage(QPoint(field.left(), top), item);
}

} // namespace tessaro
