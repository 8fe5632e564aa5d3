#include "files/dialogs/UnJPEGCompression.h"

#include "core/Bitmap.h"
#include "files/dialogs/SavePicture.h"
#include "platform/Beep.h"
#include "platform/DialogButtons.h"
#include "platform/Hints.h"
#include "platform/MessageDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace tessaro {

TfrmJPEGCompression::TfrmJPEGCompression(QWidget *parent) : QDialog(parent) {
  setObjectName("frmJPEGCompression");
  setWindowTitle("JPEG Speichern");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  GroupBox2 = new QGroupBox("Progressive Encoding", this);
  ChBProgressive = new QCheckBox("Progressiv", GroupBox2);
  SetHint(ChBProgressive, "Bild Progressiv encoden");
  ChBProgressive->setAccessibleName("Progressiv");
  Label1 =
      new QLabel("Mit Progressiv wird das JPEG so gespeichert,\ndass es beim Dekomprimieren schrittweise\n"
                 "angezeigt wird.",
                 GroupBox2);
  auto *progressive = new QHBoxLayout(GroupBox2);
  progressive->addWidget(ChBProgressive, 0, Qt::AlignTop);
  progressive->addWidget(Label1, 1);

  GroupBox1 = new QGroupBox("JPEG Kompression", this);
  TrackBarQual = new QSlider(Qt::Horizontal, GroupBox1);
  TrackBarQual->setRange(0, 100);
  TrackBarQual->setTickInterval(5);
  TrackBarQual->setTickPosition(QSlider::TicksBelow);
  TrackBarQual->setPageStep(5);
  TrackBarQual->setAccessibleName("JPEG Kompression");
  lbQual = new QLabel(GroupBox1);
  lbQual->setMinimumWidth(lbQual->fontMetrics().horizontalAdvance("100 %") + 4);
  lbQual->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2 = new QLabel("Hohe Qualität\n(Große Datei)", GroupBox1);
  Label3 = new QLabel("Niedrige Qualität\n(Kleine Datei)", GroupBox1);
  Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
  auto *quality = new QVBoxLayout(GroupBox1);
  auto *bar = new QHBoxLayout;
  bar->addWidget(TrackBarQual, 1);
  bar->addWidget(lbQual);
  quality->addLayout(bar);
  auto *ends = new QHBoxLayout;
  ends->addWidget(Label2, 0, Qt::AlignTop);
  ends->addStretch(1);
  ends->addWidget(Label3, 0, Qt::AlignTop);
  quality->addLayout(ends);

  BitBtnSave = MakeDialogButton("&Speichern", "Speichert das Bild", Qt::blue, true, this);
  BitBtnSave->setDefault(true);
  BitBtnCancel = MakeDialogButton("&Abbrechen", "Abbrechen", Qt::red, false, this);

  auto *column = new QVBoxLayout(this);
  column->addWidget(GroupBox2);
  column->addWidget(GroupBox1);
  column->addLayout(DialogButtonRow({BitBtnSave, BitBtnCancel}));

  connect(TrackBarQual, &QSlider::valueChanged, this, [this] { TrackBarQualChange(); });
  connect(BitBtnSave, &QPushButton::clicked, this, [this] { BitBtnSaveClick(); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { BitBtnCancelClick(); });
  TrackBarQual->setValue(10);
  TrackBarQualChange();

  // A fixed dialog of its own size, at least the classic 284 x 221.
  adjustSize();
  setFixedSize(sizeHint().expandedTo(QSize(284, 221)));
}

int TfrmJPEGCompression::Quality() const {
  return 100 - TrackBarQual->value();
}

void TfrmJPEGCompression::TrackBarQualChange() {
  const QString text = QString::number(TrackBarQual->value()) + " %";
  lbQual->setText(text);
  SetHint(TrackBarQual, text);
}

bool TfrmJPEGCompression::BitBtnSaveClick() {
  const bool progressive = ChBProgressive->isChecked();
  if (MergeFloatingObjects && !MergeFloatingObjects()) {
    Beep();
    MessageDlg(QString("Das Bild wurde nicht gespeichert!"), mtWarning, mbOK);
    reject();
    return false;
  }
  // The writer takes 8- and 24-bit rasters; any other is written through a
  // 24-bit copy, so the document keeps its own pixels (a 32-bit raster its
  // fourth byte).
  const TPixelFormat pf = Bitmap && Bitmap->PixelFormat() == pf8bit ? pf8bit : pf24bit;
  if (!Bitmap) {
    SaveFailedMessage();
    return false;
  }
  if (!WritePictureFile(*Bitmap, pf, FileName, Quality(), progressive))
    return false;
  if (OnSaved)
    OnSaved(FileName);
  accept();
  return true;
}

void TfrmJPEGCompression::BitBtnCancelClick() {
  reject();
}

} // namespace tessaro
