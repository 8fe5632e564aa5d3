#include "document/UnChild.h"

#include "frame/UnMain.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPalette>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>

namespace tessaro {

QString ImageTypeText(TPixelFormat pf) {
  switch (pf) {
  case pf1bit:
    return "1-bit";
  case pf4bit:
    return "4-bit";
  case pf8bit:
    return "8-bit";
  case pf15bit:
    return "15-bit";
  case pf16bit:
    return "16-bit";
  case pf24bit:
    return "24-bit";
  case pf32bit:
    return "32-bit";
  default:
    return QString();
  }
}

TfrmChild::TfrmChild(TfrmMain &frame, QWidget *parent)
    : QWidget(parent), FFrame(frame), FBitmap(std::make_shared<TBitmap>()) {
  setObjectName("frmChild");
  setAttribute(Qt::WA_DeleteOnClose, false);
  // 1. No marking, no cut, no dimension lines.
  FMarkRect = TRect(0, 0, 0, 0);
  FCutting = false;
  FDimensioned = false;
  // 2. and 3. The history: hints, log, numbering, and the cache folder with
  // its note, numbered by the frame's document counter as it is now.
  FUndo = std::make_unique<TUndoCache>(*FBitmap, FFrame.DocumentNo, static_cast<TUndoListener *>(this));
  // 4. Objects, paper, zoom, the copies of a deleted object.
  FActiveWinImage = nullptr;
  FActiveRichEdit = nullptr;
  FPaperColor = clWhite;
  FZoom = 100;

  ScrollBox = new TImageScrollBox(this);
  QPalette pal = ScrollBox->palette();
  pal.setColor(QPalette::Window, ToQColor(clAppWorkSpace));
  ScrollBox->setPalette(pal);
  ScrollBox->setBackgroundRole(QPalette::Window);
  Image = ScrollBox->View();
  Image->SetBitmap(FBitmap);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ScrollBox);

  CreateMenus();
  Image->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Image, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { PopupMenuChild->popup(Image->mapToGlobal(pos)); });
  resize(318, 252);
}

TfrmChild::~TfrmChild() {
  // FormDestroy: the history and the object copies go with the window; the
  // cache folder stays until the program ends.
  FFrame.DocumentClosing(this);
  FUndo->SetListener(nullptr);
}

void TfrmChild::SetDocument(const QString &caption, const std::string &fileName, bool readOnly,
                            bool modified) {
  SetCaption(caption);
  FFileName = fileName;
  FReadOnly = readOnly;
  FImageType = FBitmap->PixelFormat();
  FModified = modified;
  Image->SetZoom(FZoom);
}

void TfrmChild::FormActivate() {
  const QString zoom = QString::number(FZoom) + " %";
  {
    const QSignalBlocker block(FFrame.CBZoom);
    FFrame.CBZoom->setEditText(zoom);
  }
  FFrame.StatusBarChild->SetPanelText(7, zoom);
  const QString type = ImageTypeText(FImageType);
  if (!type.isEmpty())
    FFrame.StatusBarChild->SetPanelText(8, type);
  FFrame.panPaperColor->SetColor(FPaperColor);
  FUndo->ActivateHints();
}

void TfrmChild::FormDeactivate() {
  FUndo->StoreHints();
}

void TfrmChild::UndoHintChanged(const std::string &hint) {
  const QString h = QString::fromStdString(hint);
  SetHint(mnuUndo, h);
  SetHint(ppMnuUndo, h);
  TfrmMain::SetHint(FFrame.TBUndo, h);
}

void TfrmChild::RedoHintChanged(const std::string &hint) {
  const QString h = QString::fromStdString(hint);
  SetHint(ppMnuRedo, h);
  SetHint(mnuReUndo, h);
  TfrmMain::SetHint(FFrame.TBReUndo, h);
}

void TfrmChild::SnapshotLoaded(TPixelFormat imageType) {
  FImageType = imageType;
  FormActivate();
}

void TfrmChild::ReapplyZoom() {
  if (FFrame.ActiveChild() == this)
    FFrame.CBZoomChange();
  else
    Image->SetZoom(FZoom);
}

void TfrmChild::DocumentModified() {
  FModified = true;
}

QString TfrmChild::Hint(const QAction *item) {
  return item->statusTip();
}

void TfrmChild::SetHint(QAction *item, const QString &hint) {
  item->setStatusTip(hint);
  item->setToolTip(hint);
}

bool TfrmChild::FormCloseQuery() {
  if (!FModified)
    return true;
  // The question is about this window: show it in front while it is asked.
  if (QMdiSubWindow *sub = FFrame.SubWindowOf(this); sub && FFrame.ActiveChild() != this) {
    if (sub->isMinimized())
      sub->showNormal();
    FFrame.MdiArea->setActiveSubWindow(sub);
  }
  Beep();
  const int answer =
      MessageDlg(QString("Änderungen an \"") + Caption() + "\" speichern?", mtWarning, mbYesNoCancel);
  if (answer == mrYes) {
    const bool ask = FReadOnly || !std::filesystem::exists(FFileName);
    // Keep the window when nothing was written: closing would lose the
    // changes the user just asked to keep.
    return FFrame.SaveDocument(*this, FFileName, ask);
  }
  return answer == mrNo;
}

