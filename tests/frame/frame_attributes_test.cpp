// The attribute controls of the option toolbars: their items and defaults,
// "Keine Füllung" and "Keine Linie", the number edits with their spinners,
// the dimension label's legibility, the colour panels, and the drawing state
// the documents read from them.
#include "frame/FontLabel.h"
#include "frame/UpDown.h"
#include "frame_fixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace tessaro::test {
namespace {

QStringList Items(const QComboBox *list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i)
    items << list->itemText(i);
  return items;
}

void ExpectAttributes(const TToolAttributes &a, const TToolAttributes &e) {
  EXPECT_EQ(a.Tool, e.Tool);
  EXPECT_EQ(a.PenMode, e.PenMode);
  EXPECT_EQ(a.PenColor, e.PenColor);
  EXPECT_EQ(a.PenStyle, e.PenStyle);
  EXPECT_EQ(a.PenWidth, e.PenWidth);
  EXPECT_EQ(a.BrushColor, e.BrushColor);
  EXPECT_EQ(a.BrushStyle, e.BrushStyle);
  EXPECT_EQ(a.RectRoundCorners, e.RectRoundCorners);
  EXPECT_EQ(a.EllipseArc, e.EllipseArc);
  EXPECT_EQ(a.EllipseStart, e.EllipseStart);
  EXPECT_EQ(a.StdSize, e.StdSize);
  EXPECT_EQ(a.Use3D, e.Use3D);
  EXPECT_EQ(a.Color3DTop, e.Color3DTop);
  EXPECT_EQ(a.Color3DBottom, e.Color3DBottom);
  EXPECT_EQ(a.DimUnit, e.DimUnit);
  EXPECT_EQ(a.DimFont.family(), e.DimFont.family());
  EXPECT_EQ(a.DimFont.pointSize(), e.DimFont.pointSize());
  EXPECT_EQ(a.DimFontColor, e.DimFontColor);
  EXPECT_EQ(a.DimTransparent, e.DimTransparent);
  EXPECT_EQ(a.DimBackground, e.DimBackground);
}

class FrameAttributes : public FrameTest {
protected:
  TToolBarLines &Lines() { return Frame->ToolBarLines; }
  TFontLabel *DimLabel() { return Frame->ToolBarDim.lbDimFont; }
};

TEST_F(FrameAttributes, ListsCarryTheirItemsAndDefaults) {
  struct TCase {
    const char *Name;
    QComboBox *List;
    QStringList Items;
    int Default;
  };
  QStringList widths;
  for (int i = 1; i <= 14; ++i)
    widths << QString::number(i);
  const TCase cases[] = {
      {"CBFillKind",
       Lines().CBFillKind,
       {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
        "bsDiagCross"},
       0},
      {"CBLineWidth", Lines().CBLineWidth, widths, 0},
      {"CBLineKind",
       Lines().CBLineKind,
       {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"},
       0},
      {"CBDrawKind",
       Lines().CBDrawKind,
       {"Schwarz", "Weiß", "Nop", "Not", "Kopieren", "Nicht Kopieren", "MergePenNot", "MaskPenNot",
        "MergeNotPen", "MaskNotPen", "Merge", "NotMerge", "Mask", "NotMask", "Xor", "NotXor"},
       4},
      {"CBDim", Frame->ToolBarDim.CBDim, {"mm", "cm", "dm", "m", "km"}, 0},
      {"CBRendereQuality",
       Frame->ToolBarRenderText.CBRendereQuality,
       {"Nur übertragen", "Geringe Qualität", "Normale Qualität", "Gute Qualität", "Beste Qualität"},
       2},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Items(c.List), c.Items);
    EXPECT_EQ(c.List->currentIndex(), c.Default);
  }
  // The owner-drawn lists only select; the unit list takes any text.
  EXPECT_FALSE(Lines().CBDrawKind->isEditable());
  EXPECT_TRUE(Frame->ToolBarDim.CBDim->isEditable());
}

TEST_F(FrameAttributes, StartStateIsWhatDocumentsRead) {
  // The documents' defaults, with the dimension font of the toolbar.
  TToolAttributes expected;
  expected.DimFont = QFont("MS Sans Serif", 8);
  ExpectAttributes(Frame->DrawAttributes(), expected);
  // Text tool: Arial, or the font that stands in for it, shown by name.
  const TToolBarText &t = Frame->ToolBarText;
  EXPECT_EQ(t.LMDFontCBText->currentText().toLower(), QFontInfo(QFont("Arial")).family().toLower());
  EXPECT_GT(t.LMDFontSizeCBText->count(), 0);
  EXPECT_TRUE(t.TBFontLeft->isChecked());
  for (QToolButton *b :
       {t.TBBold, t.TBItalic, t.TBUnderline, t.TBStrikeOut, t.TBFontCenter, t.TBFontRight, t.TBNumbering})
    EXPECT_FALSE(b->isChecked());
  EXPECT_FALSE(Frame->ToolBarRenderText.ChBRenderText->isChecked());
}

