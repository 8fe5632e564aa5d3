// "Eigenschaften": facts about a document's file and picture. For a saved
// BMP file the numbers come from its headers; otherwise from the picture
// in memory.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <string>

class QPushButton;

namespace tessaro {

class TColorMemo;
class TLUMShellIcon;

// What the dialog shows of a document.
struct TPropertiesSource {
  // The document window's caption.
  QString Caption;
  // The document's file name (an untitled document's caption-based name).
  std::string FileName;
  // The picture's size in pixels.
  int Width = 0;
  int Height = 0;
  // The pixel-format text of the status bar ("24-bit").
  QString ImageTypeText;
};

// The memo's lines, labels padded to 13 characters.
QStringList PropertiesLines(const TPropertiesSource &source);

class TfrmProperties : public QDialog {
  Q_OBJECT
public:
  explicit TfrmProperties(const TPropertiesSource &source, QWidget *parent = nullptr);

  // "Eigenschaften...": shows the dialog modally.
  static void Execute(const TPropertiesSource &source, QWidget *parent);

  TLUMShellIcon *LUMShellIcon;
  TColorMemo *ColorMemo;
  QPushButton *BitBtnOK;

  void FormCreate(const TPropertiesSource &source);
  void BitBtnOKClick();
};

} // namespace tessaro
