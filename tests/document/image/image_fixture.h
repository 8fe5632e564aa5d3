// A frame with one document showing a patterned picture in a chosen pixel
// format, for the image commands and their dialogs.
#pragma once

#include "../../common/TestUtil.h"
#include "../../files/FilesTestUtil.h"
#include "../../ops/OpsTestUtil.h"
#include "frame_fixture.h"
#include "ops/dialogs/OpDialog.h"

#include <QAction>
#include <QPointer>
#include <QToolButton>

#include <functional>

namespace tessaro::test {

inline const TPixelFormat AllFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

// The picture in another format (as the platform converts it).
inline TBitmap InFormat(const TBitmap &b, TPixelFormat pf) {
  TBitmap copy(b);
  copy.SetPixelFormat(pf);
  return copy;
}

// An 8-bit picture with a palette of its own (not the halftone one).
inline TBitmap OwnPaletteImage(int w = 9, int h = 7) {
  TBitmap b(w, h, pf8bit);
  TPalette palette(256);
  for (int i = 0; i < 256; ++i)
    palette[size_t(i)] = TRGBQuad{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2 + 60), 0};
  b.SetPalette(palette);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetStored(x, y, uint32_t(x * 29 + y * 7) & 255);
  return b;
}

class ImageTest : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    Doc = First();
  }
  void TearDown() override {
    TOpDialog::SetRunner(nullptr);
    TOpDialog::SetColorDialogHook(nullptr);
    FrameTest::TearDown();
  }
  // The document shows picture in format pf, as if opened that way.
  void Show(const TBitmap &picture, TPixelFormat pf = pf24bit) {
    Doc->Bitmap().Assign(InFormat(picture, pf));
    Doc->SetImageType(pf);
    Doc->FormActivate();
  }
  QString UndoHint() const { return Hint(Frame->TBUndo); }

  // A dialog on the document, shown as the menu shows it (freed when it
  // closes) but without a modal loop.
  template <class TDialog> TDialog *Open() {
    auto *d = new TDialog(*Doc);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->show();
    QApplication::setActiveWindow(d);
    Flush();
    return d;
  }

  // Opens a dialog through the document's menu item and hands it to body;
  // true when it opened and was freed once the events ran.
  template <class TDialog> bool RunDialog(QAction *item, const std::function<void(TDialog &)> &body) {
    QPointer<TOpDialog> seen;
    bool opened = false;
    TOpDialog::SetRunner([&](TOpDialog &d) {
      seen = &d;
      opened = true;
      auto *dialog = dynamic_cast<TDialog *>(&d);
      ASSERT_NE(dialog, nullptr) << "another dialog opened";
      body(*dialog);
    });
    item->trigger();
    TOpDialog::SetRunner(nullptr);
    Flush();
    return opened && seen.isNull();
  }

  TfrmChild *Doc = nullptr;
};

} // namespace tessaro::test
