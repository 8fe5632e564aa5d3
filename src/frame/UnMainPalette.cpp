// The palette menus of "Ansicht > Farbpalette".
#include "frame/UnMain.h"

namespace tessaro {

void TfrmMain::mnuColorPaletteClick() {}
void TfrmMain::mnuStdColorsClick() {}
void TfrmMain::mnuHTMLColorsClick() {}
void TfrmMain::mnuSystemColorsClick() {}
void TfrmMain::mnuVGAColorsClick() {}
void TfrmMain::mnuBitmapColorsClick() {}
void TfrmMain::mnuUseBitmapColorsClick() {}
void TfrmMain::mnuBmpClRedClick() {}
void TfrmMain::mnuBmpClGreenClick() {}
void TfrmMain::mnuBmpClBlueClick() {}

} // namespace tessaro
