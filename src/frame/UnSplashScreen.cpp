#include "frame/UnSplashScreen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace tessaro {

namespace {

QPointer<TfrmSplashScreen> GSplashScreen;

// The picture: a deep blue ground with a band of mosaic tiles.
QPixmap SplashPicture(const QSize &size, qreal ratio) {
  QPixmap picture(size * ratio);
  picture.setDevicePixelRatio(ratio);
  QPainter p(&picture);
  QLinearGradient ground(0, 0, 0, size.height());
  ground.setColorAt(0, QColor(0x3d, 0x6f, 0xb6));
  ground.setColorAt(1, QColor(0x12, 0x2a, 0x55));
  p.fillRect(QRect(QPoint(0, 0), size), ground);
  static const QColor tiles[] = {QColor(0xe8, 0x47, 0x3c), QColor(0xf7, 0xd0, 0x38),
                                 QColor(0x4c, 0xb8, 0x5c), QColor(0x41, 0xa8, 0xe6),
                                 QColor(0x9a, 0x5c, 0xc6), QColor(0xf7, 0xf7, 0xf2)};
  const int tile = 22, gap = 4;
  p.setPen(QPen(QColor(0x10, 0x26, 0x4a), 1));
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col * (tile + gap) < size.width(); ++col) {
      const int x = col * (tile + gap) + (row % 2) * (tile / 2) - tile / 2;
      const int y = 118 + row * (tile + gap);
      QColor c = tiles[(col * 5 + row * 3) % 6];
      c.setAlpha(150 + 35 * row);
      p.setBrush(c);
      p.drawRoundedRect(QRectF(x + 0.5, y + 0.5, tile, tile), 3, 3);
    }
  }
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.drawLine(0, size.height() - 26, size.width(), size.height() - 26);
  return picture;
}

} // namespace

TfrmSplashScreen *SplashScreen() {
  return GSplashScreen.data();
}

TfrmSplashScreen::TfrmSplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  GSplashScreen = this;
  setObjectName("frmSplashScreen");
  setWindowTitle("Tessaro 1.0");
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(368, 245);

  ImageIcon = new QLabel(this);
  ImageIcon->setGeometry(8, 8, 40, 40);
  ImageIcon->setPixmap(QApplication::windowIcon().pixmap(QSize(32, 32)));
  ImageIcon->setAlignment(Qt::AlignCenter);
  ImageIcon->setAccessibleName("Tessaro");

  lbTitle = new QLabel("Tessaro 1.0", this);
  QFont title("Arial");
  title.setPixelSize(24);
  title.setBold(true);
  lbTitle->setFont(title);
  lbTitle->setStyleSheet("color: white;");
  lbTitle->setGeometry(56, 12, 300, 32);

  lbEsc = new QLabel(" ESC Drücken, um schneller zu starten", this);
  lbEsc->setStyleSheet("color: white;");
  lbEsc->setGeometry(0, height() - 24, width(), 22);

  TimerClose = new QTimer(this);
  TimerClose->setInterval(2000);
  TimerClose->setSingleShot(true);
  connect(TimerClose, &QTimer::timeout, this, [this] { TimerCloseTimer(); });

  if (const QScreen *screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->availableGeometry();
    move(desk.center() - rect().center());
  }
}

TfrmSplashScreen::~TfrmSplashScreen() {
  if (GSplashScreen == this)
    GSplashScreen = nullptr;
}

void TfrmSplashScreen::TimerCloseTimer() {
  close();
}

void TfrmSplashScreen::SystemExecuteMacro(const std::vector<std::string> &macro) {
  (void)macro;
}

void TfrmSplashScreen::paintEvent(QPaintEvent *event) {
  (void)event;
  const qreal ratio = devicePixelRatioF();
  if (FPicture.isNull() || FPicture.devicePixelRatio() != ratio)
    FPicture = SplashPicture(size(), ratio);
  QPainter p(this);
  p.drawPixmap(0, 0, FPicture);
}

void TfrmSplashScreen::closeEvent(QCloseEvent *event) {
  // FormClose: the global reference goes at once, the form with the event.
  GSplashScreen = nullptr;
  event->accept();
}

void TfrmSplashScreen::keyPressEvent(QKeyEvent *event) {
  // Escape does not close the splash screen, whatever its bottom line says.
  event->accept();
}

} // namespace tessaro
