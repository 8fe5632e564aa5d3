#include "platform/DialogButtons.h"

#include "platform/Hints.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace tessaro {

QPushButton *MakeDialogButton(const QString &caption, const QString &hint, const QColor &colour, bool bold,
                              QWidget *parent) {
  auto *button = new QPushButton(caption, parent);
  SetHint(button, hint);
  // Screen readers say the caption, not the hint.
  button->setAccessibleName(QString(caption).remove('&'));
  QPalette pal = button->palette();
  pal.setColor(QPalette::ButtonText, colour);
  button->setPalette(pal);
  QFont font = button->font();
  font.setBold(bold);
  button->setFont(font);
  return button;
}

QHBoxLayout *DialogButtonRow(std::initializer_list<QPushButton *> buttons) {
  auto *row = new QHBoxLayout;
  row->addStretch(1);
  for (QPushButton *b : buttons)
    row->addWidget(b);
  return row;
}

} // namespace tessaro
