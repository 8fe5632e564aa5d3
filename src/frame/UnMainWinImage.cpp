// The frame's side of the current floating image: its position and size
// typed into "Bewegliche Objekte", its status texts, the cross-fade and the
// see-through colour of "Transparenz", and the combine button. The document
// fills the controls through the host whenever an object becomes current,
// moves or changes its size.
#include "frame/UnMain.h"

#include "core/Lenient.h"
#include "document/UnChild.h"
#include "document/objects/CombineTypes.h"
#include "frame/UpDown.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"
#include "platform/ScreenMetrics.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace tessaro {

namespace {

// Hands each character typed into an edit ('\r' for Enter) to a key
// handler; the handler swallows it by setting it to 0.
class TKeyPressFilter : public QObject {
public:
  TKeyPressFilter(QLineEdit *edit, std::function<void(QChar &key)> handler)
      : QObject(edit), FHandler(std::move(handler)) {
    edit->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::KeyPress)
      return QObject::eventFilter(watched, event);
    const auto *press = static_cast<QKeyEvent *>(event);
    QChar key;
    if (press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter)
      key = QChar('\r');
    else if (!press->text().isEmpty())
      key = press->text().at(0);
    else
      return false; // arrows, Shift and the like type nothing
    FHandler(key);
    return key.isNull();
  }

private:
  std::function<void(QChar &key)> FHandler;
};

TLUMWinImageEx *CurrentWinImage(const TfrmMain &frame) {
  TfrmChild *doc = frame.ActiveChild();
  return doc ? doc->ActiveWinImage() : nullptr;
}

// The number in an edit, read leniently, kept within its spinner's range
// and written back. False after the message when the rest is no number.
bool ReadNumber(QLineEdit *edit, const TUpDown &range, int &value) {
  std::string error;
  if (!TryLenientStrToInt(edit->text().toStdString(), value, &error)) {
    MessageDlg(error, mtError, mbOK);
    return false;
  }
  value = std::clamp(value, range.Min(), range.Max());
  edit->setText(QString::number(value));
  return true;
}

// Enter in a position or size edit: the object's picture goes to the typed
// place or gets the typed size. Without a current object every key beeps.
enum class TObjectEdit { X, Y, Width, Height };

void ObjectEditKeyPress(TfrmMain &frame, TObjectEdit which, QChar &key) {
  TLUMWinImageEx *image = CurrentWinImage(frame);
  if (!image) {
    Beep();
    return;
  }
  if (key != QChar('\r'))
    return;
  key = QChar();
  const TToolBarWinImage &bar = frame.ToolBarWinImage;
  int n = 0;
  switch (which) {
  case TObjectEdit::X:
  case TObjectEdit::Y: {
    const bool x = which == TObjectEdit::X;
    if (!ReadNumber(x ? bar.EditWinImgX : bar.EditWinImgY, x ? *bar.UpDownWinImgXPos : *bar.UpDownWinImgYPos,
                    n))
      return;
    // The object lies on the scrolled picture: its position already counts
    // the scrolled-away part. The picture starts inside the 4-pixel margin.
    if (x)
      image->SetLeft(n - 4);
    else
      image->SetTop(n - 4);
    frame.ShowObjectStatus();
    // What lies under the object changed.
    if (frame.BlendPosition() != 0)
      frame.TrackBarWinImgTranspChange();
    return;
  }
  case TObjectEdit::Width:
  case TObjectEdit::Height: {
    const bool w = which == TObjectEdit::Width;
    if (!ReadNumber(w ? bar.EditWinImgWidth : bar.EditWinImgHeight,
                    w ? *bar.UpDownWinImgYWidth : *bar.UpDownWinImgYHeigth, n))
      return;
    if (w)
      image->SetWidth(n + 8);
    else
      image->SetHeight(n + 8);
    // Every new size is resampled from the pixels as inserted. The object
    // reports its new size to the document, which blends it again when the
    // track bar is not at 0.
    const QPointer<TLUMWinImageEx> guard(image);
    image->SetBitmap(image->SharedSourceBitmap());
    image->ApplyStretchedSize(image->StretchFilter());
    if (guard)
      frame.ShowObjectStatus();
    return;
  }
  }
}

