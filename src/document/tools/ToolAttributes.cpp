#include "document/tools/ToolAttributes.h"

namespace tessaro {

void ApplyDrawAttributes(TCanvas &canvas, const TToolAttributes &a) {
  canvas.Pen.Mode = a.PenMode;
  canvas.Pen.Color = a.PenColor;
  canvas.Pen.Style = a.PenStyle;
  canvas.Pen.Width = a.PenWidth;
  canvas.Brush.Color = a.BrushColor;
  canvas.Brush.Style = a.BrushStyle;
}

} // namespace tessaro
