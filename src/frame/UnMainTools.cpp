// The frame's tool and drawing-attribute state as the documents read it.
#include "frame/UnMain.h"

namespace tessaro {

TToolAttributes TfrmMain::DrawAttributes() const {
  TToolAttributes a;
  a.Tool = ActiveTool;
  a.PenColor = panLineColor->Color();
  a.BrushColor = panFillColor->Color();
  return a;
}

} // namespace tessaro
