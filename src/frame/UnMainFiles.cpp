// The frame's file commands: open, save and the save dialog.
#include "frame/UnMain.h"

#include "core/BmpFile.h"
#include "core/Hooks.h"
#include "document/UnChild.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"
#include "files/dialogs/SavePicture.h"
#include "frame/PicturePreload.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

#include <filesystem>

namespace tessaro {

namespace {

bool IsJpegName(const std::string &fileName) {
  const std::string ext = LowerExtension(fileName);
  return ext == ".jpg" || ext == ".jpeg";
}

// The first pattern's extension of a dialog filter entry ("png" for
// "PNG Bild (*.png)"), "" when it has none.
QString FirstSuffix(const QString &entry) {
  const qsizetype open = entry.lastIndexOf('(');
  if (open < 0)
    return QString();
  const QString first = entry.mid(open + 1).section(' ', 0, 0).remove(')');
  return first.startsWith("*.") ? first.mid(2) : QString();
}

} // namespace

QStringList TfrmMain::DialogFilters(const std::string &filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    // The caption's own pattern text ("Alle (*.bmp .. *.jpg)") is no
    // pattern list; the entry lists the real patterns instead.
    QString caption = parts[i].trimmed();
    if (caption.endsWith(')')) {
      if (const qsizetype open = caption.lastIndexOf('('); open > 0)
        caption = caption.left(open).trimmed();
    }
    QStringList patterns;
    for (const QString &p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
      if (!p.trimmed().isEmpty())
        patterns << p.trimmed();
    }
    if (caption.isEmpty() || patterns.isEmpty())
      continue;
    result << caption + " (" + patterns.join(' ') + ")";
  }
  return result;
}

TfrmChild *TfrmMain::OpenPictureFile(const std::string &fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec))
    return nullptr;
  if (!IsSupportedImageFile(fileName) && LowerExtension(fileName) != ".bmp") {
    Beep();
    MessageDlg("Datei \"" + fileName + "\" kann nicht geöffnet werden, da " +
                   "das Dateiformat von Tessaro nicht unterstützt wird!",
               mtWarning, mbOK);
    return nullptr;
  }
  TBitmap loaded;
  std::string error;
  bool ok = false;
  const bool preloaded = Preload && Preload->Take(fileName, ok, loaded, error);
  // The file's read-only flag (not whether this user could write it: the
  // flag is what "Speichern" and the caption go by).
  const bool readOnly = IsFileReadOnly(fileName);
  if (!preloaded)
    ok = LoadPictureFile(fileName, loaded, error);
  // A file that cannot be read gives a message and no document, rather than
  // an empty picture that "Speichern" would write over the file.
  if (!ok) {
    Beep();
    MessageDlg(error, mtError, mbOK);
    return nullptr;
  }
  QString caption = QString::fromStdString(std::filesystem::path(fileName).filename().string());
  if (readOnly)
    caption += " (Schreibgeschützt)";
  TfrmChild *child = CreateChild();
  child->Bitmap().AssignMove(std::move(loaded));
  child->SetDocument(caption, std::filesystem::absolute(fileName, ec).string(), readOnly, false);
  ++FDocumentNo;
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
        QFileDialog::getOpenFileNames(this, "Öffnen", QString(), DialogFilters(OpenImageFilter()).join(";;"));
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
  const QStringList filters = DialogFilters(SaveImageFilter());
  dialog.setNameFilters(filters);
  // A name typed without extension gets the one of the chosen file type.
  dialog.setDefaultSuffix(FirstSuffix(filters.value(0)));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString &entry) { dialog.setDefaultSuffix(FirstSuffix(entry)); });
  dialog.selectFile(QString::fromStdString(fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  fileName = dialog.selectedFiles().first().toStdString();
  return true;
}

std::vector<QObject *> FloatingObjectsOf(const TfrmChild &doc, const std::vector<TFloatingKind> &kinds) {
  std::vector<QObject *> objects;
  if (kinds.empty())
    return objects;
  for (QObject *child : doc.findChildren<QObject *>()) {
    for (const TFloatingKind &kind : kinds) {
      if (kind.Is && kind.Is(child)) {
        objects.push_back(child);
        break;
      }
    }
  }
  return objects;
}

bool TfrmMain::MergeFloatingObjects() {
  TfrmChild *child = ActiveChild();
  return !child || MergeFloatingObjects(*child);
}

bool TfrmMain::MergeFloatingObjects(TfrmChild &doc) {
  const std::vector<QObject *> objects = FloatingObjectsOf(doc, FloatingKinds);
  if (objects.empty())
    return true;
  Beep();
  if (MessageDlg(
          QString("Veränderbare Objekte können nicht gespeichert werden und werden deshalb jetzt mit der "
                  "Zeichenfläche zusammengefügt!\r\rNach der Zusammenfügung können die Objekte nicht mehr "
                  "verschoben oder die Größe geändert werden!\r\rSoll das Bild trotzdem gespeichert werden?"),
          mtWarning, mbYesNo) != mrYes)
    return false;
  // In the order of the document's children; an object that an earlier
  // combination took with it is skipped.
  std::vector<QPointer<QObject>> pending(objects.begin(), objects.end());
  for (const QPointer<QObject> &object : pending) {
    ProcessMessagesNow();
    if (!object)
      continue;
    for (const TFloatingKind &kind : FloatingKinds) {
      if (kind.Is(object)) {
        kind.Combine(doc, object);
        break;
      }
    }
  }
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
  if (askName || !IsSaveableImageFile(name)) {
    std::string preset = std::filesystem::path(child->FileName()).filename().string();
    if (const size_t dot = preset.find('.'); dot != std::string::npos)
      preset.erase(dot);
    if (!AskFileName(preset))
      return false;
    name = preset;
  }
  // JPEG: the quality dialog does the rest.
  if (IsJpegName(name))
    return SaveAsJPEG(*child, name);
  TWaitCursor wait;
  if (!MergeFloatingObjects(*child)) {
    Beep();
    MessageDlg(QString("Das Bild wurde nicht gespeichert!"), mtWarning, mbOK);
    return false;
  }
  // The file gets the document's image type; a raster that a step left in
  // another format is written through a converted copy.
  if (!WritePictureFile(child->Bitmap(), child->ImageType(), name, 100, false))
    return false;
  child->DocumentSaved(name);
  return true;
}

} // namespace tessaro
