#include "frame/FrameWidgets.h"

#include "platform/Hints.h"
#include "platform/QtColor.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

QAction *MakeAction(QObject *owner, const QString &caption, const QKeySequence &key, const QString &hint) {
  auto *a = new QAction(caption, owner);
  if (!key.isEmpty())
    a->setShortcut(key);
  if (!hint.isEmpty())
    SetHint(a, hint);
  return a;
}

QToolButton *MakeButton(QToolBar *bar, const QString &hint, const QIcon &icon, const QString &text) {
  auto *b = new QToolButton(bar);
  if (!icon.isNull())
    b->setIcon(icon);
  else
    b->setText(text.isEmpty() ? hint : text);
  SetHint(b, hint);
  bar->addWidget(b);
  return b;
}

TStatusPanels::TStatusPanels(const std::vector<TPanelDef> &panels, QWidget *parent) : QWidget(parent) {
  auto *row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  for (size_t i = 0; i < panels.size(); ++i) {
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    auto *inner = new QHBoxLayout(frame);
    inner->setContentsMargins(3, 1, 3, 1);
    auto *label = new QLabel(panels[i].Text, frame);
    inner->addWidget(label);
    if (i + 1 < panels.size()) {
      frame->setFixedWidth(panels[i].Width);
      row->addWidget(frame);
    } else {
      frame->setMinimumWidth(panels[i].Width);
      row->addWidget(frame, 1);
    }
    FPanels.push_back({frame, label});
  }
}

QString TStatusPanels::PanelText(int i) const {
  if (i < 0 || i >= PanelCount())
    return QString();
  return FPanels[size_t(i)].Label->text();
}

void TStatusPanels::SetPanelText(int i, const QString &text) {
  if (i < 0 || i >= PanelCount())
    return;
  FPanels[size_t(i)].Label->setText(text);
}

TColorPanel::TColorPanel(TColor color, const QString &hint, QWidget *parent) : QFrame(parent), FColor(color) {
  setFrameShape(QFrame::Box);
  setToolTip(hint);
  setStatusTip(hint);
  setMinimumSize(20, 14);
}

void TColorPanel::SetColor(TColor c) {
  if (c == FColor)
    return;
  FColor = c;
  update();
}

void TColorPanel::paintEvent(QPaintEvent *event) {
  {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(FColor));
  }
  QFrame::paintEvent(event);
}

void TColorPanel::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton)
    emit DoubleClicked();
  QFrame::mouseDoubleClickEvent(event);
}

} // namespace tessaro
