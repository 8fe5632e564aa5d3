// The shared frame of the operation dialogs: a reduced copy of the active
// document ("Original:") beside a preview ("Vorschau:"), numeric settings as
// track bars with edits kept in step, and the buttons OK, Abbrechen and
// Hilfe. Each dialog is a thin shell over one row of the operation table:
// its preview and its OK run the same routine, the preview on the reduced
// copy and OK on the document (through the document, which records the undo
// step and keeps the working format).
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"
#include "ops/ImageOps.h"
#include "platform/MessageDlg.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace tessaro {

class TEditApply;
class TOpPicture;
class TTrackEdit;
class TfrmChild;

// Side length of the two picture boxes.
constexpr int OpPictureBox = 145;

// Values of the row's arguments.
TOpArg OpInt(long long value);
TOpArg OpFloat(float value);
TOpArg OpBool(bool value);
TOpArg OpColor(TColor value);

// A list of the dialogs called name by screen readers; an editable one
// takes typed text as it is (no completion, nothing added to the items).
QComboBox *MakeList(QWidget *parent, const QString &name, const QStringList &items, bool editable = false);

class TOpDialog : public QDialog {
  Q_OBJECT
public:
  ~TOpDialog() override;

  // Runs a dialog the way the document's menu does: modal, and freed when
  // it closes (after OK, on "&Abbrechen" and when the window is closed).
  static void Execute(TOpDialog *dialog);
  // Test seam: with a runner set, Execute shows the dialog without a modal
  // loop, hands it to the runner and closes it if the runner left it open.
  using TRunner = std::function<void(TOpDialog &dialog)>;
  static void SetRunner(TRunner runner);
  // Test seam: answers the colour dialog instead of the host's.
  using TColorHook = std::function<bool(TColor &color)>;
  static void SetColorDialogHook(TColorHook hook);

  TfrmChild &Document() const { return FDoc; }
  const TImageOp &Op() const { return *FOp; }
  const QString &HelpTopic() const { return FHelpTopic; }

  TOpPicture *ImageOrig = nullptr;
  TOpPicture *ImagePreview = nullptr;
  QPushButton *BitBtnOK;
  QPushButton *BitBtnCancel;
  QPushButton *BitBtnHelp;

  // A preview or the operation is being computed (their loops let events
  // in); a change that arrives meanwhile starts no second preview.
  bool FBusy = false;
  // The fit factor of the document's image in the picture box.
  float FScale = 1;

  // The reduced copy (what ImageOrig shows) and the preview.
  const TBitmap &ReducedCopy() const { return FReduced; }
  const TBitmap &PreviewBitmap() const { return FPreview; }

  // The settings as the row's arguments for OK on the document; false,
  // after a message, when a text could not be read.
  virtual bool Settings(TOpArgs &args) = 0;

  void BitBtnOKClick();
  void BitBtnCancelClick();
  void BitBtnHelpClick();

  // The reduced copy into the preview, then the dialog's operation on it.
  void UpdatePreview();
  // The same unless FBusy is set, with FBusy set meanwhile.
  void RefreshPreview();

protected:
  // pictures: the two picture boxes (every dialog but the image size).
  TOpDialog(TfrmChild &doc, const QString &caption, const QString &helpTopic, const char *opName,
            bool pictures = true);

  // The reduced copy of the document's image at FScale (nearest pixels,
  // the paper colour around it) in ImageOrig and ImagePreview.
  void BuildReducedCopy();
  // Where the dialog puts its own controls (below the pictures).
  QVBoxLayout *Body() const { return FBody; }

  // Paints the preview, which holds the reduced copy; by default the row's
  // routine with Settings().
  virtual void PaintPreview(TBitmap &preview);
  // Checks the settings before anything is recorded; false keeps the dialog
  // open (after a beep or message).
  virtual bool AcceptSettings(const TOpArgs &args);
  // Runs the row on the document (the undo step, the working format and
  // back); false when it did not run.
  virtual bool RunOnDocument(const TOpArgs &args);
  // Asked once whenever the dialog closes, also after OK.
  virtual void FormCloseQuery() {}

  // OK guarded against a preview in progress with this message.
  struct TBusyMessage {
    QString Text;
    TMsgDlgType Type;
  };
  std::optional<TBusyMessage> FGuardOK;
  // OK disabled while the operation runs.
  bool FDisableOK = false;
  // The size may change: the frame re-applies the zoom after OK.
  bool FGeometric = false;

  // Edits whose text takes effect on Enter or when left; OK takes what was
  // typed into them first.
  TEditApply *AddEditApply(TEditApply *apply);
  TTrackEdit *AddTrackEdit(const QString &name, int min, int max, int position, const QString &text);
  // A track bar with its edit in a row of the body, after its label.
  TTrackEdit *AddTrackRow(const QString &label, int min, int max, int position, const QString &text);
  // An amount -255..255 as a bar 0..510 (neutral at 255) whose edit shows
  // the amount ("0" at first) and limits what is typed to -255..255.
  TTrackEdit *AddAmountTrack(const QString &label);
  // A row of the body: a label, then the widgets.
  void AddRow(const QString &label, std::initializer_list<QWidget *> widgets);
  // The usual change handler of a track bar: writes its edit (unless a
  // preview is running, or always), then the preview unless FBusy is set.
  void TrackChanged(TTrackEdit &trackEdit, bool writeAlways = false);

  // The frame's paper colour and its colour dialog.
  TColor PaperColor() const;
  bool ChooseColor(TColor &color);
  // A raster of w x h pixels fits into memory; false after a German message.
  static bool CheckResultSize(int64_t w, int64_t h);

  void done(int result) override;

private:
  void DetachEdits();

  TfrmChild &FDoc;
  const TImageOp *FOp;
  QString FHelpTopic;
  TBitmap FReduced;
  TBitmap FPreview;
  std::vector<TEditApply *> FEdits;
  QVBoxLayout *FBody;
  bool FClosing = false;
};

} // namespace tessaro
