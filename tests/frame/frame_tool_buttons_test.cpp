// The tool buttons of the frame: which tool each button and family picture
// chooses, the hint line, the option toolbars shown and hidden, and the
// point lists they empty; the family popups; "3D Verwenden"; the text
// button; Escape.
#include "frame/ToolPictures.h"
#include "frame_fixture.h"

#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace tessaro::test {
namespace {

constexpr uint16_t AllBars = otbAll;
const char *const StartText = "Zeichnen: Beste Ergebnisse werden bei einer Zoomeinstellung von 100% erreicht";
const char *const RectText =
    "Rechteck: 1. Maustaste drücken und gedrückt Rechteck aufziehen 2. Maustaste loslassen";

class FrameTools : public FrameTest {
protected:
  // Visible option toolbars as bits.
  uint16_t VisibleBars() const {
    uint16_t bits = 0;
    for (uint16_t bit = 1; bit < otbAll; bit <<= 1)
      if (!Frame->OptionToolBar(TOptionToolBar(bit))->isHidden())
        bits |= bit;
    return bits;
  }
  void SetBars(uint16_t bits) {
    for (uint16_t bit = 1; bit < otbAll; bit <<= 1)
      Frame->OptionToolBar(TOptionToolBar(bit))->setVisible(bits & bit);
  }
  std::vector<TPoint> &Points() { return First()->Engine().FPoints; }
  QString Info() const { return Frame->panInfo->text(); }
  // The buttons of the tool group that are down.
  std::vector<QToolButton *> DownButtons() const {
    std::vector<QToolButton *> down;
    for (QToolButton *b :
         {Frame->TBCursor, Frame->TBLine, Frame->TBRect, Frame->TBEllipse, Frame->TBMark, Frame->TBPipette,
          Frame->TBErase, Frame->TBFill, Frame->TBPen, Frame->TBClone, Frame->TBCutImage})
      if (b->isChecked())
        down.push_back(b);
    return down;
  }
};

struct TButtonCase {
  const char *Name;
  std::function<QToolButton *(TfrmMain &)> Button;
  int Picture; // family picture, 0 for buttons of their own
  TDrawTool Tool;
  const char *Info;
  uint16_t Shown;
  bool ClearsPoints;
};

TPictureButton *LineButton(TfrmMain &f) {
  return f.TBLine;
}
TPictureButton *RectButton(TfrmMain &f) {
  return f.TBRect;
}
TPictureButton *EllipseButton(TfrmMain &f) {
  return f.TBEllipse;
}
TPictureButton *MarkButton(TfrmMain &f) {
  return f.TBMark;
}

const TButtonCase ButtonCases[] = {
    {"Cursor", [](TfrmMain &f) { return f.TBCursor; }, 0, dtCursor, StartText, 0, false},
    {"Line", LineButton, 1, dtLine,
     "Linie: 1. Maustaste drücken und gedrückt zum Endpunkt ziehen 2. Maustaste loslassen", otbLines, false},
    {"FreeLine", LineButton, 2, dtFreeLine,
     "Freihandlinie: Maustaste gedrückt halten und über die Zeichenfläche ziehen", otbLines, false},
    {"Bezier", LineButton, 3, dtBezier,
     "Bézier Kurve: 1. Anfangspunkt setzen 2. Steuerpunkt setzen 3. Endpunkt setzen. Doppelklicken, um die "
     "Kurve abzuschließen.",
     otbLines, true},
    {"DimVert", LineButton, 4, dtDimVert,
     "Vertikale Bemaßung: 1. Maustaste drücken und gedrückt zum Endpunkt ziehen 2. Maustaste loslassen (100% "
     "Zoom empfohlen",
     otbLines | otbDim, false},
    {"DimHor", LineButton, 5, dtDimHor,
     "Horizontale Bemaßung: 1. Maustaste drücken und gedrückt zum Endpunkt ziehen 2. Maustaste loslassen "
     "(100% "
     "Zoom empfohlen!)",
     otbLines | otbDim, false},
    {"PolyLine", LineButton, 24, dtPolyLine,
     "Polylinie: Die Linie wird durch Klicken gezeichnet. Doppelklicken, um die Linie abzuschließen.",
     otbLines, true},
    {"Rect", RectButton, 6, dtRoundRect, RectText, otbStdSize | otbRect | otb3D | otbLines, false},
    {"Polygon", RectButton, 7, dtPolygon,
     "Polygon: Wird durch klicken gezeichnet. Doppelklicken, um das Polygon abzuschließen.",
     otbStdSize | otbRect | otb3D | otbLines, true},
    {"Ellipse", EllipseButton, 8, dtEllipse,
     "Ellipse: 1. Maustaste drücken und gedrückt Ellipse aufziehen 2. Maustaste loslassen", otbLines, false},
    {"Arc", EllipseButton, 9, dtArc,
     "Kreisbogen: 1. Maustaste drücken und gedrückt Kreisbogen aufziehen 2. Maustaste loslassen",
     otbEllipse | otbLines, false},
    {"Pie", EllipseButton, 10, dtPie,
     "Kuchenstück: 1. Maustaste drücken und gedrückt Kuchenstück aufziehen 2. Maustaste loslassen",
     otbEllipse | otbLines, false},
    {"Chord", EllipseButton, 11, dtChord,
     "Gefüllter Kreisbogen: 1. Maustaste drücken und gedrückt Kreisbogen aufziehen 2. Maustaste loslassen",
     otbEllipse | otbLines, false},
    {"MarkRect", MarkButton, 13, dtMarkRect,
     "Markierung (Rechteck): 1. Maustaste drücken und gedrückt Markierungsrechteck aufziehen 2. Maustaste "
     "loslassen",
     0, false},
    {"MarkEllipse", MarkButton, 14, dtMarkEllipse,
     "Markierung (Ellipse): 1. Maustaste drücken und gedrückt Ellipse aufziehen 2. Maustaste loslassen", 0,
     false},
    {"MarkHand", MarkButton, 15, dtMarkHand,
     "Markierung (Freihand): Maustaste gedrückt über die Zeichenfläche ziehen und anschließend loslassen", 0,
     false},
    {"Pipette", [](TfrmMain &f) { return f.TBPipette; }, 0, dtPipette,
     "Pipette (Farbauswahl): Linke Maustaste = Füllfarbe, Rechte Maustaste = Linienfarbe, Strg - Taste + "
     "Maustaste = Papierfarbe",
     0, false},
    {"Erase", [](TfrmMain &f) { return f.TBErase; }, 0, dtErase,
     "Radierer: Maustaste gedrückt halten und über die Zeichenfläche ziehen. Oder punktweise korrigieren",
     otbStdSize, false},
    {"Fill", [](TfrmMain &f) { return f.TBFill; }, 0, dtFill,
     "Fülleimer: Mauszeiger über den zu füllenden Bereich platzieren und Maustaste drücken", otbLines, false},
    {"Pen", [](TfrmMain &f) { return f.TBPen; }, 0, dtPen,
     "Pinsel: Maustaste drücken und gedrückt über die Zeichenfläche ziehen", otbStdSize | otbLines, false},
    {"Clone", [](TfrmMain &f) { return f.TBClone; }, 0, dtClone,
     "Klonen: 1. Anfangspunkt durch Klicken setzen. 2. An einer anderen Stelle Maustaste gedrückt langsam "
     "ziehen 3. Doppelklicken, um den Klonvorgang abzuschließen",
     otbStdSize, true},
    {"CutImage", [](TfrmMain &f) { return f.TBCutImage; }, 0, dtCutImage,
     "Zuschneiden: 1. Maustaste drücken 2. Rechteck von links oben aufziehen 3. Maustaste loslassen - Bild "
     "wird "
     "beschnitten",
     0, true},
};

// Every row names all ten bars (shown or hidden), so the result does not
// depend on what was visible before: tried from all shown and from none.
TEST_F(FrameTools, EachButtonAndPictureSelectsItsRow) {
  for (const TButtonCase &c : ButtonCases) {
    for (uint16_t before : {uint16_t(AllBars), uint16_t(0)}) {
      SCOPED_TRACE(std::string(c.Name) + (before ? " from all bars" : " from no bar"));
      Frame->TBCursorClick();
      SetBars(before);
      Points() = {TPoint(1, 1), TPoint(2, 2)};
      QToolButton *button = c.Button(*Frame);
      if (c.Picture)
        static_cast<TPictureButton *>(button)->SetImageIndex(c.Picture);
      button->click(); // a real click on the button
      EXPECT_EQ(Frame->ActiveTool, c.Tool);
      EXPECT_EQ(Info(), QString::fromUtf8(c.Info));
      EXPECT_EQ(VisibleBars(), c.Shown);
      EXPECT_EQ(Points().empty(), c.ClearsPoints);
      ASSERT_EQ(DownButtons().size(), 1u);
      EXPECT_EQ(DownButtons()[0], button);
    }
  }
}

TEST_F(FrameTools, StartsWithThePointerAndEveryOptionBarHidden) {
  EXPECT_EQ(Frame->ActiveTool, dtCursor);
  EXPECT_EQ(Info(), StartText);
  EXPECT_EQ(VisibleBars(), 0);
  EXPECT_EQ(DownButtons(), std::vector<QToolButton *>{Frame->TBCursor});
  // The family buttons show their first members.
  EXPECT_EQ(Frame->TBLine->ImageIndex(), 1);
  EXPECT_EQ(Frame->TBRect->ImageIndex(), 6);
  EXPECT_EQ(Frame->TBEllipse->ImageIndex(), 8);
  EXPECT_EQ(Frame->TBMark->ImageIndex(), 13);
}

TEST_F(FrameTools, ClickingTheDownButtonAgainKeepsItDown) {
  Frame->TBLine->click();
  Frame->TBLine->click();
  EXPECT_TRUE(Frame->TBLine->isChecked());
  EXPECT_EQ(Frame->ActiveTool, dtLine);
}

TEST_F(FrameTools, ToolsThatClearPointsLeaveNoDocumentAlone) {
  // Without a document the clearing tools still select.
  CloseDocument(First());
  ASSERT_TRUE(Frame->Documents().empty());
  Frame->TBCloneClick();
  EXPECT_EQ(Frame->ActiveTool, dtClone);
  Frame->ppMnuPolyLineClick();
  EXPECT_EQ(Frame->ActiveTool, dtPolyLine);
}

struct TPopupCase {
  const char *Name;
  std::function<void(TfrmMain &)> Arrow;
  std::function<QAction *(TfrmMain &)> Item;
  std::function<TPictureButton *(TfrmMain &)> Family;
  const char *Caption;
  int Picture;
  TDrawTool Tool;
  uint16_t Shows; // bars the item shows
  uint16_t Hides; // bars the item hides
  bool ClearsPoints;
};

const TPopupCase PopupCases[] = {
    {"Line", [](TfrmMain &f) { f.SpBtnMoreLinesClick(); }, [](TfrmMain &f) { return f.ppMnuLine; },
     LineButton, "Linie", 1, dtLine, 0, otbDim, false},
    {"PolyLine", [](TfrmMain &f) { f.SpBtnMoreLinesClick(); }, [](TfrmMain &f) { return f.ppMnuPolyLine; },
     LineButton, "Polylinie", 24, dtPolyLine, 0, otbDim, true},
    {"FreeLine", [](TfrmMain &f) { f.SpBtnMoreLinesClick(); }, [](TfrmMain &f) { return f.ppMnuFreeLine; },
     LineButton, "Freihand Linie", 2, dtFreeLine, 0, otbDim, false},
    {"Bezier", [](TfrmMain &f) { f.SpBtnMoreLinesClick(); }, [](TfrmMain &f) { return f.ppMnuBezier; },
     LineButton, "Bézier Kurve", 3, dtBezier, 0, otbDim, true},
    {"DimHor", [](TfrmMain &f) { f.SpBtnMoreLinesClick(); }, [](TfrmMain &f) { return f.ppMnuDimHor; },
     LineButton, "Horizontale Bemaßung", 5, dtDimHor, otbDim, 0, false},
    {"DimVert", [](TfrmMain &f) { f.SpBtnMoreLinesClick(); }, [](TfrmMain &f) { return f.ppMnuDimVert; },
     LineButton, "Vertikale Bemaßung", 4, dtDimVert, otbDim, 0, false},
    {"Rect", [](TfrmMain &f) { f.SpBtnMoreRectsClick(); }, [](TfrmMain &f) { return f.ppMnuRect; },
     RectButton, "Rechteck", 6, dtRoundRect, 0, 0, false},
    {"Polygon", [](TfrmMain &f) { f.SpBtnMoreRectsClick(); }, [](TfrmMain &f) { return f.ppMnuPolygon; },
     RectButton, "Polygon", 7, dtPolygon, 0, 0, true},
    {"Ellipse", [](TfrmMain &f) { f.SpBtnMoreEllipsesClick(); }, [](TfrmMain &f) { return f.ppMnuEllipse; },
     EllipseButton, "Ellipse", 8, dtEllipse, 0, otbEllipse, false},
    {"Arc", [](TfrmMain &f) { f.SpBtnMoreEllipsesClick(); }, [](TfrmMain &f) { return f.ppMnuArc; },
     EllipseButton, "Kreisbogen", 9, dtArc, otbEllipse, 0, false},
    {"Chord", [](TfrmMain &f) { f.SpBtnMoreEllipsesClick(); }, [](TfrmMain &f) { return f.ppMnuChord; },
     EllipseButton, "Gefüllter Kreisbogen", 11, dtChord, otbEllipse, 0, false},
    {"Pie", [](TfrmMain &f) { f.SpBtnMoreEllipsesClick(); }, [](TfrmMain &f) { return f.ppmnuPie; },
     EllipseButton, "Kuchenstück", 10, dtPie, otbEllipse, 0, false},
    {"MarkRect", [](TfrmMain &f) { f.TBMarkMoreClick(); }, [](TfrmMain &f) { return f.ppMnuMarkRect; },
     MarkButton, "Rechteckige Markierung", 13, dtMarkRect, 0, 0, false},
    {"MarkEllipse", [](TfrmMain &f) { f.TBMarkMoreClick(); }, [](TfrmMain &f) { return f.ppMnuMarkEllipse; },
     MarkButton, "Elliptische Markierung", 14, dtMarkEllipse, 0, 0, false},
    {"MarkHand", [](TfrmMain &f) { f.TBMarkMoreClick(); }, [](TfrmMain &f) { return f.ppMnuMarkHand; },
     MarkButton, "Freihand Markierung", 15, dtMarkHand, 0, 0, false},
};

// The arrow runs its family button's row, opens the popup below the family
// button; the item sets picture, tool and hint and does only its own step.
TEST_F(FrameTools, FamilyPopupItemsSetPictureToolAndHintOnly) {
  for (const TPopupCase &c : PopupCases) {
    SCOPED_TRACE(c.Name);
    TPictureButton *family = c.Family(*Frame);
    QAction *item = c.Item(*Frame);
    EXPECT_EQ(item->text(), QString::fromUtf8(c.Caption));
    Frame->TBCursorClick();
    c.Arrow(*Frame);
    Flush();
    EXPECT_TRUE(family->isChecked());
    auto *menu = qobject_cast<QMenu *>(item->parent());
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->isVisible());
    // Below the family button (moved left only where the screen ends).
    const QPoint corner = family->mapToGlobal(QPoint(0, family->height()));
    EXPECT_EQ(menu->geometry().top(), corner.y());
    if (corner.x() + menu->width() <= menu->screen()->geometry().right()) {
      EXPECT_EQ(menu->geometry().left(), corner.x());
    }
    // What the family's row left, plus bars the row does not touch: the item
    // keeps them except for its own step.
    const uint16_t rowBars = VisibleBars();
    SetBars(rowBars | otbWinImage);
    Points() = {TPoint(3, 3)};
    item->trigger();
    menu->close();
    EXPECT_EQ(family->ImageIndex(), c.Picture);
    EXPECT_EQ(Frame->ActiveTool, c.Tool);
    EXPECT_EQ(Info(), QString::fromUtf8(ToolInfo(c.Tool).Info));
    EXPECT_EQ(VisibleBars(), ((rowBars | otbWinImage) | c.Shows) & ~c.Hides);
    EXPECT_EQ(Points().empty(), c.ClearsPoints);
  }
}

