// The frame's documents: creating them, the active one, and the buttons that
// forward to it.
#include "frame/UnMain.h"

#include "document/UnChild.h"
#include "document/UnNewImage.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace tessaro {

std::vector<TfrmChild *> TfrmMain::Documents() const {
  std::vector<TfrmChild *> docs;
  for (QMdiSubWindow *sub : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
    if (auto *child = qobject_cast<TfrmChild *>(sub->widget()))
      docs.push_back(child);
  }
  return docs;
}

TfrmChild *TfrmMain::ActiveChild() const {
  if (FActiveChild)
    return FActiveChild.data();
  return nullptr;
}

QMdiSubWindow *TfrmMain::SubWindowOf(const TfrmChild *child) const {
  for (QMdiSubWindow *sub : MdiArea->subWindowList()) {
    if (sub->widget() == child)
      return sub;
  }
  return nullptr;
}

TfrmChild *TfrmMain::CreateChild() {
  auto *child = new TfrmChild(*this, MdiArea); // owned by its sub-window from here on
  QMdiSubWindow *sub = MdiArea->addSubWindow(child);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));
  sub->resize(318, 252);
  sub->show();
  MdiArea->setActiveSubWindow(sub);
  Activate(child);
  return child;
}

void TfrmMain::SubWindowActivated(QMdiSubWindow *window) {
  if (window) {
    if (auto *child = qobject_cast<TfrmChild *>(window->widget()))
      Activate(child);
    return;
  }
  // Null also comes when the frame itself loses the focus: keep the active
  // document then; only with no document left the frame's menus return.
  if (Documents().empty()) {
    FActiveChild = nullptr;
    ShowFrameMenus();
  }
}

void TfrmMain::Activate(TfrmChild *child) {
  if (child == FActiveChild.data())
    return;
  if (FActiveChild)
    FActiveChild->FormDeactivate();
  FActiveChild = child;
  ShowMenus(child->MainMenuChild);
  child->FormActivate();
}

void TfrmMain::ShowDocument(TfrmChild &doc) {
  QMdiSubWindow *sub = SubWindowOf(&doc);
  if (!sub)
    return;
  if (sub->isMinimized())
    sub->showNormal();
  else
    sub->show();
  MdiArea->setActiveSubWindow(sub);
}

void TfrmMain::MinimizeDocument(TfrmChild &doc) {
  if (QMdiSubWindow *sub = SubWindowOf(&doc))
    sub->showMinimized();
}

void TfrmMain::CloseDocument(TfrmChild &doc) {
  if (QMdiSubWindow *sub = SubWindowOf(&doc))
    sub->close();
}

void TfrmMain::DocumentClosing(TfrmChild *child) {
  if (FActiveChild.data() == child || !FActiveChild)
    FActiveChild = nullptr;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (FActiveChild)
          return;
        std::vector<TfrmChild *> docs = Documents();
        if (docs.empty()) {
          ShowFrameMenus();
          return;
        }
        QMdiSubWindow *sub = MdiArea->activeSubWindow();
        auto *next = sub ? qobject_cast<TfrmChild *>(sub->widget()) : nullptr;
        Activate(next ? next : docs.back());
      },
      Qt::QueuedConnection);
}

TfrmChild *TfrmMain::CreateNewImage(int width, int height, TPixelFormat pf, TColor paper) {
  const QString caption = QString("Neu %1.bmp").arg(NewImageNo);
  const uint64_t bytes = uint64_t(RowBytesFor(width, pf)) * uint64_t(std::max(height, 0));
  TfrmChild *child = nullptr;
  if (bytes <= MaxBitmapBytes) {
    child = CreateChild();
    try {
      TfrmNewImage::PaintNewRaster(child->Bitmap(), width, height, pf, paper);
    } catch (const std::exception &) {
      delete SubWindowOf(child);
      child = nullptr;
    }
  }
  if (!child) {
    Beep();
    MessageDlg(QString("Ein Bild mit %1 x %2 Pixeln ist zu groß und kann nicht angelegt werden!")
                   .arg(width)
                   .arg(height),
               mtError, mbOK);
    return nullptr;
  }
  child->SetPaperColor(paper);
  child->SetDocument(caption, caption.toStdString(), false, false);
  ++NewImageNo;
  ++FDocumentNo;
  if (ActiveChild() == child)
    child->FormActivate();
  return child;
}

TfrmChild *TfrmMain::CreateBlankDocument() {
  const QString caption = QString("Neu %1.bmp").arg(NewImageNo);
  TfrmChild *child = CreateChild();
  child->Bitmap().SetSize(400, 300);
  child->Bitmap().SetPixelFormat(pf24bit);
  child->SetDocument(caption, caption.toStdString(), false, false);
  ++NewImageNo;
  ++FDocumentNo;
  if (ActiveChild() == child)
    child->FormActivate();
  return child;
}

void TfrmMain::TBNewClick() {
  TfrmNewImage dialog(*this, this);
  dialog.exec();
}

void TfrmMain::TBSaveClick() {
  TfrmChild *child = ActiveChild();
  if (!child) {
    Beep();
    return;
  }
  child->mnuSaveClick();
}

void TfrmMain::TBUndoClick() {
  if (TfrmChild *child = ActiveChild())
    child->UndoStep();
  else
    Beep();
}

void TfrmMain::TBReUndoClick() {
  if (TfrmChild *child = ActiveChild())
    child->RedoStep();
  else
    Beep();
}

} // namespace tessaro
