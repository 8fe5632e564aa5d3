// The report's page: design values without a stored page setup, stored
// margins and paper, fitting and centring the picture, large pictures,
// the orientation switch, the date placeholder, margins beyond the paper
// and the preview's geometry.
#include "print/PageLayout.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>

namespace tessaro::test {
namespace {

const QDateTime Now(QDate(2024, 3, 9), QTime(14, 5, 7));

TPrintReport Report(const TStoredPageSetup &stored, QSize picture) {
  TPrintReport r;
  r.PixelsPerMm = StandardReportPixelsPerMm;
  r.Picture = picture;
  r.ReadPageSettings(stored, Now);
  return r;
}

TStoredPageSetup DialogDefaults() {
  TStoredPageSetup s;
  s.MarginTop = 0.5;
  s.MarginLeft = 1.5;
  s.MarginBottom = 0.5;
  s.MarginRight = 1.5;
  s.PaperFormat = 9;
  s.Landscape = false;
  s.ResizeImage = false;
  s.Headline = QString();
  s.Bottomline = QString();
  return s;
}

TEST(PageLayout, WithoutStoredSetupTheReportDesignHolds) {
  const TPrintReport r = Report(TStoredPageSetup(), QSize(100, 50));
  EXPECT_EQ(r.Page.PaperSize, TQRPaperSize::A4);
  EXPECT_FALSE(r.Page.Landscape);
  EXPECT_DOUBLE_EQ(r.Page.Width(), 210);
  EXPECT_DOUBLE_EQ(r.Page.Length(), 297);
  EXPECT_DOUBLE_EQ(r.Page.TopMargin, 10);
  EXPECT_DOUBLE_EQ(r.Page.LeftMargin, 15);
  EXPECT_DOUBLE_EQ(r.Page.BottomMargin, 10);
  EXPECT_DOUBLE_EQ(r.Page.RightMargin, 15);
  EXPECT_TRUE(r.HeadLine.isEmpty());
  EXPECT_TRUE(r.BottomLine.isEmpty());
  EXPECT_DOUBLE_EQ(r.DetailHeight, 297 - 20 - 10);
  EXPECT_FALSE(r.Fit);
  // 794 report pixels across 210 mm.
  EXPECT_EQ(std::lround(210 * r.PixelsPerMm), 794);
  // Unscaled and centred in the detail band.
  EXPECT_EQ(r.DetailBandWidth(), 680);
  EXPECT_EQ(r.DetailBandHeight(), 1009);
  EXPECT_EQ(r.ImageRect, QRect((680 - 100) / 2, (1009 - 50) / 2, 100, 50));
}

TEST(PageLayout, DialogDefaultsOnceStored) {
  const TPrintReport r = Report(DialogDefaults(), QSize(100, 50));
  EXPECT_DOUBLE_EQ(r.Page.TopMargin, 5);
  EXPECT_DOUBLE_EQ(r.Page.BottomMargin, 5);
  EXPECT_DOUBLE_EQ(r.DetailHeight, 297 - 10 - 10);
  EXPECT_EQ(r.HeaderBandMm(), QRectF(15, 5, 180, 5));
  EXPECT_EQ(r.FooterBandMm(), QRectF(15, 287, 180, 5));
  EXPECT_EQ(r.DetailBandMm(), QRectF(15, 10, 180, 277));
}

TEST(PageLayout, FittedSmallPictureFillsTheBandWidthAndIsCentredVertically) {
  TStoredPageSetup s;
  s.ResizeImage = true;
  const TPrintReport r = Report(s, QSize(100, 50));
  EXPECT_TRUE(r.Fit);
  EXPECT_EQ(r.ImageRect, QRect(0, (1009 - 340) / 2, 680, 340));
  const QRectF mm = r.ImageMm();
  EXPECT_NEAR(mm.left(), 15, 1e-9);
  EXPECT_NEAR(mm.width(), 680 / StandardReportPixelsPerMm, 1e-9);
  EXPECT_NEAR(mm.top(), 10 + 5 + 334 / StandardReportPixelsPerMm, 1e-9);
}

TEST(PageLayout, FittedLargePictureShrinksToTheBand) {
  TStoredPageSetup s;
  s.ResizeImage = true;
  const TPrintReport r = Report(s, QSize(6000, 4000));
  EXPECT_EQ(r.ImageRect.width(), 680);
  EXPECT_EQ(r.ImageRect.height(), 453);
  EXPECT_EQ(r.ImageRect.left(), 0);
  EXPECT_TRUE(r.DetailBandMm().contains(r.ImageMm().adjusted(0, 0, -1e-6, -1e-6)));
  // A tall picture fills the band's height and is centred across.
  const TPrintReport tall = Report(s, QSize(100, 4000));
  // The single-precision scale may lose the last pixel.
  EXPECT_NEAR(tall.ImageRect.height(), 1009, 1);
  EXPECT_EQ(tall.ImageRect.left(), (680 - tall.ImageRect.width()) / 2);
}

TEST(PageLayout, UnscaledPictureLargerThanThePageStartsTopLeft) {
  const TPrintReport r = Report(TStoredPageSetup(), QSize(6000, 4000));
  EXPECT_EQ(r.ImageRect, QRect(0, 0, 6000, 4000));
  EXPECT_GT(r.ImageMm().right(), r.PrintableAreaMm().right());
}

TEST(PageLayout, OrientationSwitchOfThePreview) {
  TPrintReport r = Report(TStoredPageSetup(), QSize(100, 50));
  r.SetOrientation(true);
  EXPECT_DOUBLE_EQ(r.Page.Width(), 297);
  EXPECT_DOUBLE_EQ(r.Page.Length(), 210);
  EXPECT_DOUBLE_EQ(r.DetailHeight, 210 - 20 - 20);
  EXPECT_EQ(r.DetailBandWidth(), std::lround(267 * StandardReportPixelsPerMm));
  r.SetOrientation(false);
  EXPECT_DOUBLE_EQ(r.Page.Width(), 210);
  EXPECT_DOUBLE_EQ(r.DetailHeight, 297 - 20 - 20);
}

TEST(PageLayout, StoredPaperAndOrientation) {
  TStoredPageSetup s;
  s.PaperFormat = int(TQRPaperSize::A5);
  s.Landscape = true;
  const TPrintReport r = Report(s, QSize());
  EXPECT_DOUBLE_EQ(r.Page.Width(), 210);
  EXPECT_DOUBLE_EQ(r.Page.Length(), 148);
  EXPECT_TRUE(r.ImageRect.isEmpty()) << "no picture, nothing placed";
}

TEST(PageLayout, DatePlaceholderIsReplacedOnce) {
  const QString date = QLocale().toString(Now.date(), QLocale::ShortFormat);
  const QString head = ExpandDateTime(QStringLiteral("Druck vom [&DATETIME], nicht [&DateTime]"), Now);
  EXPECT_TRUE(head.startsWith(QStringLiteral("Druck vom ") + date + QStringLiteral(" 14:05:07")))
      << head.toStdString();
  EXPECT_TRUE(head.endsWith(QStringLiteral(", nicht [&DateTime]")));
  EXPECT_EQ(ExpandDateTime(QStringLiteral("ohne"), Now), QStringLiteral("ohne"));
  TStoredPageSetup s;
  s.Bottomline = QStringLiteral("[&datetime]");
  EXPECT_TRUE(Report(s, QSize()).BottomLine.startsWith(date));
}

TEST(PageLayout, MarginsBeyondThePaperKeepThePageInside) {
  TStoredPageSetup s;
  s.MarginLeft = 50.0;
  s.MarginRight = 50.0;
  s.MarginTop = 100.0;
  s.MarginBottom = 3.0;
  s.ResizeImage = true;
  const TPrintReport r = Report(s, QSize(300, 200));
  const QRectF page(0, 0, r.Page.Width(), r.Page.Length());
  for (const QRectF &band : {r.HeaderBandMm(), r.FooterBandMm(), r.DetailBandMm(), r.PrintableAreaMm()}) {
    EXPECT_GE(band.width(), 0);
    EXPECT_GE(band.height(), 0);
    EXPECT_TRUE(page.contains(band.topLeft()) && band.right() <= page.right() &&
                band.bottom() <= page.bottom());
  }
  EXPECT_EQ(r.DetailBandWidth(), 0);
  EXPECT_GE(r.ImageRect.width(), 0);
}

TEST(PageLayout, PreviewGeometryAtOnePixelPerMillimetre) {
  TStoredPageSetup s;
  s.ResizeImage = true;
  const TPreviewGeometry g = Report(s, QSize(100, 50)).PreviewGeometry(16);
  EXPECT_EQ(g.Page, QSize(210, 297));
  EXPECT_EQ(g.HeadLine, QRect(15, 10, 180, 16));
  EXPECT_EQ(g.BottomLine, QRect(15, 297 - 16 - 10, 180, 16));
  EXPECT_EQ(g.PrintableArea, QRect(15, 10, 180, 277));
  // 680 x 340 report pixels are 179.9 x 89.9 mm, 334 pixels down the band.
  EXPECT_EQ(g.Image, QRect(15, int(334 / StandardReportPixelsPerMm + 10 + 16), 179, 89));
  EXPECT_EQ(g.RightMarginCover, QRect(195, 0, 17, 299));
  EXPECT_EQ(g.BottomMarginCover, QRect(0, 287, 212, 12));
}

} // namespace
} // namespace tessaro::test
