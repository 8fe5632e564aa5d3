#include "controls/CustomColors.h"

#include "platform/QtColor.h"

#include <QColorDialog>
#include <QSettings>

namespace tessaro {

namespace {

QString Key(int i) {
  return QStringLiteral("Color") + QChar(u'A' + i);
}

} // namespace

TColor ParseCustomColor(const QString &text) {
  QString digits = text.trimmed();
  if (digits.startsWith(QLatin1Char('$')))
    digits.remove(0, 1);
  bool ok = false;
  const uint value = digits.toUInt(&ok, 16);
  if (!ok || digits.isEmpty() || digits.size() > 8)
    return clWhite;
  return TColor(value) & 0xFFFFFF;
}

TCustomColors ReadCustomColors() {
  QSettings settings(QSettings::UserScope, QStringLiteral("Farbwahl"));
  settings.beginGroup(QStringLiteral("CustomColors"));
  TCustomColors colors;
  for (int i = 0; i < CustomColorCount; ++i)
    colors[size_t(i)] = ParseCustomColor(settings.value(Key(i), QStringLiteral("FFFFFF")).toString());
  return colors;
}

void WriteCustomColors(const TCustomColors &colors) {
  QSettings settings(QSettings::UserScope, QStringLiteral("Farbwahl"));
  settings.beginGroup(QStringLiteral("CustomColors"));
  for (int i = 0; i < CustomColorCount; ++i)
    settings.setValue(
        Key(i), QStringLiteral("%1").arg(colors[size_t(i)] & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
  settings.endGroup();
  settings.sync();
}

void LoadCustomColors() {
  const TCustomColors colors = ReadCustomColors();
  for (int i = 0; i < CustomColorCount; ++i)
    QColorDialog::setCustomColor(i, ToQColor(colors[size_t(i)]));
}

void SaveCustomColors() {
  TCustomColors colors;
  for (int i = 0; i < CustomColorCount; ++i)
    colors[size_t(i)] = FromQColor(QColorDialog::customColor(i));
  WriteCustomColors(colors);
}

} // namespace tessaro