void EnterIn(TfrmMain &frame, TObjectEdit which) {
  QChar enter('\r');
  ObjectEditKeyPress(frame, which, enter);
}

} // namespace

void TfrmMain::ConnectWinImageBars() {
  TToolBarWinImage &w = ToolBarWinImage;
  new TKeyPressFilter(w.EditWinImgX, [this](QChar &key) { EditWinImgXKeyPress(key); });
  new TKeyPressFilter(w.EditWinImgY, [this](QChar &key) { EditWinImgYKeyPress(key); });
  new TKeyPressFilter(w.EditWinImgWidth, [this](QChar &key) { EditWinImgWidthKeyPress(key); });
  new TKeyPressFilter(w.EditWinImgHeight, [this](QChar &key) { EditWinImgHeightKeyPress(key); });
  connect(w.UpDownWinImgXPos, &TUpDown::Clicked, this, [this] { UpDownWinImgXPosClick(); });
  connect(w.UpDownWinImgYPos, &TUpDown::Clicked, this, [this] { UpDownWinImgYPosClick(); });
  connect(w.UpDownWinImgYWidth, &TUpDown::Clicked, this, [this] { UpDownWinImgYWidthChanging(); });
  connect(w.UpDownWinImgYHeigth, &TUpDown::Clicked, this, [this] { UpDownWinImgYHeigthChanging(); });
  connect(w.SpBtnWinImgCombine, &QToolButton::clicked, this, [this] { SpBtnWinImgCombineClick(); });

  TToolBarTransp &t = ToolBarTransp;
  connect(t.TrackBarWinImgTransp, &QSlider::valueChanged, this, [this] { TrackBarWinImgTranspChange(); });
  new TKeyPressFilter(t.EditWinImgTransp, [this](QChar &key) { EditWinImgTranspKeyPress(key); });
  connect(t.TBWinImgTransp, &QToolButton::clicked, this, [this] {
    // The button is down or up already.
    if (TLUMWinImageEx *image = CurrentWinImage(*this))
      image->SetTransparent(ToolBarTransp.TBWinImgTransp->isChecked());
    else
      Beep();
  });
  connect(t.ClPickCBWinImgTransp, &TColorPickCombo::Changed, this, [this] { ClPickCBWinImgTranspChanged(); });
}

void TfrmMain::EditWinImgXKeyPress(QChar &Key) {
  ObjectEditKeyPress(*this, TObjectEdit::X, Key);
}

void TfrmMain::EditWinImgYKeyPress(QChar &Key) {
  ObjectEditKeyPress(*this, TObjectEdit::Y, Key);
}

void TfrmMain::EditWinImgWidthKeyPress(QChar &Key) {
  ObjectEditKeyPress(*this, TObjectEdit::Width, Key);
}

void TfrmMain::EditWinImgHeightKeyPress(QChar &Key) {
  ObjectEditKeyPress(*this, TObjectEdit::Height, Key);
}

// The spinners have written the new number into their edit.
void TfrmMain::UpDownWinImgXPosClick() {
  EnterIn(*this, TObjectEdit::X);
}

void TfrmMain::UpDownWinImgYPosClick() {
  EnterIn(*this, TObjectEdit::Y);
}

void TfrmMain::UpDownWinImgYWidthChanging() {
  EnterIn(*this, TObjectEdit::Width);
}

void TfrmMain::UpDownWinImgYHeigthChanging() {
  EnterIn(*this, TObjectEdit::Height);
}

