// The zoom list and the zoom of the active document.
#include "frame/UnMain.h"

#include "core/Lenient.h"
#include "document/UnChild.h"
#include "platform/MessageDlg.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace tessaro {

void TfrmMain::CBZoomChange() {
  TfrmChild *child = ActiveChild();
  if (!child)
    return;
  int z = 0;
  std::string error;
  if (!TryLenientStrToInt(CBZoom->currentText().toStdString(), z, &error)) {
    MessageDlg(error, mtError, mbOK);
    return;
  }
  // 0 and negative numbers show the picture at 1 %; the control may not grow
  // beyond what the window system can hold.
  if (z < 1)
    z = 1;
  const int side = std::max({child->Bitmap().Width(), child->Bitmap().Height(), 1});
  const int maxZoom = int(std::min<int64_t>(int64_t(QWIDGETSIZE_MAX) * 100 / side, INT32_MAX / 100));
  z = std::min(z, std::max(maxZoom, 1));
  child->SetZoom(z);
  // Cross-faded objects blend again with what now lies under them.
  child->ReblendWinImages();
  StatusBarChild->SetPanelText(7, QString::number(z) + " %");
}

void TfrmMain::StepZoom(TfrmChild &doc, int direction) {
  if (direction == 0)
    return;
  if (ActiveChild() != &doc)
    ShowDocument(doc);
  if (ActiveChild() != &doc)
    return;
  // The next entry of the list above (or below) the document's zoom.
  const int zoom = doc.Zoom();
  int next = -1;
  for (int i = 0; i < CBZoom->count(); ++i) {
    int value = 0;
    if (!TryLenientStrToInt(CBZoom->itemText(i).toStdString(), value))
      continue;
    if (direction > 0 && value > zoom) {
      next = i;
      break;
    }
    if (direction < 0 && value < zoom)
      next = i;
  }
  if (next < 0)
    return;
  {
    const QSignalBlocker block(CBZoom);
    CBZoom->setCurrentIndex(next);
    CBZoom->setEditText(CBZoom->itemText(next));
  }
  CBZoomChange();
}

void TfrmMain::ShowZoom(int zoom) {
  const QString text = QString::number(zoom) + " %";
  {
    const QSignalBlocker block(CBZoom);
    CBZoom->setEditText(text);
  }
  StatusBarChild->SetPanelText(7, text);
}

} // namespace tessaro
