#include "ops/dialogs/UnReplaceColors.h"

#include "ops/dialogs/ColorShape.h"
#include "ops/dialogs/OpPicture.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessaro {

TfrmReplaceColors::TfrmReplaceColors(TfrmChild &doc)
    : TOpDialog(doc, "Farben ersetzen", "Bearbeiten.Farbenersetzen", "ReplaceColor") {
  FDisableOK = true;
  auto *group = new QGroupBox("Ersetzungsfarben", this);
  auto *rows = new QVBoxLayout(group);
  const QString oldText = "Alte Farbe (Linksklick auf Originalbild, um eine Farbe zu wählen):";
  const QString newText = "Ersetzen durch (Rechtsklick auf Originalbild):";
  ShapeOldCl = new TColorShape(clWhite, "Alte Farbe", group);
  ShapeNewCl = new TColorShape(clWhite, "Ersetzen durch", group);
  SpBtnNewCl = ColorButton(group, "Alte Farbe wählen");
  SpBtnOldColor = ColorButton(group, "Neue Farbe wählen");
  auto addField = [&](const QString &label, TColorShape *shape, QToolButton *button) {
    rows->addWidget(new QLabel(label, group));
    auto *row = new QHBoxLayout;
    row->addWidget(shape);
    row->addWidget(button);
    row->addStretch();
    rows->addLayout(row);
  };
  addField(oldText, ShapeOldCl, SpBtnNewCl);
  addField(newText, ShapeNewCl, SpBtnOldColor);
  Body()->addWidget(group);

  for (TColorShape *field : {ShapeOldCl, ShapeNewCl}) {
    connect(field, &TColorShape::MouseDown, this, [this, field](Qt::MouseButton b) {
      if (b == Qt::LeftButton)
        EditFieldColor(field);
    });
  }
  connect(SpBtnNewCl, &QToolButton::clicked, this, [this] { EditFieldColor(ShapeOldCl); });
  connect(SpBtnOldColor, &QToolButton::clicked, this, [this] { EditFieldColor(ShapeNewCl); });
  ImageOrig->setCursor(Qt::CrossCursor);
  connect(ImageOrig, &TOpPicture::MouseDown, this,
          [this](Qt::MouseButton b, int x, int y) { ImageOrigMouseDown(b, x, y); });
  BuildReducedCopy();
}

void TfrmReplaceColors::ImageOrigMouseDown(Qt::MouseButton button, int x, int y) {
  // The box can be larger than the reduced copy: presses beside it pick
  // nothing.
  const TBitmap &orig = ReducedCopy();
  if (x < 0 || y < 0 || x >= orig.Width() || y >= orig.Height())
    return;
  const TColor c = orig.GetPixel(x, y);
  if (button == Qt::LeftButton)
    ShapeOldCl->SetColor(c);
  else if (button == Qt::RightButton)
    ShapeNewCl->SetColor(c);
  UpdatePreview();
}

void TfrmReplaceColors::EditFieldColor(TColorShape *field) {
  TColor c = field->Color();
  if (!ChooseColor(c))
    return;
  field->SetColor(c);
  UpdatePreview();
}

bool TfrmReplaceColors::Settings(TOpArgs &args) {
  args = {OpColor(ShapeOldCl->Color()), OpColor(ShapeNewCl->Color())};
  return true;
}

} // namespace tessaro
