// The pipette's colours: the picked colour goes to the fill, line or paper
// panel, and the other colour controls follow the panels.
#include "frame/UnMain.h"

namespace tessaro {

void TfrmMain::PipetteColor(unsigned targets, TColor color) {
  if (targets & ptFill)
    panFillColor->SetColor(color);
  if (targets & ptLine)
    panLineColor->SetColor(color);
  // Only the frame's paper panel: the document keeps its own paper colour,
  // which it shows again the next time it becomes active.
  if (targets & ptPaper)
    panPaperColor->SetColor(color);
  // The palette grid takes the three panel colours, the fill and line picker
  // combos the fill and line colours, and the dimension font label the fill
  // colour as its background (with its legibility rule).
}

} // namespace tessaro
