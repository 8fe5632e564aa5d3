// Paints the report's page and prints it: the same drawing serves the
// printer, a PDF file and a rendered page in tests.
#pragma once

#include "print/PageLayout.h"

#include <QImage>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

namespace tessaro {

// Paints the page with its top left corner at the painter's origin,
// unitsPerMm device units per millimetre: the header text centred in the
// header band, the picture in its place and cut at the margins, the footer
// text centred in the footer band. The bands' labels are opaque white, as
// the report has them, so a picture reaching into the footer band is hidden
// there.
void PaintReportPage(QPainter &painter, const TPrintReport &report, const QImage &picture, double unitsPerMm);

// Paper, orientation, full-page mode and the job's name from the report.
void ConfigurePrinter(QPrinter &printer, const TPrintReport &report);

// Prints the one page on a printer that is already chosen (the page follows
// the report). False when the printer could not be started.
bool PrintReportPage(QPrinter &printer, const TPrintReport &report, const QImage &picture);

// An opaque white label with the text centred at its top, wrapped to its
// width and cut at its edges (the report's header and footer labels).
void DrawReportLabel(QPainter &painter, const QRectF &rect, const QString &text);

// The print dialog for the report: lists the installed printers and the PDF
// file printer, which is chosen from the start (writing to pdfFileName) when
// no printer is installed or forcePdf is set. On OK prints the page with the
// page setup's paper and orientation; a failure is told in a German message
// box. True when a page was printed.
bool ExecutePrintDialog(QWidget *parent, const TPrintReport &report, const QImage &picture,
                        const QString &pdfFileName, bool forcePdf = false);

} // namespace tessaro
