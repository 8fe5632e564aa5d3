#include "frame/UpDown.h"

#include "core/Lenient.h"
#include "platform/Hints.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaro {

TUpDown::TUpDown(QLineEdit *associate, int min, int max, int position, const QString &name, QWidget *parent)
    : QWidget(parent), FAssociate(associate), FMin(min), FMax(max), FPosition(position) {
  auto *column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto arrow = [this, column](Qt::ArrowType type, const QString &hint, int delta) {
    auto *b = new QToolButton(this);
    b->setArrowType(type);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(16, 11);
    SetHint(b, hint);
    connect(b, &QToolButton::clicked, this, [this, delta] { Step(delta); });
    column->addWidget(b);
    return b;
  };
  FUp = arrow(Qt::UpArrow, name + " erhöhen", 1);
  FDown = arrow(Qt::DownArrow, name + " verringern", -1);
  SetHint(this, name);
  FAssociate->installEventFilter(this);
  SetPosition(position);
}

void TUpDown::SetPosition(int position) {
  FPosition = std::clamp(position, FMin, FMax);
  FAssociate->setText(QString::number(FPosition));
}

void TUpDown::Step(int delta) {
  // The edit may hold anything typed; a number that cannot be read keeps
  // the last position.
  int value = FPosition;
  if (!TryLenientStrToInt(FAssociate->text().toStdString(), value))
    value = FPosition;
  SetPosition(std::clamp(value, FMin, FMax) + delta);
  emit Clicked();
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event) {
  if (watched == FAssociate && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace tessaro
