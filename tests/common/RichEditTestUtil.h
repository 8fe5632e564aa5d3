// What a text object's editor shows, and the picture its paste makes of it:
// the editor's pixels without its two-pixel border, its white background
// left out.
#pragma once

#include "controls/LUMWinRichEdit.h"

#include <QImage>

namespace tessaro::test {

// The editor's picture now (it loses the focus, so no caret shows).
inline QImage ShownByEditor(TCanvasRichEdit *editor) {
  editor->clearFocus();
  return editor->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// before with the shown text laid over it at (x, y).
inline TBitmap PastedOver(const TBitmap &before, const QImage &shown, int x, int y) {
  TBitmap after(before);
  for (int j = 0; j < shown.height() - 4; ++j)
    for (int i = 0; i < shown.width() - 4; ++i) {
      const QRgb p = shown.pixel(i + 2, j + 2);
      if (p != qRgb(255, 255, 255) && x + i < after.Width() && y + j < after.Height())
        after.SetPixel(x + i, y + j, RGB(qRed(p), qGreen(p), qBlue(p)));
    }
  return after;
}

} // namespace tessaro::test
