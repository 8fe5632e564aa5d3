// The pixel tools driven by real mouse events: the pipette's buttons and
// modifiers, the eraser in the paper colour, the fill bucket, the brush, the
// clone tool with its source point, and the crop with its result and undo on
// every pixel format.
#include "document/tools/PixelTools.h"
#include "tool_fixture.h"

#include <QMenu>

#include <vector>

namespace tessaro::test {
namespace {

using PixelToolTest = FormatToolTest;

TEST_F(ToolTest, PipetteButtonsAndModifiers) {
  Load(pf24bit);
  Host.Attributes.Tool = dtPipette;
  const TColor c = Doc->Bitmap().GetPixel(30, 20);
  const TColor start = RGB(1, 2, 3);
  struct {
    Qt::MouseButton Button;
    Qt::KeyboardModifiers Keys;
    bool Fill, Line, Paper;
  } cases[] = {
      {Qt::LeftButton, Qt::NoModifier, true, false, false},
      {Qt::LeftButton, Qt::ShiftModifier, true, true, false},
      {Qt::LeftButton, Qt::ControlModifier, false, false, true},
      {Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, true, true, false},
      {Qt::RightButton, Qt::NoModifier, false, true, false},
      {Qt::RightButton, Qt::ControlModifier, false, true, false},
      {Qt::MiddleButton, Qt::NoModifier, false, false, false},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(int(k.Button) * 100 + int(k.Keys >> 24));
    Host.Attributes.BrushColor = Host.Attributes.PenColor = Host.Attributes.PaperColor = start;
    Press({30, 20}, k.Button, k.Keys);
    Release({30, 20}, k.Button, k.Keys);
    EXPECT_FALSE(Doc->Engine().FDrawing);
    EXPECT_EQ(Host.Attributes.BrushColor, k.Fill ? c : start);
    EXPECT_EQ(Host.Attributes.PenColor, k.Line ? c : start);
    EXPECT_EQ(Host.Attributes.PaperColor, k.Paper ? c : start);
    // The right button shows no popup menu while the pipette is chosen.
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }
  // No undo step, the picture as it was, the document's paper unchanged.
  EXPECT_EQ(Steps(), 0);
  ExpectUnchanged();
  EXPECT_EQ(Doc->PaperColor(), clWhite);
  // A release off the picture picks nothing.
  const int calls = Host.PipetteCalls;
  Press({30, 20});
  Move({300, 250});
  Release({300, 250});
  EXPECT_EQ(Host.PipetteCalls, calls);
  // Another tool: the right button opens the popup menu again.
  Host.Attributes.Tool = dtLine;
  Press({30, 20}, Qt::RightButton);
  QWidget *popup = QApplication::activePopupWidget();
  EXPECT_NE(popup, nullptr);
  if (popup)
    popup->close();
  QApplication::processEvents();
}

TEST_F(ToolTest, PipettePicksPaletteColours) {
  Load(pf4bit);
  Host.Attributes.Tool = dtPipette;
  Press({50, 40});
  Release({50, 40});
  const TBitmap &b = Doc->Bitmap();
  EXPECT_EQ(Host.Attributes.BrushColor, b.ColorFromStored(b.GetStored(50, 40)));
}

TEST_P(PixelToolTest, EraserPaintsThePaperColour) {
  // (typed text, size used): bad input is read leniently and limited.
  const std::pair<const char *, int> sizes[] = {{"0", 0}, {"7", 7}, {"-4", 0}, {"9999", 9999}, {"abc", 0}};
  for (const auto &[text, size] : sizes) {
    SCOPED_TRACE(text);
    Load(GetParam());
    Host.Attributes.Tool = dtErase;
    Host.Attributes.StdSize = text;
    Host.Attributes.PaperColor = RGB(255, 255, 0);
    Drag({10, 10}, {{40, 20}, {60, 60}}, {100, 30});
    TBitmap expected(*Before);
    TCanvas &c = expected.Canvas();
    c.Pen.Color = RGB(255, 255, 0);
    c.Pen.Width = size;
    c.MoveTo(10, 10);
    for (TPoint p : {TPoint(40, 20), TPoint(60, 60), TPoint(100, 30)})
      c.LineTo(p.X, p.Y);
    ExpectPixels(expected);
    EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Radierer)");
  }
}

TEST_P(PixelToolTest, BrushPaintsTheFillColourAtItsSize) {
  Load(GetParam());
  Host.Attributes.Tool = dtPen;
  Host.Attributes.StdSize = "9";
  Host.Attributes.PenStyle = psDash;
  Drag({10, 80}, {{40, 20}, {60, 60}}, {110, 10});
  ExpectPixels(Expected([&](TCanvas &c) {
    c.Pen.Width = 9;
    c.Pen.Color = Host.Attributes.BrushColor;
    c.MoveTo(10, 80);
    for (TPoint p : {TPoint(40, 20), TPoint(60, 60), TPoint(110, 10)})
      c.LineTo(p.X, p.Y);
  }));
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Pinsel)");
}

