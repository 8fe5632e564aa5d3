#include "info/LUMShellIcon.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QStyle>

namespace tessaro {

namespace {

QIcon StandardIcon(TShellIcon icon) {
  QStyle *style = QApplication::style();
  switch (icon) {
  case shiApplication:
    if (!QApplication::windowIcon().isNull())
      return QApplication::windowIcon();
    return style->standardIcon(QStyle::SP_DesktopIcon);
  case shiWindows:
    return style->standardIcon(QStyle::SP_ComputerIcon);
  case shiInformation:
    return style->standardIcon(QStyle::SP_MessageBoxInformation);
  case shiConfirmation:
    return style->standardIcon(QStyle::SP_MessageBoxQuestion);
  case shiWarning:
    return style->standardIcon(QStyle::SP_MessageBoxWarning);
  case shiError:
    return style->standardIcon(QStyle::SP_MessageBoxCritical);
  }
  return QIcon();
}

} // namespace

TLUMShellIcon::TLUMShellIcon(QWidget *parent) : QWidget(parent) {
  UpdateIcon();
}

void TLUMShellIcon::SetShellIcon(TShellIcon icon) {
  FShellIcon = icon;
  UpdateIcon();
}

void TLUMShellIcon::SetShellStyle(TShellStyle style) {
  FShellStyle = style;
  UpdateIcon();
}

void TLUMShellIcon::SetFileName(const QString &fileName) {
  FFileName = fileName;
  UpdateIcon();
}

void TLUMShellIcon::UpdateIcon() {
  FIcon = QIcon();
  if (FShellStyle == shsFile && !FFileName.isEmpty() && QFileInfo::exists(FFileName))
    FIcon = QFileIconProvider().icon(QFileInfo(FFileName));
  if (FIcon.isNull())
    FIcon = StandardIcon(FShellIcon);
  update();
}

void TLUMShellIcon::paintEvent(QPaintEvent *) {
  const int side = std::min({width(), height(), 32});
  if (side <= 0 || FIcon.isNull())
    return;
  const QRect target((width() - side) / 2, (height() - side) / 2, side, side);
  QPainter painter(this);
  FIcon.paint(&painter, target);
}

} // namespace tessaro
