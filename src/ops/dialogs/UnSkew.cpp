#include "ops/dialogs/UnSkew.h"

#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/TrackEdit.h"

#include <algorithm>
#include <cmath>

namespace tessaro {

TfrmSkew::TfrmSkew(TfrmChild &doc)
    : TOpDialog(doc, "Bild verzerren", "Bearbeiten.Bildverzerren", "SkewBitmap") {
  X = AddTrackRow("X-Wert:", 0, 4000, 2000, "0,000");
  Y = AddTrackRow("Y-Wert:", 0, 4000, 2000, "0,000");
  TrackBarX = X->TrackBar;
  TrackBarY = Y->TrackBar;
  EditX = X->Edit;
  EditY = Y->Edit;
  for (TTrackEdit *te : {X, Y}) {
    te->Format = [](int position) { return FloatToStr(BarValue(position)); };
    te->Read = [](const QString &text, int &position) {
      double v = 0;
      if (!ReadLenientFloat(text, v))
        return false;
      v = std::clamp(v, -2.0, 2.0);
      position = int(std::nearbyint(v * 1000)) + 2000;
      return true;
    };
    // Skewing never lets events in: the preview needs no busy flag.
    te->Changed = [this, te] { TrackChanged(*te, true); };
  }
  BuildReducedCopy();
}

bool TfrmSkew::Settings(TOpArgs &args) {
  args = {OpColor(PaperColor()), OpFloat(float(BarValue(X->Position()))),
          OpFloat(float(BarValue(Y->Position())))};
  return true;
}

} // namespace tessaro