// A picture of two colours: a frame of black lines dividing white areas.
TBitmap Areas(TPixelFormat pf) {
  TBitmap bmp(120, 90, pf24bit);
  TCanvas &c = bmp.Canvas();
  c.Brush.Color = clWhite;
  c.FillRect(TRect(0, 0, 120, 90));
  c.Pen.Color = clBlack;
  c.Brush.Style = bsClear;
  c.Rectangle(20, 20, 80, 70);
  c.Ellipse(30, 30, 60, 60);
  bmp.SetPixelFormat(pf);
  return bmp;
}

TEST_P(PixelToolTest, FillBucketFillsOneArea) {
  // (fill kind, "Keine Füllung" down)
  const std::pair<TBrushStyle, bool> cases[] = {
      {bsSolid, false}, {bsCross, false}, {bsSolid, true}, {bsClear, false}};
  for (const auto &[kind, noFill] : cases) {
    SCOPED_TRACE(int(kind));
    Load(Areas(GetParam()));
    Host.Attributes.Tool = dtFill;
    Host.Attributes.FillKind = kind;
    Host.Attributes.BrushStyle = noFill ? bsClear : kind;
    Host.Attributes.BrushColor = RGB(0, 0, 255);
    // The mouse jitters on the way: the fill still uses the fill colour.
    Drag({25, 25}, {{26, 26}}, {25, 25});
    TBitmap expected(*Before);
    TCanvas &c = expected.Canvas();
    c.Brush.Color = RGB(0, 0, 255);
    c.Brush.Style = kind;
    c.FloodFill(25, 25, c.Pixels(25, 25), fsSurface);
    ExpectPixels(expected);
    EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Füllung)");
  }
}

TEST_F(ToolTest, FillBucketOnColouredAreasAndOffThePicture) {
  Load(pf24bit);
  Host.Attributes.Tool = dtFill;
  Host.Attributes.BrushColor = RGB(0, 0, 255);
  // On a pattern every pixel is an area of its own, and not white: a jitter
  // must not leave the inverse of the fill colour.
  Drag({30, 30}, {{31, 30}}, {30, 30});
  EXPECT_EQ(Doc->Bitmap().GetPixel(30, 30), RGB(0, 0, 255));
  // Released off the picture: nothing happens but the step of the press.
  Load(pf1bit);
  const int steps = Steps();
  Drag({30, 30}, {{200, 200}}, {200, 200});
  ExpectUnchanged();
  EXPECT_EQ(Steps(), steps + 1);
}

// The clone tool copies the square at the fixed offset from the stroke's
// first drag point to its source; the indicator frame leaves no trace.
TEST_P(PixelToolTest, CloneKeepsItsOffsetAcrossMoves) {
  Load(GetParam());
  Host.Attributes.Tool = dtClone;
  Host.Attributes.StdSize = "5";
  // Setting the source: a step "Klonen", nothing drawn.
  Click({20, 20});
  ASSERT_EQ(Doc->Engine().FPoints.size(), 1u);
  EXPECT_EQ(Doc->Engine().FPoints[0], TPoint(20, 20));
  ExpectUnchanged();
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Klonen)");

  TBitmap expected(*Before);
  TCanvas &c = expected.Canvas();
  const auto stroke = [&](TPoint press, std::vector<TPoint> moves, TPoint offset) {
    Press({press.X, press.Y});
    for (TPoint p : moves) {
      Move({p.X, p.Y});
      c.CopyRect(TRect(p.X, p.Y, p.X + 5, p.Y + 5), c,
                 TRect(p.X + offset.X, p.Y + offset.Y, p.X + offset.X + 5, p.Y + offset.Y + 5));
    }
    Release({moves.back().X, moves.back().Y});
  };
  // 40 pixels right of the source: each move paints the square 40 pixels to
  // the left.
  stroke({60, 20}, {{60, 20}, {63, 22}, {66, 25}, {70, 27}}, {-40, 0});
  ExpectPixels(expected);
  // The source moved with the stroke.
  ASSERT_EQ(Doc->Engine().FPoints.size(), 1u);
  EXPECT_EQ(Doc->Engine().FPoints[0], TPoint(30, 27));
  // The next stroke continues from there.
  stroke({90, 60}, {{90, 60}, {92, 64}, {95, 70}}, {30 - 90, 27 - 60});
  ExpectPixels(expected);
  // A double click forgets the source: a stroke then paints nothing.
  DoubleClick({50, 50});
  EXPECT_TRUE(Doc->Engine().FPoints.empty());
  const TBitmap now(Doc->Bitmap());
  Drag({10, 10}, {{12, 12}}, {14, 14});
  // (The press of this stroke set a new source point by its click only at
  // the release.)
  ExpectPixels(now);
}

