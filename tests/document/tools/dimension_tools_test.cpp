// The dimension tools driven by real mouse events: the line with its ticks
// and the label in millimetres of the pinned test screen (1280 x 1024 pixels
// of 320 x 256 mm, a quarter millimetre per pixel), the label's font, box and
// unit, the preview's ticks, and the document's dimensioned flag.
#include "document/tools/DimensionTools.h"
#include "platform/MessageDlg.h"
#include "tool_fixture.h"

#include <QFont>

namespace tessaro::test {
namespace {

class DimensionToolTest : public ToolTest {
protected:
  void Load() {
    ToolTest::Load(pf24bit, 300, 200);
    Host.Attributes.DimFont = QFont("DejaVu Sans", 10);
    Host.Attributes.DimFontColor = RGB(0, 0, 128);
    Host.Attributes.DimUnit = "mm";
  }
  // The figure for a press at s and a release at p (zoom 100) with the label
  // text given.
  TBitmap Figure(TDrawTool tool, TPoint s, TPoint p, const std::string &text) {
    return Expected([&](TCanvas &c) {
      if (c.Pen.Style == psClear)
        c.Pen.Style = psSolid;
      c.Brush.Style = bsClear;
      c.MoveTo(s.X, s.Y);
      c.LineTo(p.X, p.Y);
      for (TPoint q : {s, p}) {
        if (tool == dtDimHor) {
          c.MoveTo(q.X, q.Y - 5);
          c.LineTo(q.X, q.Y + 5);
        } else {
          c.MoveTo(q.X - 5, q.Y);
          c.LineTo(q.X + 5, q.Y);
        }
      }
      ApplyDrawAttributes(c, Host.Attributes);
      c.Font = TFont{"DejaVu Sans", 10, RGB(0, 0, 128), 0};
      if (c.Brush.Style != bsClear && c.Brush.Color == c.Font.Color)
        c.Brush.Color = RGB(255, 255, 127);
      const double mx = (p.X - s.X) / 2.0 + s.X, my = (p.Y - s.Y) / 2.0 + s.Y;
      const int tw = c.TextWidth(text), th = c.TextHeight(text);
      if (tool == dtDimHor)
        c.TextOut(int(mx - tw / 2.0), int(my - th / 2.0) + 10, text);
      else
        c.TextOut(int(mx - tw - 2), int(my - th / 2.0), text);
    });
  }
};

TEST_F(DimensionToolTest, LabelInScreenMillimetres) {
  const struct {
    TDrawTool Tool;
    TPoint S, P;
    const char *Unit;
    const char *Text;
  } cases[] = {
      {dtDimHor, {100, 100}, {228, 100}, "mm", "32,0 mm"},
      // Diagonal: the distance, not the horizontal part.
      {dtDimHor, {10, 10}, {40, 50}, "mm", "12,5 mm"},
      // The unit is only a text.
      {dtDimHor, {100, 100}, {228, 100}, "km", "32,0 km"},
      {dtDimVert, {150, 20}, {150, 120}, "mm", "25,0 mm"},
      {dtDimVert, {150, 190}, {150, 15}, "cm", "43,8 cm"},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.Text);
    Load();
    Host.Attributes.Tool = k.Tool;
    Host.Attributes.DimUnit = k.Unit;
    Drag({k.S.X, k.S.Y}, {{250, 180}, {20, 30}}, {k.P.X, k.P.Y});
    ExpectPixels(Figure(k.Tool, k.S, k.P, k.Text));
    // The label was written.
    int glyphs = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x)
        glyphs += Doc->Bitmap().GetPixel(x, y) == RGB(0, 0, 128);
    EXPECT_GT(glyphs, 30);
  }
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Vertikale Bemaßung)");
}

