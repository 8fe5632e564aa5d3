// The tools in the real frame: every tool button and popup item draws on the
// active document with its undo caption; the pipette's colour lands in the
// frame's panels, palette, pickers and dimension label, while the document
// keeps its own paper colour, which the frame shows again when the document
// becomes active once more.
#include "controls/ColorPickCombo.h"
#include "controls/LUMColorPalette.h"
#include "frame/FontLabel.h"
#include "frame_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include <functional>

namespace tessaro::test {
namespace {

using ToolsInFrame = FrameTest;

TEST_F(ToolsInFrame, PipetteHandsTheColourToTheFrame) {
  TfrmChild *doc = First();
  doc->Bitmap().SetPixel(5, 5, clRed);
  Frame->TBPipetteClick();
  TToolEngine &e = doc->Engine();
  const auto pick = [&](TMouseButton button, TShiftState keys) {
    e.ImageMouseDown(button, keys, 5, 5);
    e.ImageMouseUp(button, keys, 5, 5);
  };
  pick(mbLeft, ssShift);
  EXPECT_EQ(Frame->panFillColor->Color(), clRed);
  EXPECT_EQ(Frame->panLineColor->Color(), clRed);
  EXPECT_EQ(Frame->panPaperColor->Color(), clWhite);
  EXPECT_EQ(Frame->ToolBarLines.ClPickCBFillColor->ActiveColor(), clRed);
  EXPECT_EQ(Frame->ToolBarLines.ClPickCBLineColor->ActiveColor(), clRed);
  EXPECT_EQ(Frame->LUMColorPalette->FillColor(), clRed);
  EXPECT_EQ(Frame->LUMColorPalette->LineColor(), clRed);
  EXPECT_EQ(Frame->ToolBarDim.lbDimFont->Color(), clRed);
  // The next press reads the picked colours as the drawing attributes.
  EXPECT_EQ(Frame->DrawAttributes().BrushColor, clRed);
  EXPECT_EQ(Frame->DrawAttributes().PenColor, clRed);

  // A fill colour equal to the label's font colour: the label turns to the
  // complement.
  doc->Bitmap().SetPixel(5, 5, clBlack);
  pick(mbLeft, 0);
  EXPECT_EQ(Frame->ToolBarDim.lbDimFont->Color(), TColor(~clBlack));

  doc->Bitmap().SetPixel(5, 5, clRed);
  pick(mbLeft, ssCtrl);
  EXPECT_EQ(Frame->panPaperColor->Color(), clRed);
  EXPECT_EQ(Frame->LUMColorPalette->PaperColor(), clRed);
  EXPECT_EQ(Frame->DrawAttributes().PaperColor, clRed); // the eraser's colour
  EXPECT_EQ(doc->PaperColor(), clWhite);
  TfrmChild *other = Frame->CreateNewImage(20, 20, pf24bit, clBlue);
  ASSERT_NE(other, nullptr);
  Activate(other);
  EXPECT_EQ(Frame->panPaperColor->Color(), clBlue);
  Activate(doc);
  EXPECT_EQ(Frame->panPaperColor->Color(), clWhite);

  doc->Bitmap().SetPixel(5, 5, clLime);
  pick(mbRight, 0);
  EXPECT_EQ(Frame->panLineColor->Color(), clLime);
  EXPECT_EQ(Frame->panFillColor->Color(), clBlack);
  // Nothing of it is an undo step.
  EXPECT_EQ(doc->Undo().UndoIndex(), -1);
}

TEST_F(ToolsInFrame, FillKindIsReadWithoutNoFill) {
  Frame->ToolBarLines.CBFillKind->setCurrentIndex(6);
  Frame->TBNoFillClick();
  const TToolAttributes a = Frame->DrawAttributes();
  EXPECT_EQ(a.FillKind, bsCross);
  EXPECT_EQ(a.BrushStyle, bsClear);
}

// Every button and popup item of the drawing toolbar now draws.
TEST_F(ToolsInFrame, EveryToolDraws) {
  TfrmChild *doc = First();
  Frame->ToolBarLines.ClPickCBFillColor->SetActiveColor(clRed);
  Frame->ToolBarLines.ClPickCBLineColor->SetActiveColor(clYellow);
  const struct {
    const char *Caption;
    std::function<void()> Choose;
  } tools[] = {
      {"Abgerundetes Rechteck", [&] { Frame->ppMnuRectClick(); }},
      {"3D Rechteck", [&] { Frame->TBUse3DClick(); }},
      {"Polygon", [&] { Frame->ppMnuPolygonClick(); }},
      {"Ellipse", [&] { Frame->ppMnuEllipseClick(); }},
      {"Kreisbogen", [&] { Frame->ppMnuArcClick(); }},
      {"Gefüllter Kreisbogen", [&] { Frame->ppMnuChordClick(); }},
      {"Kuchenstück", [&] { Frame->ppmnuPieClick(); }},
      {"Horizontale Bemaßung", [&] { Frame->ppMnuDimHorClick(); }},
      {"Vertikale Bemaßung", [&] { Frame->ppMnuDimVertClick(); }},
      {"Radierer", [&] { Frame->TBEraseClick(); }},
      {"Pinsel", [&] { Frame->TBPenClick(); }},
      {"Füllung", [&] { Frame->TBFillClick(); }},
      {"Beschneiden", [&] { Frame->TBCutImageClick(); }},
  };
  Frame->TBRectClick();
  for (const auto &t : tools) {
    SCOPED_TRACE(t.Caption);
    // A fresh black picture for each tool.
    TBitmap black(200, 150, pf24bit);
    black.Canvas().Brush.Color = clBlack;
    black.Canvas().FillRect(TRect(0, 0, 200, 150));
    black.SetPixelFormat(pf8bit);
    doc->Bitmap().Assign(black);
    t.Choose();
    TToolEngine &e = doc->Engine();
    // (The polygon's earlier clicks.)
    if (Frame->ActiveTool == dtPolygon)
      e.FPoints = {{20, 20}, {20, 20}, {150, 20}, {150, 110}};
    e.ImageMouseDown(mbLeft, ssLeft, 20, 20);
    e.ImageMouseMove(ssLeft, 100, 60);
    e.ImageMouseMove(ssLeft, 150, 110);
    e.ImageMouseUp(mbLeft, 0, 150, 110);
    EXPECT_EQ(doc->Undo().UndoHint(), std::string("Rückgängig (") + t.Caption + ")");
    const TBitmap &now = doc->Bitmap();
    bool changed = now.Width() != black.Width() || now.Height() != black.Height();
    for (int y = 0; y < now.Height() && !changed; ++y)
      for (int x = 0; x < now.Width() && !changed; ++x)
        changed = now.GetStored(x, y) != black.GetStored(x, y);
    EXPECT_TRUE(changed);
    EXPECT_EQ(doc->ImageType(), pf24bit); // the document's format stays
  }
  EXPECT_EQ(doc->Bitmap().Width(), 130);
  EXPECT_EQ(doc->Bitmap().Height(), 90);
}

} // namespace
} // namespace tessaro::test
