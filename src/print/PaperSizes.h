// The paper formats a page can be printed on: the captions of the page
// setup's list and the paper each ordinal stands for.
#pragma once

#include <QPageSize>
#include <QSizeF>
#include <QStringList>

namespace tessaro {

// Paper sizes by ordinal; the page setup stores the ordinal.
enum class TQRPaperSize {
  Default,
  Letter,
  LetterSmall,
  Tabloid,
  Ledger,
  Legal,
  Statement,
  Executive,
  A3,
  A4,
  A4Small,
  A5,
  B4,
  B5,
  Folio,
  Quarto,
  qr10X14,
  qr11X17,
  Note,
  Env9,
  Env10,
  Env11,
  Env12,
  Env14,
  CSheet,
  DSheet,
  ESheet
};
constexpr int PaperSizeCount = 27;

// The list items of the paper format combo, in ordinal order.
const QStringList &PaperFormatCaptions();

// True for 0 .. PaperSizeCount - 1.
bool IsPaperSizeOrdinal(int ordinal);

// Width and length of the paper in portrait orientation, millimetres.
// Default stands for A4; ordinals out of range give A4 too.
QSizeF PaperSizeMm(TQRPaperSize size);

// The same paper for the printer (a standard size where one matches).
QPageSize PaperPageSize(TQRPaperSize size);

} // namespace tessaro