void TfrmChild::closeEvent(QCloseEvent *event) {
  if (!FCloseAgreed && !FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TfrmChild::FormClose() {
  TfrmMain::SetHint(FFrame.TBUndo, UndoHintPlain);
  TfrmMain::SetHint(FFrame.TBReUndo, RedoHintPlain);
  FFrame.ToolBarWinImage->hide();
  FFrame.ToolBarTransp->hide();
  for (int i = 0; i <= 3; ++i)
    FFrame.StatusBarChild->SetPanelText(i, QString());
}

void TfrmChild::mnuMainFileClick() {
  mnuSave->setEnabled(!FReadOnly);
  const bool exists = std::filesystem::exists(FFileName);
  mnuSaveAs->setEnabled(exists);
  mnuRestore->setEnabled(exists);
}

void TfrmChild::mnuMainEditClick() {
  // Clipboard items join with the clipboard commands.
}

void TfrmChild::mnuSaveClick() {
  FFrame.SaveDocument(*this, FFileName, FReadOnly || !std::filesystem::exists(FFileName));
}

void TfrmChild::mnuSaveAsClick() {
  FFrame.SaveDocument(*this, FFileName, true);
}

void TfrmChild::mnuRestoreClick() {
  Beep();
  if (MessageDlg(QString("Soll das Bild seit dem letzten Speichern wiederhergestellt werden?\r\rWarnung:\r"
                         "Nicht mit dem Hintergrund verbundene Objekte werden ebenfalls entfernt!"),
                 mtConfirmation, mbYesNo) != mrYes)
    return;
  // Read the file first: a file that cannot be read leaves the picture as
  // it is instead of replacing it by an empty one.
  TBitmap loaded;
  std::string error;
  if (!TfrmMain::LoadPictureFile(FFileName, loaded, error)) {
    Beep();
    MessageDlg(error, mtError, mbOK);
    return;
  }
  if (!AddUndoStep("Wiederherstellen"))
    return;
  FActiveWinImage = nullptr;
  FFrame.ToolBarWinImage->hide();
  FFrame.ToolBarTransp->hide();
  FBitmap->Assign(loaded);
  FImageType = FBitmap->PixelFormat();
  FModified = false;
  ReapplyZoom();
}

bool TfrmChild::mnuSizeImageClick() {
  if (!FDimensioned)
    return true;
  return MessageDlg(
             QString("Das Bild wurde bemaßt!\rWenn du jetzt die Bildgröße änderst, stimmen die Maße nicht "
                     "mehr!\r\rSoll die Bildgröße trotzdem geändert werden?"),
             mtWarning, mbYesNo, mbNo, QString("!!! WARNUNG: Bild wurde bemaßt !!!")) == mrYes;
}

void TfrmChild::mnuMainWindowClick() {
  const QList<QAction *> items = mnuMainWindow->actions();
  const qsizetype sep = items.indexOf(mnuSpaceWnd);
  for (qsizetype i = sep + 1; i < items.size(); ++i) {
    mnuMainWindow->removeAction(items[i]);
    items[i]->deleteLater();
  }
  for (TfrmChild *doc : FFrame.Documents()) {
    const QString caption = doc->Caption();
    bool listed = false;
    const QList<QAction *> now = mnuMainWindow->actions();
    for (qsizetype i = now.indexOf(mnuSpaceWnd) + 1; i < now.size(); ++i) {
      if (Hint(now[i]) == caption)
        listed = true;
    }
    if (listed)
      continue;
    QAction *item = mnuMainWindow->addAction(caption);
    SetHint(item, caption);
    // Only this window's own item carries a tick; the others show no box.
    const bool self = caption == Caption();
    item->setCheckable(self);
    item->setChecked(self);
    connect(item, &QAction::triggered, this, [this, item] { WindowMenuItemClick(item); });
  }
}

void TfrmChild::WindowMenuItemClick(QAction *item) {
  const QString caption = Hint(item);
  for (TfrmChild *doc : FFrame.Documents()) {
    if (doc->Caption() != caption)
      continue;
    QMdiSubWindow *sub = FFrame.SubWindowOf(doc);
    if (!sub)
      return;
    if (sub->isMinimized())
      sub->showNormal();
    else
      sub->show();
    FFrame.MdiArea->setActiveSubWindow(sub);
    return;
  }
}

void TfrmChild::mnuMinimizeClick() {
  if (QMdiSubWindow *sub = FFrame.SubWindowOf(this))
    sub->showMinimized();
}

void TfrmChild::mnuMinimizeAllClick() {
  for (TfrmChild *doc : FFrame.Documents()) {
    if (QMdiSubWindow *sub = FFrame.SubWindowOf(doc))
      sub->showMinimized();
  }
  mnuMinimizeClick();
}

void TfrmChild::mnuCloseClick() {
  if (QMdiSubWindow *sub = FFrame.SubWindowOf(this))
    sub->close();
}

void TfrmChild::mnuCloseAllClick() {
  for (TfrmChild *doc : FFrame.Documents()) {
    if (QMdiSubWindow *sub = FFrame.SubWindowOf(doc))
      sub->close();
  }
}

} // namespace tessaro
