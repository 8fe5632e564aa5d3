#include "ops/dialogs/UnSmoothColors.h"

#include "document/UnChild.h"
#include "ops/dialogs/ColorShape.h"
#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/OpPicture.h"
#include "ops/dialogs/TrackEdit.h"
#include "platform/Hints.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace tessaro {

namespace {

// The choice of a combo: the index of its text among its items, or -1 with
// the typed number in value (false after a message when it is none).
bool Choice(const QComboBox *cb, int &index, int &value) {
  index = cb->findText(cb->currentText(), Qt::MatchExactly);
  if (index >= 0)
    return true;
  return ReadLenientInt(cb->currentText(), value);
}

} // namespace

TfrmSmoothColors::TfrmSmoothColors(TfrmChild &doc)
    : TOpDialog(doc, "Farbverlauf", "Effekte.Farbverlauf", "DrawGradient") {
  FGuardOK = TBusyMessage{"Es wird gerade eine Zeichenoperation ausgeführt!\r\r"
                          "Warten Sie ein paar Sekunden und versuchen Sie es dann noch einmal!",
                          mtError};
  // Farben
  auto *colors = new QGroupBox("Farben", this);
  auto *cg = new QGridLayout(colors);
  ShapeStartColor = new TColorShape(clYellow, "Anfangsfarbe:", colors);
  ShapeEndColor = new TColorShape(clAqua, "Endfarbe:", colors);
  SpBtnStartColor = ColorButton(colors, "Farbe wählen");
  SpBtnEndColor = ColorButton(colors, "Farbe wählen");
  int row = 0;
  for (auto [label, shape, button] : {std::tuple{"Anfangsfarbe:", ShapeStartColor, SpBtnStartColor},
                                      std::tuple{"Endfarbe:", ShapeEndColor, SpBtnEndColor}}) {
    SetHint(shape, "Klicke, um eine Farbe zu wählen");
    shape->setAccessibleName(label);
    cg->addWidget(new QLabel(label, colors), row, 0);
    cg->addWidget(shape, row, 1);
    cg->addWidget(button, row, 2);
    connect(shape, &TColorShape::MouseDown, this, [this, shape] { EditFieldColor(shape); });
    connect(button, &QToolButton::clicked, this, [this, shape] { EditFieldColor(shape); });
    ++row;
  }
  Body()->addWidget(colors);

  // Transparenz
  Transp = AddTrackRow("Transparenz:", 0, 100, 0, "0 %");
  TrackBarTransp = Transp->TrackBar;
  EditTransp = Transp->Edit;
  Transp->Format = [](int position) { return QString::number(position) + " %"; };
  Transp->Read = [](const QString &text, int &position) {
    int v = 0;
    if (!ReadLenientInt(text, v))
      return false;
    position = v >= 0 && v <= 100 ? v : 0;
    return true;
  };
  Transp->Changed = [this] { TrackBarTranspChange(); };

  // Ausrichtung, Größe und Position
  auto *place = new QGroupBox("Ausrichtung, Größe und Position", this);
  auto *pg = new QGridLayout(place);
  CBOrient = MakeList(place, "Richtung:", {"Vertikal", "Horizontal"}, false);
  CBHeight = MakeList(place, "Höhe:", {"Ganze Höhe", "Auto"}, true);
  CBWidth = MakeList(place, "Breite:", {"Auto", "Ganze Breite"}, true);
  CBXPos = MakeList(place, "X Position:", {"Links", "Mitte", "Rechts"}, true);
  CBYPos = MakeList(place, "Y Position:", {"Oben", "Mitte", "Unten"}, true);
  row = 0;
  for (QComboBox *cb : {CBOrient, CBHeight, CBWidth, CBXPos, CBYPos}) {
    pg->addWidget(new QLabel(cb->accessibleName(), place), row, 0);
    pg->addWidget(cb, row, 1);
    ++row;
  }
  pg->addWidget(new QLabel("Klicke auf das Originalbild, um eine Position zu wählen", place), row, 0, 1, 2);
  Body()->addWidget(place);
  CBOrient->setCurrentIndex(0);
  connect(CBOrient, &QComboBox::currentIndexChanged, this, [this] { RefreshPreview(); });
  for (QComboBox *cb : {CBHeight, CBWidth, CBXPos, CBYPos})
    connect(cb, &QComboBox::currentTextChanged, this, [this] { RefreshPreview(); });

  ImageOrig->setCursor(Qt::CrossCursor);
  connect(ImageOrig, &TOpPicture::MouseDown, this,
          [this](Qt::MouseButton, int x, int y) { ImageOrigMouseDown(x, y); });
  FBusy = true;
  BuildReducedCopy();
  UpdatePreview();
  FBusy = false;
}

bool TfrmSmoothColors::PaintGradientArgs(int w, int h, float scale, TOpArgs &args) {
  int wi = 0, wv = 0, hi = 0, hv = 0, xi = 0, xv = 0, yi = 0, yv = 0;
  if (!Choice(CBWidth, wi, wv) || !Choice(CBHeight, hi, hv) || !Choice(CBXPos, xi, xv) ||
      !Choice(CBYPos, yi, yv))
    return false;
  // A typed size is image pixels at the target's scale, at least one
  // pixel (negative sizes count as none).
  auto typedSize = [scale](int v) { return std::max(int(std::trunc(scale * float(v))), 1); };
  const int gw = wi == 0 ? w / 10 : (wi == 1 ? w : typedSize(wv));
  const int gh = hi == 0 ? h : (hi == 1 ? h / 10 : typedSize(hv));
  auto pos = [scale](int index, int typed, int size, int g) {
    if (index == 0)
      return 0;
    if (index == 1)
      return (size - g) / 2;
    if (index == 2)
      return size - g;
    return int(std::trunc(scale * float(typed)));
  };
  const int x = pos(xi, xv, w, gw), y = pos(yi, yv, h, gh);
  const int orientation = CBOrient->currentIndex() == 1 ? 0 : 1;
  args = {OpColor(ShapeStartColor->Color()),
          OpColor(ShapeEndColor->Color()),
          OpInt(orientation),
          OpInt(gw),
          OpInt(gh),
          OpInt(x),
          OpInt(y),
          OpInt(TrackBarTransp->value())};
  return true;
}

void TfrmSmoothColors::PaintPreview(TBitmap &preview) {
  TOpArgs args;
  if (PaintGradientArgs(preview.Width(), preview.Height(), FScale, args))
    RunImageOp(preview, Op(), args);
}

bool TfrmSmoothColors::Settings(TOpArgs &args) {
  const TBitmap &b = Document().Bitmap();
  return PaintGradientArgs(b.Width(), b.Height(), 1, args);
}

void TfrmSmoothColors::TrackBarTranspChange() {
  if (FBusy)
    return;
  FBusy = true;
  Transp->WriteEdit();
  UpdatePreview();
  FBusy = false;
}

void TfrmSmoothColors::EditFieldColor(TColorShape *field) {
  if (FBusy)
    return;
  TColor c = field->Color();
  if (!ChooseColor(c))
    return;
  field->SetColor(c);
  RefreshPreview();
}

void TfrmSmoothColors::ImageOrigMouseDown(int x, int y) {
  {
    const QSignalBlocker bx(CBXPos), by(CBYPos);
    CBXPos->setEditText(QString::number(int(std::trunc(x / FScale))));
    CBYPos->setEditText(QString::number(int(std::trunc(y / FScale))));
  }
  RefreshPreview();
}

} // namespace tessaro
