// The tool engine with the line tools: real mouse events on a document leave
// exactly the pixels the canvas draws for the same figure, with no trace of
// the rubber band, on documents of several pixel formats; one undo step per
// press; status texts; Escape.
#include "tool_fixture.h"

#include <vector>

namespace tessaro::test {
namespace {

using LineToolTest = FormatToolTest;

TEST_P(LineToolTest, LineLeavesOnlyTheLine) {
  Load(GetParam());
  Host.Attributes.Tool = dtLine;
  Drag({10, 10}, {{30, 15}, {50, 40}, {20, 60}}, {90, 70});
  ExpectPixels(Expected([](TCanvas &c) {
    c.MoveTo(10, 10);
    c.LineTo(90, 70);
  }));
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Linie)");
}

TEST_P(LineToolTest, FreehandLineFollowsTheMouse) {
  Load(GetParam());
  Host.Attributes.Tool = dtFreeLine;
  Drag({10, 10}, {{30, 15}, {50, 40}}, {80, 20});
  ExpectPixels(Expected([](TCanvas &c) {
    c.MoveTo(10, 10);
    // Every move continues from the canvas's position with the attributes.
    for (TPoint p : {TPoint(30, 15), TPoint(50, 40), TPoint(80, 20)})
      c.LineTo(p.X, p.Y);
  }));
}

TEST_P(LineToolTest, PolylineEndsAtTheDoubleClick) {
  Load(GetParam());
  Host.Attributes.Tool = dtPolyLine;
  Click({10, 10});
  Click({60, 15});
  Click({70, 60});
  DoubleClick({20, 80});
  EXPECT_TRUE(Doc->Engine().FPoints.empty());
  // One step per press, the second press of the double click included.
  EXPECT_EQ(Steps(), 5);
  // Each click draws the polyline up to its point again, so a wide pen
  // leaves the ends of the earlier strokes at the corners.
  const std::vector<TPoint> pts = {{10, 10}, {10, 10}, {60, 15}, {70, 60}, {20, 80}};
  ExpectPixels(Expected([&](TCanvas &c) {
    for (size_t n = 2; n <= pts.size(); ++n)
      c.Polyline(std::span(pts.data(), n));
  }));
}

TEST_P(LineToolTest, BezierCurveThroughItsClickedPoints) {
  Load(GetParam());
  Host.Attributes.Tool = dtBezier;
  Click({10, 80});
  Click({40, 5});
  DoubleClick({110, 70});
  const TPoint pts[] = {{10, 80}, {10, 80}, {40, 5}, {110, 70}};
  ExpectPixels(Expected([&](TCanvas &c) { c.PolyBezier(pts); }));
}

TEST_P(LineToolTest, ThinPolylineAndCurveLeaveNoDots) {
  Load(GetParam());
  Host.Attributes.PenWidth = 1;
  Host.Attributes.Tool = dtPolyLine;
  Click({10, 10});
  Click({60, 15});
  DoubleClick({70, 60});
  const TPoint line[] = {{10, 10}, {10, 10}, {60, 15}, {70, 60}};
  Host.Attributes.Tool = dtBezier;
  Click({10, 80});
  Click({40, 50});
  DoubleClick({110, 60});
  const TPoint curve[] = {{10, 80}, {10, 80}, {40, 50}, {110, 60}};
  ExpectPixels(Expected([&](TCanvas &c) {
    c.Polyline(line);
    c.PolyBezier(curve);
  }));
}

INSTANTIATE_TEST_SUITE_P(Formats, LineToolTest, ::testing::Values(pf1bit, pf8bit, pf16bit, pf24bit),
                         FormatName);

class EngineTest : public BareDocumentTest {
protected:
  void SetUp() override {
    BareDocumentTest::SetUp();
    Doc->Bitmap().Assign(Pattern(pf24bit));
    Doc->SetDocument("Test.bmp", "Test.bmp", false, false);
    QApplication::processEvents();
    Host.Attributes.Tool = dtLine;
  }
};

TEST_F(EngineTest, RightButtonAndStillClickOfTheLineTool) {
  const TBitmap before(Doc->Bitmap());
  // (The right button's release opens the document's popup menu; the engine
  // gets the press directly.)
  Doc->Engine().ImageMouseDown(mbRight, ssRight, 20, 20);
  Doc->Engine().ImageMouseUp(mbRight, 0, 40, 40);
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
  EXPECT_FALSE(Doc->Engine().FDrawing);
  // Press and release in place: a step, and the picture as it was.
  Press({20, 20});
  Release({20, 20});
  EXPECT_EQ(Doc->Undo().UndoIndex(), 0);
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Linie)");
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x)
      ASSERT_EQ(Doc->Bitmap().GetStored(x, y), before.GetStored(x, y));
}

TEST_F(EngineTest, ZoomDividesAndTruncates) {
  Doc->SetZoom(200);
  QApplication::processEvents();
  Press({101, 51});
  EXPECT_EQ(Doc->Engine().FStartPoint, TPoint(50, 25));
  Release({101, 51});
}

TEST_F(EngineTest, EscapeRemovesTheRubberBand) {
  const TBitmap before(Doc->Bitmap());
  Press({10, 10});
  Move({60, 50});
  EXPECT_TRUE(Doc->Engine().FDrawing);
  Doc->CancelDrawing();
  EXPECT_FALSE(Doc->Engine().FDrawing);
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x)
      ASSERT_EQ(Doc->Bitmap().GetStored(x, y), before.GetStored(x, y)) << x << "," << y;
  // The release that follows draws nothing.
  Release({60, 50});
  EXPECT_EQ(Doc->Bitmap().GetStored(30, 30), before.GetStored(30, 30));
}

TEST_F(EngineTest, StatusTextsInPixelsAndMillimetres) {
  // The test screen has a quarter millimetre per pixel.
  Host.Attributes.DimUnit = "mm";
  Move({40, 8}, Qt::NoButton);
  EXPECT_EQ(Host.Status[0], "X: 40 (10,00 mm)");
  EXPECT_EQ(Host.Status[1], "Y: 8 (2,00 mm)");
  EXPECT_EQ(Host.Status[2], "");
  Press({10, 10});
  Move({50, 10});
  EXPECT_EQ(Host.Status[2], "H: 1 (0,25 mm)");
  EXPECT_EQ(Host.Status[3], "L: 40 (10,00 mm)");
  Move({10, 40});
  EXPECT_EQ(Host.Status[3], "L: 0 (0,000 mm)");
  Release({10, 40});
  // Other zooms: coordinates of the picture.
  Doc->SetZoom(50);
  Move({40, 8}, Qt::NoButton);
  EXPECT_EQ(Host.Status[0], "X: 80 (20,00 mm)");
  // The extent texts of the shapes appear only at zoom 100.
  Doc->SetZoom(100);
  Doc->Engine().FStartPoint = TPoint(10, 10);
  Doc->Engine().ShowExtent(10, 40);
  EXPECT_EQ(Host.Status[2], "H: 30 (7,50 mm)");
  EXPECT_EQ(Host.Status[3], "B: 0 (0,000 mm)");
}

} // namespace
} // namespace tessaro::test
