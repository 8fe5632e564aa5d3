// Pieces shared by the option toolbars.
#include "frame/OptionToolBars.h"

#include "frame/UpDown.h"
#include "platform/Hints.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

QToolBar *MakeOptionBar(QWidget *parent, const QString &name, const QString &objectName) {
  auto *bar = new QToolBar(name, parent);
  bar->setObjectName(objectName);
  bar->setIconSize(QSize(16, 16));
  return bar;
}

QLabel *MakeLabel(QToolBar *bar, const QString &text) {
  auto *label = new QLabel(text, bar);
  bar->addWidget(label);
  return label;
}

TColorPickCombo *MakePicker(QToolBar *bar, TColor color, const QString &hint, const QString &otherCaption) {
  auto *picker = new TColorPickCombo(bar);
  picker->SetActiveColor(color);
  picker->SetOtherBtnCaption(otherCaption);
  SetHint(picker, hint);
  bar->addWidget(picker);
  return picker;
}

QToolButton *MakeCheckButton(QToolBar *bar, const QString &hint, const QIcon &icon) {
  auto *b = new QToolButton(bar);
  b->setCheckable(true);
  b->setIcon(icon);
  SetHint(b, hint);
  bar->addWidget(b);
  return b;
}

QLineEdit *MakeNumberEdit(QToolBar *bar, const QString &hint, int min, int max, int position,
                          TUpDown *&upDown) {
  auto *edit = new QLineEdit(bar);
  SetHint(edit, hint);
  // Room for three digits (and a sign).
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("-0000") + 8);
  bar->addWidget(edit);
  upDown = new TUpDown(edit, min, max, position, hint, bar);
  bar->addWidget(upDown);
  return edit;
}

void NameListEdit(QComboBox *list) {
  if (QLineEdit *edit = list->lineEdit()) {
    SetHint(edit, Hint(list));
    edit->setAccessibleName(list->accessibleName());
  }
}

} // namespace tessaro
