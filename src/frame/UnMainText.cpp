// The text toolbar. Its controls are the text tool's attributes; the text
// objects they edit arrive with the text tool, so until then a change stays
// in the toolbar.
#include "frame/UnMain.h"

#include <QButtonGroup>
#include <QToolButton>

namespace tessaro {

// Font name, size and colour of the current text object's selection.
void TfrmMain::LMDFontCBTextChange() {}

void TfrmMain::LMDFontSizeCBTextChange() {}

void TfrmMain::ClPickCBTextColorChanged() {}

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

} // namespace tessaro
