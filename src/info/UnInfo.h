// "Info": the program's information box with its picture, icon, title and
// notice.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;

namespace tessaro {

class TfrmInfo : public QDialog {
  Q_OBJECT
public:
  explicit TfrmInfo(QWidget *parent = nullptr);

  // "Info...": shows the box modally.
  static void Execute(QWidget *parent);

  QLabel *Image;
  QLabel *ImageIcon;
  QLabel *lbAppTitle;
  QFrame *Shape1;
  QLabel *Label1;
  QPushButton *BtnOK;

  void FormCreate();
  void BtnOKClick();
};

} // namespace tessaro
