// The size edits of the image-size and paper-size dialogs: height and width
// in pixels and in percent of the document's size. Typing into one writes
// the others: its partner in the other unit, and with the aspect box checked
// the other side with the same percentage. A handler answers only while
// FEditsActive is set, which it clears while it writes the other edits.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace tessaro {

class TSizeEdits : public QObject {
  Q_OBJECT
public:
  // W and H are the document's size; the group is titled title and the
  // aspect box captioned propCaption.
  TSizeEdits(QWidget *parent, const QString &title, const QString &propCaption, int W, int H);

  QGroupBox *Group;
  QLineEdit *EditHeightPx;
  QLineEdit *EditHeightPC;
  QLineEdit *EditWidthPx;
  QLineEdit *EditWidthPC;
  QCheckBox *ChBProp;
  bool FEditsActive = false;
  // Runs inside each handler after it wrote the edits (the paper dialog
  // updates its preview there).
  std::function<void()> Written;

  // Writes the document's size into the pixel edits and lets the handlers
  // answer from now on.
  void Start();

  void EditWidthPxChange();
  void EditHeightPxChange();
  void EditWidthPCChange();
  void EditHeightPCChange();
  void ChBPropClick();

private:
  // One pixel handler and one percent handler serve both sides.
  void PixelChanged(QLineEdit *px, QLineEdit *pc, QLineEdit *otherPx, QLineEdit *otherPc, int size,
                    int otherSize);
  void PercentChanged(QLineEdit *px, QLineEdit *pc, QLineEdit *otherPx, QLineEdit *otherPc, int size,
                      int otherSize);

  int FW;
  int FH;
};

} // namespace tessaro