void TfrmMain::ShowObjectStatus() {
  TLUMWinImageEx *image = CurrentWinImage(*this);
  if (!image)
    return;
  // Pixels of the zoomed picture (the object's position counts the
  // scrolled-away part), and what they measure on the screen.
  const int x = image->Left() + 4, y = image->Top() + 4;
  const int h = image->InnerHeight(), b = image->InnerWidth();
  const QString unit = DrawAttributes().DimUnit;
  auto text = [&unit](const char *label, int pixels, double mm) {
    return QString(label) + QString::number(pixels) + " (" + FormatMm(mm) + " " + unit + ")";
  };
  SetStatusText(0, text("X: ", x, HorzMm(x)));
  SetStatusText(1, text("Y: ", y, VertMm(y)));
  SetStatusText(2, text("H: ", h, VertMm(h)));
  SetStatusText(3, text("B: ", b, HorzMm(b)));
}

void TfrmMain::ShowWinImagePosition(int x, int y) {
  ToolBarWinImage.EditWinImgX->setText(QString::number(x));
  ToolBarWinImage.EditWinImgY->setText(QString::number(y));
}

void TfrmMain::ShowWinImageSize(int width, int height) {
  ToolBarWinImage.EditWinImgWidth->setText(QString::number(width));
  ToolBarWinImage.EditWinImgHeight->setText(QString::number(height));
}

void TfrmMain::ShowWinImageTransparency(bool transparent, TColor color) {
  ToolBarTransp.TBWinImgTransp->setChecked(transparent);
  // Showing the object's own colour changes nothing of it.
  const QSignalBlocker block(ToolBarTransp.ClPickCBWinImgTransp);
  ToolBarTransp.ClPickCBWinImgTransp->SetActiveColor(color);
}

int TfrmMain::BlendPosition() const {
  return ToolBarTransp.TrackBarWinImgTransp->value();
}

void TfrmMain::SetBlendPosition(int position) {
  // Another position blends the current object (the track bar's change).
  ToolBarTransp.TrackBarWinImgTransp->setValue(position);
  ToolBarTransp.EditWinImgTransp->setText(QString::number(BlendPosition()));
}

void TfrmMain::TrackBarWinImgTranspChange() {
  const int position = BlendPosition();
  ToolBarTransp.EditWinImgTransp->setText(QString::number(position));
  TfrmChild *doc = ActiveChild();
  if (!doc || !doc->ActiveWinImage())
    return;
  doc->CrossFadeWinImage(*doc->ActiveWinImage(), position);
}

void TfrmMain::EditWinImgTranspKeyPress(QChar &Key) {
  if (Key != QChar('\r'))
    return;
  Key = QChar();
  int v = 0;
  std::string error;
  if (!TryLenientStrToInt(ToolBarTransp.EditWinImgTransp->text().toStdString(), v, &error)) {
    MessageDlg(error, mtError, mbOK);
    return;
  }
  if (v < 0 || v > 100)
    v = 0;
  {
    // One cross-fade, also when the position stays.
    const QSignalBlocker block(ToolBarTransp.TrackBarWinImgTransp);
    ToolBarTransp.TrackBarWinImgTransp->setValue(v);
  }
  TrackBarWinImgTranspChange();
}

void TfrmMain::TBWinImgTranspClick() {
  ToolBarTransp.TBWinImgTransp->click();
}

void TfrmMain::ClPickCBWinImgTranspChanged() {
  TLUMWinImageEx *image = CurrentWinImage(*this);
  if (!image) {
    Beep();
    return;
  }
  image->SetTransparentColor(ToolBarTransp.ClPickCBWinImgTransp->ActiveColor());
  image->update();
}

void TfrmMain::SpBtnWinImgCombineClick() {
  TfrmChild *doc = ActiveChild();
  TLUMWinImageEx *image = doc ? doc->ActiveWinImage() : nullptr;
  if (!image) {
    Beep();
    return;
  }
  doc->CombineWinImage(image, nullptr);
}

uint32_t TfrmMain::WinImageCopyMode() const {
  return CombineCopyMode(ToolBarWinImage.CBWinImagComineType->currentIndex());
}

} // namespace tessaro