TEST_F(FrameTools, ChosenFamilyMemberComesBackWithItsButton) {
  const std::pair<QAction *, TDrawTool> members[] = {{Frame->ppmnuPie, dtPie}, {Frame->ppMnuChord, dtChord}};
  for (const auto &[item, tool] : members) {
    Frame->SpBtnMoreEllipsesClick();
    item->trigger();
    Frame->PopupMenuEllipse->close();
    Frame->TBFillClick();
    EXPECT_EQ(Frame->ActiveTool, dtFill);
    EXPECT_TRUE(Frame->OptionToolBar(otbEllipse)->isHidden());
    Frame->TBEllipseClick();
    EXPECT_EQ(Frame->ActiveTool, tool);
    EXPECT_EQ(Frame->TBEllipse->ImageIndex(), tool == dtPie ? 10 : 11);
    EXPECT_FALSE(Frame->OptionToolBar(otbEllipse)->isHidden());
  }
}

TEST_F(FrameTools, MarkingArrowStaysHiddenAndMarkingIsRectangular) {
  EXPECT_FALSE(Frame->TBMarkMore->isVisibleTo(Frame.get()));
  EXPECT_TRUE(Frame->TBMark->isVisibleTo(Frame.get()));
  Frame->TBMarkClick();
  EXPECT_EQ(Frame->ActiveTool, dtMarkRect);
}

