// The program's file class on the desktop, the freedesktop way: a desktop
// entry "tessaro.desktop" that opens files with the program, MIME types of
// our own for the picture extensions the shared MIME database lacks, and the
// user's default application per MIME type in "mimeapps.list". Everything is
// per user (the XDG data and config folders).
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace tessaro {

// Makes the program's icon (":/icons/tessaro.svg") and desktop files
// reachable; call before the first use.
void LoadShellResources();

// The desktop entry's id.
inline constexpr const char *DesktopFileId = "tessaro.desktop";

// The extensions the options dialog offers, in its order, with the
// description it shows and the MIME type that stands for the extension.
struct TAssociationRow {
  const char *Extension; // lower case, with the dot
  const char *Description;
  const char *MimeType;
};
const std::vector<TAssociationRow> &AssociationRows();

// The MIME type that stands for an extension (".jpg" -> "image/jpeg"; lower
// case, with the dot); empty for an extension without one.
QString MimeTypeOfExtension(const QString &extension);
// Whether the type is one of our own (declared by our MIME package).
bool IsOwnMimeType(const QString &mimeType);
// Every MIME type the program opens, each once, in the order of the
// extension table.
QStringList OpenedMimeTypes();

// The user's folders: $XDG_DATA_HOME and $XDG_CONFIG_HOME (or their
// defaults).
QString UserDataFolder();
QString UserConfigFolder();
QString DesktopEntryPath(); // <data>/applications/tessaro.desktop
QString MimePackagePath();  // <data>/mime/packages/tessaro.xml
QString MimeAppsListPath(); // <config>/mimeapps.list

// The Exec key's value for a program: the path (quoted as the desktop entry
// format asks when it holds blanks or other reserved characters), " %f".
QString DesktopExecLine(const QString &programPath);
// The desktop entry for a program at programPath.
QString DesktopEntryText(const QString &programPath);
// Our MIME package (the file of the shared MIME database's format).
QByteArray MimePackageText();

// Writes the file class once: when the desktop entry exists nothing is
// touched (also when it names another program path). Otherwise the icon,
// the MIME package (then the user's MIME database is rebuilt in the
// background) and the desktop entry are written. False with a German reason
// when a file cannot be written.
bool RegisterFileClass(const QString &programPath, QString &error);

// The user's mimeapps.list, kept line by line: only the keys it changes are
// rewritten, everything else (comments, other groups, lines it does not
// understand) stays as it was.
class TMimeAppsList {
public:
  // A missing file reads as empty. False when it exists but cannot be read.
  bool Load(const QString &path);
  // The first desktop id of the type's default, or "".
  QString DefaultFor(const QString &mimeType) const;
  // Makes desktopId the type's default (whatever the default was before).
  void SetDefault(const QString &mimeType, const QString &desktopId);
  // Removes the type's default only when its first entry is desktopId.
  void RemoveDefault(const QString &mimeType, const QString &desktopId);
  // Replaces the file as a whole; false with a German reason.
  bool Save(QString &error) const;
  const QString &Path() const { return FPath; }

private:
  // Index range [first, last) of the group's lines after its header; first
  // is -1 when the group is missing.
  void GroupRange(int &first, int &last) const;
  int KeyLine(const QString &mimeType, int first, int last) const;

  QString FPath;
  QList<QByteArray> FLines; // as the bytes stand, without line ends
  bool FEndsWithNewline = true;
};

// The icon the desktop shows for files of the type: the icon theme's icon of
// the type, else its generic icon; null when the theme has neither.
QIcon MimeTypeIcon(const QString &mimeType);

} // namespace tessaro
