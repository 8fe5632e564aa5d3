// The frame's file commands: open, save and the save dialog.
#include "frame/UnMain.h"

#include "core/BmpFile.h"
#include "core/Hooks.h"
#include "document/UnChild.h"
#include "files/LUMCtrl.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QFileDialog>
#include <QFileInfo>

#include <filesystem>

namespace tessaro {

namespace {

std::string LowerExtension(const std::string &fileName) {
  std::string ext = std::filesystem::path(fileName).extension().string();
  for (char &c : ext)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

// Files written so far: Windows bitmaps. Other formats join later.
bool IsSaveableImageName(const std::string &fileName) {
  return LowerExtension(fileName) == ".bmp";
}

const char *const BmpFilter = "Windows-Bitmap (*.bmp)";

} // namespace

TfrmChild *TfrmMain::OpenPictureFile(const std::string &fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec))
    return nullptr;
  if (LowerExtension(fileName) != ".bmp") {
    Beep();
    MessageDlg("Datei \"" + fileName + "\" kann nicht geöffnet werden, da " +
                   "das Dateiformat von Tessaro nicht unterstützt wird!",
               mtWarning, mbOK);
    return nullptr;
  }
  // The file's read-only flag (not whether this user could write it: the
  // flag is what "Speichern" and the caption go by).
  const bool readOnly = IsFileReadOnly(fileName);
  TBitmap loaded;
  std::string error;
  bool ok = false;
  try {
    ok = LoadBmpFile(fileName, loaded, &error);
  } catch (const std::exception &) {
    error = "Die Datei \"" + fileName + "\" ist zu groß und kann nicht geöffnet werden!";
  }
  if (!ok) {
    Beep();
    MessageDlg(error.empty() ? "Die Datei \"" + fileName + "\" konnte nicht gelesen werden!" : error, mtError,
               mbOK);
    return nullptr;
  }
  QString caption = QString::fromStdString(std::filesystem::path(fileName).filename().string());
  if (readOnly)
    caption += " (Schreibgeschützt)";
  TfrmChild *child = CreateChild();
  child->Bitmap().Assign(loaded);
  child->SetDocument(caption, std::filesystem::absolute(fileName, ec).string(), readOnly, false);
  ++DocumentNo;
  if (ActiveChild() == child)
    child->FormActivate();
  return child;
}

void TfrmMain::mnuOpenClick() {
  std::vector<std::string> files;
  if (OpenDialogHook) {
    files = OpenDialogHook();
  } else {
    const QStringList chosen =
        QFileDialog::getOpenFileNames(this, "Öffnen", QString(), QString(BmpFilter) + ";;Alle Dateien (*)");
    for (const QString &f : chosen)
      files.push_back(f.toStdString());
  }
  for (const std::string &f : files)
    OpenPictureFile(f);
}

bool TfrmMain::AskFileName(std::string &fileName) {
  if (SaveDialogHook)
    return SaveDialogHook(fileName);
  QFileDialog dialog(this, "Speichern unter");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(BmpFilter);
  dialog.setDefaultSuffix("bmp");
  dialog.selectFile(QString::fromStdString(fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  fileName = dialog.selectedFiles().first().toStdString();
  return true;
}

bool TfrmMain::MergeFloatingObjects() {
  // Floating images and text objects join with their tools; until then a
  // document has none, and there is nothing to merge.
  return true;
}

bool TfrmMain::SaveDocument(const std::string &fileName, bool askName) {
  TfrmChild *child = ActiveChild();
  if (!child)
    return false;
  return SaveDocument(*child, fileName, askName);
}

bool TfrmMain::SaveDocument(TfrmChild &doc, const std::string &fileName, bool askName) {
  TfrmChild *child = &doc;
  std::string name = fileName;
  if (askName || !IsSaveableImageName(name)) {
    std::string preset = std::filesystem::path(child->FFileName).filename().string();
    if (const size_t dot = preset.find('.'); dot != std::string::npos)
      preset.erase(dot);
    if (!AskFileName(preset))
      return false;
    name = preset;
  }
  if (!IsSaveableImageName(name)) {
    Beep();
    MessageDlg(
        QString(
            "Das Bild wurde nicht gespeichert!\r\rIn diesem Dateiformat kann Tessaro noch nicht speichern. "
            "Bitte als Windows-Bitmap (*.bmp) speichern."),
        mtWarning, mbOK);
    return false;
  }
  TWaitCursor wait;
  if (!MergeFloatingObjects()) {
    Beep();
    MessageDlg(QString("Das Bild wurde nicht gespeichert!"), mtWarning, mbOK);
    return false;
  }
  // The file gets the document's image type; a raster that a step left in
  // another format is written through a converted copy, so the picture in
  // memory keeps every colour it has.
  bool ok = false;
  std::string error;
  try {
    if (child->Bitmap().PixelFormat() != child->FImageType) {
      TBitmap copy(child->Bitmap());
      copy.SetPixelFormat(child->FImageType);
      ok = SaveBmpFile(copy, name, &error);
    } else {
      ok = SaveBmpFile(child->Bitmap(), name, &error);
    }
  } catch (const std::exception &) {
    ok = false;
  }
  if (!ok) {
    Beep();
    MessageDlg(QString("Das Bild konnte nicht gespeichert werden!"), mtError, mbOK);
    return false;
  }
  child->FFileName = name;
  child->SetCaption(QString::fromStdString(std::filesystem::path(name).filename().string()));
  child->FModified = false;
  return true;
}

} // namespace tessaro
