#include "ops/dialogs/UnResizeImage.h"

#include "document/UnChild.h"
#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/SizeEdits.h"
#include "platform/Beep.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace tessaro {

TfrmResizeImage::TfrmResizeImage(TfrmChild &doc)
    : TOpDialog(doc, "Bildgröße ändern", "Bearbeiten.Bildgrößeändern", "ResizeBitmap", false) {
  FGeometric = true;
  Size = new TSizeEdits(this, "Größe Anpassen", "Seitengrößenverhältnis beibehalten", doc.Bitmap().Width(),
                        doc.Bitmap().Height());
  Body()->addWidget(Size->Group);
  CBFilter = new QComboBox(this);
  CBFilter->addItems({"Ähnlichkeit", "Linear", "Spline", "Lanczos", "Mitchell"});
  CBFilter->setAccessibleName("Filter:");
  auto *row = new QHBoxLayout;
  row->addWidget(new QLabel("Filter:", this));
  row->addWidget(CBFilter);
  Body()->addLayout(row);
  CBFilter->setCurrentIndex(1);
  Size->Start();
}

bool TfrmResizeImage::Settings(TOpArgs &args) {
  int px = 0, py = 0;
  if (!ReadLenientInt(Size->EditWidthPC->text(), px) || !ReadLenientInt(Size->EditHeightPC->text(), py))
    return false;
  const int filter = std::max(CBFilter->currentIndex(), 0);
  args = {OpInt(filter), OpColor(PaperColor()), OpFloat(float(px)), OpFloat(float(py))};
  return true;
}

bool TfrmResizeImage::AcceptSettings(const TOpArgs &args) {
  const TBitmap &b = Document().Bitmap();
  const double w = std::trunc(double(b.Width()) * double(args[2].Float) / 100);
  const double h = std::trunc(double(b.Height()) * double(args[3].Float) / 100);
  // A size of nothing would leave an empty picture.
  if (w < 1 || h < 1) {
    Beep();
    return false;
  }
  return CheckResultSize(int64_t(std::min(w, 1e12)), int64_t(std::min(h, 1e12)));
}

} // namespace tessaro
