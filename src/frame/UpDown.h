// The spinner beside a number edit: its arrows (and the up and down keys in
// the edit) step the number in the edit within a range. The edit keeps
// whatever the user types; the arrows read it leniently.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tessaro {

class TUpDown : public QWidget {
  Q_OBJECT
public:
  // Shows position in the edit. name is what screen readers call the edit's
  // value ("Eckenrundung"); the arrows are named after it.
  TUpDown(QLineEdit *associate, int min, int max, int position, const QString &name,
          QWidget *parent = nullptr);

  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  void SetPosition(int position);
  // One step up (+1) or down (-1) from the number in the edit.
  void Step(int delta);

  QToolButton *UpButton() const { return FUp; }
  QToolButton *DownButton() const { return FDown; }

signals:
  // An arrow (or arrow key) stepped the number; the edit shows it already.
  void Clicked();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QLineEdit *FAssociate;
  QToolButton *FUp;
  QToolButton *FDown;
  int FMin;
  int FMax;
  int FPosition;
};

} // namespace tessaro
