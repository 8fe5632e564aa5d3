// The document's clipboard commands: copy and cut of the marked area (or of
// the whole picture), paste as a floating image, and emptying the
// clipboard.
#include "document/UnChild.h"

#include "document/objects/ClipboardImage.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QAction>

namespace tessaro {

void TfrmChild::ClipboardChanged() {
  const bool picture = ClipboardHasBitmap();
  mnuPaste->setEnabled(picture);
  mnuClearClipBrd->setEnabled(picture);
  ppMnuPaste->setEnabled(picture);
}

void TfrmChild::mnuMainEditClick() {
  ClipboardChanged();
}

void TfrmChild::mnuCopyClick() {
  QImage image;
  const TRect whole(0, 0, FBitmap->Width(), FBitmap->Height());
  if (!MarkingExists()) {
    image = ImageOfArea(*FBitmap, whole);
  } else {
    // The frame is not part of the picture: it leaves the raster first.
    DrawMarkingFrame(FBitmap->Canvas(), FMarkRect, FMarkShape);
    image = MarkedImage(*FBitmap, FMarkRect, FMarkShape, FPaperColor);
    if (!FCutting)
      ClearMarking();
  }
  if (image.isNull()) {
    if (!whole.IsEmpty()) {
      Beep();
      MessageDlg(QString("Das Bild konnte nicht in die Zwischenablage kopiert werden!"), mtError, mbOK);
    }
    return;
  }
  SetClipboardImage(image);
}

void TfrmChild::mnuCutClick() {
  if (!AddUndoStep("Ausschneiden"))
    return;
  FCutting = true;
  struct TCutting {
    bool &Flag;
    ~TCutting() { Flag = false; }
  } cutting{FCutting};
  mnuCopyClick();
  FCutting = false;
  TCanvas &c = FBitmap->Canvas();
  if (!MarkingExists()) {
    FillMarking(c, c.ClipRect(), TMarkShape(), FPaperColor);
    return;
  }
  FillMarking(c, FMarkRect, FMarkShape, FPaperColor);
  ClearMarking();
}

void TfrmChild::mnuPasteClick() {
  if (!ClipboardHasBitmap())
    return;
  TBitmap picture;
  if (!ClipboardBitmap(FPaperColor, picture)) {
    Beep();
    MessageDlg(QString("Das Bild in der Zwischenablage kann nicht eingefügt werden!"), mtError, mbOK);
    return;
  }
  auto shared = std::make_shared<TBitmap>();
  shared->AssignMove(std::move(picture));
  InsertWinImage(std::move(shared));
}

void TfrmChild::mnuClearClipBrdClick() {
  ClearClipboard();
}

} // namespace tessaro
