// Hints of menu items, buttons and edits: shown as tooltip and in the status
// line, and given to screen readers as the name of a control that shows only
// a picture.
#pragma once

#include <QString>

class QAction;
class QWidget;

namespace tessaro {

QString Hint(const QAction *item);
void SetHint(QAction *item, const QString &hint);
QString Hint(const QWidget *control);
void SetHint(QWidget *control, const QString &hint);

} // namespace tessaro
