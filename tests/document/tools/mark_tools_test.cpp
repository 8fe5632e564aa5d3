// The marking tools under real mouse events: the dotted inverted outline
// left in the raster (and nothing else), the marking rectangle in image
// coordinates at zoom 100 and 200, a new marking removing the old one,
// Escape, "Markierung löschen", and undo bringing back the marking that
// belongs to the raster it loads.
#include "../objects/objects_fixture.h"

namespace tessaro::test {
namespace {

class MarkToolTest : public ObjectsTest, public ::testing::WithParamInterface<int> {
protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    Load(Pattern(120, 90));
  }
  TBitmap Framed(const TRect &r, const TMarkShape &shape = TMarkShape()) {
    TBitmap bmp(*Before);
    DrawMarkingFrame(bmp.Canvas(), r, shape);
    return bmp;
  }
};

TEST_P(MarkToolTest, DraggingMarksInImageCoordinates) {
  const int zoom = GetParam();
  Doc->SetZoom(zoom);
  Host.Attributes.Tool = dtMarkRect;
  const auto at = [zoom](int x, int y) { return QPoint(x * zoom / 100, y * zoom / 100); };
  Drag(at(10, 8), {at(30, 20), at(70, 60)}, at(60, 45));
  EXPECT_EQ(Doc->MarkRect(), TRect(10, 8, 60, 45));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), Framed(TRect(10, 8, 60, 45))));
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Rechteck Markierung)");
  // Copy takes exactly the marked pixels, without the frame, and ends the
  // marking.
  Doc->mnuCopyClick();
  EXPECT_TRUE(PixelsEqual(Clipboard(), Area(*Before, TRect(10, 8, 60, 45))));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
  EXPECT_FALSE(Doc->MarkingExists());
  EXPECT_GT(Host.UndoMarkDisabled, 0);
}

INSTANTIATE_TEST_SUITE_P(Zoom, MarkToolTest, ::testing::Values(100, 200));

TEST_F(MarkToolTest, ANewMarkingRemovesTheOldOneEvenAtTheEdge) {
  Host.Attributes.Tool = dtMarkRect;
  Drag({0, 0}, {{10, 10}}, {30, 20});
  EXPECT_EQ(Doc->MarkRect(), TRect(0, 0, 30, 20));
  Drag({50, 40}, {{60, 50}}, {70, 60});
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), Framed(TRect(50, 40, 70, 60))));
  // Dragged towards the top left, the marked area is the same box.
  Drag({70, 60}, {{60, 50}}, {40, 30});
  EXPECT_EQ(Doc->MarkRect(), TRect(70, 60, 40, 30));
  Doc->mnuCopyClick();
  EXPECT_TRUE(PixelsEqual(Clipboard(), Area(*Before, TRect(40, 30, 70, 60))));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
}

TEST_F(MarkToolTest, AClickOrEscapeLeavesNoMarking) {
  Host.Attributes.Tool = dtMarkRect;
  Click({20, 20});
  EXPECT_FALSE(Doc->MarkingExists());
  Press({10, 10});
  Move({40, 30});
  Move({50, 35});
  Doc->CancelDrawing();
  Release({50, 35});
  EXPECT_FALSE(Doc->MarkingExists());
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
}

TEST_F(MarkToolTest, EllipseAndFreehandMarkTheirShape) {
  Doc->SetPaperColor(RGB(250, 0, 250));
  Host.Attributes.Tool = dtMarkEllipse;
  Drag({10, 10}, {{40, 30}}, {70, 50});
  const TMarkShape ellipse{mkEllipse, {}};
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), Framed(TRect(10, 10, 70, 50), ellipse)));
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Ellipsen Markierung)");
  Doc->mnuCopyClick();
  // Inside the ellipse the picture, outside it the paper colour.
  const TBitmap copied = Clipboard();
  EXPECT_EQ(copied.GetPixel(30, 20), Before->GetPixel(40, 30));
  EXPECT_EQ(copied.GetPixel(0, 0), RGB(250, 0, 250));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));

  Host.Attributes.Tool = dtMarkHand;
  Drag({20, 10}, {{60, 15}, {70, 60}, {30, 70}}, {15, 40});
  ASSERT_TRUE(Doc->MarkingExists());
  EXPECT_EQ(Doc->MarkRect(), TRect(15, 10, 71, 71));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), Framed(Doc->MarkRect(), Doc->MarkShape())));
  // Cut fills the outline with the paper colour and nothing else.
  const TMarkShape hand = Doc->MarkShape();
  Doc->mnuCutClick();
  TBitmap expected(*Before);
  FillMarking(expected.Canvas(), TRect(15, 10, 71, 71), hand, RGB(250, 0, 250));
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), expected));
  EXPECT_EQ(Clipboard().GetPixel(40 - 15, 40 - 10), Before->GetPixel(40, 40));
}

TEST_F(MarkToolTest, EscapeTakesTheFreehandRubberBandAway) {
  Host.Attributes.Tool = dtMarkHand;
  Press({20, 10});
  for (QPoint p : {QPoint(60, 15), QPoint(70, 60), QPoint(30, 70), QPoint(60, 15)})
    Move(p);
  Doc->CancelDrawing();
  Release({60, 15});
  EXPECT_FALSE(Doc->MarkingExists());
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
}

TEST_F(MarkToolTest, RemovingTheMarkingRestoresThePicture) {
  Host.Attributes.Tool = dtMarkRect;
  Drag({5, 5}, {{50, 50}}, {100, 80});
  Doc->RemoveMarking();
  EXPECT_FALSE(Doc->MarkingExists());
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
}

TEST_F(MarkToolTest, UndoBringsBackTheMarkingOfTheRasterItLoads) {
  Host.Attributes.Tool = dtMarkRect;
  Drag({5, 5}, {{50, 50}}, {100, 80});
  Host.Attributes.Tool = dtLine;
  Drag({0, 89}, {{60, 70}}, {119, 60});
  Doc->RemoveMarking();
  // Undo of the line: the frame is back in the raster, and so is the
  // marking, which removes it again exactly.
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_EQ(Doc->MarkRect(), TRect(5, 5, 100, 80));
  Doc->RemoveMarking();
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
  // Undo of the marking itself: no frame, no marking.
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_FALSE(Doc->MarkingExists());
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
}

} // namespace
} // namespace tessaro::test
