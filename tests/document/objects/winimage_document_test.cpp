// Floating images in a document: the current object's frame, combining with
// every cross-fade and see-through case exactly as TransparentCopy of the
// object's pixels, combining at zoom 200, and deleting and combining taken
// back by undo with the object at its place and with its settings.
#include "document/objects/CrossFade.h"
#include "objects_fixture.h"
#include "ops/LUMGraphics.h"

#include <QKeyEvent>

#include <cmath>

namespace tessaro::test {
namespace {

class WinImageDocTest : public ObjectsTest {
protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    Load(Pattern(200, 150));
  }
  // A pasted picture with a band of the see-through colour.
  TLUMWinImageEx *Paste(QPoint at, int w = 100, int h = 50) {
    TBitmap picture = Pattern(w, h);
    for (int x = 0; x < w; ++x)
      picture.SetPixel(x, h / 2, RGB(0, 255, 0));
    TLUMWinImageEx *image = Doc->InsertWinImage(picture);
    image->move(at);
    return image;
  }
  void PressOn(TLUMWinImage *image, QPoint inside = QPoint(50, 25)) {
    const QPoint at = image->pos() + inside;
    Press(at);
    Release(at);
  }
  struct TState {
    QRect Bounds;
    bool Transparent;
    TColor Color;
    int Level;
    std::shared_ptr<const TBitmap> Bitmap, Source;
  };
  static TState StateOf(const TLUMWinImageEx &i) {
    return {i.geometry(),   i.Transparent(),  i.TransparentColor(),
            i.BlendLevel(), i.SharedBitmap(), i.SharedSourceBitmap()};
  }
  void ExpectState(const TLUMWinImageEx &i, const TState &s) {
    EXPECT_EQ(i.geometry(), s.Bounds);
    EXPECT_EQ(i.Transparent(), s.Transparent);
    EXPECT_EQ(i.TransparentColor(), s.Color);
    EXPECT_EQ(i.BlendLevel(), s.Level);
    EXPECT_TRUE(PixelsEqual(i.Bitmap(), *s.Bitmap));
    EXPECT_TRUE(PixelsEqual(i.SourceBitmap(), *s.Source));
  }
};

TEST_F(WinImageDocTest, ThePressedObjectGetsTheBlueFrame) {
  TLUMWinImageEx *a = Paste({10, 10});
  TLUMWinImageEx *b = Paste({10, 80});
  PressOn(a);
  EXPECT_EQ(Doc->ActiveWinImage(), a);
  EXPECT_EQ(a->FocusRectLineColor(), clBlue);
  EXPECT_EQ(b->FocusRectSizerColor(), clSilver);
  PressOn(b);
  EXPECT_EQ(Doc->ActiveWinImage(), b);
  EXPECT_EQ(a->FocusRectLineColor(), clSilver);
  EXPECT_EQ(b->FocusRectLineColor(), clBlue);
  EXPECT_TRUE(Host.ObjectToolBars);
  EXPECT_EQ(Host.ObjectSize, QSize(100, 50));
}

TEST_F(WinImageDocTest, CombiningEqualsTransparentCopyOfTheObjectsPixels) {
  struct TCase {
    int Level;
    bool Transparent;
  };
  for (const TCase &k : {TCase{0, false}, TCase{0, true}, TCase{50, false}, TCase{50, true},
                         TCase{100, false}, TCase{100, true}}) {
    SCOPED_TRACE(testing::Message() << "cross-fade " << k.Level << (k.Transparent ? " see-through" : ""));
    Load(Pattern(200, 150));
    TLUMWinImageEx *image = Paste({37, 21});
    PressOn(image);
    image->SetTransparentColor(RGB(0, 255, 0));
    image->SetTransparent(k.Transparent);
    Host.SetBlendPosition(k.Level);
    EXPECT_EQ(image->BlendLevel(), k.Level);
    const TBitmap shown(image->Bitmap());
    const TState state = StateOf(*image);
    TBitmap expected(*Before);
    TransparentCopy(&shown, &expected, 41, 25, RGB(0, 255, 0), k.Transparent);
    const size_t entries = Doc->Undo().UndoList().size();
    Doc->CombineWinImage(image, nullptr);
    EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), expected));
    EXPECT_EQ(Doc->ActiveWinImage(), nullptr);
    EXPECT_TRUE(Doc->WinImages().empty());
    EXPECT_FALSE(Host.ObjectToolBars);
    EXPECT_EQ(Doc->Undo().UndoList().size(), entries + 2);
    EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Objekt löschen)");
    // One undo takes back both steps and brings the object back.
    ASSERT_TRUE(Doc->UndoStep());
    EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
    ASSERT_EQ(Doc->WinImages().size(), 1u);
    ExpectState(*Doc->WinImages()[0], state);
    Doc->DestroyWinImages();
    Host.SetBlendPosition(0);
  }
}