TEST_F(FrameTools, Use3DSwitchesOnlyTheRectangle) {
  QToolButton *use3D = Frame->ToolBar3D.TBUse3D;
  // The ellipse keeps its tool.
  Frame->TBEllipseClick();
  Frame->TBUse3DClick();
  EXPECT_TRUE(use3D->isChecked());
  EXPECT_EQ(Frame->ActiveTool, dtEllipse);
  // The rectangle follows the button at once, both ways, and the button
  // chooses the tool of the next rectangle click and popup item.
  Frame->TBRectClick();
  EXPECT_EQ(Frame->ActiveTool, dtRect3D);
  EXPECT_EQ(Info(), RectText);
  use3D->click(); // a real click on the button
  EXPECT_FALSE(use3D->isChecked());
  EXPECT_EQ(Frame->ActiveTool, dtRoundRect);
  Frame->TBUse3DClick();
  EXPECT_EQ(Frame->ActiveTool, dtRect3D);
  Frame->ppMnuPolygonClick();
  Frame->TBUse3DClick();
  EXPECT_EQ(Frame->ActiveTool, dtPolygon);
  Frame->ppMnuRectClick();
  EXPECT_EQ(Frame->ActiveTool, dtRoundRect);
  Frame->TBUse3DClick();
  Frame->ppMnuRectClick();
  EXPECT_EQ(Frame->ActiveTool, dtRect3D);
  EXPECT_TRUE(Frame->DrawAttributes().Use3D);
}

