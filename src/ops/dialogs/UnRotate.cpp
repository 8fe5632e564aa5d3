#include "ops/dialogs/UnRotate.h"

#include "document/UnChild.h"
#include "ops/LUMGraphics.h"
#include "ops/dialogs/EditApply.h"
#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/OpPicture.h"
#include "ops/dialogs/TrackEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace tessaro {

TfrmRotate::TfrmRotate(TfrmChild &doc) : TOpDialog(doc, "Frei drehen", "Bearbeiten.Drehen", "RotateBitmap") {
  FGeometric = true;
  Angel = AddTrackRow("Winkel:", 0, 360, 0, "0°");
  TrackBarAngel = Angel->TrackBar;
  EditAngel = Angel->Edit;
  Angel->Format = [](int position) { return QString::number(position) + "°"; };
  Angel->Read = [this](const QString &text, int &position) {
    int v = 0;
    if (!ReadLenientInt(text, v))
      return false;
    position = std::clamp(v, 0, TrackBarAngel->maximum());
    return true;
  };
  Angel->Changed = [this] { TrackBarAngelChange(); };

  auto *point = new QGroupBox("Drehpunkt", this);
  auto *pointRows = new QVBoxLayout(point);
  pointRows->addWidget(new QLabel("Klicke auf das Originalbild, um den Drehpunkt festzulegen\n"
                                  "Verwende -1, damit der Drehpunkt automatisch ermittelt wird",
                                  point));
  auto *xy = new QHBoxLayout;
  EditRPX = new QLineEdit("-1", point);
  EditRPY = new QLineEdit("-1", point);
  EditRPX->setAccessibleName("X:");
  EditRPY->setAccessibleName("Y:");
  xy->addWidget(new QLabel("X:", point));
  xy->addWidget(EditRPX);
  xy->addWidget(new QLabel("Y:", point));
  xy->addWidget(EditRPY);
  pointRows->addLayout(xy);
  Body()->addWidget(point);
  for (QLineEdit *e : {EditRPX, EditRPY}) {
    AddEditApply(new TEditApply(e, [this] {
      TrackBarAngelChange();
      return true;
    }));
  }
  ChBSizePaper = new QCheckBox("Papiergröße anpassen", this);
  ChBSizePaper->setChecked(true);
  Body()->addWidget(ChBSizePaper);
  connect(ChBSizePaper, &QCheckBox::clicked, this, [this] { TrackBarAngelChange(); });

  // The preview takes the size of its picture.
  ImagePreview->setFixedSize(OpPictureBox, OpPictureBox);
  ImageOrig->setCursor(Qt::CrossCursor);
  connect(ImageOrig, &TOpPicture::MouseDown, this,
          [this](Qt::MouseButton, int x, int y) { ImageOrigMouseDown(x, y); });
  BuildReducedCopy();
}

void TfrmRotate::TrackBarAngelChange() {
  if (FBusy)
    return;
  Angel->WriteEdit();
  RefreshPreview();
}

void TfrmRotate::ImageOrigMouseDown(int x, int y) {
  EditRPX->setText(QString::number(int(std::nearbyint(x / FScale))));
  EditRPY->setText(QString::number(int(std::nearbyint(y / FScale))));
  FRotPoint = TPoint(x, y);
  TrackBarAngelChange();
}

void TfrmRotate::PaintPreview(TBitmap &preview) {
  // The preview turns about the last point clicked (in its own
  // coordinates) unless an edit says "-1"; typed numbers count only for OK.
  const float cx = EditRPX->text() != "-1" ? float(FRotPoint.X) : -1.0f;
  const float cy = EditRPY->text() != "-1" ? float(FRotPoint.Y) : -1.0f;
  const bool sizePaper = ChBSizePaper->isChecked();
  RotateBitmap(&preview, sizePaper, PaperColor(), float(TrackBarAngel->value()), cx, cy);
  if (sizePaper && preview.Width() > 0 && preview.Height() > 0) {
    // The enlarged paper shrunk back into the box.
    ResizeBitmap(&preview, sftLinear, PaperColor(), float(double(OpPictureBox) / preview.Width() * 100),
                 float(double(OpPictureBox) / preview.Height() * 100));
  }
  ImagePreview->setFixedSize(std::max(preview.Width(), 1), std::max(preview.Height(), 1));
}

bool TfrmRotate::Settings(TOpArgs &args) {
  int cx = 0, cy = 0;
  if (!ReadLenientInt(EditRPX->text(), cx) || !ReadLenientInt(EditRPY->text(), cy))
    return false;
  args = {OpBool(ChBSizePaper->isChecked()), OpColor(PaperColor()), OpFloat(float(TrackBarAngel->value())),
          OpFloat(float(cx)), OpFloat(float(cy))};
  return true;
}

bool TfrmRotate::AcceptSettings(const TOpArgs &args) {
  if (!args[0].Bool)
    return true;
  const TBitmap &b = Document().Bitmap();
  const int64_t d =
      std::llround(std::sqrt(double(int64_t(b.Width()) * b.Width() + int64_t(b.Height()) * b.Height())));
  return CheckResultSize(d, d);
}

} // namespace tessaro
