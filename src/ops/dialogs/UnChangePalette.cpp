#include "ops/dialogs/UnChangePalette.h"

#include "ops/LUMGraphics.h"
#include "ops/dialogs/EditApply.h"
#include "ops/dialogs/NumberText.h"
#include "ops/dialogs/TrackEdit.h"
#include "platform/Beep.h"
#include "platform/Hints.h"
#include "platform/MessageDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace tessaro {

namespace {

TfrmChangePalette::TFileDialogHook &FileHook() {
  static TfrmChangePalette::TFileDialogHook hook;
  return hook;
}

QComboBox *List(QWidget *parent, const QString &hint, const QStringList &items) {
  QComboBox *cb = MakeList(parent, hint, items);
  SetHint(cb, hint);
  return cb;
}

int HSLPosition(double factor) {
  return int(std::trunc(factor * 100 + 200));
}

} // namespace

void TfrmChangePalette::SetFileDialogHook(TFileDialogHook hook) {
  FileHook() = std::move(hook);
}

TfrmChangePalette::TfrmChangePalette(TfrmChild &doc)
    : TOpDialog(doc, "Palette ändern", "Effekte.Paletteändern", "PaletteMapBitmap") {
  FGuardOK = TBusyMessage{"Es wird gerade noch eine Zeichenoperation ausgeführt!\r\r"
                          "Bitte warte ein paar Sekunden und versuche es dann noch einmal!",
                          mtWarning};
  auto *standard = new QGroupBox("Standard Paletten", this);
  auto *stdRow = new QHBoxLayout(standard);
  CBStdPalettes = List(standard, "Standardpalette wählen", {"Graustufen", "Grün", "Rot", "Regenbogen"});
  stdRow->addWidget(new QLabel("Standard Paletten:", standard));
  stdRow->addWidget(CBStdPalettes);
  Body()->addWidget(standard);

  auto *conv = new QGroupBox("Konvertierung", this);
  auto *convRow = new QHBoxLayout(conv);
  CBConvertion = List(conv, "Konvertierungsart wählen",
                      {"Rot", "Grün", "Blau", "Alpha", "Einheitliches RGB", "Gewichtiges RGB"});
  convRow->addWidget(new QLabel("Konvertierungsart:", conv));
  convRow->addWidget(CBConvertion);
  Body()->addWidget(conv);

  auto *hsl = new QGroupBox("Benutzerdefinierte Palette (HSL)", this);
  auto *hslRows = new QVBoxLayout(hsl);
  auto *bar = new QHBoxLayout;
  TBOpen = new QToolButton(hsl);
  TBOpen->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  SetHint(TBOpen, "Benutzerdefinierte Palette öffnen");
  TBSave = new QToolButton(hsl);
  TBSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  SetHint(TBSave, "Benutzerdefinierte Palette Speichern");
  bar->addWidget(TBOpen);
  bar->addWidget(TBSave);
  bar->addStretch();
  hslRows->addLayout(bar);
  hslRows->addWidget(
      new QLabel(" HSL Farben: \n (Hue =Farbton, Saturation =Sättigung, Lightness =Helligkeit)", hsl));
  auto *grid = new QGridLayout;
  int row = 0;
  auto factorRow = [&](const QString &label, int position, const QString &text) {
    auto *te = new TTrackEdit(hsl, label, 0, 400, position, text);
    AddEditApply(te->Apply);
    te->TrackBar->setMinimumWidth(160);
    te->Edit->setFixedWidth(60);
    grid->addWidget(new QLabel(label, hsl), row, 0);
    grid->addWidget(te->Edit, row, 1);
    grid->addWidget(te->TrackBar, row, 2);
    ++row;
    return te;
  };
  H = factorRow("Farbton (H):", 200, "0,00");
  S = factorRow("Sättigung (S):", 200, "0,00");
  L = factorRow("Helligkeit (L):", 300, "1,00");
  hslRows->addLayout(grid);
  ChBUseHSL = new QCheckBox("Benutzerdefinierte Farbpalette verwenden", hsl);
  hslRows->addWidget(ChBUseHSL);
  Body()->addWidget(hsl);
  EditH = H->Edit;
  EditS = S->Edit;
  EditL = L->Edit;
  TrackBarH = H->TrackBar;
  TrackBarS = S->TrackBar;
  TrackBarL = L->TrackBar;
  for (TTrackEdit *te : {H, S, L}) {
    te->Format = [](int position) { return QString::fromStdString(FormatHSLFactor(Factor(position))); };
    te->Read = [](const QString &text, int &position) {
      double x = 0;
      if (!ReadLenientFloat(text, x))
        return false;
      position = HSLPosition(std::clamp(x, -2.0, 2.0));
      return true;
    };
    te->Changed = [this, te] { HSLBarChanged(*te); };
    // Typing a factor means the custom palette.
    connect(te->Edit, &QLineEdit::textEdited, this, [this] {
      if (!ChBUseHSL->isChecked())
        ChBUseHSL->setChecked(true);
    });
  }

  CBStdPalettes->setCurrentIndex(3);
  CBConvertion->setCurrentIndex(5);
  connect(CBStdPalettes, &QComboBox::currentIndexChanged, this, [this] { CBStdPalettesChange(); });
  connect(CBConvertion, &QComboBox::currentIndexChanged, this, [this] { RefreshPreview(); });
  connect(ChBUseHSL, &QCheckBox::clicked, this, [this] { RefreshPreview(); });
  connect(TBOpen, &QToolButton::clicked, this, [this] { TBOpenClick(); });
  connect(TBSave, &QToolButton::clicked, this, [this] { TBSaveClick(); });
  FBusy = true;
  BuildReducedCopy();
  UpdatePreview();
  FBusy = false;
}

