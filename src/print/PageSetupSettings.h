// The stored page setup: nine values per user under
// "Software/LUM Software/Tessaro/1.0/PageSetup", read by the page setup
// dialog, the print preview and printing, written together by the dialog.
#pragma once

#include <QString>

#include <optional>

namespace tessaro {

// What is stored; a value that is absent or unreadable stays empty.
// Margins in centimetres.
struct TStoredPageSetup {
  std::optional<double> MarginTop;
  std::optional<double> MarginLeft;
  std::optional<double> MarginBottom;
  std::optional<double> MarginRight;
  std::optional<int> PaperFormat;
  std::optional<bool> Landscape;
  std::optional<bool> ResizeImage;
  std::optional<QString> Headline;
  std::optional<QString> Bottomline;
};

// A complete set, as the dialog writes it.
struct TPageSetup {
  double MarginTop = 0.5;
  double MarginLeft = 1.5;
  double MarginBottom = 0.5;
  double MarginRight = 1.5;
  int PaperFormat = 9;
  bool Landscape = false;
  bool ResizeImage = false;
  QString Headline;
  QString Bottomline;
};

// The settings group (relative to the per-user store of the program).
QString PageSetupKey();

// Reads what is stored. Margins that are not finite or negative, and paper
// formats outside the list, count as absent; integers other than 0 read as
// true.
TStoredPageSetup ReadPageSetup();
// Writes all nine values (margins as doubles, the rest as integers and
// text) and flushes them to disk.
void WritePageSetup(const TPageSetup &setup);

// Reads a margin typed in centimetres leniently: everything but digits and
// the decimal separator ("," or ".") is dropped, so signs vanish and "abc"
// reads as 0. An empty rest or a lone separator is 0. A rest with more than
// one separator is no number: empty result and the German message in
// *error.
std::optional<double> StrToCentimetres(const QString &text, QString *error = nullptr);

// A stored margin as the dialog shows it: shortest form, the locale's
// decimal separator, no grouping ("0,5").
QString CentimetresToStr(double value);

} // namespace tessaro
