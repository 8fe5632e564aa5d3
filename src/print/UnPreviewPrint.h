// "Vorschau": the active document's picture as a one-page report with the
// page setup's paper, orientation, margins, header and footer, shown on a
// page of one screen pixel per millimetre, and printed from there. Printing
// without the preview creates the form without showing it and presses its
// print button.
#pragma once

#include "print/PageLayout.h"

#include <QDialog>
#include <QImage>

class QAction;
class QScrollArea;
class QToolBar;
class QWidget;

namespace tessaro {

class TBitmap;
class TPageShape;
class TPreviewImage;
class TPreviewLabel;

// What the report shows of a document.
struct TPrintSource {
  // The document's raster (copied); null when there is no document.
  const TBitmap *Picture = nullptr;
  // The document window's caption ("Tessaro [" + caption + "]" names the job).
  QString Caption;
  // Screen pixels per millimetre of the report at 100 % zoom; 0 takes them
  // from the screen metrics.
  double PixelsPerMm = 0;
};

class TfrmPreviewPrint : public QDialog {
  Q_OBJECT
public:
  TfrmPreviewPrint(const TPrintSource &source, QWidget *parent = nullptr);

  // "Seitenansicht...": shows the preview modally over the frame.
  static void ShowPreview(const TPrintSource &source, QWidget *frame);
  // "Drucken...": the print dialog and the page, without showing the
  // preview. True when a page was printed.
  static bool PrintDocument(const TPrintSource &source, QWidget *frame);

  QToolBar *ToolBar;
  QAction *TBPrint;
  QAction *TBPaperFormat;
  QAction *TBSetting;
  QAction *TBHelp;
  QAction *TBClose;
  QScrollArea *ScrollBox;
  QWidget *panPreview;
  TPreviewLabel *lbPreviewTop;
  TPreviewLabel *lbPreviewBottom;
  TPreviewImage *ImagePreview;
  TPageShape *ShapePreview;
  TPageShape *ShapeRightMargin;
  TPageShape *ShapeBottomMargin;

  // The report: page, bands, texts and the picture's place.
  TPrintReport &Report() { return FReport; }
  const TPrintReport &Report() const { return FReport; }
  const QImage &Picture() const { return FPicture; }

  void LoadPreviewPicture(const TBitmap *picture);
  void ReadPageSettings();
  void PlaceReportImage();
  void LayoutPreviewPage();

  // True when the last print button press printed a page.
  bool TBPrintClick();
  void TBPaperFormatClick();
  void TBSettingClick();
  void TBHelpClick();
  void TBCloseClick();

  // Where the PDF file printer writes (suggested in the print dialog);
  // with ForcePdf the PDF file printer is chosen even when printers exist.
  QString PdfFileName;
  bool ForcePdf = false;

protected:
  void showEvent(QShowEvent *event) override;

private:
  void CreateControls();

  TPrintReport FReport;
  QImage FPicture;
};

} // namespace tessaro
