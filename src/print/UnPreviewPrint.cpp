#include "print/UnPreviewPrint.h"

#include "core/Bitmap.h"
#include "platform/HelpJump.h"
#include "platform/ScreenMetrics.h"
#include "print/PageSetupSettings.h"
#include "print/PageShape.h"
#include "print/PictureImage.h"
#include "print/PreviewWidgets.h"
#include "print/PrintReport.h"
#include "print/UnSetPageProp.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScrollArea>
#include <QShowEvent>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

namespace tessaro {

namespace {

const QString ToPortraitCaption = QStringLiteral("&Hochformat");

QAction *MakeButton(QToolBar *bar, const QString &caption, const QString &hint) {
  QAction *action = bar->addAction(caption);
  if (!hint.isEmpty())
    action->setToolTip(hint);
  return action;
}

// One picture pixel is one screen pixel of the report at 100 %.
double ScreenPixelsPerMm() {
  const TScreenMetrics m = ScreenMetrics();
  return m.WidthMm > 0 && m.WidthPx > 0 ? m.WidthPx / m.WidthMm : StandardReportPixelsPerMm;
}

QString SuggestedPdfFile(const QString &caption) {
  QString base = QFileInfo(caption).completeBaseName();
  if (base.isEmpty())
    base = QStringLiteral("Tessaro");
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty())
    folder = QDir::homePath();
  return QDir(folder).filePath(base + QStringLiteral(".pdf"));
}

} // namespace

TfrmPreviewPrint::TfrmPreviewPrint(const TPrintSource &source, QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Vorschau"));
  CreateControls();
  FReport.PixelsPerMm = source.PixelsPerMm > 0 ? source.PixelsPerMm : ScreenPixelsPerMm();
  PdfFileName = SuggestedPdfFile(source.Caption);
  LoadPreviewPicture(source.Picture);
  ReadPageSettings();
  FReport.Title = QStringLiteral("Tessaro [") + source.Caption + QStringLiteral("]");
}

void TfrmPreviewPrint::ShowPreview(const TPrintSource &source, QWidget *frame) {
  TfrmPreviewPrint form(source, frame);
  form.exec();
}

bool TfrmPreviewPrint::PrintDocument(const TPrintSource &source, QWidget *frame) {
  TfrmPreviewPrint form(source, frame);
  return form.TBPrintClick();
}

void TfrmPreviewPrint::CreateControls() {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ToolBar = new QToolBar(this);
  ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  TBPrint = MakeButton(ToolBar, QStringLiteral(" &Drucken"), QStringLiteral("Drucken"));
  ToolBar->addSeparator();
  TBPaperFormat = MakeButton(ToolBar, QStringLiteral("Querformat"),
                             QStringLiteral("Zwischen Hoch- und Querformat wechseln"));
  ToolBar->addSeparator();
  TBSetting = MakeButton(ToolBar, QStringLiteral("&Seite einrichten"), QStringLiteral("Seite einrichten"));
  ToolBar->addSeparator();
  TBHelp = MakeButton(ToolBar, QStringLiteral("Hilfe"), QString());
  ToolBar->addSeparator();
  TBClose = MakeButton(ToolBar, QStringLiteral("&Schließen"), QStringLiteral("Schließen"));
  layout->addWidget(ToolBar);

  ScrollBox = new QScrollArea(this);
  ScrollBox->setAlignment(Qt::AlignCenter);
  ScrollBox->setBackgroundRole(QPalette::Dark);
  ScrollBox->setAccessibleName(QStringLiteral("Vorschau"));
  layout->addWidget(ScrollBox, 1);

  auto *page = new TPageShape;
  page->SetPen(Qt::white, Qt::NoPen);
  page->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  panPreview = page;
  lbPreviewTop = new TPreviewLabel(panPreview);
  ImagePreview = new TPreviewImage(panPreview);
  lbPreviewBottom = new TPreviewLabel(panPreview);
  ShapePreview = new TPageShape(panPreview);
  ShapePreview->SetPen(QColor(192, 192, 192), Qt::DotLine);
  ShapePreview->SetBrush(Qt::white, Qt::NoBrush);
  ShapeRightMargin = new TPageShape(panPreview);
  ShapeRightMargin->SetPen(Qt::white, Qt::NoPen);
  ShapeBottomMargin = new TPageShape(panPreview);
  ShapeBottomMargin->SetPen(Qt::white, Qt::NoPen);
  ScrollBox->setWidget(panPreview);

  connect(TBPrint, &QAction::triggered, this, [this] { TBPrintClick(); });
  connect(TBPaperFormat, &QAction::triggered, this, &TfrmPreviewPrint::TBPaperFormatClick);
  connect(TBSetting, &QAction::triggered, this, &TfrmPreviewPrint::TBSettingClick);
  connect(TBHelp, &QAction::triggered, this, &TfrmPreviewPrint::TBHelpClick);
  connect(TBClose, &QAction::triggered, this, &TfrmPreviewPrint::TBCloseClick);
}

