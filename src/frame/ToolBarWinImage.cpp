// "Bewegliche Objekte" and "Transparenz": the bars of the current floating
// image.
#include "document/objects/CombineTypes.h"
#include "frame/OptionToolBars.h"
#include "frame/ToolPictures.h"
#include "frame/UpDown.h"
#include "platform/Hints.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

void TToolBarWinImage::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Bewegliche Objekte", "ToolBarWinImage");
  auto edit = [this](const QString &label, const QString &hint, int min, int max, QLabel *&lb,
                     TUpDown *&upDown) {
    lb = MakeLabel(Bar, label);
    QLineEdit *e = MakeNumberEdit(Bar, hint, min, max, 0, upDown);
    lb->setBuddy(e);
    return e;
  };
  EditWinImgX = edit("X: ", "X Position in Pixel", -9999, 9999, lbWinImgX, UpDownWinImgXPos);
  EditWinImgY = edit(" Y: ", "Y Position in Pixel", 0, 10000, lbWinImgY, UpDownWinImgYPos);
  EditWinImgWidth = edit(" Breite: ", "Breite", -9999, 9999, lbWinImgWidth, UpDownWinImgYWidth);
  EditWinImgHeight = edit(" Höhe: ", "Höhe", -9999, 9999, lbWinImgHeight, UpDownWinImgYHeigth);
  Bar->addSeparator();

  lbWinImagComineType = MakeLabel(Bar, "Kombinationsart: ");
  CBWinImagComineType = new QComboBox(Bar);
  for (const TCombineType &type : CombineTypes())
    CBWinImagComineType->addItem(QString::fromUtf8(type.Caption));
  CBWinImagComineType->setCurrentIndex(0);
  SetHint(CBWinImagComineType, "Art, wie das Bild mit dem Hintergund verbunden wird.");
  Bar->addWidget(CBWinImagComineType);
  lbWinImagComineType->setBuddy(CBWinImagComineType);

  SpBtnWinImgCombine = new QToolButton(Bar);
  SpBtnWinImgCombine->setText("Mit Hintergrund kombinieren");
  SpBtnWinImgCombine->setAutoRaise(true);
  SetHint(SpBtnWinImgCombine, "Bild mit Hintergrund kombinieren");
  Bar->addWidget(SpBtnWinImgCombine);
}

void TToolBarTransp::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Transparenz", "ToolBarTransp");
  TrackBarWinImgTransp = new QSlider(Qt::Horizontal, Bar);
  TrackBarWinImgTransp->setRange(0, 100);
  TrackBarWinImgTransp->setTickInterval(10);
  TrackBarWinImgTransp->setTickPosition(QSlider::TicksBelow);
  TrackBarWinImgTransp->setPageStep(10);
  TrackBarWinImgTransp->setValue(0);
  TrackBarWinImgTransp->setFixedWidth(150);
  SetHint(TrackBarWinImgTransp, "Überlenden");
  Bar->addWidget(TrackBarWinImgTransp);

  EditWinImgTransp = new QLineEdit("0", Bar);
  // Room for three digits.
  EditWinImgTransp->setFixedWidth(EditWinImgTransp->fontMetrics().horizontalAdvance("000") + 8);
  SetHint(EditWinImgTransp, "Überblenden Wert");
  Bar->addWidget(EditWinImgTransp);
  Bar->addSeparator();

  TBWinImgTransp =
      MakeCheckButton(Bar, "Bild transparent darstellen", SmallPicture(TSmallPicture::SeeThrough));
  lbWinImgTransp = MakeLabel(Bar, "Transparente Farbe: ");
  ClPickCBWinImgTransp = MakePicker(Bar, clWhite, "Transparenz Farbe des Bildes", "&Weitere Fraben...");
  lbWinImgTransp->setBuddy(ClPickCBWinImgTransp);
}

} // namespace tessaro
