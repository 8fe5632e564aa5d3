// The one-page report of a picture: paper, orientation and margins in
// millimetres, a header band, a detail band holding the picture and a footer
// band. The same numbers place the picture on the printed page, in a PDF and
// in the preview.
#pragma once

#include "print/PageSetupSettings.h"
#include "print/PaperSizes.h"

#include <QDateTime>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

namespace tessaro {

// Report pixels per millimetre at the report's 100 % zoom on a standard
// screen: 794 pixels across 210 mm.
constexpr double StandardReportPixelsPerMm = 96.0 / 25.4;

// The report's page, in millimetres.
struct TQRPage {
  double TopMargin = 10;
  double BottomMargin = 10;
  double LeftMargin = 15;
  double RightMargin = 15;
  TQRPaperSize PaperSize = TQRPaperSize::A4;
  bool Landscape = false;

  // Width and length of the page as it lies (orientation applied).
  double Width() const;
  double Length() const;
};

// Where the preview's controls lie, in pixels of the preview page (one per
// millimetre), relative to the page's top left corner.
struct TPreviewGeometry {
  QSize Page;
  QRect HeadLine;
  QRect BottomLine;
  QRect PrintableArea;
  QRect Image;
  QRect RightMarginCover;
  QRect BottomMarginCover;
};

// Replaces the first "[&DateTime]" (in any case) by the date and time.
QString ExpandDateTime(const QString &text, const QDateTime &now);

class TPrintReport {
public:
  TPrintReport();

  TQRPage Page;
  // Band heights in millimetres.
  double HeaderHeight = 5;
  double FooterHeight = 5;
  double DetailHeight = 0;
  QString HeadLine;
  QString BottomLine;
  // The print job's name.
  QString Title;
  bool Fit = false;
  // Report pixels per millimetre (one picture pixel is one report pixel).
  double PixelsPerMm = StandardReportPixelsPerMm;

  // The picture's size in pixels (empty when there is no picture).
  QSize Picture;
  // The picture's place in the detail band, report pixels.
  QRect ImageRect;

  // Starts from the report's design values and applies what is stored:
  // margins, paper, orientation, fit flag, header and footer (placeholder
  // expanded with now); then the band heights and the picture's place.
  void ReadPageSettings(const TStoredPageSetup &stored, const QDateTime &now);
  // Switches the orientation the way the preview's button does (not stored).
  void SetOrientation(bool landscape);
  // Sizes the picture (fitted or one pixel per report pixel) and centres it
  // in the detail band.
  void PlaceReportImage();

  // Detail band in report pixels.
  int DetailBandWidth() const;
  int DetailBandHeight() const;

  // On the page, in millimetres from its top left corner.
  QRectF HeaderBandMm() const;
  QRectF FooterBandMm() const;
  QRectF DetailBandMm() const;
  // The area inside the four margins.
  QRectF PrintableAreaMm() const;
  // The picture's rectangle (it may reach beyond the printable area, which
  // cuts it).
  QRectF ImageMm() const;

  // The preview page; labelHeight is the height of the preview's header and
  // footer labels in pixels.
  TPreviewGeometry PreviewGeometry(int labelHeight) const;

private:
  // Margins never negative and never more than the page holds.
  void ClampMargins();
  void SetDetailHeight(double reserved);
};

} // namespace tessaro
