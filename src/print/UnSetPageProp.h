// "Seite einrichten": margins in centimetres, paper format, orientation,
// fitted or original size and the header and footer texts. The dialog keeps
// nothing itself: it reads the stored page setup when it opens and writes
// all nine values back on OK.
#pragma once

#include <QDialog>
#include <QRect>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tessaro {

class TPageShape;

class TfrmSetPageProp : public QDialog {
  Q_OBJECT
public:
  explicit TfrmSetPageProp(QWidget *parent = nullptr);

  // Shows the dialog modally; true when it was closed with OK (the page
  // setup is then stored).
  static bool Execute(QWidget *parent);

  QGroupBox *GroupMargins;
  TPageShape *Shape1;
  TPageShape *Shape3;
  QLineEdit *EditMargTop;
  QLineEdit *EditMargLeft;
  QLineEdit *EditMargRight;
  QLineEdit *EditMargBottom;
  QGroupBox *GroupPaper;
  QComboBox *CBPaperFormat;
  TPageShape *ShapeOrient;
  QRadioButton *RBPortrait;
  QRadioButton *RBLandscape;
  QGroupBox *GroupImage;
  QRadioButton *RBSizeOriginal;
  QRadioButton *RBSizeResize;
  QGroupBox *GroupHeadFoot;
  QToolButton *TBDateTime;
  QLineEdit *EditHeadLine;
  QLineEdit *EditBottomLine;
  QPushButton *BitBtnHelp;
  QPushButton *BitBtnOK;
  QPushButton *BitBtnCancel;

  // The orientation sketch's place for each orientation.
  static constexpr QRect PortraitSketch{24, 64, 33, 41};
  static constexpr QRect LandscapeSketch{16, 68, 49, 33};

  void FormCreate();
  void RBPortraitClick();
  void RBLandscapeClick();
  void TBDateTimeClick();
  // Stores the nine values and closes; a margin that is no number leaves
  // everything unwritten, tells why and keeps the dialog open.
  void BitBtnOKClick();
  void BitBtnCancelClick();
  void BitBtnHelpClick();

private:
  void CreateControls();
};

} // namespace tessaro
