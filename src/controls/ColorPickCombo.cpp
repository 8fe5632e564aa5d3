#include "controls/ColorPickCombo.h"

#include "controls/ColorNames.h"
#include "controls/ColorPickComboAccessible.h"
#include "controls/ColorPickerForm.h"
#include "platform/QtColor.h"

#include <QAccessible>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolButton>

namespace tessaro {

namespace {
constexpr int DefaultHeight = 22;
} // namespace

QPoint DropDownPosition(const QPoint &anchor, int comboHeight, const QSize &form, const QRect &screen) {
  QPoint p = anchor;
  if (p.x() + form.width() > screen.x() + screen.width())
    p.setX(screen.x() + screen.width() - form.width());
  if (p.y() + form.height() > screen.y() + screen.height())
    p.setY(p.y() - form.height() - comboHeight);
  return p;
}

TColorPickCombo::TColorPickCombo(QWidget *parent)
    : QComboBox(parent), FPickerForm(TColorPickerForm::Shared()) {
  InstallColorPickComboAccessible();
  setAccessibleName(QStringLiteral("Farbe"));
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  addItem(QStringLiteral("1"));
  setCurrentIndex(0);
  resize(ColorPickComboWidth(DefaultHeight), DefaultHeight);
  setFixedWidth(ColorPickComboWidth(DefaultHeight));
}

TColorPickCombo::~TColorPickCombo() {
  if (FPickerForm && FPickerForm->Combo() == this) {
    FPickerForm->hide();
    FPickerForm->SetCombo(nullptr);
  }
}

void TColorPickCombo::SetActiveColor(TColor value) {
  if (value == FActiveColor)
    return;
  FActiveColor = value;
  update();
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, ColorDescription(value));
    QAccessible::updateAccessibility(&event);
  }
  // Last: a handler may destroy the combo.
  emit Changed();
}

void TColorPickCombo::SetColor(TColor value) {
  FColor = value;
  update();
}

QSize TColorPickCombo::sizeHint() const {
  const int h = height() > 0 ? height() : DefaultHeight;
  return QSize(ColorPickComboWidth(h), h);
}

void TColorPickCombo::resizeEvent(QResizeEvent *event) {
  QComboBox::resizeEvent(event);
  const int w = ColorPickComboWidth(event->size().height());
  if (event->size().width() != w || minimumWidth() != w || maximumWidth() != w)
    setFixedWidth(w);
}

void TColorPickCombo::ShowDropDown() {
  TColorPickerForm &form = *FPickerForm;
  const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1 << 15, 1 << 15);
  const QPoint p = DropDownPosition(mapToGlobal(QPoint(0, height())), height(), form.size(), screen);
  QPalette pal = form.palette();
  pal.setColor(QPalette::Window, ToQColor(FDropDnColor));
  form.setPalette(pal);
  form.move(p);
  form.SetCombo(this);
  form.SelectColor(FActiveColor);
  form.MoreColorsButton()->setText(FOtherBtnCaption);
  form.show();
  form.raise();
  form.activateWindow();
}

void TColorPickCombo::paintEvent(QPaintEvent *) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  painter.fillRect(field, ToQColor(FColor));
  // The square: a grey edge around the colour, right and bottom edges of
  // (a, a, h - a, h - a) excluded.
  const int h = height();
  const int a = h / 5;
  const QRect square(a, a, h - 2 * a, h - 2 * a);
  if (square.width() <= 0 || square.height() <= 0)
    return;
  painter.fillRect(square, ToQColor(0x808080));
  painter.fillRect(square.adjusted(1, 1, -1, -1), ToQColor(FActiveColor));
}

} // namespace tessaro
