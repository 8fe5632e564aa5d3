// The frame with the marking and the floating images: "Markierung löschen"
// follows the active document's marking, the object toolbars follow the
// active document's current object, the object's status texts, the shared
// cross-fade position, the zoom list blending objects again, and the save's
// merge combining them.
#include "document/objects/CrossFade.h"
#include "document/objects/Marking.h"
#include "frame/ToolPictures.h"
#include "frame_fixture.h"

#include <QToolBar>

namespace tessaro::test {
namespace {

using FrameObjects = FrameTest;

TBitmap Picture(int w, int h) {
  TBitmap bmp(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetPixel(x, y, RGB(uint8_t(x * 5), uint8_t(y * 3), 77));
  return bmp;
}

TEST_F(FrameObjects, UndoMarkButtonFollowsTheMarking) {
  TfrmChild *doc = First();
  doc->Bitmap().Assign(Picture(400, 300));
  const TBitmap before(doc->Bitmap());
  Frame->TimerDisplayTimer();
  EXPECT_FALSE(Frame->TBUndoMark->isEnabled());
  Frame->ActiveTool = dtMarkRect;
  TToolEngine &e = doc->Engine();
  e.ImageMouseDown(mbLeft, ssLeft, 10, 10);
  e.ImageMouseMove(ssLeft, 50, 40);
  e.ImageMouseUp(mbLeft, 0, 80, 60);
  Frame->TimerDisplayTimer();
  EXPECT_TRUE(Frame->TBUndoMark->isEnabled());
  Frame->TBUndoMark->click();
  EXPECT_FALSE(doc->MarkingExists());
  EXPECT_FALSE(Frame->TBUndoMark->isEnabled());
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      ASSERT_EQ(doc->Bitmap().GetPixel(x, y), before.GetPixel(x, y)) << x << "," << y;
}

TEST_F(FrameObjects, SavingCombinesTheFloatingImagesFirst) {
  TfrmChild *doc = First();
  doc->Bitmap().Assign(Picture(400, 300));
  TLUMWinImageEx *a = doc->InsertWinImage(TBitmap(30, 20, pf24bit));
  TLUMWinImageEx *b = doc->InsertWinImage(Picture(40, 10));
  a->move(100, 100);
  b->move(10, 200);
  QueueAnswer(mrYes);
  EXPECT_TRUE(Frame->MergeFloatingObjects(*doc));
  EXPECT_TRUE(doc->WinImages().empty());
  EXPECT_EQ(doc->ActiveWinImage(), nullptr);
  EXPECT_EQ(doc->Bitmap().GetPixel(104, 104), clWhite);
  EXPECT_EQ(doc->Bitmap().GetPixel(14 + 7, 204 + 3), Picture(40, 10).GetPixel(7, 3));
}

TEST_F(FrameObjects, ObjectToolBarsFollowTheActiveDocument) {
  TfrmChild *first = First();
  TLUMWinImageEx *image = first->InsertWinImage(Picture(100, 50));
  Flush();
  EXPECT_TRUE(Frame->ToolBarWinImage->isVisible());
  EXPECT_TRUE(Frame->ToolBarTransp->isVisible());
  EXPECT_EQ(image->ProgressBar(), Frame->PBarStatus);
  Frame->ShowObjectStatus();
  // A quarter millimetre per pixel on the tests' screen.
  EXPECT_EQ(Frame->StatusBarChild->PanelText(0), "X: 4 (1,00 mm)");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(1), "Y: 4 (1,00 mm)");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(2), "H: 50 (12,50 mm)");
  EXPECT_EQ(Frame->StatusBarChild->PanelText(3), "B: 100 (25,00 mm)");

  TfrmChild *second = Frame->CreateNewImage(200, 100, pf24bit, clWhite);
  ASSERT_NE(second, nullptr);
  Flush();
  EXPECT_FALSE(Frame->ToolBarWinImage->isVisible());
  Activate(first);
  EXPECT_TRUE(Frame->ToolBarWinImage->isVisible());
  EXPECT_EQ(first->ActiveWinImage(), image);
}

TEST_F(FrameObjects, TheSharedPositionCrossFadesTheCurrentObject) {
  TfrmChild *doc = First();
  doc->Bitmap().Assign(Picture(400, 300));
  TLUMWinImageEx *image = doc->InsertWinImage(TBitmap(60, 40, pf24bit));
  image->move(20, 10);
  Frame->SetBlendPosition(50);
  EXPECT_EQ(Frame->BlendPosition(), 50);
  EXPECT_EQ(image->BlendLevel(), 50);
  // White over the picture at opacity 128.
  const TColor under = doc->Bitmap().GetPixel(24 + 5, 14 + 5);
  const TColor blended = image->Bitmap().GetPixel(5, 5);
  EXPECT_NEAR(GetRValue(blended), (255 * 128 + GetRValue(under) * 127) / 255, 1);
  // After a zoom the object blends with what lies under it now.
  Frame->CBZoom->setEditText("200 %");
  Flush();
  EXPECT_EQ(doc->Zoom(), 200);
  const TColor under200 = doc->Bitmap().GetPixel((24 + 5) / 2, (14 + 5) / 2);
  EXPECT_NEAR(GetGValue(image->Bitmap().GetPixel(5, 5)), (255 * 128 + GetGValue(under200) * 127) / 255, 1);
  EXPECT_EQ(CrossFadeAlpha(50), 128);
}

} // namespace
} // namespace tessaro::test
