// The frame's colour palette: picks with the mouse reach the colour panels,
// the pickers and the active document's paper; the palette menus of the
// frame and of the documents switch the colour sets and channels.
#include "controls/ColorPickerForm.h"
#include "controls/LUMColorPalette.h"
#include "frame_fixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace tessaro::test {
namespace {

class FramePalette : public FrameTest {
protected:
  TLUMColorPalette &Palette() { return *Frame->LUMColorPalette; }
  // Clicks the middle of cell i of the grid.
  void ClickCell(int i, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const int s = Palette().PaletteEntrySize();
    const int n = Palette().Picture().Width() / s;
    QTest::mouseClick(&Palette(), button, mods, QPoint((i % n) * s + s / 2 + 1, (i / n) * s + s / 2 + 1));
    Flush();
  }
  TColor Cell(int i) {
    const int s = Palette().PaletteEntrySize();
    const int n = Palette().Picture().Width() / s;
    return Palette().Picture().GetPixel((i % n) * s + s / 2 + 1, (i / n) * s + s / 2 + 1);
  }
};

TEST_F(FramePalette, SetUpAsTheFrameNeedsIt) {
  EXPECT_EQ(Palette().PaletteType(), pltStandard);
  EXPECT_EQ(Palette().BitmapClLayers(), AllColorLayers);
  EXPECT_EQ(Palette().MaxColors(), 1000);
  EXPECT_EQ(Palette().PaletteEntrySize(), 15);
  EXPECT_EQ(Palette().PaletteBgColor(), clBtnFace);
  EXPECT_EQ(Palette().CurrColorCount(), 96);
  EXPECT_EQ(Palette().ProgressBar(), Frame->PBarStatus);
  // The frame keeps its start colours: white fill, black line, white paper.
  EXPECT_EQ(Frame->panFillColor->Color(), clWhite);
  EXPECT_EQ(Frame->panLineColor->Color(), clBlack);
  EXPECT_TRUE(Palette().isVisibleTo(Frame.get()));
}

TEST_F(FramePalette, MouseButtonsAndKeysChooseTheColours) {
  TfrmChild *doc = First();
  const TColor a = Cell(20), b = Cell(40), c = Cell(60), d = Cell(80);
  ClickCell(20, Qt::LeftButton);
  EXPECT_EQ(Frame->panFillColor->Color(), a);
  EXPECT_EQ(Frame->ToolBarLines.ClPickCBFillColor->ActiveColor(), a);
  EXPECT_EQ(Frame->panLineColor->Color(), clBlack); // the line stays as it was
  EXPECT_EQ(doc->PaperColor(), clWhite);            // and so does the paper
  ClickCell(40, Qt::RightButton);
  EXPECT_EQ(Frame->panLineColor->Color(), b);
  EXPECT_EQ(Frame->ToolBarLines.ClPickCBLineColor->ActiveColor(), b);
  EXPECT_EQ(Frame->panFillColor->Color(), a);
  ClickCell(60, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(Frame->panPaperColor->Color(), c);
  EXPECT_EQ(doc->PaperColor(), c);
  EXPECT_EQ(Frame->panFillColor->Color(), a);
  ClickCell(80, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Frame->panFillColor->Color(), d);
  EXPECT_EQ(Frame->panLineColor->Color(), d);
  EXPECT_EQ(Frame->DrawAttributes().BrushColor, d);
  EXPECT_EQ(Frame->DrawAttributes().PenColor, d);
}

// The palette reports all three colours with every pick: those of the frame
// and of the active document, never stale ones.
TEST_F(FramePalette, PicksKeepTheOtherColoursOfFrameAndDocument) {
  Frame->ToolBarLines.ClPickCBLineColor->SetActiveColor(clRed);
  ClickCell(30, Qt::LeftButton);
  EXPECT_EQ(Frame->panLineColor->Color(), clRed);
  // A document with its own paper keeps it when a fill colour is picked.
  TfrmChild *yellow = Frame->CreateNewImage(50, 40, pf24bit, clYellow);
  Flush();
  ASSERT_EQ(Frame->ActiveChild(), yellow);
  EXPECT_EQ(Frame->panPaperColor->Color(), clYellow);
  ClickCell(10, Qt::LeftButton);
  EXPECT_EQ(yellow->PaperColor(), clYellow);
  // The paper panel's colour goes to the palette too.
  Frame->ColorDialogHook = [](TColor &c) {
    c = clAqua;
    return true;
  };
  Frame->panFillColorDblClick(Frame->panPaperColor);
  ClickCell(11, Qt::RightButton);
  EXPECT_EQ(yellow->PaperColor(), clAqua);
}

TEST_F(FramePalette, MenusTickTheShownSetsAndSwitchThem) {
  TfrmChild *doc = First();
  // The document's "Farbpalette" holds the frame's items.
  QMenu *docPalette = nullptr;
  for (QAction *a : doc->mnuMainView->actions())
    if (a->menu() && a->text() == "Farbpalette")
      docPalette = a->menu();
  ASSERT_TRUE(docPalette);
  EXPECT_TRUE(docPalette->actions().contains(Frame->mnuHTMLColors));
  emit docPalette->aboutToShow();
  EXPECT_TRUE(Frame->mnuStdColors->isChecked());
  EXPECT_FALSE(Frame->mnuHTMLColors->isChecked());

  Palette().SetUpdating(false);
  Palette().SetMaxColors(20);
  Palette().SetUpdating(true);
  Frame->mnuHTMLColors->trigger();
  EXPECT_EQ(Palette().PaletteType(), pltStandard | pltHTML);
  EXPECT_EQ(Palette().MaxColors(), 1000);
  EXPECT_EQ(Palette().CurrColorCount(), 222);
  // A rebuild chooses the first cell for fill and line.
  EXPECT_EQ(Frame->panFillColor->Color(), Cell(0));
  EXPECT_EQ(Frame->panLineColor->Color(), Cell(0));
  emit Frame->mnuColorPalette->aboutToShow();
  EXPECT_TRUE(Frame->mnuHTMLColors->isChecked());
  Frame->mnuStdColorsClick();
  EXPECT_EQ(Palette().PaletteType(), pltHTML);
  Frame->mnuHTMLColorsClick();
  Frame->mnuVGAColorsClick();
  EXPECT_EQ(Palette().PaletteType(), pltVGA);
  EXPECT_EQ(Palette().CurrColorCount(), 16);
  emit docPalette->aboutToShow();
  EXPECT_TRUE(Frame->mnuVGAColors->isChecked());
  EXPECT_FALSE(Frame->mnuStdColors->isChecked());
  EXPECT_FALSE(Frame->mnuSystemColors->isChecked());
}

TEST_F(FramePalette, PictureColoursComeFromTheActiveDocument) {
  TfrmChild *doc = First();
  TCanvas &c = doc->Bitmap().Canvas();
  c.Brush.Color = RGB(200, 10, 0);
  c.FillRect(TRect(0, 0, 10, 10));
  c.Brush.Color = RGB(30, 40, 250);
  c.FillRect(TRect(10, 0, 20, 10));
  Frame->mnuStdColorsClick();
  Frame->mnuUseBitmapColorsClick();
  EXPECT_EQ(Palette().PaletteType(), pltBitmap);
  EXPECT_EQ(Palette().BitmapColorSource().Width(), 400);
  EXPECT_EQ(Palette().CurrColorCount(), 3); // the paper and the two rectangles
  emit Frame->mnuBitmapColors->aboutToShow();
  EXPECT_TRUE(Frame->mnuUseBitmapColors->isChecked());
  EXPECT_TRUE(Frame->mnuBmpClRed->isChecked());
  // Without red, and with green alone, paper and rectangles stay three
  // colours (green 255, 10 and 40).
  Frame->mnuBmpClRedClick();
  EXPECT_EQ(Palette().BitmapClLayers(), clyGreen | clyBlue);
  EXPECT_EQ(Palette().CurrColorCount(), 3);
  Frame->mnuBmpClBlueClick();
  EXPECT_EQ(Palette().BitmapClLayers(), clyGreen);
  EXPECT_EQ(Palette().CurrColorCount(), 3);
  emit Frame->mnuBitmapColors->aboutToShow();
  EXPECT_FALSE(Frame->mnuBmpClRed->isChecked());
  EXPECT_FALSE(Frame->mnuBmpClBlue->isChecked());
  EXPECT_TRUE(Frame->mnuBmpClGreen->isChecked());
  Frame->mnuBmpClRedClick();
  EXPECT_EQ(Palette().BitmapClLayers(), clyGreen | clyRed);
  Frame->mnuUseBitmapColorsClick();
  EXPECT_EQ(Palette().PaletteType(), 0);
}

// Escape belongs to the program as a whole, and the picker's drop-down still
// closes with it.
TEST_F(FramePalette, EscapeClosesThePickerDropDown) {
  TColorPickCombo *picker = Frame->ToolBarLines.ClPickCBFillColor;
  Frame->TBLineClick();
  Flush();
  picker->ShowDropDown();
  Flush();
  TColorPickerForm *form = picker->PickerForm();
  ASSERT_TRUE(form->isVisible());
  form->activateWindow();
  QApplication::setActiveWindow(form);
  Flush();
  QTest::keyClick(form, Qt::Key_Escape);
  Flush();
  EXPECT_FALSE(form->isVisible());
}

} // namespace
} // namespace tessaro::test
