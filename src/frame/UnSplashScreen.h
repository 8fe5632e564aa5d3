// The splash screen of the start: a border-less picture with the program's
// icon and title, on top of everything, centred on the desktop. It closes
// 2000 ms after the frame was first shown (Escape does not close it).
#pragma once

#include <QPixmap>
#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QTimer;

namespace tessaro {

class TfrmSplashScreen : public QWidget {
  Q_OBJECT
public:
  // FormCreate.
  explicit TfrmSplashScreen(QWidget *parent = nullptr);
  ~TfrmSplashScreen() override;

  QLabel *ImageIcon;
  QLabel *lbTitle;
  QLabel *lbEsc;
  // Interval 2000 ms; the frame starts it when it is first shown.
  QTimer *TimerClose;

  void TimerCloseTimer();
  // An open request while only the splash screen exists is accepted and
  // dropped: the file also stands on the command line.
  void SystemExecuteMacro(const std::vector<std::string> &macro);

protected:
  void paintEvent(QPaintEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  QPixmap FPicture;
};

// The splash screen while it exists, or null.
TfrmSplashScreen *SplashScreen();

} // namespace tessaro
