// The shape tools driven by real mouse events: each figure's committed pixels
// equal the canvas drawing the same figure with the same attributes, and the
// rubber band leaves no trace, on documents of every pixel format; the corner,
// 3D frame and angle arithmetic at its edges; bad numbers in the toolbars.
#include "document/tools/ShapeTools.h"
#include "tool_fixture.h"

#include <vector>

namespace tessaro::test {
namespace {

using ShapeToolTest = FormatToolTest;

TEST_P(ShapeToolTest, RectangleWithSquareAndRoundedCorners) {
  // (typed text, corner value used)
  const std::pair<const char *, int> cases[] = {{"0", 0}, {"20", 20}, {"999", 360}, {"-5", 0}, {"a1b2", 12}};
  for (const auto &[text, r] : cases) {
    SCOPED_TRACE(text);
    Load(GetParam());
    Host.Attributes.Tool = dtRoundRect;
    Host.Attributes.RectRoundCorners = text;
    Drag({10, 10}, {{100, 80}, {30, 20}, {5, 2}}, {90, 70});
    ExpectPixels(Expected([r](TCanvas &c) { c.RoundRect(10, 10, 90, 70, r, r); }));
    EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Abgerundetes Rechteck)");
  }
}

TEST_P(ShapeToolTest, EllipseFilledAndOutlined) {
  Load(GetParam());
  Host.Attributes.Tool = dtEllipse;
  Host.Attributes.BrushStyle = bsDiagCross;
  Drag({100, 80}, {{20, 20}, {60, 30}}, {15, 12});
  ExpectPixels(Expected([](TCanvas &c) { c.Ellipse(100, 80, 15, 12); }));
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Ellipse)");
}

TEST_P(ShapeToolTest, ThreeDimensionalRectangleInsetByItsFrame) {
  Load(GetParam());
  Host.Attributes.Tool = dtRect3D;
  Host.Attributes.StdSize = "5";
  Host.Attributes.Color3DTop = RGB(250, 250, 0);
  Host.Attributes.Color3DBottom = RGB(0, 0, 250);
  Drag({10, 10}, {{80, 70}, {30, 20}}, {60, 50});
  TBitmap expected = Expected([](TCanvas &c) {
    c.Rectangle(15, 15, 55, 45);
    TRect r(15, 15, 55, 45);
    DrawBevelFrame(c, r, RGB(250, 250, 0), RGB(0, 0, 250), 5);
  });
  ExpectPixels(expected);
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (3D Rechteck)");
  // Dragged the other way round, the figure is the same.
  Load(GetParam());
  Drag({60, 50}, {{5, 5}}, {10, 10});
  ExpectPixels(expected);
}

TEST_F(ToolTest, ThreeDimensionalFrameColoursAndSizes) {
  Load(pf24bit);
  Host.Attributes.PenWidth = 1;
  Host.Attributes.Tool = dtRect3D;
  Host.Attributes.StdSize = "5";
  Host.Attributes.Color3DTop = RGB(250, 250, 0);
  Host.Attributes.Color3DBottom = RGB(0, 0, 250);
  Drag({10, 10}, {{30, 30}}, {60, 50});
  const TBitmap &b = Doc->Bitmap();
  // Rings from the inner rectangle's edge inwards: top and left in the top
  // colour, right and bottom in the bottom colour; the band outside untouched.
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(b.GetPixel(15 + i, 30), RGB(250, 250, 0)) << i;
    EXPECT_EQ(b.GetPixel(30, 15 + i), RGB(250, 250, 0)) << i;
    EXPECT_EQ(b.GetPixel(54 - i, 30), RGB(0, 0, 250)) << i;
    EXPECT_EQ(b.GetPixel(30, 44 - i), RGB(0, 0, 250)) << i;
  }
  EXPECT_EQ(b.GetPixel(20, 30), Host.Attributes.BrushColor);
  for (int x = 10; x < 15; ++x)
    EXPECT_EQ(b.GetStored(x, 30), Before->GetStored(x, 30));

  // Size 0 draws the plain rectangle; a frame wider than half the box draws
  // nothing and leaves no trace of its preview.
  const std::pair<const char *, bool> sizes[] = {{"0", true}, {"9999", false}, {"-3", true}, {"x", true}};
  for (const auto &[text, plain] : sizes) {
    SCOPED_TRACE(text);
    Load(pf24bit);
    Host.Attributes.StdSize = text;
    Drag({10, 10}, {{90, 80}, {30, 30}}, {60, 50});
    if (plain)
      ExpectPixels(Expected([](TCanvas &c) { c.Rectangle(10, 10, 60, 50); }));
    else
      ExpectUnchanged();
  }
}

