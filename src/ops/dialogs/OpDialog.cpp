#include "ops/dialogs/OpDialog.h"

#include "document/UnChild.h"
#include "files/LUMCtrl.h"
#include "ops/LUMGraphics.h"
#include "ops/dialogs/EditApply.h"
#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/OpPicture.h"
#include "ops/dialogs/TrackEdit.h"
#include "platform/Beep.h"
#include "platform/HelpJump.h"
#include "platform/Hints.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace tessaro {

TOpArg OpInt(long long value) {
  TOpArg a;
  a.Int = value;
  return a;
}

TOpArg OpFloat(float value) {
  TOpArg a;
  a.Float = value;
  return a;
}

TOpArg OpBool(bool value) {
  TOpArg a;
  a.Bool = value;
  return a;
}

TOpArg OpColor(TColor value) {
  TOpArg a;
  a.Color = value;
  return a;
}

QComboBox *MakeList(QWidget *parent, const QString &name, const QStringList &items, bool editable) {
  auto *cb = new QComboBox(parent);
  cb->setEditable(editable);
  cb->addItems(items);
  cb->setAccessibleName(name);
  if (editable) {
    cb->setInsertPolicy(QComboBox::NoInsert);
    cb->setCompleter(nullptr);
  }
  return cb;
}

namespace {

TOpDialog::TRunner &Runner() {
  static TOpDialog::TRunner runner;
  return runner;
}

TOpDialog::TColorHook &ColorHook() {
  static TOpDialog::TColorHook hook;
  return hook;
}

const TImageOp &OpNamed(const char *name) {
  const TImageOp *op = FindImageOp(name);
  if (!op)
    throw std::logic_error(std::string("no operation ") + name);
  return *op;
}

QPushButton *DialogButton(QWidget *parent, const QString &caption, const QString &hint, const QColor &color,
                          bool bold) {
  auto *b = new QPushButton(caption, parent);
  b->setFixedSize(89, 25);
  b->setAutoDefault(false);
  if (!hint.isEmpty())
    SetHint(b, hint);
  QPalette pal = b->palette();
  pal.setColor(QPalette::ButtonText, color);
  b->setPalette(pal);
  if (bold) {
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
  }
  return b;
}

} // namespace

void TOpDialog::Execute(TOpDialog *dialog) {
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  if (Runner()) {
    QPointer<TOpDialog> alive(dialog);
    dialog->show();
    Runner()(*dialog);
    if (alive)
      alive->close();
    return;
  }
  dialog->exec();
}

void TOpDialog::SetRunner(TRunner runner) {
  Runner() = std::move(runner);
}

void TOpDialog::SetColorDialogHook(TColorHook hook) {
  ColorHook() = std::move(hook);
}

TOpDialog::TOpDialog(TfrmChild &doc, const QString &caption, const QString &helpTopic, const char *opName,
                     bool pictures)
    : QDialog(&doc), FDoc(doc), FOp(&OpNamed(opName)), FHelpTopic(helpTopic) {
  setWindowTitle(caption);
  setModal(true);

  auto *grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  if (pictures) {
    // The bevel with the two pictures at the top left.
    auto *bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setFixedSize(321, 177);
    auto *pics = new QGridLayout(bevel);
    pics->setContentsMargins(8, 4, 8, 8);
    pics->setHorizontalSpacing(15);
    pics->addWidget(new QLabel("Original:", bevel), 0, 0);
    pics->addWidget(new QLabel("Vorschau:", bevel), 0, 1);
    ImageOrig = new TOpPicture(OpPictureBox, false, bevel);
    ImagePreview = new TOpPicture(OpPictureBox, false, bevel);
    pics->addWidget(ImageOrig, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    pics->addWidget(ImagePreview, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(bevel, 0, 0);
  }
  FBody = new QVBoxLayout;
  grid->addLayout(FBody, pictures ? 1 : 0, 0);

  BitBtnOK = DialogButton(this, "&OK", "OK", QColor(0, 0, 255), true);
  BitBtnCancel = DialogButton(this, "&Abbrechen", "Abbrechen", QColor(255, 0, 0), false);
  BitBtnHelp = DialogButton(this, "&Hilfe", QString(), QColor(128, 0, 128), false);
  auto *buttons = new QVBoxLayout;
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);
  buttons->addWidget(BitBtnHelp);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 1, 2, 1);
  connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { BitBtnCancelClick(); });
  connect(BitBtnHelp, &QPushButton::clicked, this, [this] { BitBtnHelpClick(); });
}

TOpDialog::~TOpDialog() {
  DetachEdits();
}

void TOpDialog::BuildReducedCopy() {
  const TBitmap &source = FDoc.Bitmap();
  FScale = FitScale(OpPictureBox, OpPictureBox, source.Width(), source.Height());
  FReduced.Assign(source);
  FReduced.SetPixelFormat(pf24bit);
  ResizeBitmap(&FReduced, sftNearest, PaperColor(), FScale * 100, FScale * 100);
  ImageOrig->SetBitmap(FReduced);
  FPreview.Assign(FReduced);
  ImagePreview->SetBitmap(FPreview);
}

