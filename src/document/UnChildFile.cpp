// The document's file commands: saving, restoring, and the questions before
// closing and resizing.
#include "document/UnChild.h"

#include "files/LUMGraphicsFiles.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QCloseEvent>

#include <filesystem>

namespace tessaro {

void TfrmChild::DocumentSaved(const std::string &fileName) {
  FFileName = fileName;
  SetCaption(QString::fromStdString(std::filesystem::path(fileName).filename().string()));
  FModified = false;
}

bool TfrmChild::FormCloseQuery() {
  // The raster is still being worked on: the window must not go away
  // under the running operation.
  if (RefusedWhileBusy())
    return false;
  if (!FModified)
    return true;
  // The question is about this window: show it in front while it is asked.
  if (FHost.ActiveChild() != this)
    FHost.ShowDocument(*this);
  Beep();
  const int answer =
      MessageDlg(QString("Änderungen an \"") + Caption() + "\" speichern?", mtWarning, mbYesNoCancel);
  if (answer == mrYes) {
    const bool ask = FReadOnly || !std::filesystem::exists(FFileName);
    // Keep the window when nothing was written: closing would lose the
    // changes the user just asked to keep.
    return FHost.SaveDocument(*this, FFileName, ask);
  }
  return answer == mrNo;
}

void TfrmChild::closeEvent(QCloseEvent *event) {
  if (!FCloseAgreed && !FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TfrmChild::FormClose() {
  FHost.SetUndoHint(UndoHintPlain);
  FHost.SetRedoHint(RedoHintPlain);
  FHost.HideObjectToolBars();
  for (int i = 0; i <= 3; ++i)
    FHost.SetStatusText(i, QString());
}

void TfrmChild::mnuMainFileClick() {
  mnuSave->setEnabled(!FReadOnly);
  const bool exists = std::filesystem::exists(FFileName);
  mnuSaveAs->setEnabled(exists);
  mnuRestore->setEnabled(exists);
}

void TfrmChild::mnuSaveClick() {
  FHost.SaveDocument(*this, FFileName, FReadOnly || !std::filesystem::exists(FFileName));
}

void TfrmChild::mnuSaveAsClick() {
  FHost.SaveDocument(*this, FFileName, true);
}

void TfrmChild::mnuRestoreClick() {
  Beep();
  if (MessageDlg(QString("Soll das Bild seit dem letzten Speichern wiederhergestellt werden?\r\rWarnung:\r"
                         "Nicht mit dem Hintergrund verbundene Objekte werden ebenfalls entfernt!"),
                 mtConfirmation, mbYesNo) != mrYes)
    return;
  // Read the file first: a file that cannot be read leaves the picture as
  // it is instead of replacing it by an empty one.
  TBitmap loaded;
  std::string error;
  if (!LoadPictureFile(FFileName, loaded, error)) {
    Beep();
    MessageDlg(error, mtError, mbOK);
    return;
  }
  if (!AddUndoStep("Wiederherstellen"))
    return;
  DestroyWinImages();
  FActiveWinImage = nullptr;
  FHost.HideObjectToolBars();
  // The file has no marking frame: the marking goes with the old raster.
  ClearMarking();
  FBitmap->Assign(loaded);
  FImageType = FBitmap->PixelFormat();
  FModified = false;
  ReapplyZoom();
}

bool TfrmChild::AskResizeDimensioned() {
  if (!FDimensioned)
    return true;
  return MessageDlg(
             QString("Das Bild wurde bemaßt!\rWenn du jetzt die Bildgröße änderst, stimmen die Maße nicht "
                     "mehr!\r\rSoll die Bildgröße trotzdem geändert werden?"),
             mtWarning, mbYesNo, mbNo, QString("!!! WARNUNG: Bild wurde bemaßt !!!")) == mrYes;
}

} // namespace tessaro
