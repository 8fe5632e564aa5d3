#include "frame/UnMain.h"

#include "controls/LUMColorPalette.h"
#include "core/TempFolder.h"
#include "document/UnChild.h"
#include "document/UndoCache.h"
#include "platform/Hints.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessaro {

namespace {

TfrmMain *GFrame = nullptr;

} // namespace

TfrmMain *TfrmMain::Instance() {
  return GFrame;
}

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent) {
  GFrame = this;
  FCreating = true;
  setObjectName("frmMain");
  setWindowTitle("Tessaro");
  NewImageNo = 1;
  FDocumentNo = 100;

  MdiArea = new QMdiArea(this);
  // Closing the active document brings back the one used before it.
  MdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  connect(MdiArea, &QMdiArea::subWindowActivated, this, &TfrmMain::SubWindowActivated);

  CreateActions();
  CreateToolBars();
  CreateImageToolButtons();
  CreateStatusBars();
  ConnectAttributes();
  CreateMenus();

  CreatePalette();
  auto *central = new QWidget(this);
  auto *column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(1);
  column->addWidget(SplitterPalette, 1);
  column->addWidget(StatusBarChild);
  column->addWidget(StatusBarMain);
  setCentralWidget(central);

  // These bars start hidden; the tools and objects that need them show them.
  ToolBarEdit->hide();
  ToolBarEffects->hide();
  ToolBarLayers->hide();
  ToolBarWinImage->hide();
  ToolBarTransp->hide();
  // The pointer tool hides the option toolbars; the attributes start from
  // the bars' defaults.
  TBCursorClick();
  CreateObjectParts();
  NameToolBarParts();
  ShowFrameMenus();
  resize(1024, 768);
  CreateShell();
}

TfrmMain::~TfrmMain() {
  // The documents go first, while the frame they talk to is still whole.
  const QList<QMdiSubWindow *> subs = MdiArea->subWindowList();
  for (QMdiSubWindow *sub : subs)
    delete sub;
  if (GFrame == this)
    GFrame = nullptr;
}

bool TfrmMain::event(QEvent *event) {
  if (event->type() == QEvent::StatusTip) {
    StatusBarMain->SetPanelText(0, static_cast<QStatusTipEvent *>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event) {
  // The zoom list keeps the focus after a choice; the undo and redo keys
  // still belong to the picture, not to the text of the list.
  if ((watched == CBZoom || watched == CBZoom->lineEdit()) && event->type() == QEvent::ShortcutOverride) {
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeyCombination combo = key->keyCombination();
    if (combo == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
        combo == QKeyCombination(Qt::AltModifier, Qt::Key_Z)) {
      event->ignore();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (!FShown) {
    FShown = true;
    FormShow();
  }
}

void TfrmMain::FormShow() {
  ShellFormShow();
  if (const std::string file = CommandLineFile(); !file.empty())
    OpenPictureFile(file);
  if (Documents().empty())
    CreateBlankDocument();
  BuildHelpMenu();
  StartShellTimers();
}

void TfrmMain::mnuEndClick() {
  // The item sits in a document's menu, and closing the frame frees the
  // documents: close once the menu has finished with its click.
  QMetaObject::invokeMethod(
      this, [this] { close(); }, Qt::QueuedConnection);
}

void TfrmMain::closeEvent(QCloseEvent *event) {
  // Every document agrees first (each asking about its changes); one that
  // says no keeps the whole program open.
  for (TfrmChild *doc : Documents()) {
    if (!doc->FormCloseQuery()) {
      event->ignore();
      return;
    }
  }
  for (TfrmChild *doc : Documents())
    doc->SetCloseAgreed();
  FormClose();
  event->accept();
}

void TfrmMain::FormClose() {
  if (FClosed)
    return;
  FClosed = true;
  ShellFormClose();
  // The windows go once the event that closed the frame is done (it may
  // come from one of their own menus or buttons).
  const QList<QMdiSubWindow *> subs = MdiArea->subWindowList();
  for (QMdiSubWindow *sub : subs)
    sub->deleteLater();
  if (RemoveCacheHook)
    RemoveCacheHook();
  else
    RemoveCacheFolder();
  RecoveryFinish();
}

// --- what the documents see of the frame ------------------------------------

void TfrmMain::SetStatusText(int panel, const QString &text) {
  StatusBarChild->SetPanelText(panel, text);
}

void TfrmMain::ShowPaperColor(TColor color) {
  panPaperColor->SetColor(color);
  // The palette reports its paper colour with every pick: it is the active
  // document's.
  LUMColorPalette->SetPaperColor(color);
}

void TfrmMain::SetUndoHint(const QString &hint) {
  SetHint(TBUndo, hint);
}

void TfrmMain::SetRedoHint(const QString &hint) {
  SetHint(TBReUndo, hint);
}

void TfrmMain::NameToolBarParts() {
  // The buttons that show what does not fit into a short menu bar or
  // toolbar.
  for (QToolButton *more : menuBar()->findChildren<QToolButton *>("qt_menubar_ext_button"))
    SetHint(more, "Weitere Menüs");
  for (QToolBar *bar : findChildren<QToolBar *>()) {
    if (bar->accessibleName().isEmpty())
      bar->setAccessibleName(bar->windowTitle().trimmed());
    for (QToolButton *more : bar->findChildren<QToolButton *>("qt_toolbar_ext_button"))
      SetHint(more, "Weitere Schaltflächen");
  }
}

void TfrmMain::HideObjectToolBars() {
  ToolBarWinImage->hide();
  ToolBarTransp->hide();
}

} // namespace tessaro
