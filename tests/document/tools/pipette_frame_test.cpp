// The pipette in the real frame: the picked colour lands in the frame's fill,
// line and paper panels; the document keeps its own paper colour, which the
// frame shows again when the document becomes active once more.
#include "frame_fixture.h"

namespace tessaro::test {
namespace {

using PipetteInFrame = FrameTest;

TEST_F(PipetteInFrame, PanelsTakeThePickedColour) {
  TfrmChild *doc = First();
  doc->Bitmap().SetPixel(5, 5, clRed);
  Frame->ActiveTool = dtPipette;
  TToolEngine &e = doc->Engine();
  const auto pick = [&](TMouseButton button, TShiftState keys) {
    e.ImageMouseDown(button, keys, 5, 5);
    e.ImageMouseUp(button, keys, 5, 5);
  };
  pick(mbLeft, ssShift);
  EXPECT_EQ(Frame->panFillColor->Color(), clRed);
  EXPECT_EQ(Frame->panLineColor->Color(), clRed);
  EXPECT_EQ(Frame->panPaperColor->Color(), clWhite);
  // The next press reads the picked colours as the drawing attributes.
  EXPECT_EQ(Frame->DrawAttributes().BrushColor, clRed);
  EXPECT_EQ(Frame->DrawAttributes().PenColor, clRed);

  pick(mbLeft, ssCtrl);
  EXPECT_EQ(Frame->panPaperColor->Color(), clRed);
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
  EXPECT_EQ(Frame->panFillColor->Color(), clRed);
  // Nothing of it is an undo step.
  EXPECT_EQ(doc->Undo().UndoIndex(), -1);
}

} // namespace
} // namespace tessaro::test
