// The frame's drawing attributes: "Keine Füllung" and "Keine Linie", the
// owner-drawn attribute lists, and the dimension label with its font.
#include "frame/UnMain.h"

#include "frame/FontLabel.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QFontDialog>
#include <QToolButton>

namespace tessaro {

namespace {

// What every attribute item starts with: its background, highlighted when
// the item is selected.
void ItemBackground(TCanvas &c, const TRect &r, bool selected) {
  c.Pen.Mode = pmCopy;
  c.Pen.Style = psClear;
  c.Brush.Style = bsSolid;
  c.Brush.Color = selected ? clHighlight : clWhite;
  c.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
}

void ItemLine(TCanvas &c, const TRect &r) {
  const int y = r.Top + (r.Bottom - r.Top) / 2;
  c.MoveTo(2, y);
  c.LineTo(r.Right - 2, y);
}

} // namespace

void TfrmMain::ConnectAttributes() {
  TToolBarLines &l = ToolBarLines;
  connect(l.TBNoFill, &QToolButton::clicked, this, [this] { TBNoFillToggled(); });
  connect(l.TBNoLine, &QToolButton::clicked, this, [this] { TBNoLineToggled(); });
  // Only a choice of the user counts as a change of the fill kind.
  connect(l.CBFillKind, &QComboBox::activated, this, [this] { CBFillKindChange(); });
  // The line width samples use the chosen line kind.
  connect(l.CBLineKind, &QComboBox::currentIndexChanged, l.CBLineWidth, [&l] { l.CBLineWidth->update(); });
  l.CBFillKind->SetDrawItem(
      [this](TItemCanvas &c, int i, const TRect &r, bool s) { CBFillKindDrawItem(c, i, r, s); });
  l.CBLineWidth->SetDrawItem(
      [this](TItemCanvas &c, int i, const TRect &r, bool s) { CBLineWidthDrawItem(c, i, r, s); });
  l.CBLineKind->SetDrawItem(
      [this](TItemCanvas &c, int i, const TRect &r, bool s) { CBLineKindDrawItem(c, i, r, s); });
  l.CBDrawKind->SetDrawItem(
      [this](TItemCanvas &c, int i, const TRect &r, bool s) { CBDrawKindDrawItem(c, i, r, s); });
  connect(l.ClPickCBFillColor, &TColorPickCombo::Changed, this, [this] { ClPickCBFillColorChanged(); });
  connect(l.ClPickCBLineColor, &TColorPickCombo::Changed, this, [this] { ClPickCBLineColorChanged(); });

  connect(ToolBar3D.TBUse3D, &QToolButton::clicked, this, [this] { TBUse3DToggled(); });

  connect(ToolBarDim.ClPickCBDimCol, &TColorPickCombo::Changed, this, [this] { ClPickCBDimColChanged(); });
  connect(ToolBarDim.lbDimFont, &TFontLabel::Clicked, this, [this] { lbDimFontClick(); });

  for (TColorPanel *panel : {panFillColor, panLineColor, panPaperColor})
    connect(panel, &TColorPanel::DoubleClicked, this, [this, panel] { panFillColorDblClick(panel); });

  TToolBarText &t = ToolBarText;
  // The size list follows the font list.
  connect(t.LMDFontCBText, &QFontComboBox::currentFontChanged, this, [this] {
    ToolBarText.FillFontSizes();
    LMDFontCBTextChange();
  });
  connect(t.LMDFontSizeCBText, &QComboBox::currentTextChanged, this, [this] { LMDFontSizeCBTextChange(); });
  connect(t.ClPickCBTextColor, &TColorPickCombo::Changed, this, [this] { ClPickCBTextColorChanged(); });
  ConnectText();
}

void TfrmMain::TBNoFillClick() {
  ToolBarLines.TBNoFill->click();
}

void TfrmMain::TBNoFillToggled() {
  const bool down = ToolBarLines.TBNoFill->isChecked();
  if (!down)
    ToolBarLines.CBFillKind->setCurrentIndex(0);
  ToolBarDim.lbDimFont->SetTransparent(down);
}

void TfrmMain::TBNoLineClick() {
  ToolBarLines.TBNoLine->click();
}

void TfrmMain::TBNoLineToggled() {
  if (!ToolBarLines.TBNoLine->isChecked())
    ToolBarLines.CBLineKind->setCurrentIndex(0);
}

void TfrmMain::CBFillKindChange() {
  ToolBarDim.lbDimFont->SetTransparent(ToolBarLines.CBFillKind->currentIndex() == bsClear);
}

void TfrmMain::CBFillKindDrawItem(TItemCanvas &canvas, int index, const TRect &r, bool selected) {
  TCanvas &c = canvas.Canvas();
  ItemBackground(c, r, selected);
  c.Brush.Color = panFillColor->Color();
  c.Brush.Style = TBrushStyle(index);
  c.Rectangle(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}

void TfrmMain::CBLineKindDrawItem(TItemCanvas &canvas, int index, const TRect &r, bool selected) {
  TCanvas &c = canvas.Canvas();
  ItemBackground(c, r, selected);
  c.Pen.Color = panLineColor->Color();
  c.Pen.Style = TPenStyle(index);
  ItemLine(c, r);
}

void TfrmMain::CBLineWidthDrawItem(TItemCanvas &canvas, int index, const TRect &r, bool selected) {
  TCanvas &c = canvas.Canvas();
  ItemBackground(c, r, selected);
  const int width = ToolBarLines.CBLineWidth->itemText(index).toInt();
  c.Pen.Color = panLineColor->Color();
  c.Pen.Style = TPenStyle(std::max(ToolBarLines.CBLineKind->currentIndex(), 0));
  c.Pen.Width = width;
  ItemLine(c, r);
  // The width over the line, on the item's background.
  const QString text = QString::number(width) + " pt ";
  canvas.TextOut((r.Right - canvas.TextWidth(text)) / 2,
                 r.Top + (r.Bottom - r.Top - canvas.TextHeight(text)) / 2, text);
}

void TfrmMain::CBDrawKindDrawItem(TItemCanvas &canvas, int index, const TRect &r, bool selected) {
  TCanvas &c = canvas.Canvas();
  ItemBackground(c, r, selected);
  c.Brush.Color = panFillColor->Color();
  c.Brush.Style = bsSolid;
  c.Pen.Color = panLineColor->Color();
  c.Pen.Style = psClear;
  // The swatch's fill goes through the mode's raster operation.
  c.Pen.Mode = TPenMode(index);
  c.Rectangle(2, r.Top + 2, 15, r.Top + 15);
  c.Brush.Style = bsClear;
  canvas.TextOut(20, r.Top + 2, ToolBarLines.CBDrawKind->itemText(index));
}

// --- the dimension label --------------------------------------------------

void TfrmMain::DimFontLegibility() {
  TFontLabel *label = ToolBarDim.lbDimFont;
  if (!label->Transparent() && label->Color() == label->FontColor())
    label->SetColor(~label->FontColor());
}

void TfrmMain::ClPickCBDimColChanged() {
  ToolBarDim.lbDimFont->SetFontColor(ToolBarDim.ClPickCBDimCol->ActiveColor());
  DimFontLegibility();
}

void TfrmMain::lbDimFontClick() {
  TFontLabel *label = ToolBarDim.lbDimFont;
  QFont font = label->LabelFont();
  bool ok = false;
  if (FontDialogHook)
    ok = FontDialogHook(font);
  else
    font = QFontDialog::getFont(&ok, font, this, "Schriftart");
  if (!ok)
    return;
  label->SetLabelFont(font);
  // The font dialog keeps the colour the label had.
  ToolBarDim.ClPickCBDimCol->SetActiveColor(label->FontColor());
  DimFontLegibility();
}

} // namespace tessaro
