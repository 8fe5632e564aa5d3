// The buttons at the foot of the program's dialogs: a caption with its
// accelerator, a hint, and the font colour that says what the button does
// (blue and bold for the one that carries the dialog out, red for the one
// that leaves it).
#pragma once

#include <QColor>
#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace tessaro {

QPushButton *MakeDialogButton(const QString &caption, const QString &hint, const QColor &colour, bool bold,
                              QWidget *parent);
// The buttons in a row at the right.
QHBoxLayout *DialogButtonRow(std::initializer_list<QPushButton *> buttons);

} // namespace tessaro
