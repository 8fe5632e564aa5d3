#include "ops/dialogs/UnFrostedGlass.h"

#include "ops/dialogs/ColorShape.h"
#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/TrackEdit.h"
#include "platform/Hints.h"

#include <QLineEdit>
#include <QToolButton>

#include <cmath>

namespace tessaro {

uint8_t TfrmFrostedGlass::Amount(int position) {
  return uint8_t(std::trunc(255 - position * 2.55));
}

TfrmFrostedGlass::TfrmFrostedGlass(TfrmChild &doc)
    : TOpDialog(doc, "Milchglaseffekt", "Effekte.Milchglaseffekt", "FogBitmap") {
  FG = AddTrackRow("Nebel:", 0, 100, 0, "0 %");
  TrackBarFG = FG->TrackBar;
  EditFG = FG->Edit;
  FG->Format = [](int position) { return QString::number(position) + " %"; };
  FG->Read = [](const QString &text, int &position) {
    int v = 0;
    if (!ReadLenientInt(text, v))
      return false;
    position = v >= 0 && v <= 100 ? v : 0;
    return true;
  };
  FG->Changed = [this] { TrackBarFGChange(); };
  ShapeColor = new TColorShape(clWhite, "Nebelfarbe wählen", this);
  SetHint(ShapeColor, "Nebelfarbe wählen");
  SpBtnColor = ColorButton(this, "Nebelfarbe wählen");
  AddRow("Farbe:", {ShapeColor, SpBtnColor});
  connect(ShapeColor, &TColorShape::MouseDown, this, [this] { EditColor(); });
  connect(SpBtnColor, &QToolButton::clicked, this, [this] { EditColor(); });
  FBusy = true;
  BuildReducedCopy();
  FBusy = false;
}

void TfrmFrostedGlass::TrackBarFGChange() {
  if (FBusy)
    return;
  FG->WriteEdit();
  RefreshPreview();
}

void TfrmFrostedGlass::EditColor() {
  // A preview in progress works on the picture a new one would replace.
  if (FBusy)
    return;
  TColor c = ShapeColor->Color();
  if (!ChooseColor(c))
    return;
  ShapeColor->SetColor(c);
  FBusy = true;
  UpdatePreview();
  FBusy = false;
}

bool TfrmFrostedGlass::Settings(TOpArgs &args) {
  args = {OpColor(ShapeColor->Color()), OpInt(Amount(FG->Position()))};
  return true;
}

} // namespace tessaro
