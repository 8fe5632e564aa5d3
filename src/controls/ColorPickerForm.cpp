#include "controls/ColorPickerForm.h"

#include "controls/ColBtn.h"
#include "controls/ColorNames.h"
#include "controls/ColorPickCombo.h"
#include "controls/CustomColors.h"
#include "platform/Hints.h"
#include "platform/QtColor.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QToolButton>

namespace tessaro {

namespace {
constexpr int FormWidth = 255;
constexpr int FormHeight = 177;

std::weak_ptr<TColorPickerForm> &SharedForm() {
  static std::weak_ptr<TColorPickerForm> form;
  return form;
}
} // namespace

std::shared_ptr<TColorPickerForm> TColorPickerForm::Shared() {
  std::shared_ptr<TColorPickerForm> form = SharedForm().lock();
  if (!form) {
    // When the last combo goes from inside one of the form's own handlers,
    // the form is deleted once that handler has returned to the event loop.
    form = std::shared_ptr<TColorPickerForm>(new TColorPickerForm, [](TColorPickerForm *f) {
      if (f->FHandlers > 0)
        f->deleteLater();
      else
        delete f;
    });
    SharedForm() = form;
  }
  return form;
}

TColorPickerForm::TColorPickerForm()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("PickerForm"));
  setAccessibleName(QStringLiteral("Farbauswahl"));
  setFixedSize(FormWidth, FormHeight);
  setAutoFillBackground(true);

  auto *bevel = new QFrame(this);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bevel->setGeometry(0, 0, FormWidth, FormHeight);

  LoadCustomColors();

  FGroup = new QButtonGroup(this);
  FGroup->setExclusive(true);
  const auto makeButton = [this](int index, TColor color, int left, int top) {
    auto *button = new TColBtn(this);
    button->SetSqareColor(color);
    button->move(left, top);
    FGroup->addButton(button, index);
    connect(button, &QToolButton::clicked, this, [this, button] { ButtonClick(button); });
    FButtons[size_t(index)] = button;
    return button;
  };
  for (int j = 1; j <= PickerBasicCount; ++j) {
    TColBtn *b = makeButton(j, PickerColors[size_t(j)], ((j - 1) % 8) * 20 + 5, ((j - 1) / 8) * 20 + 5);
    b->setAccessibleName(ColorDescription(b->SqareColor()));
  }
  for (int j = 1; j <= PickerSystemCount; ++j) {
    const int index = PickerBasicCount + j;
    TColBtn *b =
        makeButton(index, PickerColors[size_t(index)], ((j - 1) % 4) * 20 + 170, ((j - 1) / 4) * 20 + 5);
    SetHint(b, QString::fromLatin1(PickerSystemColorNames[size_t(j - 1)]));
  }
  TColBtn *custom = makeButton(0, FDialogColor, 5, 150);
  SetHint(custom, QStringLiteral("Custom Color, from standard Windows Color Dialogue"));

  FMoreButton = new QToolButton(this);
  FMoreButton->setAutoRaise(true);
  FMoreButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
  FMoreButton->setText(QStringLiteral("&Weitere Farben..."));
  FMoreButton->setGeometry(28, 150, FormWidth - 33, 20);
  SetHint(FMoreButton, QStringLiteral("Weitere Farben..."));
  connect(FMoreButton, &QToolButton::clicked, this, &TColorPickerForm::ChooseOtherColor);

  hide();
}

TColorPickerForm::~TColorPickerForm() {
  SaveCustomColors();
}

void TColorPickerForm::SelectColor(TColor color) {
  FCurrentColor = color;
  for (int i = 1; i < PickerColorCount; ++i) {
    if (PickerColors[size_t(i)] == color) {
      FButtons[size_t(i)]->setChecked(true);
      return;
    }
  }
  FButtons[0]->SetSqareColor(color);
  FButtons[0]->setChecked(true);
}

void TColorPickerForm::ButtonClick(TColBtn *button) {
  const THandlerScope scope(FHandlers);
  FCurrentColor = button->SqareColor();
  button->setChecked(true);
  const QPointer<TColorPickCombo> combo = FCombo;
  if (combo)
    combo->SetActiveColor(FCurrentColor);
  hide();
  if (combo)
    combo->setFocus();
}

void TColorPickerForm::ChooseOtherColor() {
  // The form stays alive while the dialog runs, even if its last combo goes.
  const THandlerScope scope(FHandlers);
  const std::shared_ptr<TColorPickerForm> keep = weak_from_this().lock();
  FDialogOpen = true;
  QColorDialog dialog(ToQColor(FDialogColor), this);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setObjectName(QStringLiteral("ColorDialog"));
  const bool ok = dialog.exec() == QDialog::Accepted;
  SaveCustomColors();
  FDialogOpen = false;
  if (ok) {
    FDialogColor = FromQColor(dialog.selectedColor());
    FButtons[0]->SetSqareColor(FDialogColor);
    ButtonClick(FButtons[0]);
  } else if (isVisible()) {
    activateWindow();
  }
}

void TColorPickerForm::FormDeactivate() {
  if (!FDialogOpen)
    hide();
}

void TColorPickerForm::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TColorPickerForm::changeEvent(QEvent *event) {
  if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
    FormDeactivate();
  QWidget::changeEvent(event);
}

} // namespace tessaro
