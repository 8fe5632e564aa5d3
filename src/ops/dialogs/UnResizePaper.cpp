#include "ops/dialogs/UnResizePaper.h"

#include "core/Canvas.h"
#include "core/Hooks.h"
#include "core/Lenient.h"
#include "document/UnChild.h"
#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/SizeEdits.h"
#include "platform/Beep.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace tessaro {

TfrmResizePaper::TfrmResizePaper(TfrmChild &doc)
    : TOpDialog(doc, "Papierformat ändern", "Bearbeiten.Papiergrößeändern", "ChangePaperSize") {
  FGeometric = true;
  Size = new TSizeEdits(this, "Papierformat", "Größenverhältnis beibehalten", doc.Bitmap().Width(),
                        doc.Bitmap().Height());
  Body()->addWidget(Size->Group);
  auto *align = new QGroupBox("Bildausrichtung", this);
  auto *rows = new QVBoxLayout(align);
  rows->addWidget(new QLabel("Wie soll das Bild aus-\ngerichtet werden?", align));
  CBImgPos = new QComboBox(align);
  CBImgPos->addItems({"Oben Links", "Oben Mitte", "Oben Rechts", "Mitte Links", "Zentriert (Mitte Mitte)",
                      "Mitte Rechts", "Unten Links", "Unten Mitte", "Unten Rechts"});
  CBImgPos->setCurrentIndex(0);
  CBImgPos->setAccessibleName("Bildausrichtung");
  rows->addWidget(CBImgPos);
  Body()->addWidget(align);
  BuildReducedCopy();
  Size->Written = [this] { UpdatePreview(); };
  Size->Start();
  connect(CBImgPos, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
}

void TfrmResizePaper::PaintPreview(TBitmap &preview) {
  TWaitCursor wait;
  int nw = 0, nh = 0;
  if (!TryLenientStrToInt(Size->EditWidthPx->text().toStdString(), nw) ||
      !TryLenientStrToInt(Size->EditHeightPx->text().toStdString(), nh) || nw < 1 || nh < 1)
    return;
  const TBitmap &doc = Document().Bitmap();
  if (doc.Empty())
    return;
  const double sx = double(nw) / doc.Width(), sy = double(nh) / doc.Height();
  const int w0 = preview.Width(), h0 = preview.Height();
  TCanvas &c = preview.Canvas();
  c.Pen.Mode = pmCopy;
  c.Pen.Style = psSolid;
  c.Pen.Color = PaperColor();
  c.Brush.Color = PaperColor();
  c.Brush.Style = bsSolid;
  c.Rectangle(0, 0, w0, h0);
  // The new paper shown at the box's scale, the image where the anchor
  // puts it.
  const double iw = w0 / sx, ih = h0 / sy;
  const int anchor = std::max(CBImgPos->currentIndex(), 0);
  const int col = anchor % 3, row = anchor / 3;
  const double px = col == 0 ? 0 : (col == 1 ? (w0 - iw) / 2 : w0 - iw);
  const double py = row == 0 ? 0 : (row == 1 ? (h0 - ih) / 2 : h0 - ih);
  const int x = int(std::nearbyint(px)), y = int(std::nearbyint(py));
  c.StretchDraw(TRect(x, y, x + int(std::nearbyint(iw)), y + int(std::nearbyint(ih))), doc);
}

bool TfrmResizePaper::Settings(TOpArgs &args) {
  int nw = 0, nh = 0;
  if (!ReadLenientInt(Size->EditWidthPx->text(), nw) || !ReadLenientInt(Size->EditHeightPx->text(), nh))
    return false;
  args = {OpInt(nw), OpInt(nh), OpInt(std::max(CBImgPos->currentIndex(), 0)), OpColor(PaperColor())};
  return true;
}

bool TfrmResizePaper::AcceptSettings(const TOpArgs &args) {
  if (args[0].Int < 1 || args[1].Int < 1) {
    Beep();
    return false;
  }
  return CheckResultSize(args[0].Int, args[1].Int);
}

} // namespace tessaro