TEST_F(WinImageDocTest, CrossFadeBlendsTheSourceOverWhatLiesBeneath) {
  TLUMWinImageEx *image = Paste({37, 21});
  PressOn(image);
  Host.SetBlendPosition(50);
  TBitmap expected = Area(*Before, TRect(41, 25, 141, 75));
  BlendDraw(&expected, &image->SourceBitmap(), 0, 0, 128);
  EXPECT_TRUE(PixelsEqual(image->Bitmap(), expected));
  // Moving it blends again with the new background.
  Drag(image->pos() + QPoint(50, 25), {image->pos() + QPoint(55, 25)}, image->pos() + QPoint(60, 30));
  EXPECT_EQ(image->pos(), QPoint(47, 26));
  expected = Area(*Before, TRect(51, 30, 151, 80));
  BlendDraw(&expected, &image->SourceBitmap(), 0, 0, 128);
  EXPECT_TRUE(PixelsEqual(image->Bitmap(), expected));
  EXPECT_EQ(Host.ObjectPos, QPoint(51, 30));
  EXPECT_EQ(CrossFadeAlpha(100), 0);
  EXPECT_EQ(CrossFadeAlpha(0), 255);
}

TEST_F(WinImageDocTest, CombiningAtZoom200UsesHalfTheCoordinatesAndSize) {
  Doc->SetZoom(200);
  TLUMWinImageEx *image = Paste({40, 20});
  const TBitmap picture(image->Bitmap());
  Doc->CombineWinImage(image, nullptr);
  TBitmap half(picture);
  ResizeBitmap(&half, sftLinear, clWhite, 50, 50);
  ASSERT_EQ(half.Width(), 50);
  TBitmap expected(*Before);
  TransparentCopy(&half, &expected, 22, 12, clWhite, false);
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), expected));
}

TEST_F(WinImageDocTest, AStretchedObjectIsCombinedAtItsShownSize) {
  TLUMWinImageEx *image = Paste({10, 10});
  image->resize(158, 33);
  TBitmap stretched(image->Bitmap());
  ResizeBitmap(&stretched, sftLinear, clWhite, ExactResizePercent(100, 150), ExactResizePercent(50, 25));
  Doc->CombineWinImage(image, nullptr);
  TBitmap expected(*Before);
  TransparentCopy(&stretched, &expected, 14, 14, clWhite, false);
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), expected));
}

TEST_F(WinImageDocTest, DeletedObjectsComeBackOneByOne) {
  TLUMWinImageEx *a = Paste({10, 10}, 60, 30);
  TLUMWinImageEx *b = Paste({90, 70}, 40, 40);
  a->SetTransparentColor(RGB(0, 255, 0));
  a->SetTransparent(true);
  const TState sa = StateOf(*a), sb = StateOf(*b);
  for (TLUMWinImageEx *image : {a, b}) {
    PressOn(image, QPoint(20, 12));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(image, &press);
    QCoreApplication::sendEvent(image, &release);
    QApplication::processEvents();
  }
  EXPECT_TRUE(Doc->WinImages().empty());
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Objekt löschen)");
  ASSERT_TRUE(Doc->UndoStep());
  ASSERT_EQ(Doc->WinImages().size(), 1u);
  ExpectState(*Doc->WinImages()[0], sb);
  ASSERT_TRUE(Doc->UndoStep());
  ASSERT_EQ(Doc->WinImages().size(), 2u);
  ExpectState(*Doc->WinImages()[1], sa);
  EXPECT_FALSE(Doc->WinImages()[1]->mask().isEmpty());
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
}

TEST_F(WinImageDocTest, ObjectsBeyondThePictureCanBeScrolledTo) {
  TLUMWinImageEx *image = Paste({150, 120}, 300, 200);
  QApplication::processEvents();
  const QWidget *client = Doc->ScrollBox->Client();
  EXPECT_GE(client->width(), image->geometry().right() + 1);
  EXPECT_GE(client->height(), image->geometry().bottom() + 1);
  // Sent to the back, it still lies above the picture.
  image->SendToBack();
  EXPECT_EQ(client->childAt(image->pos() + QPoint(50, 50)), image);
}

TEST_F(WinImageDocTest, RestoreRemovesEveryObjectAndTheMarking) {
  Paste({10, 10});
  Paste({30, 30});
  Doc->DestroyWinImages();
  QApplication::processEvents();
  EXPECT_TRUE(Doc->WinImages().empty());
  EXPECT_EQ(Doc->ActiveWinImage(), nullptr);
}

} // namespace
} // namespace tessaro::test