TEST_P(ShapeToolTest, PolygonEndsAtTheDoubleClick) {
  Load(GetParam());
  Host.Attributes.Tool = dtPolygon;
  Host.Attributes.BrushStyle = bsClear;
  Host.Attributes.PenWidth = 1;
  Click({10, 10});
  Click({100, 15});
  Click({90, 70});
  DoubleClick({20, 80});
  EXPECT_TRUE(Doc->Engine().FPoints.empty());
  EXPECT_EQ(Steps(), 5);
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Polygon)");
  // Every click draws the whole closed polygon: with a clear fill the edge
  // that closed it at the third click stays.
  const std::vector<TPoint> pts = {{10, 10}, {10, 10}, {100, 15}, {90, 70}, {20, 80}};
  ExpectPixels(Expected([&](TCanvas &c) {
    for (size_t n = 2; n <= pts.size(); ++n)
      c.Polygon(std::span(pts.data(), n));
  }));
}

TEST_F(ToolTest, PolygonFilledWhileTheMouseJitters) {
  Load(pf24bit);
  Host.Attributes.Tool = dtPolygon;
  Host.Attributes.BrushStyle = bsClear;
  Host.Attributes.PenStyle = psDash;
  Click({10, 10});
  // Presses held while the mouse moves a little.
  Drag({100, 15}, {{101, 16}}, {100, 15});
  Drag({90, 70}, {{91, 71}, {92, 70}}, {90, 70});
  const std::vector<TPoint> pts = {{10, 10}, {10, 10}, {100, 15}, {90, 70}};
  ExpectPixels(Expected([&](TCanvas &c) {
    for (size_t n = 2; n <= pts.size(); ++n)
      c.Polygon(std::span(pts.data(), n));
  }));
}

INSTANTIATE_TEST_SUITE_P(Formats, ShapeToolTest, TESSARO_ALL_FORMATS, FormatName);

// Arc, chord and pie: the two rays come from the start and arc angles of the
// "Kreisformen" toolbar. The ray points below are worked out by hand from the
// box (20, 10)-(100, 70) at zoom 100: dx = 80, dy = 60.
struct ArcCase {
  const char *Arc;
  const char *Start;
  TPoint Ray1;
  TPoint Ray2;
};

// The figure in the box (20, 10)-(100, 70) with rays through a and b; the arc
// is never filled.
void ArcFigure(TCanvas &c, TDrawTool tool, TPoint a, TPoint b) {
  if (tool == dtArc) {
    c.Brush.Style = bsClear;
    c.Arc(20, 10, 100, 70, a.X, a.Y, b.X, b.Y);
  } else if (tool == dtChord) {
    c.Chord(20, 10, 100, 70, a.X, a.Y, b.X, b.Y);
  } else {
    c.Pie(20, 10, 100, 70, a.X, a.Y, b.X, b.Y);
  }
}

class ArcToolTest : public ToolTest, public ::testing::WithParamInterface<TDrawTool> {};

TEST_P(ArcToolTest, RaysFromTheAngles) {
  const TDrawTool tool = GetParam();
  const ArcCase cases[] = {
      // A quarter from the top to the left end.
      {"90", "90", {60, -20}, {20, 40}},
      // 300 + 90 gives the end angle 30.
      {"90", "300", {86, 120}, {113, 20}},
      // A negative start angle points at the corner.
      {"90", "-45", {20, 10}, {100, 10}},
      // 180 + 270 = 450 wraps to the end angle 90.
      {"270", "180", {20, 40}, {60, -20}},
      // "1-" is no number and reads as the default 90; -999 is limited to
      // -360, and so is the end angle -270: both rays point at the corner.
      {"1-", "-999", {20, 10}, {20, 10}},
  };
  for (const ArcCase &k : cases) {
    SCOPED_TRACE(std::string(k.Arc) + " / " + k.Start);
    Load(pf24bit);
    Host.Attributes.Tool = tool;
    Host.Attributes.BrushStyle = bsSolid;
    Host.Attributes.EllipseArc = k.Arc;
    Host.Attributes.EllipseStart = k.Start;
    Drag({20, 10}, {{110, 85}, {50, 30}}, {100, 70});
    ExpectPixels(Expected([&](TCanvas &c) { ArcFigure(c, tool, k.Ray1, k.Ray2); }));
  }
  const char *caption = tool == dtArc     ? "Rückgängig (Kreisbogen)"
                        : tool == dtChord ? "Rückgängig (Gefüllter Kreisbogen)"
                                          : "Rückgängig (Kuchenstück)";
  EXPECT_EQ(Doc->Undo().UndoHint(), caption);
}

