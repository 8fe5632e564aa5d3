// The text toolbar: its controls format the selection of the active
// document's current text object, and the document shows that selection's
// attributes in them (which then acts on nothing).
#include "frame/UnMain.h"

#include "controls/EditTextActions.h"
#include "document/UnChild.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

void TfrmMain::ConnectText() {
  TToolBarText &t = ToolBarText;
  const std::pair<QToolButton *, TFontStyle> styles[] = {
      {t.TBBold, fsBold}, {t.TBItalic, fsItalic}, {t.TBUnderline, fsUnderline}, {t.TBStrikeOut, fsStrikeOut}};
  for (const auto &[button, style] : styles)
    connect(button, &QToolButton::clicked, this, [this, button, style] {
      const bool down = button->isChecked();
      ApplyToSelection([style, down](TCanvasRichEdit &e) { e.SetSelStyle(style, down); });
    });
  const std::pair<QToolButton *, TTextAlignment> alignments[] = {
      {t.TBFontLeft, taLeftJustify}, {t.TBFontCenter, taCenter}, {t.TBFontRight, taRightJustify}};
  for (const auto &[button, alignment] : alignments)
    connect(button, &QToolButton::clicked, this, [this, alignment] {
      ApplyToSelection([alignment](TCanvasRichEdit &e) { e.SetParaAlignment(alignment); });
    });
  connect(t.TBNumbering, &QToolButton::clicked, this, [this] {
    const bool down = ToolBarText.TBNumbering->isChecked();
    ApplyToSelection([down](TCanvasRichEdit &e) { e.SetParaBullets(down); });
  });
  connect(ToolBarRenderText.SpBtnTextCombine, &QToolButton::clicked, this,
          [this] { SpBtnTextCombineClick(); });

  EditTextActions = new TEditTextActions(this);
  FSharedActions.EditTextUndo = EditTextActions->EditTextUndo;
  FSharedActions.EditTextCopy = EditTextActions->EditTextCopy;
  FSharedActions.EditTextCut = EditTextActions->EditTextCut;
  FSharedActions.EditTextPaste = EditTextActions->EditTextPaste;
  FSharedActions.EditTextSelAll = EditTextActions->EditTextSelAll;
}

void TfrmMain::ApplyToSelection(const std::function<void(TCanvasRichEdit &editor)> &change) {
  if (FShowingTextAttributes)
    return;
  TfrmChild *doc = ActiveChild();
  TLUMWinRichEdit *richEdit = doc ? doc->ActiveRichEdit() : nullptr;
  if (richEdit)
    change(*richEdit->RichEdit());
}

void TfrmMain::LMDFontCBTextChange() {
  if (FCreating)
    return;
  const QString name = ToolBarText.LMDFontCBText->currentText();
  ApplyToSelection([&name](TCanvasRichEdit &e) { e.SetSelFontName(name); });
}

void TfrmMain::LMDFontSizeCBTextChange() {
  const int size = ToolBarText.FontSize();
  ApplyToSelection([size](TCanvasRichEdit &e) { e.SetSelSize(size); });
}

void TfrmMain::ClPickCBTextColorChanged() {
  const TColor color = ToolBarText.ClPickCBTextColor->ActiveColor();
  ApplyToSelection([color](TCanvasRichEdit &e) { e.SetSelColor(color); });
}

void TfrmMain::TBBoldClick() {
  ToolBarText.TBBold->click();
}

void TfrmMain::TBItalicClick() {
  ToolBarText.TBItalic->click();
}

void TfrmMain::TBUnderlineClick() {
  ToolBarText.TBUnderline->click();
}

void TfrmMain::TBStrikeOutClick() {
  ToolBarText.TBStrikeOut->click();
}

void TfrmMain::TBFontLeftClick() {
  ToolBarText.TBFontLeft->click();
}

void TfrmMain::TBFontCenterClick() {
  ToolBarText.TBFontCenter->click();
}

void TfrmMain::TBFontRightClick() {
  ToolBarText.TBFontRight->click();
}

void TfrmMain::TBNumberingClick() {
  ToolBarText.TBNumbering->click();
}

void TfrmMain::ShowTextToolBars() {
  ToolBarText.Bar->show();
  ToolBarRenderText.Bar->show();
}

void TfrmMain::HideTextToolBars() {
  ToolBarText.Bar->hide();
  ToolBarRenderText.Bar->hide();
}

void TfrmMain::ShowTextAttributes(const TTextAttributes &a) {
  TToolBarText &t = ToolBarText;
  FShowingTextAttributes = true;
  // Only what differs is written: a size being typed keeps its caret.
  if (t.LMDFontCBText->currentText().compare(a.FontName, Qt::CaseInsensitive) != 0)
    t.SelectFontName(a.FontName);
  if (a.Size > 0 && t.FontSize() != a.Size)
    t.LMDFontSizeCBText->setEditText(QString::number(a.Size));
  t.ClPickCBTextColor->SetActiveColor(a.Color);
  t.TBBold->setChecked(a.Style & fsBold);
  t.TBItalic->setChecked(a.Style & fsItalic);
  t.TBUnderline->setChecked(a.Style & fsUnderline);
  t.TBStrikeOut->setChecked(a.Style & fsStrikeOut);
  switch (a.Alignment) {
  case taCenter:
    t.TBFontCenter->setChecked(true);
    break;
  case taRightJustify:
    t.TBFontRight->setChecked(true);
    break;
  default:
    t.TBFontLeft->setChecked(true);
    break;
  }
  t.TBNumbering->setChecked(a.Bullets);
  FShowingTextAttributes = false;
}

} // namespace tessaro