// The documents read the controls whenever they draw, never a copy.
TEST_F(FrameAttributes, DrawAttributesFollowEveryControl) {
  Frame->TBPenClick();
  Lines().CBDrawKind->setCurrentIndex(14);
  Lines().ClPickCBLineColor->SetActiveColor(clRed);
  Lines().CBLineKind->setCurrentIndex(2);
  Lines().CBLineWidth->setCurrentIndex(6);
  Lines().ClPickCBFillColor->SetActiveColor(clBlue);
  Lines().CBFillKind->setCurrentIndex(6);
  Frame->ToolBarRect.EditRectRndCrs->setText("12 px");
  Frame->ToolBarEllipse.EditEllipseArc->setText("-45");
  Frame->ToolBarEllipse.EditEllipseStart->setText("30");
  Frame->ToolBarStdSize.EditStdSize->setText("17");
  Frame->ToolBar3D.ClPickCB3DTop->SetActiveColor(clYellow);
  Frame->ToolBar3D.ClPickCB3DBottom->SetActiveColor(clNavy);
  Frame->ToolBarDim.CBDim->setEditText("cm");
  Frame->ToolBarDim.ClPickCBDimCol->SetActiveColor(clGreen);

  TToolAttributes expected;
  expected.Tool = dtPen;
  expected.PenMode = pmXor;
  expected.PenColor = clRed;
  expected.PenStyle = psDot;
  expected.PenWidth = 7;
  expected.BrushColor = clBlue;
  expected.BrushStyle = bsCross;
  expected.RectRoundCorners = "12 px"; // read leniently by the tool
  expected.EllipseArc = "-45";
  expected.EllipseStart = "30";
  expected.StdSize = "17";
  expected.Color3DTop = clYellow;
  expected.Color3DBottom = clNavy;
  expected.DimUnit = "cm";
  expected.DimFont = QFont("MS Sans Serif", 8);
  expected.DimFontColor = clGreen;
  expected.DimBackground = clBlue; // the label previews the fill colour
  ExpectAttributes(Frame->DrawAttributes(), expected);
  // The colour panels are what the documents take.
  EXPECT_EQ(Frame->panLineColor->Color(), clRed);
  EXPECT_EQ(Frame->panFillColor->Color(), clBlue);

  // "Keine Linie" and "Keine Füllung" clear pen and brush, keeping the kinds.
  Frame->TBNoLineClick();
  Frame->TBNoFillClick();
  const TToolAttributes a = Frame->DrawAttributes();
  EXPECT_EQ(a.PenStyle, psClear);
  EXPECT_EQ(a.BrushStyle, bsClear);
  EXPECT_EQ(Lines().CBLineKind->currentIndex(), 2);
  EXPECT_EQ(Lines().CBFillKind->currentIndex(), 6);
}

TEST_F(FrameAttributes, ReleasingNoFillOrNoLineResetsTheKind) {
  Frame->TBLineClick(); // the bar is shown: real clicks on its buttons
  QToolButton *noFill = Lines().TBNoFill;
  QToolButton *noLine = Lines().TBNoLine;
  Lines().CBFillKind->setCurrentIndex(3);
  Lines().CBLineKind->setCurrentIndex(4);

  QTest::mouseClick(noFill, Qt::LeftButton);
  EXPECT_TRUE(noFill->isChecked());
  EXPECT_EQ(Lines().CBFillKind->currentIndex(), 3); // pressing keeps the kind
  EXPECT_TRUE(DimLabel()->Transparent());
  QTest::mouseClick(noFill, Qt::LeftButton);
  EXPECT_FALSE(noFill->isChecked());
  EXPECT_EQ(Lines().CBFillKind->currentIndex(), 0);
  EXPECT_FALSE(DimLabel()->Transparent());

  QTest::mouseClick(noLine, Qt::LeftButton);
  EXPECT_TRUE(noLine->isChecked());
  EXPECT_EQ(Lines().CBLineKind->currentIndex(), 4);
  Frame->TBNoLineClick();
  EXPECT_FALSE(noLine->isChecked());
  EXPECT_EQ(Lines().CBLineKind->currentIndex(), 0);
}

TEST_F(FrameAttributes, ChoosingNoFillKindMakesTheDimensionLabelTransparent) {
  Lines().CBFillKind->setCurrentIndex(bsClear);
  emit Lines().CBFillKind->activated(bsClear); // as the user's choice
  EXPECT_TRUE(DimLabel()->Transparent());
  Lines().CBFillKind->setCurrentIndex(bsCross);
  Frame->CBFillKindChange();
  EXPECT_FALSE(DimLabel()->Transparent());
  // A kind set by the program is no choice of the user.
  Lines().CBFillKind->setCurrentIndex(bsClear);
  EXPECT_FALSE(DimLabel()->Transparent());
}

