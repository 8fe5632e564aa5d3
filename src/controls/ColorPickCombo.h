// A small combo box that shows one colour as a square and, when dropped
// down, opens the shared colour picker form. Its width always follows its
// height: width = height + height / 2 + 6.
#pragma once

#include "core/Types.h"

#include <QComboBox>
#include <QString>

#include <memory>

namespace tessaro {

class TColorPickerForm;

class TColorPickCombo : public QComboBox {
  Q_OBJECT
public:
  explicit TColorPickCombo(QWidget *parent = nullptr);
  ~TColorPickCombo() override;

  // The shown and chosen colour; Changed is emitted when it really changes.
  TColor ActiveColor() const { return FActiveColor; }
  void SetActiveColor(TColor value);

  // Background of the drop-down form, given to it each time it opens.
  TColor DropDnColor() const { return FDropDnColor; }
  void SetDropDnColor(TColor value) { FDropDnColor = value; }

  // Caption of the drop-down's button that opens the colour dialog.
  QString OtherBtnCaption() const { return FOtherBtnCaption; }
  void SetOtherBtnCaption(const QString &value) { FOtherBtnCaption = value; }

  // Background of the shown item around the square.
  TColor Color() const { return FColor; }
  void SetColor(TColor value);

  TColorPickerForm *PickerForm() const { return FPickerForm.get(); }

  // Opens the picker below the combo (above it at the screen's bottom edge,
  // flush with the right edge when it would stick out).
  void ShowDropDown();
  void showPopup() override { ShowDropDown(); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

signals:
  void Changed();

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  TColor FActiveColor = clBlack;
  TColor FDropDnColor = clBtnFace;
  TColor FColor = clWindow;
  QString FOtherBtnCaption = QStringLiteral("&Weitere Farben...");
  std::shared_ptr<TColorPickerForm> FPickerForm;
};

// Where a drop-down of the given size opens for a combo whose bottom-left
// corner is at anchor (global coordinates), on the given screen.
QPoint DropDownPosition(const QPoint &anchor, int comboHeight, const QSize &form, const QRect &screen);

// The combo's width for a height.
constexpr int ColorPickComboWidth(int height) {
  return height + height / 2 + 6;
}

} // namespace tessaro