void TOpDialog::PaintPreview(TBitmap &preview) {
  TOpArgs args;
  if (Settings(args))
    RunImageOp(preview, Op(), args);
}

void TOpDialog::UpdatePreview() {
  if (!ImagePreview)
    return;
  FPreview.Assign(FReduced);
  try {
    PaintPreview(FPreview);
  } catch (const std::exception &) {
    // Settings the preview cannot be made of (a gradient too big for
    // memory) show the original; OK reports them.
    FPreview.Assign(FReduced);
  }
  ImagePreview->SetBitmap(FPreview);
}

void TOpDialog::RefreshPreview() {
  if (FBusy)
    return;
  FBusy = true;
  UpdatePreview();
  FBusy = false;
}

bool TOpDialog::AcceptSettings(const TOpArgs &) {
  return true;
}

bool TOpDialog::RunOnDocument(const TOpArgs &args) {
  return FDoc.ApplyImageOp(Op(), args);
}

void TOpDialog::BitBtnOKClick() {
  if (FGuardOK && FBusy) {
    Beep();
    MessageDlg(FGuardOK->Text, FGuardOK->Type, mbOK);
    return;
  }
  // What was typed and not yet taken counts, as when the edit is left.
  for (TEditApply *edit : FEdits) {
    if (edit->Dirty() && !edit->Apply())
      return;
  }
  TOpArgs args;
  if (!Settings(args) || !AcceptSettings(args))
    return;
  if (FDisableOK)
    BitBtnOK->setEnabled(false);
  const bool ran = RunOnDocument(args);
  if (FDisableOK)
    BitBtnOK->setEnabled(true);
  if (!ran)
    return;
  if (FGeometric)
    FDoc.Host().ApplyZoom();
  accept();
}

void TOpDialog::BitBtnCancelClick() {
  reject();
}

void TOpDialog::BitBtnHelpClick() {
  HelpJump(FHelpTopic);
}

TEditApply *TOpDialog::AddEditApply(TEditApply *apply) {
  FEdits.push_back(apply);
  return apply;
}

TTrackEdit *TOpDialog::AddTrackEdit(const QString &name, int min, int max, int position,
                                    const QString &text) {
  auto *te = new TTrackEdit(this, name, min, max, position, text);
  AddEditApply(te->Apply);
  return te;
}

TTrackEdit *TOpDialog::AddTrackRow(const QString &label, int min, int max, int position,
                                   const QString &text) {
  TTrackEdit *te = AddTrackEdit(label, min, max, position, text);
  te->TrackBar->setMinimumWidth(200);
  te->Edit->setFixedWidth(60);
  AddRow(label, {te->TrackBar, te->Edit});
  return te;
}

TTrackEdit *TOpDialog::AddAmountTrack(const QString &label) {
  TTrackEdit *te = AddTrackRow(label, 0, 510, 255, "0");
  te->Format = [](int position) { return QString::number(position - 255); };
  te->Read = [](const QString &text, int &position) {
    int v = 0;
    if (!ReadLenientInt(text, v))
      return false;
    position = std::clamp(v, -255, 255) + 255;
    return true;
  };
  return te;
}

void TOpDialog::AddRow(const QString &label, std::initializer_list<QWidget *> widgets) {
  auto *row = new QHBoxLayout;
  auto *l = new QLabel(label, this);
  l->setMinimumWidth(70);
  row->addWidget(l);
  for (QWidget *w : widgets)
    row->addWidget(w);
  FBody->addLayout(row);
}

void TOpDialog::TrackChanged(TTrackEdit &trackEdit, bool writeAlways) {
  if (writeAlways || !FBusy)
    trackEdit.WriteEdit();
  RefreshPreview();
}

TColor TOpDialog::PaperColor() const {
  return FDoc.Host().PaperColor();
}

bool TOpDialog::ChooseColor(TColor &color) {
  if (ColorHook())
    return ColorHook()(color);
  return FDoc.Host().ChooseColor(color);
}

bool TOpDialog::CheckResultSize(int64_t w, int64_t h) {
  const uint64_t bytes =
      w > 0 && h > 0 ? uint64_t(RowBytesFor(int(std::min<int64_t>(w, INT32_MAX)), pf24bit)) * uint64_t(h) : 0;
  if (w <= INT32_MAX && h <= INT32_MAX && bytes <= MaxBitmapBytes)
    return true;
  Beep();
  MessageDlg(QString("Ein Bild mit %1 x %2 Pixeln ist zu groß und kann nicht angelegt werden!").arg(w).arg(h),
             mtError, mbOK);
  return false;
}

void TOpDialog::DetachEdits() {
  for (TEditApply *edit : FEdits)
    edit->Edit()->removeEventFilter(edit);
  FEdits.clear();
}

void TOpDialog::done(int result) {
  if (!FClosing) {
    FClosing = true;
    // Hiding moves the focus out of an edit; that applies nothing any more.
    DetachEdits();
    FormCloseQuery();
  }
  QDialog::done(result);
}

} // namespace tessaro
