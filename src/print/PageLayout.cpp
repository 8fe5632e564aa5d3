#include "print/PageLayout.h"

#include "files/LUMCtrl.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

int Trunc(double v) {
  return int(std::clamp(std::trunc(v), -1e9, 1e9));
}

int RoundPixels(double mm, double pixelsPerMm) {
  return int(std::clamp(std::lround(mm * pixelsPerMm), 0L, 1000000000L));
}

const QString DateTimePlaceholder = QStringLiteral("[&DateTime]");

// The platform's short date and long time (without a time zone).
QString DateTimeText(const QDateTime &now) {
  const QLocale locale;
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  timeFormat.remove(QLatin1Char('t'));
  return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(now.time(), timeFormat.trimmed());
}

} // namespace

double TQRPage::Width() const {
  const QSizeF paper = PaperSizeMm(PaperSize);
  return Landscape ? paper.height() : paper.width();
}

double TQRPage::Length() const {
  const QSizeF paper = PaperSizeMm(PaperSize);
  return Landscape ? paper.width() : paper.height();
}

QString ExpandDateTime(const QString &text, const QDateTime &now) {
  const qsizetype at = text.indexOf(DateTimePlaceholder, 0, Qt::CaseInsensitive);
  if (at < 0)
    return text;
  QString result = text;
  result.replace(at, DateTimePlaceholder.size(), DateTimeText(now));
  return result;
}

TPrintReport::TPrintReport() {
  SetDetailHeight(HeaderHeight + FooterHeight);
}

void TPrintReport::ReadPageSettings(const TStoredPageSetup &stored, const QDateTime &now) {
  Fit = false;
  if (stored.MarginTop)
    Page.TopMargin = *stored.MarginTop * 10;
  if (stored.MarginLeft)
    Page.LeftMargin = *stored.MarginLeft * 10;
  if (stored.MarginBottom)
    Page.BottomMargin = *stored.MarginBottom * 10;
  if (stored.MarginRight)
    Page.RightMargin = *stored.MarginRight * 10;
  if (stored.PaperFormat)
    Page.PaperSize = TQRPaperSize(*stored.PaperFormat);
  if (stored.Landscape)
    Page.Landscape = *stored.Landscape;
  if (stored.ResizeImage)
    Fit = *stored.ResizeImage;
  HeadLine = stored.Headline ? ExpandDateTime(*stored.Headline, now) : QString();
  BottomLine = stored.Bottomline ? ExpandDateTime(*stored.Bottomline, now) : QString();
  HeaderHeight = 5;
  FooterHeight = 5;
  SetDetailHeight(HeaderHeight + FooterHeight);
  PlaceReportImage();
}

void TPrintReport::SetOrientation(bool landscape) {
  Page.Landscape = landscape;
  SetDetailHeight(20);
  PlaceReportImage();
}

void TPrintReport::ClampMargins() {
  const auto clamp = [](double &first, double &second, double size) {
    first = std::clamp(std::isfinite(first) ? first : 0.0, 0.0, size);
    second = std::clamp(std::isfinite(second) ? second : 0.0, 0.0, size - first);
  };
  clamp(Page.LeftMargin, Page.RightMargin, Page.Width());
  clamp(Page.TopMargin, Page.BottomMargin, Page.Length());
}

void TPrintReport::SetDetailHeight(double reserved) {
  ClampMargins();
  const double inner = Page.Length() - Page.TopMargin - Page.BottomMargin;
  // Header and footer share what little room a page with huge margins has.
  HeaderHeight = std::min(HeaderHeight, inner / 2);
  FooterHeight = std::min(FooterHeight, inner / 2);
  DetailHeight = std::max(0.0, inner - std::max(reserved, HeaderHeight + FooterHeight));
}

void TPrintReport::PlaceReportImage() {
  int w = Picture.width();
  int h = Picture.height();
  const int bandW = DetailBandWidth();
  const int bandH = DetailBandHeight();
  if (Fit && w > 0 && h > 0) {
    const float s = FitScale(bandW, bandH, w, h);
    h = Trunc(h * double(s));
    w = Trunc(w * double(s));
  }
  const int top = bandH < h ? 0 : (bandH - h) / 2;
  const int left = bandW < w ? 0 : (bandW - w) / 2;
  ImageRect = QRect(left, top, w, h);
}

int TPrintReport::DetailBandWidth() const {
  return RoundPixels(Page.Width() - Page.LeftMargin - Page.RightMargin, PixelsPerMm);
}

int TPrintReport::DetailBandHeight() const {
  return RoundPixels(DetailHeight, PixelsPerMm);
}

QRectF TPrintReport::HeaderBandMm() const {
  return QRectF(Page.LeftMargin, Page.TopMargin, Page.Width() - Page.LeftMargin - Page.RightMargin,
                HeaderHeight);
}

QRectF TPrintReport::FooterBandMm() const {
  return QRectF(Page.LeftMargin, Page.Length() - Page.BottomMargin - FooterHeight,
                Page.Width() - Page.LeftMargin - Page.RightMargin, FooterHeight);
}

QRectF TPrintReport::DetailBandMm() const {
  return QRectF(Page.LeftMargin, Page.TopMargin + HeaderHeight,
                Page.Width() - Page.LeftMargin - Page.RightMargin, DetailHeight);
}

QRectF TPrintReport::PrintableAreaMm() const {
  return QRectF(Page.LeftMargin, Page.TopMargin, Page.Width() - Page.LeftMargin - Page.RightMargin,
                Page.Length() - Page.TopMargin - Page.BottomMargin);
}

QRectF TPrintReport::ImageMm() const {
  const QRectF band = DetailBandMm();
  return QRectF(band.left() + ImageRect.left() / PixelsPerMm, band.top() + ImageRect.top() / PixelsPerMm,
                ImageRect.width() / PixelsPerMm, ImageRect.height() / PixelsPerMm);
}

TPreviewGeometry TPrintReport::PreviewGeometry(int labelHeight) const {
  const double width = Page.Width();
  const double length = Page.Length();
  const double left = Page.LeftMargin;
  const double top = Page.TopMargin;
  const double right = Page.RightMargin;
  const double bottom = Page.BottomMargin;
  TPreviewGeometry g;
  g.Page = QSize(Trunc(width), Trunc(length));
  const int innerW = Trunc(width - left - right);
  g.HeadLine = QRect(Trunc(left), Trunc(top), innerW, labelHeight);
  g.BottomLine = QRect(Trunc(left), g.Page.height() - labelHeight - Trunc(bottom), innerW, labelHeight);
  g.PrintableArea = QRect(Trunc(left), Trunc(top), innerW, Trunc(length - top - bottom));
  g.Image = QRect(Trunc(ImageRect.left() / PixelsPerMm + left),
                  Trunc(ImageRect.top() / PixelsPerMm + top + labelHeight),
                  Trunc(ImageRect.width() / PixelsPerMm), Trunc(ImageRect.height() / PixelsPerMm));
  g.RightMarginCover = QRect(Trunc(width - right), 0, Trunc(right + 2), Trunc(length + 2));
  g.BottomMarginCover = QRect(0, Trunc(length - bottom), Trunc(width + 2), Trunc(bottom + 2));
  return g;
}

} // namespace tessaro
