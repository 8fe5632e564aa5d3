#include "document/tools/ToolAttributes.h"

#include "core/Lenient.h"

#include <algorithm>

namespace tessaro {

int ToolNumber(const QString &text, int fallback, int low, int high) {
  int value = fallback;
  // Read at every mouse event: a rest that is no number ("1-2") must not
  // raise a message at each move, so it reads as the default.
  TryLenientStrToInt(text.toStdString(), value);
  return std::clamp(value, low, high);
}

void ApplyDrawAttributes(TCanvas &canvas, const TToolAttributes &a) {
  canvas.Pen.Mode = a.PenMode;
  canvas.Pen.Color = a.PenColor;
  canvas.Pen.Style = a.PenStyle;
  canvas.Pen.Width = a.PenWidth;
  canvas.Brush.Color = a.BrushColor;
  canvas.Brush.Style = a.BrushStyle;
}

} // namespace tessaro
