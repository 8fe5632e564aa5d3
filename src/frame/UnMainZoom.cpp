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
  StatusBarChild->SetPanelText(7, QString::number(z) + " %");
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
