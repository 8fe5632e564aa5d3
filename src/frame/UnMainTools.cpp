// The frame's tool state: the tool buttons and family popups, the option
// toolbars they show, Escape, and the drawing state as the documents read it.
#include "frame/UnMain.h"

#include "document/UnChild.h"
#include "frame/FontLabel.h"
#include "frame/ToolPictures.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

void TfrmMain::CreateOptionToolBars() {
  // Bands in the order of the cool bar: "Füllung" starts a row of its own
  // (with the effects), the tools' settings share the row after it.
  ToolBarLines.Create(this);
  insertToolBarBreak(ToolBarEffects);
  insertToolBar(ToolBarEffects, ToolBarLines.Bar);
  ToolBarStdSize.Create(this);
  insertToolBar(ToolBarTransp, ToolBarStdSize.Bar);
  ToolBarRect.Create(this);
  insertToolBar(ToolBarTransp, ToolBarRect.Bar);
  ToolBarEllipse.Create(this);
  insertToolBar(ToolBarTransp, ToolBarEllipse.Bar);
  ToolBar3D.Create(this);
  insertToolBar(ToolBarTransp, ToolBar3D.Bar);
  ToolBarDim.Create(this);
  insertToolBar(ToolBarWinImage, ToolBarDim.Bar);
  ToolBarText.Create(this);
  insertToolBar(ToolBarWinImage, ToolBarText.Bar);
  ToolBarRenderText.Create(this);
  insertToolBar(ToolBarWinImage, ToolBarRenderText.Bar);
}

QToolBar *TfrmMain::OptionToolBar(TOptionToolBar bar) const {
  switch (bar) {
  case otbLines:
    return ToolBarLines.Bar;
  case otbStdSize:
    return ToolBarStdSize.Bar;
  case otbRect:
    return ToolBarRect.Bar;
  case otbEllipse:
    return ToolBarEllipse.Bar;
  case otb3D:
    return ToolBar3D.Bar;
  case otbDim:
    return ToolBarDim.Bar;
  case otbText:
    return ToolBarText.Bar;
  case otbRenderText:
    return ToolBarRenderText.Bar;
  case otbWinImage:
    return ToolBarWinImage;
  case otbTransp:
    return ToolBarTransp;
  default:
    return nullptr;
  }
}

void TfrmMain::ShowOptionToolBars(uint16_t shown, uint16_t hidden) {
  for (uint16_t bit = 1; bit < otbAll; bit <<= 1) {
    QToolBar *bar = OptionToolBar(TOptionToolBar(bit));
    if (!bar)
      continue;
    if (hidden & bit)
      bar->hide();
    if (shown & bit)
      bar->show();
  }
}

void TfrmMain::ClearDocumentPoints() {
  if (TfrmChild *doc = ActiveChild())
    doc->ClearPoints();
}

void TfrmMain::SelectTool(TPictureButton *button, TDrawTool tool) {
  button->setChecked(true);
  ActiveTool = tool;
  const TToolInfo &info = ToolInfo(tool);
  panInfo->setText(QString::fromUtf8(info.Info));
  for (TPictureButton *b : {TBCursor, TBLine, TBRect, TBEllipse, TBMark, TBPipette, TBErase, TBFill, TBPen,
                            TBClone, TBCutImage}) {
    if (b != button)
      b->setChecked(false);
  }
  ShowOptionToolBars(info.Shown, info.Hidden);
  if (info.ClearsPoints)
    ClearDocumentPoints();
}

TDrawTool TfrmMain::RectangleTool() const {
  return ToolBar3D.TBUse3D->isChecked() ? dtRect3D : dtRoundRect;
}

void TfrmMain::TBCursorClick() {
  SelectTool(TBCursor, dtCursor);
}

void TfrmMain::TBLineClick() {
  SelectTool(TBLine, ToolOfPicture(TBLine->ImageIndex()));
}

void TfrmMain::TBRectClick() {
  const TDrawTool tool = ToolOfPicture(TBRect->ImageIndex());
  SelectTool(TBRect, tool == dtRoundRect ? RectangleTool() : tool);
}