TEST_F(FrameAttributes, DimensionLabelStaysLegible) {
  // A fill colour equal to the label's font colour gives the complement.
  Lines().ClPickCBFillColor->SetActiveColor(clBlack);
  EXPECT_EQ(DimLabel()->Color(), ~clBlack);
  // A font colour equal to the background likewise.
  Lines().ClPickCBFillColor->SetActiveColor(clRed);
  Frame->ToolBarDim.ClPickCBDimCol->SetActiveColor(clRed);
  EXPECT_EQ(DimLabel()->FontColor(), clRed);
  EXPECT_EQ(DimLabel()->Color(), ~clRed);
  // A transparent label keeps the fill colour as it is.
  Frame->TBNoFillClick();
  Lines().ClPickCBFillColor->SetActiveColor(clBlue);
  Frame->ToolBarDim.ClPickCBDimCol->SetActiveColor(clBlue);
  EXPECT_EQ(DimLabel()->Color(), clBlue);
  EXPECT_EQ(Frame->DrawAttributes().DimBackground, clBlue);
}

TEST_F(FrameAttributes, DimensionFontComesFromTheFontDialog) {
  QFont asked;
  Frame->FontDialogHook = [&asked](QFont &font) {
    asked = font;
    font = QFont("Liberation Serif", 14);
    return true;
  };
  Frame->ToolBarDim.ClPickCBDimCol->SetActiveColor(clWhite); // = the background
  ASSERT_EQ(DimLabel()->Color(), ~clWhite);
  DimLabel()->SetColor(clWhite); // as a later fill colour may set it
  Frame->lbDimFontClick();
  EXPECT_EQ(asked.family(), "MS Sans Serif");
  EXPECT_EQ(Frame->DrawAttributes().DimFont.family(), "Liberation Serif");
  EXPECT_EQ(Frame->DrawAttributes().DimFont.pointSize(), 14);
  EXPECT_EQ(Frame->ToolBarDim.ClPickCBDimCol->ActiveColor(), clWhite);
  EXPECT_EQ(DimLabel()->Color(), ~clWhite); // the rule ran again

  Frame->FontDialogHook = [](QFont &font) {
    font = QFont("Liberation Mono", 30);
    return false; // cancelled
  };
  Frame->lbDimFontClick();
  EXPECT_EQ(Frame->DrawAttributes().DimFont.family(), "Liberation Serif");
}

TEST_F(FrameAttributes, ColourPanelsAskForAColourOnDoubleClick) {
  TfrmChild *doc = First();
  TColor offered = 0;
  TColor answer = clRed;
  bool ok = true;
  Frame->ColorDialogHook = [&](TColor &c) {
    offered = c;
    c = answer;
    return ok;
  };
  // A real double click on the fill panel.
  QTest::mouseDClick(Frame->panFillColor, Qt::LeftButton);
  EXPECT_EQ(offered, clWhite);
  EXPECT_EQ(Frame->panFillColor->Color(), clRed);
  EXPECT_EQ(Lines().ClPickCBFillColor->ActiveColor(), clRed);
  EXPECT_EQ(DimLabel()->Color(), clRed);
  // Fill and line leave the paper alone.
  answer = clLime;
  Frame->panFillColorDblClick(Frame->panLineColor);
  EXPECT_EQ(offered, clBlack);
  EXPECT_EQ(Frame->panLineColor->Color(), clLime);
  EXPECT_EQ(Lines().ClPickCBLineColor->ActiveColor(), clLime);
  EXPECT_EQ(Frame->panPaperColor->Color(), clWhite);
  EXPECT_EQ(doc->PaperColor(), clWhite);
  // The paper panel sets the document's paper.
  answer = clYellow;
  Frame->panFillColorDblClick(Frame->panPaperColor);
  EXPECT_EQ(Frame->panPaperColor->Color(), clYellow);
  EXPECT_EQ(doc->PaperColor(), clYellow);
  // Cancel changes nothing.
  ok = false;
  answer = clFuchsia;
  Frame->panFillColorDblClick(Frame->panFillColor);
  EXPECT_EQ(Frame->panFillColor->Color(), clRed);
  // Without a document the paper panel still takes the colour.
  CloseDocument(doc);
  ok = true;
  answer = clAqua;
  Frame->panFillColorDblClick(Frame->panPaperColor);
  EXPECT_EQ(Frame->panPaperColor->Color(), clAqua);
}

