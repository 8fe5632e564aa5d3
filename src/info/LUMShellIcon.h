// A picture control showing a standard system icon, or the icon the desktop
// associates with a file.
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

namespace tessaro {

enum TShellIcon { shiApplication, shiWindows, shiInformation, shiConfirmation, shiWarning, shiError };
// shsIcon shows ShellIcon; shsFile the icon of FileName (ShellIcon when the
// file has none).
enum TShellStyle { shsIcon, shsFile };

class TLUMShellIcon : public QWidget {
  Q_OBJECT
public:
  explicit TLUMShellIcon(QWidget *parent = nullptr);

  TShellIcon ShellIcon() const { return FShellIcon; }
  void SetShellIcon(TShellIcon icon);
  TShellStyle ShellStyle() const { return FShellStyle; }
  void SetShellStyle(TShellStyle style);
  QString FileName() const { return FFileName; }
  void SetFileName(const QString &fileName);

  // The icon shown now.
  QIcon Icon() const { return FIcon; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  void UpdateIcon();

  TShellIcon FShellIcon = shiApplication;
  TShellStyle FShellStyle = shsIcon;
  QString FFileName;
  QIcon FIcon;
};

} // namespace tessaro
