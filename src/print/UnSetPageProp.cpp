#include "print/UnSetPageProp.h"

#include "platform/HelpJump.h"
#include "platform/MessageDlg.h"
#include "print/PageSetupSettings.h"
#include "print/PageShape.h"
#include "print/PaperSizes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <array>
#include <optional>

namespace tessaro {

namespace {

const QString DateTimePlaceholderText = QStringLiteral("[&DateTime]");

// The picture of the date button: a small clock face.
QIcon ClockIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 110), 1.2));
  p.setBrush(QColor(250, 250, 235));
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(QPen(Qt::black, 1.4));
  p.drawLine(QPointF(8, 8), QPointF(8, 4));
  p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
  return QIcon(pixmap);
}

QLabel *MakeLabel(const QString &text, QWidget *parent, int x, int y) {
  auto *label = new QLabel(text, parent);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QLineEdit *MakeMarginEdit(const QString &hint, QWidget *parent) {
  auto *edit = new QLineEdit(parent);
  edit->setToolTip(hint);
  edit->setAccessibleName(hint);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

// An edit that fills the blanks of a label such as "Oben:           cm".
void PlaceInLabelGap(QLineEdit *edit, const QLabel *label, const QString &head) {
  const QFontMetrics fm(label->font());
  const QString text = label->text();
  const int gapStart = fm.horizontalAdvance(head);
  const int gapEnd = fm.horizontalAdvance(text.left(text.lastIndexOf(QLatin1Char(' ')) + 1));
  const int x = label->x() + gapStart + 3;
  const int w = std::max(36, gapEnd - gapStart - 6);
  const int h = 21;
  edit->setGeometry(x, label->y() + (label->height() - h) / 2, w, h);
}

QRadioButton *MakeRadio(const QString &text, QWidget *parent, int x, int y) {
  auto *radio = new QRadioButton(text, parent);
  radio->move(x, y);
  radio->adjustSize();
  return radio;
}

} // namespace

TfrmSetPageProp::TfrmSetPageProp(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Seite einrichten"));
  CreateControls();
  setFixedSize(391, 343);
  FormCreate();
}

bool TfrmSetPageProp::Execute(QWidget *parent) {
  TfrmSetPageProp dialog(parent);
  return dialog.exec() == QDialog::Accepted;
}

void TfrmSetPageProp::CreateControls() {
  GroupMargins = new QGroupBox(QStringLiteral("Rand"), this);
  GroupMargins->setGeometry(8, 4, 193, 198);
  Shape1 = new TPageShape(GroupMargins);
  Shape1->setGeometry(62, 54, 69, 96);
  Shape3 = new TPageShape(GroupMargins);
  Shape3->setGeometry(70, 62, 53, 80);
  Shape3->SetPen(Qt::gray, Qt::DotLine);
  Shape3->SetBrush(Qt::white, Qt::NoBrush);
  QLabel *lbTop = MakeLabel(QStringLiteral("Oben:           cm"), GroupMargins, 40, 26);
  EditMargTop = MakeMarginEdit(QStringLiteral("Oberer Rand in cm"), GroupMargins);
  PlaceInLabelGap(EditMargTop, lbTop, QStringLiteral("Oben:"));
  MakeLabel(QStringLiteral("Links"), GroupMargins, 8, 80);
  EditMargLeft = MakeMarginEdit(QStringLiteral("Linker Rand in cm"), GroupMargins);
  EditMargLeft->setGeometry(8, 96, 46, 21);
  MakeLabel(QStringLiteral("cm"), GroupMargins, 8, 120);
  MakeLabel(QStringLiteral("Rechts"), GroupMargins, 139, 80);
  EditMargRight = MakeMarginEdit(QStringLiteral("Rechter Rand in cm"), GroupMargins);
  EditMargRight->setGeometry(139, 96, 46, 21);
  MakeLabel(QStringLiteral("cm"), GroupMargins, 139, 120);
  QLabel *lbBottom = MakeLabel(QStringLiteral("Unten:          cm"), GroupMargins, 40, 166);
  EditMargBottom = MakeMarginEdit(QStringLiteral("Unterer Rand in cm"), GroupMargins);
  PlaceInLabelGap(EditMargBottom, lbBottom, QStringLiteral("Unten:"));

  GroupPaper = new QGroupBox(QStringLiteral("Papierformat"), this);
  GroupPaper->setGeometry(209, 4, 174, 122);
  MakeLabel(QStringLiteral("Format:"), GroupPaper, 8, 20);
  CBPaperFormat = new QComboBox(GroupPaper);
  CBPaperFormat->setGeometry(8, 36, 158, 22);
  CBPaperFormat->addItems(PaperFormatCaptions());
  CBPaperFormat->setToolTip(QStringLiteral("Papierformat"));
  CBPaperFormat->setAccessibleName(QStringLiteral("Papierformat"));
  ShapeOrient = new TPageShape(GroupPaper);
  ShapeOrient->setGeometry(PortraitSketch);
  RBPortrait = MakeRadio(QStringLiteral("Hochformat"), GroupPaper, 76, 68);
  RBLandscape = MakeRadio(QStringLiteral("Querformat"), GroupPaper, 76, 92);
  RBPortrait->setChecked(true);

  GroupImage = new QGroupBox(QStringLiteral("Bild"), this);
  GroupImage->setGeometry(209, 130, 174, 72);
  RBSizeOriginal = MakeRadio(QStringLiteral("Originalgröße"), GroupImage, 12, 22);
  RBSizeResize = MakeRadio(QStringLiteral("Einpassen"), GroupImage, 12, 44);
  RBSizeResize->setToolTip(QStringLiteral("Bild auf Seite einpassen"));
  RBSizeOriginal->setChecked(true);

  GroupHeadFoot = new QGroupBox(QStringLiteral("Kopf- und Fußzeile"), this);
  GroupHeadFoot->setGeometry(8, 206, 375, 92);
  TBDateTime = new QToolButton(GroupHeadFoot);
  TBDateTime->setGeometry(8, 38, 25, 25);
  TBDateTime->setIcon(ClockIcon());
  TBDateTime->setFocusPolicy(Qt::NoFocus);
  TBDateTime->setToolTip(QStringLiteral("Datum und Uhrzeit einfügen"));
  TBDateTime->setAccessibleName(QStringLiteral("Datum und Uhrzeit einfügen"));
  QLabel *lbHead = MakeLabel(QStringLiteral("Kopfzeile:"), GroupHeadFoot, 42, 26);
  EditHeadLine = new QLineEdit(GroupHeadFoot);
  EditHeadLine->setGeometry(108, 22, 259, 22);
  EditHeadLine->setAccessibleName(QStringLiteral("Kopfzeile:"));
  lbHead->setBuddy(EditHeadLine);
  QLabel *lbFoot = MakeLabel(QStringLiteral("Fußzeile:"), GroupHeadFoot, 42, 58);
  EditBottomLine = new QLineEdit(GroupHeadFoot);
  EditBottomLine->setGeometry(108, 54, 259, 22);
  EditBottomLine->setAccessibleName(QStringLiteral("Fußzeile:"));
  lbFoot->setBuddy(EditBottomLine);

  BitBtnHelp = new QPushButton(QStringLiteral("&Hilfe"), this);
  BitBtnHelp->setGeometry(8, 310, 89, 25);
  BitBtnOK = new QPushButton(QStringLiteral("&OK"), this);
  BitBtnOK->setGeometry(198, 310, 89, 25);
  BitBtnOK->setDefault(true);
  BitBtnCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
  BitBtnCancel->setGeometry(294, 310, 89, 25);

  connect(RBPortrait, &QRadioButton::toggled, this, [this](bool on) {
    if (on)
      RBPortraitClick();
  });
  connect(RBLandscape, &QRadioButton::toggled, this, [this](bool on) {
    if (on)
      RBLandscapeClick();
  });
  connect(TBDateTime, &QToolButton::clicked, this, &TfrmSetPageProp::TBDateTimeClick);
  connect(BitBtnOK, &QPushButton::clicked, this, &TfrmSetPageProp::BitBtnOKClick);
  connect(BitBtnCancel, &QPushButton::clicked, this, &TfrmSetPageProp::BitBtnCancelClick);
  connect(BitBtnHelp, &QPushButton::clicked, this, &TfrmSetPageProp::BitBtnHelpClick);
}

void TfrmSetPageProp::FormCreate() {
  EditMargTop->setText(CentimetresToStr(0.5));
  EditMargLeft->setText(CentimetresToStr(1.5));
  EditMargBottom->setText(CentimetresToStr(0.5));
  EditMargRight->setText(CentimetresToStr(1.5));
  CBPaperFormat->setCurrentIndex(int(TQRPaperSize::A4));
  const TStoredPageSetup stored = ReadPageSetup();
  const auto margin = [](QLineEdit *edit, const std::optional<double> &value) {
    if (value)
      edit->setText(CentimetresToStr(*value));
  };
  margin(EditMargTop, stored.MarginTop);
  margin(EditMargLeft, stored.MarginLeft);
  margin(EditMargBottom, stored.MarginBottom);
  margin(EditMargRight, stored.MarginRight);
  if (stored.PaperFormat)
    CBPaperFormat->setCurrentIndex(*stored.PaperFormat);
  if (stored.Landscape && *stored.Landscape)
    RBLandscape->setChecked(true);
  if (stored.ResizeImage && *stored.ResizeImage)
    RBSizeResize->setChecked(true);
  if (stored.Headline)
    EditHeadLine->setText(*stored.Headline);
  if (stored.Bottomline)
    EditBottomLine->setText(*stored.Bottomline);
}

void TfrmSetPageProp::RBPortraitClick() {
  ShapeOrient->setGeometry(PortraitSketch);
}

void TfrmSetPageProp::RBLandscapeClick() {
  ShapeOrient->setGeometry(LandscapeSketch);
}

void TfrmSetPageProp::TBDateTimeClick() {
  for (QLineEdit *edit : {EditHeadLine, EditBottomLine})
    if (edit->hasFocus())
      edit->insert(DateTimePlaceholderText);
}

void TfrmSetPageProp::BitBtnOKClick() {
  const std::array<QLineEdit *, 4> edits = {EditMargTop, EditMargLeft, EditMargBottom, EditMargRight};
  std::array<double, 4> margins{};
  for (size_t i = 0; i < edits.size(); ++i) {
    QString error;
    const std::optional<double> value = StrToCentimetres(edits[i]->text(), &error);
    if (!value) {
      MessageDlg(error, mtError, mbOK);
      edits[i]->setFocus();
      edits[i]->selectAll();
      return;
    }
    margins[i] = *value;
  }
  TPageSetup setup;
  setup.MarginTop = margins[0];
  setup.MarginLeft = margins[1];
  setup.MarginBottom = margins[2];
  setup.MarginRight = margins[3];
  setup.PaperFormat = std::max(0, CBPaperFormat->currentIndex());
  setup.Landscape = RBLandscape->isChecked();
  setup.ResizeImage = RBSizeResize->isChecked();
  setup.Headline = EditHeadLine->text();
  setup.Bottomline = EditBottomLine->text();
  WritePageSetup(setup);
  accept();
}

void TfrmSetPageProp::BitBtnCancelClick() {
  reject();
}

void TfrmSetPageProp::BitBtnHelpClick() {
  HelpJump(QStringLiteral("Grundfunktionen.Seiteeinrichten"));
}

} // namespace tessaro
