#include "info/UnInfo.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

// Resources of a static library are registered by name.
static void InitInfoResources() {
  Q_INIT_RESOURCE(info);
}

namespace tessaro {

TfrmInfo::TfrmInfo(QWidget *parent) : QDialog(parent) {
  static const bool registered = [] {
    InitInfoResources();
    return true;
  }();
  (void)registered;
  setWindowTitle(QStringLiteral("Info"));
  setFixedSize(422, 281);

  Image = new QLabel(this);
  Image->setGeometry(0, 0, 422, 281);
  Image->setPixmap(QPixmap(QStringLiteral(":/info/InfoBackground.jpg")));
  Image->setScaledContents(true);

  Shape1 = new QFrame(this);
  Shape1->setGeometry(56, 52, 310, 150);
  Shape1->setFrameShape(QFrame::Box);
  Shape1->setStyleSheet(QStringLiteral("QFrame { border: 1px solid rgba(255, 255, 255, 200); "
                                       "background: rgba(255, 255, 255, 170); }"));

  ImageIcon = new QLabel(this);
  ImageIcon->setGeometry(8, 8, 41, 33);
  ImageIcon->setAlignment(Qt::AlignCenter);

  lbAppTitle = new QLabel(QStringLiteral("Tessaro 1.0"), this);
  lbAppTitle->setGeometry(56, 60, 310, 40);
  lbAppTitle->setAlignment(Qt::AlignCenter);
  lbAppTitle->setAttribute(Qt::WA_TranslucentBackground);
  QFont titleFont = lbAppTitle->font();
  titleFont.setPointSize(20);
  titleFont.setBold(true);
  lbAppTitle->setFont(titleFont);

  Label1 = new QLabel(QStringLiteral("Ein Malprogramm für Rasterbilder: zeichnen, bearbeiten, "
                                     "Effekte anwenden und drucken.\n\n"
                                     "Dieses Programm wird ohne jede Gewährleistung bereitgestellt."),
                      this);
  Label1->setGeometry(68, 104, 286, 90);
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setAttribute(Qt::WA_TranslucentBackground);

  BtnOK = new QPushButton(QStringLiteral("&OK"), this);
  BtnOK->setGeometry(166, 240, 89, 25);
  BtnOK->setDefault(true);
  BtnOK->setToolTip(QStringLiteral("Schließen"));
  connect(BtnOK, &QPushButton::clicked, this, &TfrmInfo::BtnOKClick);

  FormCreate();
}

void TfrmInfo::Execute(QWidget *parent) {
  TfrmInfo dialog(parent);
  dialog.exec();
}

void TfrmInfo::FormCreate() {
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull())
    icon = style()->standardIcon(QStyle::SP_DesktopIcon);
  ImageIcon->setPixmap(icon.pixmap(32, 32));
}

void TfrmInfo::BtnOKClick() {
  accept();
}

} // namespace tessaro