TEST_F(DimensionToolTest, VisiblePenAndReadableLabel) {
  for (TDrawTool tool : {dtDimHor, dtDimVert}) {
    SCOPED_TRACE(int(tool));
    // "Keine Linie": the line and its ticks are drawn with a solid pen.
    Load();
    Host.Attributes.Tool = tool;
    Host.Attributes.PenStyle = psClear;
    Drag({60, 60}, {{90, 90}}, {140, 120});
    ExpectPixels(Figure(tool, {60, 60}, {140, 120}, "25,0 mm"));
    // A solid fill of the font's colour: the label's box takes the
    // complement, so the text stays readable.
    Load();
    Host.Attributes.Tool = tool;
    Host.Attributes.BrushStyle = bsSolid;
    Host.Attributes.BrushColor = RGB(0, 0, 128);
    Drag({60, 60}, {{90, 90}}, {140, 120});
    ExpectPixels(Figure(tool, {60, 60}, {140, 120}, "25,0 mm"));
  }
}

TEST_F(DimensionToolTest, EndTickFromTheEventAtZoom200) {
  Load();
  Host.Attributes.Tool = dtDimHor;
  Doc->SetZoom(200);
  QApplication::processEvents();
  // Press at picture (20, 20), release at control (200, 41) = (100, 20).
  Drag({40, 40}, {{100, 60}}, {200, 41});
  const std::string text = "20,0 mm";
  ExpectPixels(Expected([&](TCanvas &c) {
    c.Brush.Style = bsClear;
    c.MoveTo(20, 20);
    c.LineTo(100, 20);
    c.MoveTo(20, 15);
    c.LineTo(20, 25);
    c.MoveTo(100, 18); // (41 - 5) / 2
    c.LineTo(100, 23); // (41 + 5) / 2
    ApplyDrawAttributes(c, Host.Attributes);
    c.Font = TFont{"DejaVu Sans", 10, RGB(0, 0, 128), 0};
    const int tw = c.TextWidth(text), th = c.TextHeight(text);
    c.TextOut(int(60 - tw / 2.0), int(20.25 - th / 2.0) + 10, text);
  }));
}

TEST_F(DimensionToolTest, PreviewShowsBothTicks) {
  Load();
  Host.Attributes.Tool = dtDimVert;
  Press({50, 50});
  Move({80, 120});
  Move({90, 150});
  const TBitmap &b = Doc->Bitmap();
  // The ticks across the start and the current point are inverted.
  EXPECT_NE(b.GetStored(46, 50), Before->GetStored(46, 50));
  EXPECT_NE(b.GetStored(94, 150), Before->GetStored(94, 150));
  // Nothing is left of the previous point's preview.
  EXPECT_EQ(b.GetStored(84, 120), Before->GetStored(84, 120));
  Doc->CancelDrawing();
  ExpectUnchanged();
}

TEST_F(DimensionToolTest, DimensionedDocumentAsksBeforeResizing) {
  Load();
  EXPECT_FALSE(Doc->Dimensioned());
  Host.Attributes.Tool = dtDimHor;
  Drag({10, 10}, {{20, 10}}, {100, 10});
  EXPECT_TRUE(Doc->Dimensioned());
  // Undo does not clear it.
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_TRUE(Doc->Dimensioned());
  ClearShownMessages();
  EXPECT_FALSE(Doc->AskResizeDimensioned());
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Caption, "!!! WARNUNG: Bild wurde bemaßt !!!");
}

TEST(DimensionLabelTest, OneDecimalWithTheLocalesSeparators) {
  EXPECT_EQ(DimensionLabel(32, "mm"), "32,0 mm");
  EXPECT_EQ(DimensionLabel(0.04, "m"), "0,0 m");
  EXPECT_EQ(DimensionLabel(1250.25, "mm"), "1.250,3 mm");
}

TEST(DimensionFontTest, FontOfTheToolbarInRasterTerms) {
  TToolAttributes a;
  a.DimFont = QFont("DejaVu Serif", 12, QFont::Bold, true);
  a.DimFontColor = RGB(1, 2, 3);
  EXPECT_EQ(DimensionFont(a), (TFont{"DejaVu Serif", 12, RGB(1, 2, 3), fsBold | fsItalic}));
  QFont pixels("DejaVu Sans");
  pixels.setPixelSize(15);
  a.DimFont = pixels;
  EXPECT_EQ(DimensionFont(a).Size, -15);
}

} // namespace
} // namespace tessaro::test
