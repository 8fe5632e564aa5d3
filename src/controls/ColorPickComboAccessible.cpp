#include "controls/ColorPickComboAccessible.h"
#include "controls/ColorNames.h"

#include "controls/ColorPickCombo.h"

namespace tessaro {

namespace {

QAccessibleInterface *Factory(const QString &key, QObject *object) {
  if (key == QLatin1String(TColorPickCombo::staticMetaObject.className())) {
    if (auto *combo = qobject_cast<TColorPickCombo *>(object))
      return new TColorPickComboAccessible(combo); // kept by Qt's accessibility cache
  }
  return nullptr;
}

} // namespace

TColorPickComboAccessible::TColorPickComboAccessible(TColorPickCombo *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {}

TColorPickCombo *TColorPickComboAccessible::Combo() const {
  return static_cast<TColorPickCombo *>(widget());
}

QString TColorPickComboAccessible::text(QAccessible::Text t) const {
  switch (t) {
  case QAccessible::Name: {
    const QString name = widget()->accessibleName();
    return name.isEmpty() ? widget()->toolTip() : name;
  }
  case QAccessible::Value:
    return ColorDescription(Combo()->ActiveColor());
  default:
    return QAccessibleWidget::text(t);
  }
}

QStringList TColorPickComboAccessible::actionNames() const {
  return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
}

void TColorPickComboAccessible::doAction(const QString &actionName) {
  if (actionName == showMenuAction() || actionName == pressAction())
    Combo()->ShowDropDown();
  else
    QAccessibleWidget::doAction(actionName);
}

void InstallColorPickComboAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

} // namespace tessaro
