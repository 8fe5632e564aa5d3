#include "print/PrintReport.h"

#include "platform/MessageDlg.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextOption>

namespace tessaro {

namespace {

QRectF ToDevice(const QRectF &mm, double unitsPerMm) {
  return QRectF(mm.x() * unitsPerMm, mm.y() * unitsPerMm, mm.width() * unitsPerMm, mm.height() * unitsPerMm);
}

void ApplyPage(QPrinter &printer, const TPrintReport &report) {
  printer.setFullPage(true);
  printer.setPageSize(PaperPageSize(report.Page.PaperSize));
  printer.setPageOrientation(report.Page.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

void DrawReportLabel(QPainter &painter, const QRectF &rect, const QString &text) {
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.fillRect(rect, Qt::white);
  painter.setPen(Qt::black);
  QTextOption option(Qt::AlignHCenter | Qt::AlignTop);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  painter.drawText(rect, text, option);
  painter.restore();
}

void PaintReportPage(QPainter &painter, const TPrintReport &report, const QImage &picture,
                     double unitsPerMm) {
  painter.save();
  QFont font = painter.font();
  font.setPointSizeF(10);
  painter.setFont(font);
  DrawReportLabel(painter, ToDevice(report.HeaderBandMm(), unitsPerMm), report.HeadLine);
  if (!picture.isNull() && !report.ImageRect.isEmpty()) {
    painter.save();
    painter.setClipRect(ToDevice(report.PrintableAreaMm(), unitsPerMm));
    // The picture's own pixels, not a JPEG of them, go into PDF files.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(ToDevice(report.ImageMm(), unitsPerMm), picture);
    painter.restore();
  }
  DrawReportLabel(painter, ToDevice(report.FooterBandMm(), unitsPerMm), report.BottomLine);
  painter.restore();
}

void ConfigurePrinter(QPrinter &printer, const TPrintReport &report) {
  printer.setDocName(report.Title);
  printer.setCreator(QStringLiteral("Tessaro"));
  ApplyPage(printer, report);
}

bool PrintReportPage(QPrinter &printer, const TPrintReport &report, const QImage &picture) {
  ConfigurePrinter(printer, report);
  QPainter painter;
  if (!painter.begin(&printer))
    return false;
  PaintReportPage(painter, report, picture, printer.resolution() / 25.4);
  return painter.end();
}

bool ExecutePrintDialog(QWidget *parent, const TPrintReport &report, const QImage &picture,
                        const QString &pdfFileName, bool forcePdf) {
  QPrinter printer(QPrinter::HighResolution);
  ConfigurePrinter(printer, report);
  if (forcePdf || QPrinterInfo::availablePrinterNames().isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFileName);
  }
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Drucken"));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  if (!PrintReportPage(printer, report, picture)) {
    MessageDlg(QStringLiteral("Die Seite konnte nicht gedruckt werden!"), mtError, mbOK);
    return false;
  }
  return true;
}

} // namespace tessaro