TEST_P(ArcToolTest, RaysAtZoom200AndAtZeroDegrees) {
  const TDrawTool tool = GetParam();
  Load(pf24bit);
  Host.Attributes.Tool = tool;
  Host.Attributes.EllipseArc = "90";
  Host.Attributes.EllipseStart = "90";
  Doc->SetZoom(200);
  QApplication::processEvents();
  // Press at control (40, 20) = picture (20, 10), release at (200, 140) =
  // (100, 70): dx = 180 and dy = 130 in mixed units, everything / 2.
  Drag({40, 20}, {{100, 100}}, {200, 140});
  ExpectPixels(Expected([&](TCanvas &c) { ArcFigure(c, tool, {65, -22}, {20, 42}); }));

  // 0 and 360 degrees take the mouse's x in the window's client area.
  Load(pf24bit);
  Host.Attributes.EllipseArc = "270";
  Host.Attributes.EllipseStart = "90"; // ends at 360
  Drag({20, 10}, {{60, 60}}, {100, 70});
  const int clientX = Doc->mapFromGlobal(Doc->Image->mapToGlobal(QPoint(100, 70))).x();
  ExpectPixels(Expected([&](TCanvas &c) { ArcFigure(c, tool, {60, -20}, {20 + clientX, 40}); }));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ArcToolTest, ::testing::Values(dtArc, dtChord, dtPie), [](const auto &info) {
  return std::string(info.param == dtArc ? "Arc" : info.param == dtChord ? "Chord" : "Pie");
});

TEST(ArcEndOffsetTest, RowsOfTheTable) {
  const struct {
    int Angle;
    double X, Y;
  } rows[] = {{0, 7, 30},
              {360, 7, 30},
              {1, 80 * 1.5 - 80.0 / 90, 30 - 60.0 / 90},
              {90, 40, -30},
              {179, 120 - 80.0 / 90 * 179, 30 - 60.0 / 90 * 179},
              {180, 0, 30},
              {270, 40, 90},
              {359, 80.0 / 90 * 359 - 200, 60.0 / 90 * 359 - 90},
              {-1, 0, 0},
              {361, 0, 0}};
  for (const auto &r : rows) {
    const TArcOffset o = ArcEndOffset(r.Angle, 80, 60, 7, 1);
    EXPECT_NEAR(o.X, r.X, 1e-9) << r.Angle;
    EXPECT_NEAR(o.Y, r.Y, 1e-9) << r.Angle;
  }
  // The zoom divides at the end (the 0 row's mouse x thus twice).
  const TArcOffset z = ArcEndOffset(0, 80, 60, 8, 2);
  EXPECT_DOUBLE_EQ(z.X, 2);
  EXPECT_DOUBLE_EQ(z.Y, 15);
}

// Escape during a drag removes each tool's rubber band; the release that
// follows draws nothing.
TEST_F(ToolTest, EscapeRemovesEveryRubberBand) {
  for (TDrawTool tool :
       {dtRoundRect, dtRect3D, dtEllipse, dtArc, dtChord, dtPie, dtCutImage, dtDimHor, dtDimVert, dtLine}) {
    SCOPED_TRACE(int(tool));
    Load(pf8bit);
    Host.Attributes.Tool = tool;
    Host.Attributes.RectRoundCorners = "30";
    Press({10, 10});
    Move({70, 20});
    Move({60, 50});
    EXPECT_TRUE(Doc->Engine().FDrawing);
    Doc->CancelDrawing();
    EXPECT_FALSE(Doc->Engine().FDrawing);
    ExpectUnchanged();
    Release({60, 50});
    ExpectUnchanged();
  }
}

// A drag that ends outside the picture or shrinks to one pixel: the figure
// is clipped, and the extent texts show the dragged size.
TEST_F(ToolTest, DragsOffThePictureAndOfOnePixel) {
  Load(pf4bit);
  Host.Attributes.Tool = dtEllipse;
  Drag({100, 80}, {{300, 200}}, {250, 180});
  ExpectPixels(Expected([](TCanvas &c) { c.Ellipse(100, 80, 250, 180); }));
  Load(pf4bit);
  Host.Attributes.Tool = dtRoundRect;
  Press({30, 30});
  Move({30, 70});
  EXPECT_EQ(Host.Status[2], "H: 40 (10,00 mm)");
  EXPECT_EQ(Host.Status[3], "B: 0 (0,000 mm)");
  Move({31, 31});
  Release({31, 31});
  ExpectPixels(Expected([](TCanvas &c) { c.RoundRect(30, 30, 31, 31, 0, 0); }));
}

} // namespace
} // namespace tessaro::test