void TfrmMain::TBEllipseClick() {
  SelectTool(TBEllipse, ToolOfPicture(TBEllipse->ImageIndex()));
}

void TfrmMain::TBMarkClick() {
  SelectTool(TBMark, ToolOfPicture(TBMark->ImageIndex()));
}

void TfrmMain::TBPipetteClick() {
  SelectTool(TBPipette, dtPipette);
}

void TfrmMain::TBEraseClick() {
  SelectTool(TBErase, dtErase);
}

void TfrmMain::TBFillClick() {
  SelectTool(TBFill, dtFill);
}

void TfrmMain::TBPenClick() {
  SelectTool(TBPen, dtPen);
}

void TfrmMain::TBCloneClick() {
  SelectTool(TBClone, dtClone);
}

void TfrmMain::TBCutImageClick() {
  SelectTool(TBCutImage, dtCutImage);
}

void TfrmMain::TBFontClick() {
  if (!ActiveChild())
    return;
  TBCursorClick();
  ShowOptionToolBars(otbText | otbRenderText,
                     otbRect | otbEllipse | otbStdSize | otb3D | otbLines | otbWinImage | otbTransp | otbDim);
}

// --- the family popups -------------------------------------------------------

namespace {

void PopupBelow(QMenu *menu, QToolButton *familyButton) {
  menu->popup(familyButton->mapToGlobal(QPoint(0, familyButton->height())));
}

} // namespace

void TfrmMain::SpBtnMoreLinesClick() {
  TBLineClick();
  PopupBelow(PopupMenuLines, TBLine);
}

void TfrmMain::SpBtnMoreRectsClick() {
  TBRectClick();
  PopupBelow(PopupMenuRect, TBRect);
}

void TfrmMain::SpBtnMoreEllipsesClick() {
  TBEllipseClick();
  PopupBelow(PopupMenuEllipse, TBEllipse);
}

void TfrmMain::TBMarkMoreClick() {
  TBMarkClick();
  PopupBelow(PopupMenuMark, TBMark);
}

void TfrmMain::SelectFamilyMember(TPictureButton *button, int picture, TDrawTool tool) {
  button->SetImageIndex(picture);
  ActiveTool = tool;
  panInfo->setText(QString::fromUtf8(ToolInfo(tool).Info));
}

void TfrmMain::ppMnuLineClick() {
  SelectFamilyMember(TBLine, 1, dtLine);
  ShowOptionToolBars(0, otbDim);
}

void TfrmMain::ppMnuPolyLineClick() {
  SelectFamilyMember(TBLine, 24, dtPolyLine);
  ShowOptionToolBars(0, otbDim);
  ClearDocumentPoints();
}

void TfrmMain::ppMnuFreeLineClick() {
  SelectFamilyMember(TBLine, 2, dtFreeLine);
  ShowOptionToolBars(0, otbDim);
}

void TfrmMain::ppMnuBezierClick() {
  SelectFamilyMember(TBLine, 3, dtBezier);
  ShowOptionToolBars(0, otbDim);
  ClearDocumentPoints();
}

void TfrmMain::ppMnuDimHorClick() {
  SelectFamilyMember(TBLine, 5, dtDimHor);
  ShowOptionToolBars(otbDim, 0);
}

void TfrmMain::ppMnuDimVertClick() {
  SelectFamilyMember(TBLine, 4, dtDimVert);
  ShowOptionToolBars(otbDim, 0);
}

void TfrmMain::ppMnuRectClick() {
  SelectFamilyMember(TBRect, 6, RectangleTool());
}

void TfrmMain::ppMnuPolygonClick() {
  SelectFamilyMember(TBRect, 7, dtPolygon);
  ClearDocumentPoints();
}

void TfrmMain::ppMnuEllipseClick() {
  SelectFamilyMember(TBEllipse, 8, dtEllipse);
  ShowOptionToolBars(0, otbEllipse);
}