TEST_F(FrameAttributes, PaletteSelectionSetsPanelsPickersAndPaper) {
  int fillChanges = 0;
  QObject::connect(Lines().ClPickCBFillColor, &TColorPickCombo::Changed, [&fillChanges] { ++fillChanges; });
  Frame->LUMColorPaletteSelectionChange(clRed, clBlue, clYellow);
  EXPECT_EQ(Frame->panFillColor->Color(), clRed);
  EXPECT_EQ(Frame->panLineColor->Color(), clBlue);
  EXPECT_EQ(Frame->panPaperColor->Color(), clYellow);
  EXPECT_EQ(Lines().ClPickCBFillColor->ActiveColor(), clRed);
  EXPECT_EQ(Lines().ClPickCBLineColor->ActiveColor(), clBlue);
  EXPECT_EQ(First()->PaperColor(), clYellow);
  EXPECT_EQ(DimLabel()->Color(), clRed);
  EXPECT_EQ(fillChanges, 1);
  // The same colours again: the pickers report nothing.
  Frame->LUMColorPaletteSelectionChange(clRed, clBlue, clYellow);
  EXPECT_EQ(fillChanges, 1);
}

TEST_F(FrameAttributes, SpinnersStepTheTypedNumberWithinTheRange) {
  struct TCase {
    const char *Name;
    QLineEdit *Edit;
    TUpDown *UpDown;
    int Min;
    int Max;
  };
  const TCase cases[] = {
      {"RectRndCrs", Frame->ToolBarRect.EditRectRndCrs, Frame->ToolBarRect.UpDownRectRndCrns, 0, 360},
      {"EllipseArc", Frame->ToolBarEllipse.EditEllipseArc, Frame->ToolBarEllipse.UpDownEllipseArc, -360, 360},
      {"EllipseStart", Frame->ToolBarEllipse.EditEllipseStart, Frame->ToolBarEllipse.UpDownEllipseStart, -360,
       360},
      {"StdSize", Frame->ToolBarStdSize.EditStdSize, Frame->ToolBarStdSize.UpDownStdSize, 0, 9999},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.UpDown->Min(), c.Min);
    EXPECT_EQ(c.UpDown->Max(), c.Max);
    c.Edit->setText("12 px");
    c.UpDown->UpButton()->click();
    EXPECT_EQ(c.Edit->text(), "13");
    c.Edit->setText(QString::number(c.Max));
    c.UpDown->Step(1);
    EXPECT_EQ(c.Edit->text(), QString::number(c.Max));
    c.Edit->setText(QString::number(c.Min));
    c.UpDown->DownButton()->click();
    EXPECT_EQ(c.Edit->text(), QString::number(c.Min));
    // Out of range typed text comes back into it.
    c.Edit->setText(QString::number(c.Max + 50));
    c.UpDown->Step(-1);
    EXPECT_EQ(c.Edit->text(), QString::number(c.Max - 1));
    // No number at all: the last position goes on.
    c.Edit->setText("1-2");
    c.UpDown->Step(1);
    EXPECT_EQ(c.Edit->text(), QString::number(std::min(c.Max - 1 + 1, c.Max)));
    // The arrow keys in the edit step too.
    c.Edit->setText("7");
    QTest::keyClick(c.Edit, Qt::Key_Up);
    EXPECT_EQ(c.Edit->text(), "8");
  }
}

TEST_F(FrameAttributes, TextToolbarButtonsToggleAndAlignmentIsExclusive) {
  TToolBarText &t = Frame->ToolBarText;
  Frame->TBBoldClick();
  Frame->TBStrikeOutClick();
  EXPECT_TRUE(t.TBBold->isChecked());
  EXPECT_TRUE(t.TBStrikeOut->isChecked());
  EXPECT_FALSE(t.TBItalic->isChecked());
  Frame->TBBoldClick();
  EXPECT_FALSE(t.TBBold->isChecked());
  Frame->TBFontCenterClick();
  EXPECT_TRUE(t.TBFontCenter->isChecked());
  EXPECT_FALSE(t.TBFontLeft->isChecked());
  Frame->TBFontCenterClick(); // one alignment is always chosen
  EXPECT_TRUE(t.TBFontCenter->isChecked());
  Frame->TBFontRightClick();
  EXPECT_EQ(t.AlignGroup->checkedButton(), t.TBFontRight);
  Frame->TBNumberingClick();
  EXPECT_TRUE(t.TBNumbering->isChecked());
  // Fonts are found by name whatever the case; the sizes follow the font.
  const QString shown = t.SelectFontName("liberation mono");
  EXPECT_EQ(shown, "Liberation Mono");
  EXPECT_GT(t.LMDFontSizeCBText->count(), 0);
  t.LMDFontSizeCBText->setEditText("14");
  EXPECT_EQ(t.FontSize(), 14);
  t.LMDFontSizeCBText->setEditText("groß");
  EXPECT_EQ(t.FontSize(), -1);
}

} // namespace
} // namespace tessaro::test