bool TfrmChangePalette::Settings(TOpArgs &args) {
  args = {OpInt(std::max(CBConvertion->currentIndex(), 0)),
          OpInt(std::max(CBStdPalettes->currentIndex(), 0)),
          OpBool(ChBUseHSL->isChecked()),
          OpFloat(Factor(H->Position())),
          OpFloat(Factor(S->Position())),
          OpFloat(Factor(L->Position()))};
  return true;
}

void TfrmChangePalette::CBStdPalettesChange() {
  if (FBusy)
    return;
  ChBUseHSL->setChecked(false);
  RefreshPreview();
}

void TfrmChangePalette::HSLBarChanged(TTrackEdit &bar) {
  bar.WriteEdit();
  if (!ChBUseHSL->isChecked())
    ChBUseHSL->setChecked(true);
  RefreshPreview();
}

QString TfrmChangePalette::AskFileName(bool save) {
  if (FileHook())
    return FileHook()(save);
  QFileDialog dialog(this, save ? "HSL Farbpalette speichern" : "HSL Farbpalette Speichern öffnen");
  dialog.setNameFilter("HSL Farbpalette (*.hsl)");
  dialog.setDefaultSuffix("hsl");
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile("HSL Farbpalette 1");
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return QString();
  return dialog.selectedFiles().first();
}

void TfrmChangePalette::TBSaveClick() {
  const QString name = AskFileName(true);
  if (name.isEmpty())
    return;
  if (!SaveHSLPalette(name.toStdString(), Factor(H->Position()), Factor(S->Position()),
                      Factor(L->Position()))) {
    Beep();
    MessageDlg(QString("Die Farbpalette konnte nicht in \"%1\" gespeichert werden!").arg(name), mtError,
               mbOK);
  }
}

void TfrmChangePalette::TBOpenClick() {
  const QString name = AskFileName(false);
  if (name.isEmpty())
    return;
  // The factors read before a fault are taken all the same.
  const float none = std::numeric_limits<float>::quiet_NaN();
  float f[3] = {none, none, none};
  const bool ok = LoadHSLPalette(name.toStdString(), f[0], f[1], f[2]);
  FBusy = true;
  TTrackEdit *bars[3] = {H, S, L};
  for (int i = 0; i < 3; ++i) {
    if (std::isnan(f[i]))
      continue;
    bars[i]->Edit->setText(FloatToStr(double(QString::number(f[i], 'g', 7).toDouble())));
    bars[i]->TrackBar->setValue(HSLPosition(f[i]));
  }
  FBusy = false;
  if (!ok) {
    Beep();
    MessageDlg(QString("\"%1\" ist keine lesbare HSL Farbpalette!").arg(name), mtError, mbOK);
    return;
  }
  ChBUseHSL->setChecked(true);
  RefreshPreview();
}

void TfrmChangePalette::FormCloseQuery() {
  if (!ChBUseHSL->isChecked())
    return;
  Beep();
  if (MessageDlg(QString("Benutzerdefinierte Farbpalette speichern?"), mtInformation, mbYesNo) == mrYes)
    TBSaveClick();
}

} // namespace tessaro
