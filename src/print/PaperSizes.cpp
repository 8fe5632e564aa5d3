#include "print/PaperSizes.h"

namespace tessaro {

namespace {

struct TPaper {
  const char *Caption;
  double Width;
  double Length;
};

// Captions as the list shows them; sizes of the paper the ordinal stands for.
constexpr TPaper Papers[PaperSizeCount] = {
    {"Standard", 210.0, 297.0},
    {"Brief (21,59 x 27,94 cm)", 215.9, 279.4},
    {"Brief (21,49 x 27,94 cm)", 215.9, 279.4},
    {"Tabloid (27,94 x 43,18 cm)", 279.4, 431.8},
    {"Ledger (43,18 x 27,94 cm)", 431.8, 279.4},
    {"Legal (21,49 x 35,56 cm)", 215.9, 355.6},
    {"Statement (13,97 x 21,59 cm)", 139.7, 215.9},
    {"Executive (19,05 x 25,4 cm)", 184.15, 266.7},
    {"DIN A3 (29,7 x 42,0 cm)", 297.0, 420.0},
    {"DIN A4 (21,0 x 29,7 cm)", 210.0, 297.0},
    {"DIN A4 Small (21,0 x 29,7 cm)", 210.0, 297.0},
    {"DIN A5 (14,8 x 21,0 cm)", 148.0, 210.0},
    {"DIN B4 (25,0 x 35,4 cm)", 250.0, 354.0},
    {"DIN B5 (18,2 x 25,7 cm)", 182.0, 257.0},
    {"Folio (21,59 x 33,02 cm)", 215.9, 330.2},
    {"Quarto (21,5 x 27,5 cm)", 215.0, 275.0},
    {"qr10x14 (25,4 x 35,56 cm)", 254.0, 355.6},
    {"qr11x17 (27,94 x 43,18 cm)", 279.4, 431.8},
    {"Note (21,59 x 27,9 cm)", 215.9, 279.4},
    {"Env9 (9,84 x 22,54 cm)", 98.4, 225.4},
    {"Env10 (10,48 x 24,13 cm)", 104.8, 241.3},
    {"Env11 (11,43 x 26,35 cm)", 114.3, 263.5},
    {"Env12 (10,16 x 27,94 cm)", 120.65, 279.4},
    {"Env14 (12,7 x 29,21 cm)", 127.0, 292.1},
    {"CSheet (10,0 x 10,0 cm)", 431.8, 558.8},
    {"DSheet (10,0 x 10,0 cm)", 558.8, 863.6},
    {"ESheet (10,0 x 10,0 cm)", 863.6, 1117.6},
};

const TPaper &PaperOf(TQRPaperSize size) {
  const int i = int(size);
  return Papers[IsPaperSizeOrdinal(i) ? i : int(TQRPaperSize::A4)];
}

} // namespace

const QStringList &PaperFormatCaptions() {
  static const QStringList captions = [] {
    QStringList list;
    for (const TPaper &p : Papers)
      list << QString::fromUtf8(p.Caption);
    return list;
  }();
  return captions;
}

bool IsPaperSizeOrdinal(int ordinal) {
  return ordinal >= 0 && ordinal < PaperSizeCount;
}

QSizeF PaperSizeMm(TQRPaperSize size) {
  const TPaper &p = PaperOf(size);
  return QSizeF(p.Width, p.Length);
}

QPageSize PaperPageSize(TQRPaperSize size) {
  return QPageSize(PaperSizeMm(size), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

} // namespace tessaro
