#include "ops/dialogs/UnBlur.h"

#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/TrackEdit.h"

namespace tessaro {

TfrmBlur::TfrmBlur(TfrmChild &doc) : TOpDialog(doc, "Unschärfe", "Effekte.Unschärfe", "BlurBitmap") {
  FGuardOK = TBusyMessage{"Es wird gerade noch eine Zeichenoperation ausgeführt!\r\r"
                          "Bitte warten Sie ein paar Sekunden und versuchen Sie es noch einmal!",
                          mtWarning};
  FDisableOK = true;
  Blur = AddTrackRow("Unschärfe:", 1, 990, 1, "1");
  TrackBarBlur = Blur->TrackBar;
  EditBlur = Blur->Edit;
  Blur->Format = [](int position) { return QString::number(position); };
  Blur->Read = [](const QString &text, int &position) {
    int v = 0;
    if (!ReadLenientInt(text, v))
      return false;
    position = v < 1 || v > 990 ? 1 : v;
    return true;
  };
  Blur->Changed = [this] { TrackBarBlurChange(); };
  FBusy = true;
  BuildReducedCopy();
  UpdatePreview();
  FBusy = false;
}

void TfrmBlur::TrackBarBlurChange() {
  TrackChanged(*Blur, true);
}

void TfrmBlur::PaintPreview(TBitmap &preview) {
  TOpArgs args = {OpFloat(float(Blur->Position()) / 10)};
  RunImageOp(preview, Op(), args);
}

bool TfrmBlur::Settings(TOpArgs &args) {
  args = {OpFloat(float(Blur->Position() / 10))};
  return true;
}

} // namespace tessaro
