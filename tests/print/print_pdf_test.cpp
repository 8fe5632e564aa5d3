// Printed pages read back from PDF files: the page size, the header and
// footer texts in their bands, the picture's place and size in
// millimetres, the cut at the margins, the embedded picture at its own
// resolution, the job's name, and the print dialog of the preview.
#include "print/PrintReport.h"
#include "print/UnPreviewPrint.h"

#include "print_test_util.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <cmath>

namespace tessaro::test {
namespace {

// Rendered at 254 dots per inch: ten pixels per millimetre.
constexpr double PxPerMm = 10;

QString Tool(const char *name) {
  return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

#define REQUIRE_TOOL(name)                                                                                   \
  do {                                                                                                       \
    if (Tool(name).isEmpty())                                                                                \
      GTEST_SKIP() << name << " is not installed";                                                           \
  } while (0)

QString RunTool(const QString &program, const QStringList &args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

QImage RenderPage(const QString &pdf, const TTempDir &dir) {
  const QString base = QString::fromStdString(dir.File("page"));
  RunTool(Tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                             QStringLiteral("-singlefile"), pdf, base});
  return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool IsRed(QRgb c) {
  return qRed(c) > 160 && qGreen(c) < 90 && qBlue(c) < 90;
}
bool IsInk(QRgb c) {
  return qGray(c) < 110 && !IsRed(c);
}

// Bounding box of the pixels matching, within an area.
template <class P> QRect Bounds(const QImage &img, P match, QRect area = QRect()) {
  if (area.isNull())
    area = img.rect();
  area &= img.rect();
  int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x)
      if (match(row[x])) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  }
  return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QRect ToPixels(const QRectF &mm) {
  return QRectF(mm.x() * PxPerMm, mm.y() * PxPerMm, mm.width() * PxPerMm, mm.height() * PxPerMm).toRect();
}

void ExpectNear(const QRect &got, const QRect &want, int tolerance, const char *what) {
  EXPECT_NEAR(got.left(), want.left(), tolerance) << what;
  EXPECT_NEAR(got.top(), want.top(), tolerance) << what;
  EXPECT_NEAR(got.right(), want.right(), tolerance) << what;
  EXPECT_NEAR(got.bottom(), want.bottom(), tolerance) << what;
}

class PrintPdfTest : public PageSetupTestBase {
protected:
  // Prints what the preview form makes of the stored page setup.
  QString PrintThroughPreview(const TBitmap *picture, const QString &caption) {
    TPrintSource source;
    source.Picture = picture;
    source.Caption = caption;
    source.PixelsPerMm = StandardReportPixelsPerMm;
    TfrmPreviewPrint form(source);
    FReport = form.Report();
    const QString pdf = QString::fromStdString(FDir.File("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    EXPECT_TRUE(PrintReportPage(printer, form.Report(), form.Picture()));
    return pdf;
  }

  TTempDir FDir;
  TPrintReport FReport;
};

TEST_F(PrintPdfTest, A4PortraitFittedWithHeaderAndFooter) {
  REQUIRE_TOOL("pdftoppm");
  TPageSetup setup;
  setup.ResizeImage = true;
  setup.Headline = QStringLiteral("Kopfzeile des Bildes");
  setup.Bottomline = QStringLiteral("Fußzeile");
  WritePageSetup(setup);
  const TBitmap picture = SolidPicture(100, 50, RGB(220, 20, 20));
  const QImage page = RenderPage(PrintThroughPreview(&picture, QStringLiteral("Neu 1.bmp")), FDir);
  ASSERT_FALSE(page.isNull());
  EXPECT_NEAR(page.width(), 2100, 1);
  EXPECT_NEAR(page.height(), 2970, 1);

  // Fitted to the band's full width (180 mm), half as high, centred in the
  // band between the header (5 .. 10 mm) and the footer (287 .. 292 mm).
  const QRect red = Bounds(page, IsRed);
  ExpectNear(red, ToPixels(FReport.ImageMm()), 3, "picture");
  EXPECT_NEAR(red.width(), 1800, 4);
  EXPECT_NEAR(red.height(), 900, 4);
  EXPECT_NEAR(red.center().y(), (100 + 2870) / 2, 6);

  const QRect head = Bounds(page, IsInk, QRect(0, 0, 2100, 100));
  ASSERT_FALSE(head.isNull()) << "header text printed";
  EXPECT_GE(head.top(), 50);
  EXPECT_LT(head.bottom(), 100);
  EXPECT_NEAR(head.center().x(), 1050, 12) << "centred";
  const QRect foot = Bounds(page, IsInk, QRect(0, 2700, 2100, 270));
  ASSERT_FALSE(foot.isNull()) << "footer text printed";
  EXPECT_GE(foot.top(), 2870);
  EXPECT_LT(foot.bottom(), 2920);
  EXPECT_NEAR(foot.center().x(), 1050, 12);
  EXPECT_TRUE(Bounds(page, IsInk, QRect(0, 100, 2100, 2770)).isNull()) << "nothing else on the page";
}

TEST_F(PrintPdfTest, A4LandscapeUnscaledPictureIsCutAtTheMargins) {
  REQUIRE_TOOL("pdftoppm");
  TPageSetup setup;
  setup.Landscape = true;
  setup.Bottomline = QStringLiteral("Unten");
  WritePageSetup(setup);
  const TBitmap picture = SolidPicture(3000, 2000, RGB(220, 20, 20));
  const QImage page = RenderPage(PrintThroughPreview(&picture, QStringLiteral("gross.bmp")), FDir);
  ASSERT_FALSE(page.isNull());
  EXPECT_NEAR(page.width(), 2970, 1);
  EXPECT_NEAR(page.height(), 2100, 1);
  // Top left of the band; cut at the right margin and by the footer band.
  ExpectNear(Bounds(page, IsRed), QRect(QPoint(150, 100), QPoint(2970 - 150 - 1, 2100 - 100 - 1)), 3,
             "picture");
  const QRect foot = Bounds(page, IsInk, QRect(0, 2000, 2970, 100));
  ASSERT_FALSE(foot.isNull()) << "the footer stays readable over the picture";
  EXPECT_NEAR(foot.center().x(), 2970 / 2, 12);
}

TEST_F(PrintPdfTest, ThePictureIsEmbeddedOnceAtItsOwnResolution) {
  REQUIRE_TOOL("pdfimages");
  REQUIRE_TOOL("pdfinfo");
  const TBitmap picture = SolidPicture(300, 200, RGB(10, 120, 200));
  const QString pdf = PrintThroughPreview(&picture, QStringLiteral("Foto.png"));
  const QStringList images =
      RunTool(Tool("pdfimages"), {QStringLiteral("-list"), pdf}).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(images.size(), 3) << "two heading lines and one image";
  const QStringList fields = images[2].simplified().split(' ');
  EXPECT_EQ(fields.value(3), QStringLiteral("300"));
  EXPECT_EQ(fields.value(4), QStringLiteral("200"));
  EXPECT_EQ(fields.value(8), QStringLiteral("image")) << "kept lossless, not made a JPEG";
  const QString info = RunTool(Tool("pdfinfo"), {pdf});
  EXPECT_TRUE(info.contains(QStringLiteral("Tessaro [Foto.png]"))) << "the job's name";
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
  EXPECT_TRUE(info.contains(QStringLiteral("(A4)")));
}

TEST_F(PrintPdfTest, WithoutDocumentThePageHasOnlyItsTexts) {
  REQUIRE_TOOL("pdftoppm");
  TPageSetup setup;
  setup.Headline = QStringLiteral("Leer");
  WritePageSetup(setup);
  const QImage page = RenderPage(PrintThroughPreview(nullptr, QString()), FDir);
  ASSERT_FALSE(page.isNull());
  EXPECT_TRUE(Bounds(page, IsRed).isNull());
  EXPECT_FALSE(Bounds(page, IsInk, QRect(0, 0, 2100, 100)).isNull());
}

TEST_F(PrintPdfTest, LongHeaderStaysInItsBand) {
  TStoredPageSetup stored;
  stored.Headline = QString(3000, QLatin1Char('W')) + QStringLiteral(" Ende");
  TPrintReport report;
  report.ReadPageSettings(stored, QDateTime::currentDateTime());
  QImage page(2100, 2970, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  PaintReportPage(painter, report, QImage(), PxPerMm);
  painter.end();
  const QRect ink = Bounds(page, IsInk);
  ASSERT_FALSE(ink.isNull());
  EXPECT_TRUE(ToPixels(report.HeaderBandMm()).adjusted(-1, -1, 1, 1).contains(ink));
}

// Accepts or cancels the print dialog once it is shown.
void AnswerPrintDialog(bool accept, QString *docName = nullptr) {
  QTimer::singleShot(0, [accept, docName] {
    auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
    if (!dialog) {
      AnswerPrintDialog(accept, docName);
      return;
    }
    if (docName)
      *docName = dialog->printer()->docName();
    if (accept)
      dialog->accept();
    else
      dialog->reject();
  });
}

TEST_F(PrintPdfTest, PrintButtonGoesThroughThePrintDialog) {
  const TBitmap picture = SolidPicture(40, 30, RGB(220, 20, 20));
  TPrintSource source;
  source.Picture = &picture;
  source.Caption = QStringLiteral("Neu 2.bmp");
  TfrmPreviewPrint form(source);
  form.ForcePdf = true;
  form.PdfFileName = QString::fromStdString(FDir.File("dialog.pdf"));
  QString docName;
  AnswerPrintDialog(false, &docName);
  EXPECT_FALSE(form.TBPrintClick());
  EXPECT_EQ(docName, QStringLiteral("Tessaro [Neu 2.bmp]"));
  EXPECT_FALSE(QFile::exists(form.PdfFileName)) << "cancelled: nothing printed";
  AnswerPrintDialog(true);
  EXPECT_TRUE(form.TBPrintClick());
  QFile pdf(form.PdfFileName);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

TEST_F(PrintPdfTest, PrintingWithoutPreviewCanBeCancelled) {
  const TBitmap picture = SolidPicture(40, 30, RGB(220, 20, 20));
  TPrintSource source;
  source.Picture = &picture;
  source.Caption = QStringLiteral("Neu 3.bmp");
  QString docName;
  AnswerPrintDialog(false, &docName);
  EXPECT_FALSE(TfrmPreviewPrint::PrintDocument(source, nullptr));
  EXPECT_EQ(docName, QStringLiteral("Tessaro [Neu 3.bmp]"));
}

} // namespace
} // namespace tessaro::test
