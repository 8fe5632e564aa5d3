#include "platform/FileAssociations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

// Resources of a static library are registered by name.
static void InitShellResources() {
  Q_INIT_RESOURCE(shell);
}

namespace tessaro {

void LoadShellResources() {
  static const bool loaded = [] {
    InitShellResources();
    return true;
  }();
  (void)loaded;
}

namespace {

constexpr const char *DefaultGroup = "[Default Applications]";

QString FolderFromEnv(const char *variable, const QString &fallback) {
  const QString value = qEnvironmentVariable(variable);
  // Relative base directories do not count.
  if (!value.isEmpty() && QDir::isAbsolutePath(value))
    return QDir::cleanPath(value);
  return QDir::cleanPath(QDir::homePath() + "/" + fallback);
}

bool WriteWhole(const QString &path, const QByteArray &content, QString &error) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    error = QString("Der Ordner \"%1\" kann nicht angelegt werden.").arg(QFileInfo(path).absolutePath());
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
    error = QString("Die Datei \"%1\" kann nicht geschrieben werden: %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

QByteArray Resource(const QString &name) {
  LoadShellResources();
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

const std::vector<TAssociationRow> &AssociationRows() {
  static const std::vector<TAssociationRow> rows = {
      {".rla", "Alias Wavefront Bild (*.rla)", "image/x-tessaro-rla"},
      {".rpf", "Alias Wavefront Bild (*.rpf)", "image/x-tessaro-rpf"},
      {".cel", "Autodesk Bild (*.cel)", "image/x-tessaro-cel"},
      {".pic", "Autodesk Bild (*.pic)", "image/x-tessaro-pic"},
      {".cut", "Dr. Halo Bild (*.cut)", "image/x-tessaro-cut"},
      {".jfif", "JPEG Bild (*.jfif)", "image/x-tessaro-jfif"},
      {".jpe", "JPEG Bild (*.jpe)", "image/jpeg"},
      {".jpg", "JPEG Bild (*.jpg)", "image/jpeg"},
      {".jpeg", "JPEG Bild (*.jpeg)", "image/jpeg"},
      {".pcd", "Kodak Foto CD Bild (*.pcd)", "image/x-photo-cd"},
      {".wmf", "Windows Metadatei (*.wmf)", "image/wmf"},
      {".emf", "Erweiterte Windows Metadatei (*.emf)", "image/emf"},
      {".pcc", "Paintbrush Bild (*.pcc)", "image/x-tessaro-pcc"},
      {".pcx", "Paintbrush Bild (*.pcx)", "image/vnd.zbrush.pcx"},
      {".psp", "Paintshop Pro Bild (*.psd)", "image/x-tessaro-psp"},
      {".pdd", "Photoshop Bild (*.pdd)", "image/x-tessaro-pdd"},
      {".psd", "Photoshop Bild (*.psd)", "image/vnd.adobe.photoshop"},
      {".pbm", "Portable Map Bild (*.pbm)", "image/x-portable-bitmap"},
      {".pgm", "Portable Map Bild (*.pgm)", "image/x-portable-graymap"},
      {".ppm", "Portable Map Bild (*.ppm)", "image/x-portable-pixmap"},
      {".png", "Portable Netzwerkgrafik (*.png)", "image/png"},
      {".eps", "Postscript Bild (*.eps)", "image/x-eps"},
      {".bw", "SGI Bild (*.bw)", "image/x-tessaro-bw"},
      {".rgb", "SGI Bild (*.rgb)", "image/x-rgb"},
      {".rgba", "SGI Bild (*.rgba)", "image/x-tessaro-rgba"},
      {".sgi", "SGI Bild (*.sgi)", "image/x-sgi"},
      {".ico", "Symbol (*.ico)", "image/vnd.microsoft.icon"},
      {".fax", "Tagged Bild (*.fax)", "image/x-tessaro-fax"},
      {".tif", "Tagged Bild (*.tif)", "image/tiff"},
      {".tiff", "Tagged Bild (*.tiff)", "image/tiff"},
      {".icb", "Truevision Bild (*.icb)", "image/x-tga"},
      {".tga", "Truevision Bild (*.tga)", "image/x-tga"},
      {".vda", "Truevision Bild (*.vda)", "image/x-tga"},
      {".vst", "Truevision Bild (*.vst)", "image/x-tga"},
      {".win", "Truevision Bild (*.win)", "image/x-tessaro-win"},
      {".bmp", "Windows Bitmap (*.bmp)", "image/bmp"},
      {".dib", "Windows Bitmap (*.dib)", "image/bmp"},
      {".rle", "Windows Bitmap (*.rle)", "image/rle"},
  };
  return rows;
}

QString MimeTypeOfExtension(const QString &extension) {
  const QString ext = extension.toLower();
  for (const TAssociationRow &row : AssociationRows()) {
    if (ext == QLatin1String(row.Extension))
      return QString::fromLatin1(row.MimeType);
  }
  return QString();
}

bool IsOwnMimeType(const QString &mimeType) {
  return mimeType.startsWith("image/x-tessaro-");
}

QStringList OpenedMimeTypes() {
  QStringList types;
  for (const TAssociationRow &row : AssociationRows()) {
    const QString type = QString::fromLatin1(row.MimeType);
    if (!types.contains(type))
      types << type;
  }
  return types;
}

QString UserDataFolder() {
  return FolderFromEnv("XDG_DATA_HOME", ".local/share");
}

QString UserConfigFolder() {
  return FolderFromEnv("XDG_CONFIG_HOME", ".config");
}

QString DesktopEntryPath() {
  return UserDataFolder() + "/applications/" + DesktopFileId;
}

QString MimePackagePath() {
  return UserDataFolder() + "/mime/packages/tessaro.xml";
}

QString MimeAppsListPath() {
  return UserConfigFolder() + "/mimeapps.list";
}

QString DesktopExecLine(const QString &programPath) {
  // Inside the Exec key a path with reserved characters is quoted, and
  // within the quotes '"', '`', '$' and '\' carry a backslash; '%' is
  // doubled everywhere. The file format then doubles every backslash.
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  QString path = programPath;
  path.replace('%', "%%");
  bool quote = false;
  for (const QChar c : path)
    quote = quote || reserved.contains(c);
  if (quote) {
    QString quoted;
    for (const QChar c : path) {
      if (c == '"' || c == '`' || c == '$' || c == '\\')
        quoted += '\\';
      quoted += c;
    }
    path = '"' + quoted + '"';
  }
  path.replace('\\', "\\\\");
  return path + " %f";
}

QString DesktopEntryText(const QString &programPath) {
  QString text = QString::fromUtf8(Resource(":/desktop/tessaro.desktop.in"));
  // Line breaks in a path would end the key early.
  QString path = programPath;
  path.remove('\n').remove('\r');
  text.replace("@TESSARO_EXEC@", DesktopExecLine(path));
  return text;
}

QByteArray MimePackageText() {
  return Resource(":/desktop/tessaro.xml");
}

bool RegisterFileClass(const QString &programPath, QString &error) {
  if (QFileInfo(DesktopEntryPath()).exists() || QFileInfo(DesktopEntryPath()).isSymLink())
    return true;
  const QString data = UserDataFolder();
  const QString icon = data + "/icons/hicolor/scalable/apps/tessaro.svg";
  if (!QFileInfo::exists(icon) && !WriteWhole(icon, Resource(":/icons/tessaro.svg"), error))
    return false;
  if (!QFileInfo::exists(MimePackagePath())) {
    if (!WriteWhole(MimePackagePath(), MimePackageText(), error))
      return false;
    // The desktop reads the compiled database; rebuild it without waiting.
    const QString tool = QStandardPaths::findExecutable("update-mime-database");
    if (!tool.isEmpty())
      QProcess::startDetached(tool, {data + "/mime"});
  }
  // The entry last: it marks the class as written.
  return WriteWhole(DesktopEntryPath(), DesktopEntryText(programPath).toUtf8(), error);
}

// --- mimeapps.list -----------------------------------------------------------

bool TMimeAppsList::Load(const QString &path) {
  FPath = path;
  FLines.clear();
  FEndsWithNewline = true;
  QFile file(path);
  if (!file.exists())
    return true;
  // A list is a few lines; a huge file is no list of ours to rewrite.
  if (!file.open(QIODevice::ReadOnly) || file.size() > 4 * 1024 * 1024)
    return false;
  const QByteArray text = file.readAll();
  if (text.isEmpty())
    return true;
  FEndsWithNewline = text.endsWith('\n');
  FLines = text.split('\n');
  if (FEndsWithNewline)
    FLines.removeLast();
  for (QByteArray &line : FLines) {
    if (line.endsWith('\r'))
      line.chop(1);
  }
  return true;
}

void TMimeAppsList::GroupRange(int &first, int &last) const {
  first = -1;
  last = -1;
  for (int i = 0; i < FLines.size(); ++i) {
    const QByteArray line = FLines[i].trimmed();
    if (first < 0) {
      if (line == DefaultGroup)
        first = i + 1;
    } else if (line.startsWith('[')) {
      last = i;
      return;
    }
  }
  last = int(FLines.size());
}

int TMimeAppsList::KeyLine(const QString &mimeType, int first, int last) const {
  const QByteArray key = mimeType.toUtf8();
  for (int i = first; first >= 0 && i < last; ++i) {
    const QByteArray &line = FLines[i];
    const qsizetype eq = line.indexOf('=');
    if (eq > 0 && line.left(eq).trimmed() == key)
      return i;
  }
  return -1;
}

QString TMimeAppsList::DefaultFor(const QString &mimeType) const {
  int first, last;
  GroupRange(first, last);
  const int i = KeyLine(mimeType, first, last);
  if (i < 0)
    return QString();
  const QByteArray value = FLines[i].mid(FLines[i].indexOf('=') + 1);
  return QString::fromUtf8(value.split(';').value(0).trimmed());
}

void TMimeAppsList::SetDefault(const QString &mimeType, const QString &desktopId) {
  const QByteArray entry = (mimeType + "=" + desktopId + ";").toUtf8();
  int first, last;
  GroupRange(first, last);
  if (first < 0) {
    if (!FLines.isEmpty() && !FLines.last().trimmed().isEmpty())
      FLines << QByteArray();
    FLines << QByteArray(DefaultGroup) << entry;
    return;
  }
  const int i = KeyLine(mimeType, first, last);
  if (i >= 0) {
    FLines[i] = entry;
    return;
  }
  // After the group's last line that is not blank.
  int at = last;
  while (at > first && FLines[at - 1].trimmed().isEmpty())
    --at;
  FLines.insert(at, entry);
}

void TMimeAppsList::RemoveDefault(const QString &mimeType, const QString &desktopId) {
  int first, last;
  GroupRange(first, last);
  const int i = KeyLine(mimeType, first, last);
  if (i < 0 || DefaultFor(mimeType) != desktopId)
    return;
  // The other programs named after us keep their order.
  QList<QByteArray> ids;
  for (const QByteArray &id : FLines[i].mid(FLines[i].indexOf('=') + 1).split(';')) {
    if (!id.trimmed().isEmpty())
      ids << id.trimmed();
  }
  ids.removeFirst();
  if (ids.isEmpty())
    FLines.removeAt(i);
  else
    FLines[i] = mimeType.toUtf8() + "=" + ids.join(';') + ";";
}

bool TMimeAppsList::Save(QString &error) const {
  QByteArray text = FLines.join('\n');
  if (FEndsWithNewline || !FLines.isEmpty())
    text += '\n';
  return WriteWhole(FPath, text, error);
}

QIcon MimeTypeIcon(const QString &mimeType) {
  const QMimeDatabase db;
  const QMimeType type = db.mimeTypeForName(mimeType);
  QString name = type.isValid() ? type.iconName() : QString(mimeType).replace('/', '-');
  if (QIcon::hasThemeIcon(name))
    return QIcon::fromTheme(name);
  name = type.isValid() ? type.genericIconName() : QStringLiteral("image-x-generic");
  if (QIcon::hasThemeIcon(name))
    return QIcon::fromTheme(name);
  return QIcon();
}

} // namespace tessaro
