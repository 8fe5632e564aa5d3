// "Mit Hintergrund kombinieren" of the text render toolbar: the current
// text object goes into the raster as its editor shows it, or, with "Text
// renderen" ticked, its lines are drawn again in the toolbar's font at the
// chosen quality.
#include "frame/UnMain.h"

#include "document/UnChild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QToolButton>

namespace tessaro {

void TfrmMain::SpBtnTextCombineClick() {
  if (TfrmChild *doc = ActiveChild())
    CombineTextObject(*doc);
}

void TfrmMain::CombineTextObject(TfrmChild &doc) {
  if (!doc.ActiveRichEdit())
    return;
  if (!ToolBarRenderText.ChBRenderText->isChecked()) {
    doc.CombineRichEdit(nullptr);
    return;
  }
  const TToolBarText &t = ToolBarText;
  TTextRender render;
  render.Font.Name = t.LMDFontCBText->currentText().toStdString();
  render.Font.Size = t.FontSize();
  render.Font.Color = t.ClPickCBTextColor->ActiveColor();
  render.Font.Style = TFontStyles(
      (t.TBBold->isChecked() ? fsBold : 0) | (t.TBItalic->isChecked() ? fsItalic : 0) |
      (t.TBUnderline->isChecked() ? fsUnderline : 0) | (t.TBStrikeOut->isChecked() ? fsStrikeOut : 0));
  const QComboBox *quality = ToolBarRenderText.CBRendereQuality;
  render.Quality = std::max(0, quality->findText(quality->currentText()));
  doc.CombineRichEdit(&render);
}

} // namespace tessaro
