#include "ops/dialogs/SizeEdits.h"

#include "ops/dialogs/NumberText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

QString Whole(double v) {
  return QString::number(static_cast<long long>(v));
}

} // namespace

TSizeEdits::TSizeEdits(QWidget *parent, const QString &title, const QString &propCaption, int W, int H)
    : QObject(parent), FW(std::max(W, 1)), FH(std::max(H, 1)) {
  Group = new QGroupBox(title, parent);
  auto *grid = new QGridLayout;
  EditHeightPx = new QLineEdit(Group);
  EditHeightPC = new QLineEdit("100", Group);
  EditWidthPx = new QLineEdit(Group);
  EditWidthPC = new QLineEdit("100", Group);
  EditHeightPx->setAccessibleName("Höhe in Pixel");
  EditHeightPC->setAccessibleName("Höhe in %");
  EditWidthPx->setAccessibleName("Breite in Pixel");
  EditWidthPC->setAccessibleName("Breite in %");
  grid->addWidget(new QLabel("Höhe:", Group), 0, 0);
  grid->addWidget(EditHeightPx, 0, 1);
  grid->addWidget(new QLabel("Pixel", Group), 0, 2);
  grid->addWidget(EditHeightPC, 0, 3);
  grid->addWidget(new QLabel("%", Group), 0, 4);
  grid->addWidget(new QLabel("Breite:", Group), 1, 0);
  grid->addWidget(EditWidthPx, 1, 1);
  grid->addWidget(new QLabel("Pixel", Group), 1, 2);
  grid->addWidget(EditWidthPC, 1, 3);
  grid->addWidget(new QLabel("%", Group), 1, 4);
  ChBProp = new QCheckBox(propCaption, Group);
  ChBProp->setChecked(true);
  auto *rows = new QVBoxLayout(Group);
  rows->addLayout(grid);
  rows->addWidget(ChBProp);

  connect(EditWidthPx, &QLineEdit::textChanged, this, [this] { EditWidthPxChange(); });
  connect(EditHeightPx, &QLineEdit::textChanged, this, [this] { EditHeightPxChange(); });
  connect(EditWidthPC, &QLineEdit::textChanged, this, [this] { EditWidthPCChange(); });
  connect(EditHeightPC, &QLineEdit::textChanged, this, [this] { EditHeightPCChange(); });
  connect(ChBProp, &QCheckBox::clicked, this, [this] { ChBPropClick(); });
}

void TSizeEdits::Start() {
  FEditsActive = false;
  EditWidthPx->setText(QString::number(FW));
  EditHeightPx->setText(QString::number(FH));
  FEditsActive = true;
}

void TSizeEdits::PixelChanged(QLineEdit *px, QLineEdit *pc, QLineEdit *otherPx, QLineEdit *otherPc, int size,
                              int otherSize) {
  if (!FEditsActive)
    return;
  int v = 0;
  if (!ReadLenientInt(px->text(), v))
    return;
  v = std::max(v, 1);
  FEditsActive = false;
  const double p = std::nearbyint(double(v) / size * 100);
  pc->setText(Whole(p));
  if (ChBProp->isChecked()) {
    otherPx->setText(Whole(std::nearbyint(double(otherSize) * p / 100)));
    otherPc->setText(pc->text());
  }
  if (Written)
    Written();
  FEditsActive = true;
}

void TSizeEdits::PercentChanged(QLineEdit *px, QLineEdit *pc, QLineEdit *otherPx, QLineEdit *otherPc,
                                int size, int otherSize) {
  if (!FEditsActive || pc->text().isEmpty())
    return;
  int typed = 0;
  if (!ReadLenientInt(pc->text(), typed))
    return;
  const int p = std::max(typed, 1);
  FEditsActive = false;
  px->setText(Whole(std::nearbyint(double(size) / 100 * p)));
  if (ChBProp->isChecked()) {
    // The other side takes the percentage as it stands in the edit, read
    // as leniently as the edit itself (so "50 %" works on both sides).
    otherPx->setText(Whole(std::trunc(double(otherSize) * typed / 100)));
    otherPc->setText(pc->text());
  }
  if (Written)
    Written();
  FEditsActive = true;
}

void TSizeEdits::EditWidthPxChange() {
  PixelChanged(EditWidthPx, EditWidthPC, EditHeightPx, EditHeightPC, FW, FH);
}

void TSizeEdits::EditHeightPxChange() {
  PixelChanged(EditHeightPx, EditHeightPC, EditWidthPx, EditWidthPC, FH, FW);
}

void TSizeEdits::EditWidthPCChange() {
  PercentChanged(EditWidthPx, EditWidthPC, EditHeightPx, EditHeightPC, FW, FH);
}

void TSizeEdits::EditHeightPCChange() {
  PercentChanged(EditHeightPx, EditHeightPC, EditWidthPx, EditWidthPC, FH, FW);
}

void TSizeEdits::ChBPropClick() {
  if (ChBProp->isChecked())
    EditHeightPCChange();
}

} // namespace tessaro