void TfrmMain::ppMnuArcClick() {
  SelectFamilyMember(TBEllipse, 9, dtArc);
  ShowOptionToolBars(otbEllipse, 0);
}

void TfrmMain::ppMnuChordClick() {
  SelectFamilyMember(TBEllipse, 11, dtChord);
  ShowOptionToolBars(otbEllipse, 0);
}

void TfrmMain::ppmnuPieClick() {
  SelectFamilyMember(TBEllipse, 10, dtPie);
  ShowOptionToolBars(otbEllipse, 0);
}

void TfrmMain::ppMnuMarkRectClick() {
  SelectFamilyMember(TBMark, 13, dtMarkRect);
}

void TfrmMain::ppMnuMarkEllipseClick() {
  SelectFamilyMember(TBMark, 14, dtMarkEllipse);
}

void TfrmMain::ppMnuMarkHandClick() {
  SelectFamilyMember(TBMark, 15, dtMarkHand);
}

// --- 3D, marking, Escape -------------------------------------------------------

void TfrmMain::TBUse3DClick() {
  ToolBar3D.TBUse3D->click();
}

void TfrmMain::TBUse3DToggled() {
  if (ActiveTool == dtRoundRect || ActiveTool == dtRect3D)
    ActiveTool = RectangleTool();
}

void TfrmMain::TBUndoMarkClick() {
  if (TfrmChild *doc = ActiveChild())
    doc->RemoveMarking();
  TBUndoMark->setEnabled(false);
}

void TfrmMain::LMDGlobalHotKeyKeyDown() {
  if (TfrmChild *doc = ActiveChild())
    doc->CancelDrawing();
  // Another window of the program that has the focus (the colour picker's
  // drop-down, a tool window) gets Escape as well, as if the key had gone
  // to it alone.
  QWidget *other = QApplication::activePopupWidget();
  if (!other && QApplication::activeWindow() != this)
    other = QApplication::activeWindow();
  if (!other)
    return;
  QWidget *target = other->focusWidget() ? other->focusWidget() : other;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  // The shortcut steps aside, or the key would come straight back here.
  LMDGlobalHotKey->setEnabled(false);
  QApplication::sendEvent(target, &press);
  LMDGlobalHotKey->setEnabled(true);
}

// --- what the documents read --------------------------------------------------

TToolAttributes TfrmMain::DrawAttributes() const {
  TToolAttributes a;
  a.Tool = ActiveTool;
  const TToolBarLines &l = ToolBarLines;
  a.PenMode = TPenMode(std::max(l.CBDrawKind->currentIndex(), 0));
  a.PenColor = panLineColor->Color();
  a.PenStyle = l.TBNoLine->isChecked() ? psClear : TPenStyle(std::max(l.CBLineKind->currentIndex(), 0));
  a.PenWidth = std::max(l.CBLineWidth->currentText().toInt(), 1);
  a.BrushColor = panFillColor->Color();
  a.FillKind = TBrushStyle(std::max(l.CBFillKind->currentIndex(), 0));
  a.BrushStyle = l.TBNoFill->isChecked() ? bsClear : a.FillKind;
  a.PaperColor = panPaperColor->Color();
  a.RectRoundCorners = ToolBarRect.EditRectRndCrs->text();
  a.EllipseArc = ToolBarEllipse.EditEllipseArc->text();
  a.EllipseStart = ToolBarEllipse.EditEllipseStart->text();
  a.StdSize = ToolBarStdSize.EditStdSize->text();
  a.Use3D = ToolBar3D.TBUse3D->isChecked();
  a.Color3DTop = ToolBar3D.ClPickCB3DTop->ActiveColor();
  a.Color3DBottom = ToolBar3D.ClPickCB3DBottom->ActiveColor();
  const TFontLabel *dim = ToolBarDim.lbDimFont;
  a.DimUnit = ToolBarDim.CBDim->currentText();
  a.DimFont = dim->LabelFont();
  a.DimFontColor = dim->FontColor();
  a.DimTransparent = dim->Transparent();
  a.DimBackground = dim->Color();
  return a;
}

} // namespace tessaro
