#include "document/UnNewImage.h"

#include "controls/ColorPickCombo.h"
#include "core/Canvas.h"
#include "core/Lenient.h"
#include "document/DocumentHost.h"
#include "document/UnChild.h"
#include "platform/Beep.h"
#include "platform/HelpJump.h"
#include "platform/Hints.h"
#include "platform/MessageDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaro {

namespace {

// A label that names its control for screen readers.
QLabel *Labelled(QWidget *parent, const QString &caption, QWidget *control) {
  auto *label = new QLabel(caption, parent);
  label->setBuddy(control);
  if (control->accessibleName().isEmpty())
    control->setAccessibleName(QString(caption).remove(':'));
  return label;
}

} // namespace

TfrmNewImage::TfrmNewImage(TDocumentHost &host, QWidget *parent) : QDialog(parent), FHost(host) {
  setObjectName("frmNewImage");
  setWindowTitle("Neues Bild");
  setModal(true);

  CBSize = new QComboBox(this);
  CBSize->addItems({"DIN A3 Hochformat", "DIN A3 Querformat", "DIN A4 Hochformat", "DIN A4 Querformat",
                    "DIN A5 Hochformat", "DIN A5 Querformat"});
  CBSize->setCurrentIndex(-1);
  EditHeight = new QLineEdit("300", this);
  EditHeight->setMaxLength(5);
  EditWidth = new QLineEdit("400", this);
  EditWidth->setMaxLength(5);
  CBPixelFormat = new QComboBox(this);
  CBPixelFormat->addItems({"  1-bit (    2 Farben)", "  4-bit (  16 Farben)", "  8-bit (256 Farben)",
                           "15-bit", "24-bit", "32-bit"});
  CBPixelFormat->setCurrentIndex(4);
  ClPickCBPaperColor = new TColorPickCombo(this);
  ClPickCBPaperColor->SetActiveColor(clWhite);
  SetHint(ClPickCBPaperColor, "Papierfarbe");
  BitBtnOK = new QPushButton("&OK", this);
  BitBtnOK->setDefault(true);
  BitBtnCancel = new QPushButton("&Abbrechen", this);
  BitBtnHelp = new QPushButton("&Hilfe", this);

  auto *grid = new QGridLayout;
  grid->addWidget(Labelled(this, "Größe:", CBSize), 0, 0);
  grid->addWidget(CBSize, 0, 1, 1, 2);
  grid->addWidget(Labelled(this, "Breite:", EditWidth), 1, 0);
  grid->addWidget(EditWidth, 1, 1);
  grid->addWidget(new QLabel("Pixel", this), 1, 2);
  grid->addWidget(Labelled(this, "Höhe:", EditHeight), 2, 0);
  grid->addWidget(EditHeight, 2, 1);
  grid->addWidget(new QLabel("Pixel", this), 2, 2);
  grid->addWidget(Labelled(this, "Bildart:", CBPixelFormat), 3, 0);
  grid->addWidget(CBPixelFormat, 3, 1, 1, 2);
  grid->addWidget(Labelled(this, "Papierfarbe:", ClPickCBPaperColor), 4, 0);
  grid->addWidget(ClPickCBPaperColor, 4, 1, 1, 2);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);
  buttons->addWidget(BitBtnHelp);
  auto *top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addLayout(buttons);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  connect(CBSize, &QComboBox::currentIndexChanged, this, [this] { CBSizeChange(); });
  connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(BitBtnHelp, &QPushButton::clicked, this, [] { HelpJump("Grundfunktionen.NeuesBildanlegen"); });
}

void TfrmNewImage::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  // Centred on the desktop, not on the frame.
  if (const QScreen *scr = screen()) {
    QRect r = frameGeometry();
    r.moveCenter(scr->availableGeometry().center());
    move(r.topLeft());
  }
}

void TfrmNewImage::CBSizeChange() {
  const int i = CBSize->currentIndex();
  if (i < 0 || i >= 6)
    return;
  EditWidth->setText(QString::number(SizeTable[i][0]));
  EditHeight->setText(QString::number(SizeTable[i][1]));
}

void TfrmNewImage::PaintNewRaster(TBitmap &bmp, int width, int height, TPixelFormat pf, TColor paper) {
  // Made directly in its format: a big 1-bit image never needs the memory
  // of a 24-bit one on the way.
  bmp.Allocate(width, height, pf);
  TCanvas &c = bmp.Canvas();
  c.Pen.Color = paper;
  c.Brush.Color = paper;
  c.Rectangle(c.ClipRect());
}

TfrmChild *TfrmNewImage::BitBtnOKClick() {
  int w = 0, h = 0;
  std::string err;
  if (!TryLenientStrToInt(EditWidth->text().toStdString(), w, &err) ||
      !TryLenientStrToInt(EditHeight->text().toStdString(), h, &err)) {
    Beep();
    MessageDlg(err, mtError, mbOK);
    return nullptr;
  }
  w = std::max(w, 10);
  h = std::max(h, 10);
  const int fi = std::clamp(CBPixelFormat->currentIndex(), 0, 5);
  const TColor paper = ClPickCBPaperColor->ActiveColor();
  TfrmChild *child = FHost.CreateNewImage(w, h, FormatTable[fi], paper);
  if (child)
    accept();
  return child;
}

} // namespace tessaro
