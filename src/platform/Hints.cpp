#include "platform/Hints.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace tessaro {

QString Hint(const QAction *item) {
  return item->statusTip();
}

void SetHint(QAction *item, const QString &hint) {
  item->setStatusTip(hint);
  item->setToolTip(hint);
}

QString Hint(const QWidget *control) {
  return control->toolTip();
}

void SetHint(QWidget *control, const QString &hint) {
  control->setToolTip(hint);
  control->setStatusTip(hint);
  // A button with a caption is found by its caption; everything else by its
  // hint.
  const auto *button = qobject_cast<const QAbstractButton *>(control);
  if (!button || button->text().isEmpty())
    control->setAccessibleName(hint);
}

} // namespace tessaro