void TfrmPreviewPrint::LoadPreviewPicture(const TBitmap *picture) {
  FPicture = picture ? PictureImage(*picture) : QImage();
  FReport.Picture = FPicture.size();
  ImagePreview->SetPicture(FPicture);
}

void TfrmPreviewPrint::ReadPageSettings() {
  FReport.ReadPageSettings(ReadPageSetup(), QDateTime::currentDateTime());
  if (FReport.Page.Landscape)
    TBPaperFormat->setText(ToPortraitCaption);
  else if (TBPaperFormat->text() == ToPortraitCaption)
    TBPaperFormat->setText(QStringLiteral("&Querformat"));
  lbPreviewTop->SetCaption(FReport.HeadLine);
  lbPreviewBottom->SetCaption(FReport.BottomLine);
}

void TfrmPreviewPrint::PlaceReportImage() {
  FReport.PlaceReportImage();
}

void TfrmPreviewPrint::LayoutPreviewPage() {
  const TPreviewGeometry g = FReport.PreviewGeometry(lbPreviewTop->fontMetrics().height());
  panPreview->setFixedSize(g.Page);
  lbPreviewTop->setGeometry(g.HeadLine);
  lbPreviewBottom->setGeometry(g.BottomLine);
  ShapePreview->setGeometry(g.PrintableArea);
  ImagePreview->setGeometry(g.Image);
  ShapeRightMargin->setGeometry(g.RightMarginCover);
  ShapeBottomMargin->setGeometry(g.BottomMarginCover);
  ScrollBox->update();
}

bool TfrmPreviewPrint::TBPrintClick() {
  QWidget *owner = isVisible() ? this : parentWidget();
  return ExecutePrintDialog(owner, FReport, FPicture, PdfFileName, ForcePdf);
}

void TfrmPreviewPrint::TBPaperFormatClick() {
  if (TBPaperFormat->text() != ToPortraitCaption) {
    FReport.SetOrientation(true);
    TBPaperFormat->setText(ToPortraitCaption);
  } else {
    FReport.SetOrientation(false);
    TBPaperFormat->setText(QStringLiteral("&Querformat"));
  }
  LayoutPreviewPage();
}

void TfrmPreviewPrint::TBSettingClick() {
  TfrmSetPageProp::Execute(this);
  ReadPageSettings();
  LayoutPreviewPage();
}

void TfrmPreviewPrint::TBHelpClick() {
  HelpJump(QStringLiteral("Grundfunktionen.Seitenansicht"));
}

void TfrmPreviewPrint::TBCloseClick() {
  close();
}

void TfrmPreviewPrint::showEvent(QShowEvent *event) {
  if (!event->spontaneous() && parentWidget())
    setGeometry(parentWidget()->window()->geometry());
  LayoutPreviewPage();
  QDialog::showEvent(event);
}

} // namespace tessaro
