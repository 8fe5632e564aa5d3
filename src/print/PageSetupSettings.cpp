#include "print/PageSetupSettings.h"

#include "print/PaperSizes.h"

#include <QLocale>
#include <QSettings>
#include <QVariant>

#include <cmath>

namespace tessaro {

namespace {

// The per-user store of the program (the same one every part uses).
QSettings Store() {
  return QSettings(QSettings::UserScope, QStringLiteral("LUM Software"), QStringLiteral("Tessaro"));
}

std::optional<double> ReadMargin(const QSettings &s, const QString &name) {
  if (!s.contains(name))
    return std::nullopt;
  bool ok = false;
  const double v = s.value(name).toDouble(&ok);
  if (!ok || !std::isfinite(v) || v < 0)
    return std::nullopt;
  return v;
}

std::optional<int> ReadInt(const QSettings &s, const QString &name) {
  if (!s.contains(name))
    return std::nullopt;
  const QVariant v = s.value(name);
  bool ok = false;
  const int i = v.toInt(&ok);
  if (ok)
    return i;
  const QString text = v.toString().trimmed().toLower();
  if (text == QLatin1String("true"))
    return 1;
  if (text == QLatin1String("false"))
    return 0;
  return std::nullopt;
}

std::optional<bool> ReadBool(const QSettings &s, const QString &name) {
  const std::optional<int> i = ReadInt(s, name);
  if (!i)
    return std::nullopt;
  return *i != 0;
}

std::optional<QString> ReadText(const QSettings &s, const QString &name) {
  if (!s.contains(name))
    return std::nullopt;
  return s.value(name).toString();
}

} // namespace

QString PageSetupKey() {
  return QStringLiteral("1.0/PageSetup");
}

TStoredPageSetup ReadPageSetup() {
  QSettings s = Store();
  s.beginGroup(PageSetupKey());
  TStoredPageSetup r;
  r.MarginTop = ReadMargin(s, QStringLiteral("MarginTop"));
  r.MarginLeft = ReadMargin(s, QStringLiteral("MarginLeft"));
  r.MarginBottom = ReadMargin(s, QStringLiteral("MarginBottom"));
  r.MarginRight = ReadMargin(s, QStringLiteral("MarginRight"));
  r.PaperFormat = ReadInt(s, QStringLiteral("PaperFormat"));
  if (r.PaperFormat && !IsPaperSizeOrdinal(*r.PaperFormat))
    r.PaperFormat.reset();
  r.Landscape = ReadBool(s, QStringLiteral("Landscape"));
  r.ResizeImage = ReadBool(s, QStringLiteral("ResizeImage"));
  r.Headline = ReadText(s, QStringLiteral("Headline"));
  r.Bottomline = ReadText(s, QStringLiteral("Bottomline"));
  return r;
}

void WritePageSetup(const TPageSetup &setup) {
  QSettings s = Store();
  s.beginGroup(PageSetupKey());
  s.setValue(QStringLiteral("MarginTop"), setup.MarginTop);
  s.setValue(QStringLiteral("MarginLeft"), setup.MarginLeft);
  s.setValue(QStringLiteral("MarginBottom"), setup.MarginBottom);
  s.setValue(QStringLiteral("MarginRight"), setup.MarginRight);
  s.setValue(QStringLiteral("PaperFormat"), setup.PaperFormat);
  s.setValue(QStringLiteral("Landscape"), setup.Landscape ? 1 : 0);
  s.setValue(QStringLiteral("ResizeImage"), setup.ResizeImage ? 1 : 0);
  s.setValue(QStringLiteral("Headline"), setup.Headline);
  s.setValue(QStringLiteral("Bottomline"), setup.Bottomline);
  s.endGroup();
  s.sync();
}

std::optional<double> StrToCentimetres(const QString &text, QString *error) {
  QString rest;
  int separators = 0;
  for (const QChar c : text) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      rest += c;
    } else if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
      rest += QLatin1Char(',');
      ++separators;
    }
  }
  if (rest.isEmpty() || rest == QLatin1String(","))
    return 0.0;
  bool ok = separators <= 1;
  double value = 0;
  if (ok) {
    QString c = rest;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    if (c.startsWith(QLatin1Char('.')))
      c.prepend(QLatin1Char('0'));
    value = QLocale::c().toDouble(c, &ok);
    ok = ok && std::isfinite(value);
  }
  if (!ok) {
    if (error)
      *error = QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(rest);
    return std::nullopt;
  }
  return value;
}

QString CentimetresToStr(double value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace tessaro