TEST_F(FrameTools, TextButtonShowsTheTextBarsOnlyWithADocument) {
  Frame->TBLineClick();
  Frame->TBFontClick();
  EXPECT_EQ(Frame->ActiveTool, dtCursor);
  EXPECT_TRUE(Frame->TBCursor->isChecked());
  EXPECT_EQ(VisibleBars(), otbText | otbRenderText);
  EXPECT_FALSE(Frame->TBFont->isCheckable());

  CloseDocument(First());
  Frame->TBLineClick();
  Frame->TBFontClick();
  EXPECT_EQ(Frame->ActiveTool, dtLine);
  EXPECT_EQ(VisibleBars(), otbLines);
}

TEST_F(FrameTools, RemoveMarkingButtonStartsAndEndsDisabled) {
  EXPECT_FALSE(Frame->TBUndoMark->isEnabled());
  Frame->TBUndoMark->setEnabled(true);
  Frame->TBUndoMarkClick();
  EXPECT_FALSE(Frame->TBUndoMark->isEnabled());
}

// Escape reaches the frame from any of its windows and ends the drag of the
// active document, taking its rubber band away.
TEST_F(FrameTools, EscapeCancelsTheDragOfTheActiveDocument) {
  Frame->activateWindow();
  QApplication::setActiveWindow(Frame.get());
  Flush();
  TfrmChild *doc = First();
  const TBitmap before = doc->Bitmap();
  Frame->TBLineClick();
  TToolEngine &e = doc->Engine();
  e.ImageMouseDown(mbLeft, ssLeft, 10, 10);
  e.ImageMouseMove(ssLeft, 60, 40);
  ASSERT_TRUE(e.FDrawing);
  ASSERT_NE(doc->Bitmap().GetPixel(35, 25), before.GetPixel(35, 25)); // the rubber band
  QTest::keyClick(doc->Image, Qt::Key_Escape);
  Flush();
  EXPECT_FALSE(e.FDrawing);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(doc->Bitmap().GetPixel(x, y), before.GetPixel(x, y)) << x << "," << y;
  // Without a drag Escape changes nothing.
  const int steps = doc->Undo().UndoIndex();
  QTest::keyClick(Frame->CBZoom, Qt::Key_Escape);
  Flush();
  EXPECT_EQ(doc->Undo().UndoIndex(), steps);
  EXPECT_FALSE(e.FDrawing);
}

} // namespace
} // namespace tessaro::test
