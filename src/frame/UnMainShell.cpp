// The frame's side of the application shell: the steps of its creation that
// belong to the program's life (drops, file class, timers), the hand-over
// file and the open requests of later starts, the clipboard and marking
// buttons of the display timer, new from the clipboard, the options and the
// JPEG dialog of saving.
#include "frame/UnMain.h"

#include "document/objects/ClipboardImage.h"

#include "core/Hooks.h"
#include "document/UnChild.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"
#include "files/dialogs/UnJPEGCompression.h"
#include "frame/CrashRecovery.h"
#include "frame/HandOverFile.h"
#include "frame/ToolPictures.h"
#include "frame/UnOptions.h"
#include "frame/UnSplashScreen.h"
#include "platform/Beep.h"
#include "platform/FileAssociations.h"
#include "platform/Hints.h"
#include "platform/MessageDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace tessaro {

namespace {

// The local files among dropped URLs, as the system names them.
std::vector<std::string> DroppedFiles(const QMimeData *data) {
  std::vector<std::string> files;
  if (!data || !data->hasUrls())
    return files;
  for (const QUrl &url : data->urls()) {
    if (url.isLocalFile())
      files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return files;
}

} // namespace

void TfrmMain::CreateShell() {
  if (ProgramPath.isEmpty())
    ProgramPath = QCoreApplication::applicationFilePath();

  // Print, preview and the clipboard buttons stand before undo.
  QAction *before = nullptr;
  for (QAction *a : ToolBarStandard->actions()) {
    if (ToolBarStandard->widgetForAction(a) == TBUndo)
      before = a;
  }
  auto button = [this, before](const QString &hint, const QIcon &icon, void (TfrmMain::*handler)()) {
    auto *b = new QToolButton(ToolBarStandard);
    b->setIcon(icon);
    b->setAutoRaise(true);
    SetHint(b, hint);
    ToolBarStandard->insertWidget(before, b);
    connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
  };
  const QStyle *st = style();
  // The icon theme's pictures where the desktop has them.
  auto icon = [st](const char *name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(name, st->standardIcon(fallback));
  };
  TBPrint = button("Drucken", icon("document-print", QStyle::SP_DriveFDIcon), &TfrmMain::TBPrintClick);
  TBPreview = button("Seitenansicht", icon("document-print-preview", QStyle::SP_FileDialogContentsView),
                     &TfrmMain::TBPreviewClick);
  ToolBarStandard->insertSeparator(before);
  TBCut = button("Ausschneiden", icon("edit-cut", QStyle::SP_DialogDiscardButton), &TfrmMain::TBCutClick);
  TBCopy = button("Kopieren", icon("edit-copy", QStyle::SP_FileDialogNewFolder), &TfrmMain::TBCopyClick);
  TBPaste = button("Einfügen", icon("edit-paste", QStyle::SP_DialogApplyButton), &TfrmMain::TBPasteClick);
  ToolBarStandard->insertSeparator(before);
  for (QToolButton *b : {TBCut, TBCopy, TBPaste})
    b->setEnabled(false);
  // The standard bar is a band of its own; the drawing tools start the next
  // (with all its buttons it would push them out of sight).
  insertToolBarBreak(ToolBarDraw);

  connect(mnuMainFile, &QMenu::aboutToShow, this, [this] { mnuFileClick(); });
  connect(ActNewFromClipboard, &QAction::triggered, this, [this] { mnuNewFromClipboardClick(); });
  // The documents' "Datei" menus share the item: it follows the clipboard.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          [this] { ActNewFromClipboard->setEnabled(ClipboardHasBitmap()); });
  ActNewFromClipboard->setEnabled(ClipboardHasBitmap());
  ActOptions->setEnabled(true);
  connect(ActOptions, &QAction::triggered, this, [this] { mnuOptionsClick(); });

  // Files dropped on the frame (DropFileTarget).
  setAcceptDrops(true);
  RegisterFileClass();

  TimerLoadFile = new QTimer(this);
  TimerLoadFile->setInterval(2500);
  connect(TimerLoadFile, &QTimer::timeout, this, [this] { TimerLoadFileTimer(); });
  TimerDisplay = new QTimer(this);
  TimerDisplay->setInterval(1000);
  connect(TimerDisplay, &QTimer::timeout, this, [this] { TimerDisplayTimer(); });
  FCreating = false;
  TimerDisplay->start();
}

std::string TfrmMain::CommandLineFile() const {
  if (RawCommandLine.size() > 1)
    return RawCommandLine[1];
  return CommandLine.size() > 1 ? CommandLine.at(1).toStdString() : std::string();
}

void TfrmMain::ShellFormShow() {
  // The pictures a crashed run left come back before anything else opens.
  if (Recovery)
    Recovery->Offer(*this);
}

void TfrmMain::StartShellTimers() {
  if (TfrmSplashScreen *splash = SplashScreen())
    splash->TimerClose->start();
  TimerLoadFile->start();
}

void TfrmMain::ShellFormClose() {
  TimerDisplay->stop();
  TimerLoadFile->stop();
}

void TfrmMain::RecoveryFinish() {
  if (Recovery)
    Recovery->Finish();
}

bool TfrmMain::RegisterFileClass() {
  QString error;
  if (tessaro::RegisterFileClass(ProgramPath, error))
    return true;
  Beep();
  MessageDlg(QString("Tessaro konnte nicht als Programm für Bilddateien eingetragen werden!\r\r") + error,
             mtError, mbOK);
  return false;
}

void TfrmMain::TimerLoadFileTimer() {
  // A pass runs at a time; a request that comes while one is opening files
  // (a message box runs the event loop) is served right after it.
  if (FLoadingFiles) {
    FLoadAgain = true;
    return;
  }
  FLoadingFiles = true;
  TimerLoadFile->stop();
  do {
    FLoadAgain = false;
    const std::string path = HandOverFilePath();
    std::vector<std::string> lines;
    const bool read = !path.empty() && ReadHandOverFile(path, lines);
    // The file goes before the pictures open, so that a start that hands
    // over a file meanwhile writes a new one instead of losing its line.
    if (!path.empty())
      DeleteHandOverFile(path);
    if (read) {
      for (const std::string &line : lines) {
        if (AcceptHandOverLine(line))
          OpenPictureFile(line);
      }
    }
  } while (FLoadAgain && !FClosed);
  FLoadingFiles = false;
  if (!FClosed)
    TimerLoadFile->start();
}

void TfrmMain::SystemExecuteMacro(const std::vector<std::string> &macro) {
  if (macro.empty() || FCreating)
    return;
  OpenPictureFile(macro.front());
}

void TfrmMain::RaiseFrame() {
  if (isMinimized())
    showNormal();
  else
    show();
  raise();
  activateWindow();
}

void TfrmMain::ShellRequest(const TShellRequest &request) {
  switch (request.Kind) {
  case TShellRequest::Raise:
    if (!FCreating && !FClosed)
      RaiseFrame();
    break;
  case TShellRequest::LoadList:
    // Before the first show the timer is not running yet; it reads the file
    // when it starts.
    if (FShown && !FClosed)
      TimerLoadFileTimer();
    break;
  case TShellRequest::Execute:
    SystemExecuteMacro(request.Macro);
    break;
  }
}

void TfrmMain::TimerDisplayTimer() {
  TimerDisplay->stop();
  TBPaste->setEnabled(ClipboardHasBitmap());
  TfrmChild *child = ActiveChild();
  TBCut->setEnabled(child != nullptr);
  TBCopy->setEnabled(child != nullptr);
  if (child) {
    const TRect &mark = child->MarkRect();
    TBUndoMark->setEnabled(mark.Left != mark.Right && mark.Top != mark.Bottom);
  } else
    TBUndoMark->setEnabled(false);
  if (!FClosed)
    TimerDisplay->start();
}

void TfrmMain::mnuFileClick() {
  ActNewFromClipboard->setEnabled(ClipboardHasBitmap());
}

void TfrmMain::mnuNewFromClipboardClick() {
  TBitmap picture;
  if (!ClipboardBitmap(panPaperColor->Color(), picture))
    return;
  const QString caption = QString("Neu %1.bmp").arg(NewImageNo);
  TfrmChild *child = CreateChild();
  child->Bitmap().AssignMove(std::move(picture));
  child->SetDocument(caption, caption.toStdString(), false, true);
  ++NewImageNo;
  ++FDocumentNo;
  if (ActiveChild() == child)
    child->FormActivate();
}

void TfrmMain::TBPasteClick() {
  if (TfrmChild *child = ActiveChild())
    child->mnuPaste->trigger();
  else
    mnuNewFromClipboardClick();
}

void TfrmMain::TBCutClick() {
  if (TfrmChild *child = ActiveChild())
    child->mnuCut->trigger();
}

void TfrmMain::TBCopyClick() {
  if (TfrmChild *child = ActiveChild())
    child->mnuCopy->trigger();
}

void TfrmMain::TBPrintClick() {
  if (TfrmChild *child = ActiveChild())
    child->mnuPrintClick();
}

void TfrmMain::TBPreviewClick() {
  if (TfrmChild *child = ActiveChild())
    child->mnuPreviewClick();
}

void TfrmMain::mnuOptionsClick() {
  TfrmOptions dialog(*this, this);
  if (OptionsDialogHook)
    OptionsDialogHook(dialog);
  else
    dialog.exec();
}

void TfrmMain::DropFileTargetDrop(const std::vector<std::string> &files) {
  for (const std::string &file : files) {
    if (IsDroppableImageFile(file) || LowerExtension(file) == ".bmp")
      OpenPictureFile(file);
  }
}

void TfrmMain::dragEnterEvent(QDragEnterEvent *event) {
  if (!DroppedFiles(event->mimeData()).empty() && (event->possibleActions() & Qt::CopyAction)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void TfrmMain::dragMoveEvent(QDragMoveEvent *event) {
  if (!DroppedFiles(event->mimeData()).empty() && (event->possibleActions() & Qt::CopyAction)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void TfrmMain::dropEvent(QDropEvent *event) {
  const std::vector<std::string> files = DroppedFiles(event->mimeData());
  if (files.empty())
    return;
  event->setDropAction(Qt::CopyAction);
  event->accept();
  // The files open once the drop is over, so that the program that dragged
  // them is not kept waiting by a message box.
  QMetaObject::invokeMethod(
      this, [this, files] { DropFileTargetDrop(files); }, Qt::QueuedConnection);
}

bool TfrmMain::SaveAsJPEG(TfrmChild &doc, const std::string &fileName) {
  TfrmJPEGCompression dialog(this);
  dialog.FileName = fileName;
  dialog.Bitmap = &doc.Bitmap();
  QPointer<TfrmChild> guard(&doc);
  dialog.MergeFloatingObjects = [this, guard] { return guard && MergeFloatingObjects(*guard); };
  bool saved = false;
  dialog.OnSaved = [guard, &saved](const std::string &name) {
    saved = true;
    if (guard)
      guard->DocumentSaved(name);
  };
  if (JPEGDialogHook)
    JPEGDialogHook(dialog);
  else
    dialog.exec();
  return saved;
}

} // namespace tessaro
