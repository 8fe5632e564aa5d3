#include "info/UnProperties.h"

#include "core/BmpFile.h"
#include "files/LUMCtrl.h"
#include "info/ColorMemo.h"
#include "info/LUMShellIcon.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>

#include <filesystem>

namespace tessaro {

namespace {

QString Number(double value) {
  return QString::fromStdString(FormatNumber(value, 0));
}

bool IsExistingFile(const std::string &fileName) {
  std::error_code ec;
  return !fileName.empty() && std::filesystem::is_regular_file(std::filesystem::path(fileName), ec);
}

// Colours of the memo's keywords.
std::vector<TColorMemo::TColorRule> PropertyColors() {
  return {
      {{QStringLiteral("Datei:"), QStringLiteral("Pfad:"), QStringLiteral("Größe:"),
        QStringLiteral("Noch nicht gespeichert!"), QStringLiteral("Bildgröße:"), QStringLiteral("Breite:"),
        QStringLiteral("Höhe:"), QStringLiteral("Farbtiefe:"), QStringLiteral("Farbebenen:"),
        QStringLiteral("Kompression:"), QStringLiteral("X Px/Meter:"), QStringLiteral("Y Px/Meter:"),
        QStringLiteral("Breite (Px):"), QStringLiteral("Höhe (Px):")},
       QColor(0, 0, 255)},
      {{QStringLiteral("1-bit"), QStringLiteral("4-bit"), QStringLiteral("8-bit"), QStringLiteral("15-bit"),
        QStringLiteral("16-bit"), QStringLiteral("24-bit"), QStringLiteral("32-bit")},
       QColor(0, 128, 0)},
      {{QStringLiteral("KB"), QStringLiteral("MB"), QStringLiteral("GB")}, QColor(0, 128, 128)},
  };
}

} // namespace

QStringList PropertiesLines(const TPropertiesSource &source) {
  const QString fileName = QString::fromStdString(source.FileName);
  const bool exists = IsExistingFile(source.FileName);
  QString shortName = QFileInfo(fileName).fileName();
  if (shortName.isEmpty())
    shortName = source.Caption;
  QStringList lines;
  lines << QStringLiteral("Datei:       ") + shortName;
  if (exists) {
    lines << QStringLiteral("Pfad:        ") + fileName;
    // Reading the size needs no write access, so a read-only file is left
    // as it is.
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
      lines << QStringLiteral("Größe:       ") +
                   QString::fromStdString(FormatFileSize(uint64_t(file.size()), 2));
  } else {
    lines << QStringLiteral("             Noch nicht gespeichert!");
  }
  lines << QString();
  TBmpHeaderInfo header;
  if (exists && QFileInfo(fileName).suffix().toLower() == QLatin1String("bmp") &&
      ReadBmpHeader(source.FileName, header)) {
    lines << QStringLiteral("Breite:      ") + Number(header.Width) + QStringLiteral(" Pixel");
    lines << QStringLiteral("Höhe:        ") + Number(header.Height) + QStringLiteral(" Pixel");
    lines << QString();
    lines << QStringLiteral("Farbtiefe:   ") + Number(header.BitCount) + QStringLiteral("-bit");
    lines << QStringLiteral("Farbebenen:  ") + Number(header.Planes);
    lines << QString();
    lines << QStringLiteral("Kompression: ") + Number(header.Compression);
    lines << QString();
    lines << QStringLiteral("X Px/Meter:  ") + Number(header.XPelsPerMeter);
    lines << QStringLiteral("Y Px/Meter:  ") + Number(header.YPelsPerMeter);
  } else {
    lines << QStringLiteral("Breite (Px): ") + Number(source.Width);
    lines << QStringLiteral("Höhe (Px):   ") + Number(source.Height);
    lines << QStringLiteral("Farbtiefe:   ") + source.ImageTypeText;
  }
  return lines;
}

TfrmProperties::TfrmProperties(const TPropertiesSource &source, QWidget *parent) : QDialog(parent) {
  LUMShellIcon = new TLUMShellIcon(this);
  LUMShellIcon->setGeometry(8, 8, 41, 41);
  LUMShellIcon->SetShellIcon(shiConfirmation);
  ColorMemo = new TColorMemo(this);
  ColorMemo->setGeometry(56, 8, 297, 169);
  ColorMemo->setAccessibleName(QStringLiteral("Eigenschaften"));
  ColorMemo->SetRules(PropertyColors());
  auto *bevel = new QFrame(this);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(8, 184, 343, 2);
  BitBtnOK = new QPushButton(QStringLiteral("&OK"), this);
  BitBtnOK->setGeometry(264, 192, 89, 25);
  BitBtnOK->setDefault(true);
  connect(BitBtnOK, &QPushButton::clicked, this, &TfrmProperties::BitBtnOKClick);
  setFixedSize(359, 224);
  FormCreate(source);
}

void TfrmProperties::Execute(const TPropertiesSource &source, QWidget *parent) {
  TfrmProperties dialog(source, parent);
  dialog.exec();
}

void TfrmProperties::FormCreate(const TPropertiesSource &source) {
  setWindowTitle(QStringLiteral("Eigenschaften von ") + source.Caption);
  if (IsExistingFile(source.FileName)) {
    LUMShellIcon->SetFileName(QString::fromStdString(source.FileName));
    LUMShellIcon->SetShellStyle(shsFile);
  }
  ColorMemo->setPlainText(PropertiesLines(source).join(QLatin1Char('\n')));
}

void TfrmProperties::BitBtnOKClick() {
  accept();
}

} // namespace tessaro
