// The document's text objects: creating them, which one is current, the
// selection's attributes shown in the frame's text toolbar, their two popup
// menus, and combining the current one with the raster.
#include "document/UnChild.h"

#include "controls/EditTextActions.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include <cmath>

namespace tessaro {

namespace {

TLUMWinRichEdit *RichEditOf(QObject *sender) {
  // The object itself, or its editor.
  for (QObject *o = sender; o; o = o->parent())
    if (auto *richEdit = qobject_cast<TLUMWinRichEdit *>(o))
      return richEdit->Deleted() ? nullptr : richEdit;
  return nullptr;
}

// The host's set of edit commands for text editors, if it has one.
TEditTextActions *EditTextActionsOf(const TDocumentHost &host) {
  const QAction *undo = host.SharedActions().EditTextUndo;
  return undo ? qobject_cast<TEditTextActions *>(undo->parent()) : nullptr;
}

} // namespace

void TfrmChild::CreateTextMenus() {
  PopupMenuWinRTF = new QMenu(this);
  PopupMenuWinRTF->setObjectName("PopupMenuWinRTF");
  ppMnuWinRTFCombine = PopupMenuWinRTF->addAction("Mit Hintergrund kombinieren");
  PopupMenuWinRTF->addSeparator();
  ppMnuDelWinRTF = PopupMenuWinRTF->addAction("Löschen");
  connect(ppMnuWinRTFCombine, &QAction::triggered, this, [this] { ppMnuWinRTFCombineClick(); });
  connect(ppMnuDelWinRTF, &QAction::triggered, this, [this] { ppMnuDelWinRTFClick(); });

  PopupMenuWinRTFText = new QMenu(this);
  PopupMenuWinRTFText->setObjectName("PopupMenuWinRTFText");
  const TSharedActions &a = FHost.SharedActions();
  auto add = [this](QAction *item) {
    if (item)
      PopupMenuWinRTFText->addAction(item);
  };
  add(a.EditTextUndo);
  PopupMenuWinRTFText->addSeparator();
  add(a.EditTextCopy);
  add(a.EditTextCut);
  add(a.EditTextPaste);
  PopupMenuWinRTFText->addSeparator();
  add(a.EditTextSelAll);
  // The commands are enabled as the editor allows.
  if (TEditTextActions *actions = EditTextActionsOf(FHost))
    connect(PopupMenuWinRTFText, &QMenu::aboutToShow, actions, &TEditTextActions::Update);
}

std::vector<TLUMWinRichEdit *> TfrmChild::RichEdits() const {
  std::vector<TLUMWinRichEdit *> objects;
  for (QObject *child : ScrollBox->Client()->children()) {
    auto *richEdit = qobject_cast<TLUMWinRichEdit *>(child);
    if (richEdit && !richEdit->Deleted())
      objects.push_back(richEdit);
  }
  return objects;
}

void TfrmChild::DetachRichEdits() {
  for (TLUMWinRichEdit *richEdit : RichEdits()) {
    richEdit->OnMouseDown = nullptr;
    richEdit->RichEdit()->OnMouseDown = nullptr;
    richEdit->RichEdit()->OnSelectionChange = nullptr;
  }
}

TLUMWinRichEdit *TfrmChild::InsertRichEdit() {
  auto *richEdit = new TLUMWinRichEdit(ScrollBox->Client()); // owned by the client area
  FActiveRichEdit = richEdit;
  richEdit->OnMouseDown = [this](QObject *s, TMouseButton b, TShiftState sh, int x, int y) {
    RichEditMouseDown(s, b, sh, x, y);
  };
  TCanvasRichEdit *editor = richEdit->RichEdit();
  editor->OnMouseDown = [this](QObject *s, TMouseButton b, TShiftState sh, int x, int y) {
    RichEditTextMouseDown(s, b, sh, x, y);
  };
  editor->OnSelectionChange = [this](QObject *s) { RichEditSelectionChange(s); };
  QFont font("Arial");
  font.setPointSize(8);
  editor->document()->setDefaultFont(font);
  editor->setFont(font);
  richEdit->SetProgressBar(FHost.ProgressBar());
  // It starts at the top-left of what the window shows.
  richEdit->move(ScrollBox->HorzScrollPos(), ScrollBox->VertScrollPos());
  richEdit->show();
  richEdit->raise();
  richEdit->SetTransparent(true);
  // The user writes into the new object at once.
  editor->setFocus(Qt::OtherFocusReason);
  RichEditSelectionChange(editor);
  return richEdit;
}

void TfrmChild::RichEditMouseDown(QObject *Sender, TMouseButton Button, TShiftState, int, int) {
  TLUMWinRichEdit *richEdit = RichEditOf(Sender);
  if (!richEdit)
    return;
  if (Button == mbLeft) {
    FActiveRichEdit = richEdit;
    FHost.ShowTextToolBars();
    RichEditSelectionChange(richEdit->RichEdit());
  } else if (Button == mbRight) {
    PopupMenuWinRTF->popup(QCursor::pos());
  }
}

void TfrmChild::RichEditTextMouseDown(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLUMWinRichEdit *richEdit = RichEditOf(Sender);
  if (!richEdit)
    return;
  if (Button == mbRight) {
    // The edit commands act on the editor pressed, which has the focus.
    richEdit->RichEdit()->setFocus(Qt::PopupFocusReason);
    if (TEditTextActions *actions = EditTextActionsOf(FHost))
      actions->SetTarget(richEdit->RichEdit());
    PopupMenuWinRTFText->popup(QCursor::pos());
    return;
  }
  // Writing into an object makes it the one the toolbar formats, as a
  // press on its frame does.
  if (Button == mbLeft && richEdit != FActiveRichEdit)
    RichEditMouseDown(richEdit, Button, Shift, X, Y);
}

void TfrmChild::RichEditSelectionChange(QObject *Sender) {
  // Only the current object's selection is the toolbar's.
  TLUMWinRichEdit *richEdit = RichEditOf(Sender);
  if (!richEdit || richEdit != FActiveRichEdit)
    return;
  FHost.ShowTextAttributes(richEdit->RichEdit()->SelAttributes());
}

void TfrmChild::ppMnuWinRTFCombineClick() {
  FHost.CombineTextObject(*this);
}

void TfrmChild::ppMnuDelWinRTFClick() {
  if (FActiveRichEdit)
    FActiveRichEdit->Free();
  FActiveRichEdit = nullptr;
  FHost.HideTextToolBars();
}

bool TfrmChild::CombineRichEdit(const TTextRender *render) {
  TLUMWinRichEdit *richEdit = FActiveRichEdit.data();
  if (!richEdit || richEdit->Deleted())
    return false;
  // The snapshot keeps the raster in the document's own format, so that
  // undo brings that format back.
  if (!AddUndoStep("Text mit Hintergrund kombinieren"))
    return false;
  if (FBitmap->PixelFormat() != pf24bit)
    FBitmap->SetPixelFormat(pf24bit);
  const int x0 = richEdit->Left() + 10, y0 = richEdit->Top() + 10;
  const double f = FZoom / 100.0;
  if (render) {
    TFont font = render->Font;
    font.Size = std::max(1, int(std::trunc(font.Size / f)));
    const int x = int(std::trunc(x0 / f));
    // Line after line, each a font height below the one before.
    int y = int(std::trunc((y0 + 4) / f));
    for (const QString &line : richEdit->RichEdit()->Lines()) {
      RenderTextLine(*FBitmap, x, y, font, line, render->Quality);
      y += RenderLineHeight(font);
    }
    richEdit->Free();
  } else {
    richEdit->PasteTextInto(FBitmap.get(), FZoom, int(std::trunc(x0 / f)), int(std::trunc(y0 / f)));
  }
  FActiveRichEdit = nullptr;
  FHost.HideTextToolBars();
  if (FBitmap->PixelFormat() != FImageType)
    FBitmap->SetPixelFormat(FImageType);
  return true;
}

} // namespace tessaro