TEST_F(ToolTest, CloneAtZoom200CopiesOneToOneAndEscapeEndsTheStroke) {
  Load(pf24bit);
  Host.Attributes.Tool = dtClone;
  Host.Attributes.StdSize = "6";
  Doc->SetZoom(200);
  QApplication::processEvents();
  Click({40, 40}); // source (20, 20)
  Press({120, 40});
  Move({122, 40}); // first drag point (61, 20)
  Move({130, 50}); // (65, 25)
  TBitmap expected(*Before);
  TCanvas &c = expected.Canvas();
  c.CopyRect(TRect(61, 20, 67, 26), c, TRect(20, 20, 26, 26));
  c.CopyRect(TRect(65, 25, 71, 31), c, TRect(24, 25, 30, 31));
  Doc->CancelDrawing();
  ExpectPixels(expected);
  ASSERT_EQ(Doc->Engine().FPoints.size(), 1u);
  EXPECT_EQ(Doc->Engine().FPoints[0], TPoint(24, 25));
  Release({130, 50});
  ExpectPixels(expected);
}

// Cropping keeps the dragged size from the press point, whichever way the
// mouse went, in the document's own pixel format; what lies beyond the
// picture becomes the paper colour. One undo step brings the picture back.
TEST_P(PixelToolTest, CropResultAndUndo) {
  const TPixelFormat pf = GetParam();
  Load(pf, 160, 120);
  Doc->SetPaperColor(RGB(255, 0, 0));
  Host.Attributes.Tool = dtCutImage;
  Drag({100, 100}, {{150, 110}, {70, 80}}, {40, 60});
  const TBitmap &b = Doc->Bitmap();
  ASSERT_EQ(b.Width(), 60);
  ASSERT_EQ(b.Height(), 40);
  EXPECT_EQ(b.PixelFormat(), pf);
  EXPECT_EQ(b.Palette(), Before->Palette());
  EXPECT_EQ(Doc->ImageType(), pf);
  const uint32_t paper = b.StoredFromColor(RGB(255, 0, 0));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      ASSERT_EQ(b.GetStored(x, y), 100 + y < 120 ? Before->GetStored(100 + x, 100 + y) : paper)
          << x << "," << y;
  EXPECT_EQ(Doc->Image->width(), 60);
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Beschneiden)");

  ASSERT_TRUE(Doc->UndoStep());
  ExpectUnchanged();
  EXPECT_EQ(Doc->ImageType(), pf);
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelToolTest, TESSARO_ALL_FORMATS, FormatName);

TEST_F(ToolTest, CropOfZeroWidthAndAtZoom) {
  Load(pf8bit);
  Host.Attributes.Tool = dtCutImage;
  // A click, and a drag of no width: the picture stays (an empty one could
  // not be kept in the history), the history works on.
  Press({30, 30});
  Release({30, 30});
  Drag({30, 30}, {{30, 60}}, {30, 70});
  ExpectUnchanged();
  EXPECT_EQ(Doc->ImageType(), pf8bit);
  ASSERT_TRUE(Doc->UndoStep());
  ASSERT_TRUE(Doc->RedoStep());
  ExpectUnchanged();

  // At zoom 200 the picture's coordinates count; the view follows the size.
  Doc->SetZoom(200);
  QApplication::processEvents();
  Drag({20, 40}, {{100, 100}}, {120, 100});
  EXPECT_EQ(Doc->Bitmap().Width(), 50);
  EXPECT_EQ(Doc->Bitmap().Height(), 30);
  EXPECT_EQ(Doc->Bitmap().GetStored(0, 0), Before->GetStored(10, 20));
  EXPECT_EQ(Doc->Image->width(), 100);
}

} // namespace
} // namespace tessaro::test
