// What assistive tools see of a colour picker combo: a combo box named by
// its accessible name (or hint) whose value is the chosen colour, and whose
// drop-down action opens the picker. (Qt's own combo interface would name
// it by its only item.)
#pragma once

#include <QAccessibleWidget>

namespace tessaro {

class TColorPickCombo;

class TColorPickComboAccessible : public QAccessibleWidget {
public:
  explicit TColorPickComboAccessible(TColorPickCombo *combo);

  QString text(QAccessible::Text t) const override;
  QStringList actionNames() const override;
  void doAction(const QString &actionName) override;

private:
  TColorPickCombo *Combo() const;
};

// Makes Qt use the interface above for every colour picker combo (once).
void InstallColorPickComboAccessible();

} // namespace tessaro
