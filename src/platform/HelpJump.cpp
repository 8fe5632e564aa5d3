#include "platform/HelpJump.h"

#include "platform/HelpViewer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

// Resources of a static library are registered by name.
static void InitHelpResources() {
  Q_INIT_RESOURCE(help);
}

namespace tessaro {

namespace {

QString &HelpFileName() {
  static QString name;
  return name;
}

QPointer<THelpViewer> &Viewer() {
  static QPointer<THelpViewer> viewer;
  return viewer;
}

// The window has no parent; it goes before the application does.
void DeleteViewer() {
  delete Viewer().data();
}

THelpViewer *OpenViewer() {
  if (!Viewer()) {
    auto *viewer = new THelpViewer(ApplicationHelpFile());
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    Viewer() = viewer;
    static const bool registered = [] {
      qAddPostRoutine(DeleteViewer);
      return true;
    }();
    (void)registered;
  }
  THelpViewer *viewer = Viewer().data();
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

} // namespace

QString ApplicationHelpFile() {
  static const bool initialised = [] {
    InitHelpResources();
    return true;
  }();
  (void)initialised;
  const QString &name = HelpFileName();
  return name.isEmpty() ? QStringLiteral(":/help/TESSARO.HLP") : name;
}

void SetApplicationHelpFile(const QString &fileName) {
  HelpFileName() = fileName;
}

QString HelpContentsFileOf(const QString &helpFile) {
  const qsizetype slash = helpFile.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = helpFile.lastIndexOf(QLatin1Char('.'));
  const QString base = dot > slash ? helpFile.left(dot) : helpFile;
  return base + QStringLiteral(".cnt");
}

QString HelpPageFile(const QString &helpFile, const QString &topicId) {
  if (topicId.isEmpty() || topicId.startsWith(QLatin1Char('.')) || topicId.contains(QLatin1Char('/')) ||
      topicId.contains(QLatin1Char('\\')))
    return QString();
  return QFileInfo(helpFile).path() + QLatin1Char('/') + topicId + QStringLiteral(".html");
}

void HelpJump(const QString &topicId) {
  OpenViewer()->ShowTopic(topicId);
}

void HelpContents() {
  OpenViewer()->ShowContents();
}

void HelpSearch() {
  OpenViewer()->ShowSearch();
}

void HelpOnHelp() {
  HelpJump(QStringLiteral("Hilfe.Benutzung"));
}

THelpViewer *HelpViewerWindow() {
  return Viewer().data();
}

} // namespace tessaro
