// A track bar and the edit that shows its value, kept in step: moving the
// bar runs the dialog's change handler, which writes the edit; Enter in the
// edit or leaving it reads the text, limits it by the dialog's rule, sets the
// bar and runs the change handler even when the position stayed the same.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QSlider;

namespace tessaro {

class TEditApply;

class TTrackEdit : public QObject {
  Q_OBJECT
public:
  // A horizontal bar from min to max at position, ticks below, and its edit
  // with the initial text; both are children of parent and are called name
  // (the label's text) by screen readers.
  TTrackEdit(QWidget *parent, const QString &name, int min, int max, int position, const QString &text);

  QSlider *TrackBar;
  QLineEdit *Edit;
  TEditApply *Apply;

  // The edit's text for a bar position.
  std::function<QString(int position)> Format;
  // Reads the edit's text into a bar position by the dialog's rule; false
  // (after the reader's message) when the text is no number.
  std::function<bool(const QString &text, int &position)> Read;
  // The bar's change handler.
  std::function<void()> Changed;

  int Position() const;
  // Writes Format(position) into the edit.
  void WriteEdit();
  // Enter or leaving the edit.
  bool ApplyEdit();
};

} // namespace tessaro
