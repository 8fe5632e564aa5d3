// A document on a bare host with a picture whose pixels all differ, and
// helpers to compare rasters and read the clipboard.
#pragma once

#include "../../common/TestUtil.h"
#include "../bare_host.h"
#include "core/Canvas.h"
#include "document/objects/ClipboardImage.h"

#include <QClipboard>
#include <QGuiApplication>

#include <memory>

namespace tessaro::test {

inline TBitmap Pattern(int w, int h, TPixelFormat pf = pf24bit) {
  TBitmap bmp(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetPixel(x, y, RGB(uint8_t(x * 2 + 1), uint8_t(y * 3 + 2), uint8_t((x ^ y) * 5)));
  bmp.SetPixelFormat(pf);
  return bmp;
}

// The pixels of a rectangle of a raster (24-bit).
inline TBitmap Area(const TBitmap &raster, const TRect &r) {
  TBitmap area;
  area.Allocate(r.Width(), r.Height(), pf24bit, false);
  area.Canvas().Draw(-r.Left, -r.Top, raster);
  return area;
}

class ObjectsTest : public BareDocumentTest {
protected:
  void Load(const TBitmap &picture) {
    Doc->Bitmap().Assign(picture);
    Doc->SetDocument("Test.bmp", "Test.bmp", false, false);
    QApplication::processEvents();
    Before = std::make_unique<TBitmap>(Doc->Bitmap());
  }
  static TBitmap Clipboard() {
    TBitmap bmp;
    EXPECT_TRUE(ClipboardBitmap(clWhite, bmp));
    return bmp;
  }
  int Steps() const { return Doc->Undo().UndoIndex() + 1; }
  std::unique_ptr<TBitmap> Before;
};

} // namespace tessaro::test
