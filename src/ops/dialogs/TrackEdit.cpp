#include "ops/dialogs/TrackEdit.h"

#include "ops/dialogs/EditApply.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

namespace tessaro {

TTrackEdit::TTrackEdit(QWidget *parent, const QString &name, int min, int max, int position,
                       const QString &text)
    : QObject(parent) {
  TrackBar = new QSlider(Qt::Horizontal, parent);
  TrackBar->setRange(min, max);
  TrackBar->setValue(position);
  TrackBar->setTickPosition(QSlider::TicksBelow);
  TrackBar->setTickInterval(std::max(1, (max - min) / 10));
  TrackBar->setPageStep(std::max(1, (max - min) / 10));
  Edit = new QLineEdit(text, parent);
  TrackBar->setAccessibleName(name);
  Edit->setAccessibleName(name);
  Apply = new TEditApply(Edit, [this] { return ApplyEdit(); });
  connect(TrackBar, &QSlider::valueChanged, this, [this] {
    if (Changed)
      Changed();
  });
}

int TTrackEdit::Position() const {
  return TrackBar->value();
}

void TTrackEdit::WriteEdit() {
  if (Format)
    Edit->setText(Format(TrackBar->value()));
}

bool TTrackEdit::ApplyEdit() {
  int position = TrackBar->value();
  if (Read && !Read(Edit->text(), position))
    return false;
  {
    // The handler runs once below, whether the position moved or not.
    const QSignalBlocker block(TrackBar);
    TrackBar->setValue(position);
  }
  if (Changed)
    Changed();
  return true;
}

} // namespace tessaro
