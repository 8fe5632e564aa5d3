// The floating image control under real mouse and key events: its hit zones
// and cursors, moving and resizing, the after-resize menu with every filter,
// the right-button menu, keyboard nudging and deleting, the see-through
// mask, merging into a target, and the one-shot draw mode.
#include "WinImageFixture.h"
#include "core/Canvas.h"
#include "platform/MessageDlg.h"

namespace tessaro::test {
namespace {

struct TZoneCase {
  QPoint At;
  TSizerZone Zone;
  Qt::CursorShape Cursor;
};

// The control is 108 x 58.
const TZoneCase ZoneCases[] = {
    {{104, 29}, szRight, Qt::SizeHorCursor},      {{3, 29}, szLeft, Qt::SizeHorCursor},
    {{54, 3}, szTop, Qt::SizeVerCursor},          {{54, 54}, szBottom, Qt::SizeVerCursor},
    {{5, 5}, szTopLeft, Qt::SizeFDiagCursor},     {{103, 5}, szTopRight, Qt::SizeBDiagCursor},
    {{5, 53}, szBottomLeft, Qt::SizeBDiagCursor}, {{103, 53}, szBottomRight, Qt::SizeFDiagCursor},
    {{54, 29}, szMove, Qt::ArrowCursor},          {{10, 3}, szMove, Qt::ArrowCursor},
    {{3, 10}, szMove, Qt::ArrowCursor},           {{9, 29}, szMove, Qt::ArrowCursor},
    {{98, 54}, szMove, Qt::ArrowCursor},          {{104, 10}, szMove, Qt::ArrowCursor},
};

TEST_F(WinImageTest, ZonesAndTheirCursorsUnderThePointer) {
  for (const TZoneCase &k : ZoneCases) {
    SCOPED_TRACE(testing::Message() << k.At.x() << "," << k.At.y());
    EXPECT_EQ(SizerZone(k.At.x(), k.At.y(), 108, 58), k.Zone);
    Hover(k.At);
    EXPECT_EQ(Image->cursor().shape(), k.Cursor);
  }
}

struct TDragCase {
  QPoint From;
  QPoint By;
  QRect Expected;
};

TEST_F(WinImageTest, DraggingAZoneMovesOrResizes) {
  const QRect start(20, 30, 108, 58);
  for (const TDragCase &k :
       {TDragCase{{54, 29}, {15, -7}, {35, 23, 108, 58}},
        TDragCase{{10, 3}, {-5, 6}, {15, 36, 108, 58}}, // strip beside a corner
        TDragCase{{104, 29}, {20, 9}, {20, 30, 128, 58}}, TDragCase{{3, 29}, {-10, 0}, {10, 30, 118, 58}},
        TDragCase{{54, 3}, {0, -6}, {20, 24, 108, 64}}, TDragCase{{54, 54}, {3, 12}, {20, 30, 108, 70}},
        TDragCase{{5, 5}, {-4, -2}, {16, 28, 112, 60}}, TDragCase{{103, 53}, {-30, -20}, {20, 30, 78, 38}}}) {
    SCOPED_TRACE(testing::Message() << k.From.x() << "," << k.From.y());
    Image->setGeometry(start);
    Moves.clear();
    Drag(k.From, k.By);
    EXPECT_EQ(Image->geometry(), k.Expected);
    // Only a move reports the new place; an unstretched picture stays as it
    // was and no menu is offered.
    if (k.Expected.size() == start.size())
      EXPECT_EQ(Moves, std::vector<QPoint>{k.Expected.topLeft() + QPoint(4, 4)});
    else
      EXPECT_TRUE(Moves.empty());
    EXPECT_EQ(Image->Bitmap().Width(), 100);
  }
  EXPECT_EQ(MenusShown, 0);
}

TEST_F(WinImageTest, ClickWithoutMovingReportsThePlaceAndOffersNoMenu) {
  Image->SetStretch(true);
  AnswerNextMenu(QString());
  Press({54, 29});
  Release({54, 29});
  EXPECT_EQ(Moves, std::vector<QPoint>{QPoint(24, 34)});
  EXPECT_EQ(Downs, std::vector<TMouseButton>{mbLeft});
  EXPECT_EQ(MenusShown, 0);
  EXPECT_TRUE(Image->hasFocus());
}

struct TFilterCase {
  const char *Caption;
  TStretchFilter Filter;
};

TEST_F(WinImageTest, StretchedResizeResamplesWithTheChosenFilter) {
  Image->SetStretch(true);
  Image->SetTransparentColor(RGB(1, 2, 3));
  const TBitmap original(Image->Bitmap());
  for (const TFilterCase &k :
       {TFilterCase{"Änderungen zuweisen", sftNearest}, TFilterCase{"Nach Ähnlichkeit", sftNearest},
        TFilterCase{"Linear", sftLinear}, TFilterCase{"Spline", sftSpline}, TFilterCase{"Lancos", sftLanczos},
        TFilterCase{"Mitchell Filter", sftMitchell}}) {
    SCOPED_TRACE(k.Caption);
    Image->setGeometry(20, 30, 108, 58);
    Image->SetBitmap(original);
    Resizes.clear();
    AnswerNextMenu(k.Caption);
    Drag({103, 53}, {37, 21});
    ASSERT_EQ(MenusShown, 1);
    MenusShown = 0;
    EXPECT_EQ(MenuCaptions, QStringList({"Änderungen zuweisen", "Rückgängig", "Filter anwenden",
                                         "Kein Filter", "Nach Ähnlichkeit", "Linear", "Spline", "Lancos",
                                         "Mitchell Filter", "Abbrechen"}));
    TBitmap expected(original);
    ResizeBitmap(&expected, k.Filter, RGB(1, 2, 3), ExactResizePercent(100, 137), ExactResizePercent(50, 71));
    EXPECT_EQ(expected.Width(), 137);
    EXPECT_EQ(expected.Height(), 71);
    EXPECT_TRUE(PixelsEqual(Image->Bitmap(), expected));
    EXPECT_EQ(Resizes, std::vector<QSize>{QSize(137, 71)});
  }
}

TEST_F(WinImageTest, NoFilterOrCancelKeepsThePictureShownStretched) {
  Image->SetStretch(true);
  for (const char *caption : {"Kein Filter", "Abbrechen", ""}) {
    SCOPED_TRACE(caption);
    Image->setGeometry(20, 30, 108, 58);
    AnswerNextMenu(caption);
    Drag({104, 29}, {30, 0});
    EXPECT_EQ(MenusShown, 1);
    MenusShown = 0;
    EXPECT_EQ(Image->geometry(), QRect(20, 30, 138, 58));
    EXPECT_EQ(Image->Bitmap().Width(), 100);
    EXPECT_TRUE(Resizes.empty());
  }
}

TEST_F(WinImageTest, UndoResizeAfterApplyingKeepsTheResampledPicture) {
  Image->SetStretch(true);
  AnswerNextMenu("Änderungen zuweisen");
  Drag({104, 29}, {40, 0});
  ASSERT_EQ(Image->Bitmap().Width(), 140);
  Resizes.clear();
  Moves.clear();
  Image->UndoResize();
  EXPECT_EQ(Image->geometry(), QRect(20, 30, 108, 58));
  EXPECT_EQ(Image->Bitmap().Width(), 140);
  EXPECT_EQ(Resizes, std::vector<QSize>{QSize(140, 50)});
  EXPECT_EQ(Moves, std::vector<QPoint>{QPoint(24, 34)});
}

TEST_F(WinImageTest, ApplyStretchedSizeOnEdgeCases) {
  // Nothing to resample: the event still reports the size.
  Image->SetBitmap(TBitmap());
  Image->ApplyStretchedSize(sftLinear);
  EXPECT_EQ(Resizes.back(), QSize(0, 0));
  // A picture of another format stays as it is.
  TBitmap grey = Pattern(100, 50);
  grey.SetPixelFormat(pf8bit);
  Image->SetBitmap(grey);
  Image->resize(60, 30);
  Image->ApplyStretchedSize(sftLinear);
  EXPECT_EQ(Resizes.back(), QSize(100, 50));
  // No inner size: an empty picture.
  Image->SetBitmap(Pattern(100, 50));
  Image->resize(8, 30);
  Image->ApplyStretchedSize(sftNearest);
  EXPECT_TRUE(Image->Bitmap().Empty());
}

TEST_F(WinImageTest, KeysNudgeOnReleaseAndDeleteEndsTheControl) {
  Image->setFocus();
  struct TKeyCase {
    int Key;
    QPoint To;
  };
  for (const TKeyCase &k : {TKeyCase{Qt::Key_PageUp, {20, 20}}, TKeyCase{Qt::Key_PageDown, {20, 30}},
                            TKeyCase{Qt::Key_End, {30, 30}}, TKeyCase{Qt::Key_Home, {20, 30}},
                            TKeyCase{Qt::Key_Left, {19, 30}}, TKeyCase{Qt::Key_Up, {19, 29}},
                            TKeyCase{Qt::Key_Right, {20, 29}}, TKeyCase{Qt::Key_Down, {20, 30}}}) {
    Key(k.Key);
    EXPECT_EQ(Image->pos(), k.To) << k.Key;
  }
  EXPECT_EQ(KeysUp.size(), 8u);
  // A held key repeats its releases; only the last one moves.
  Key(Qt::Key_Right, true);
  Key(Qt::Key_Right, true);
  EXPECT_EQ(Image->pos(), QPoint(20, 30));
  EXPECT_TRUE(Moves.empty());
  KeysUp.clear();
  Key(Qt::Key_Delete);
  EXPECT_EQ(Deletes, 1);
  EXPECT_TRUE(KeysUp.empty());
  EXPECT_TRUE(Parent->findChildren<TLUMWinImage *>().isEmpty());
  FlushEvents();
  EXPECT_TRUE(Image.isNull());
}

TEST_F(WinImageTest, RightButtonMenu) {
  TLUMWinImage *other = MakeImage(QRect(60, 50, 80, 40));
  // "Nach hinten setzen" puts the pressed one below the other.
  AnswerNextMenu("Nach hinten setzen");
  Press({54, 10}, Qt::RightButton);
  Release({54, 10}, Qt::RightButton);
  EXPECT_EQ(MenuCaptions, QStringList({"Nach vorne setzen", "Nach hinten setzen", "Löschen",
                                       "Mit Hintergrund kombinieren"}));
  EXPECT_EQ(Downs, std::vector<TMouseButton>{mbRight});
  EXPECT_EQ(Parent->childAt(70, 60), other);
  AnswerNextMenu("Nach vorne setzen");
  Press({54, 10}, Qt::RightButton);
  Release({54, 10}, Qt::RightButton);
  EXPECT_EQ(Parent->childAt(70, 60), Image.data());
  // Without an owner to merge it, the object stays and says so.
  ClearShownMessages();
  AnswerNextMenu("Mit Hintergrund kombinieren");
  Press({54, 10}, Qt::RightButton);
  Release({54, 10}, Qt::RightButton);
  ASSERT_FALSE(ShownMessages().empty());
  EXPECT_EQ(ShownMessages().back().Text, "No Target available!");
  EXPECT_FALSE(Image.isNull());
  // With one, the owner is asked.
  int asked = 0;
  Image->OnCombineWithBgGr = [&asked, this](QObject *s, TBitmap *t) { asked += s == Image && t == nullptr; };
  AnswerNextMenu("Mit Hintergrund kombinieren");
  Press({54, 10}, Qt::RightButton);
  Release({54, 10}, Qt::RightButton);
  EXPECT_EQ(asked, 1);
  AnswerNextMenu("Löschen");
  Press({54, 10}, Qt::RightButton);
  Release({54, 10}, Qt::RightButton);
  EXPECT_EQ(Deletes, 1);
  EXPECT_EQ(Parent->findChildren<TLUMWinImage *>(), QList<TLUMWinImage *>{other});
}

TEST_F(WinImageTest, CombiningIntoATargetSkipsTheSeeThroughColour) {
  TBitmap picture = Pattern(100, 50);
  for (int x = 0; x < 100; ++x)
    picture.SetPixel(x, 20, clWhite);
  Image->SetBitmap(picture);
  TBitmap target = Pattern(300, 200);
  TBitmap expected(target);
  TransparentCopy(&picture, &expected, 20 + 4 + 3, 30 + 4 - 2, clWhite, true);
  Image->CombineWithBackground(Image, &target, 3, -2);
  EXPECT_TRUE(PixelsEqual(target, expected));
  EXPECT_EQ(Deletes, 1);
  // A target of another format takes nothing, and the object stays.
  TLUMWinImage *other = MakeImage(QRect(0, 0, 40, 40));
  TBitmap grey(50, 50, pf8bit);
  other->CombineWithBackground(other, &grey, 0, 0);
  EXPECT_FALSE(other->Deleted());
}

TEST_F(WinImageTest, SeeThroughPixelsLetTheParentShowAndTakeClicks) {
  TBitmap picture = Pattern(100, 50);
  for (int x = 30; x < 60; ++x)
    for (int y = 10; y < 30; ++y)
      picture.SetPixel(x, y, RGB(0, 255, 0));
  Image->SetBitmap(picture);
  // Only stored while the object is not see-through.
  Image->SetTransparentColor(RGB(0, 255, 0));
  EXPECT_TRUE(Image->mask().isEmpty());
  Image->SetTransparent(true);
  const QPoint hole(20 + 4 + 40, 30 + 4 + 20), solid(20 + 4 + 10, 30 + 4 + 20);
  EXPECT_EQ(Parent->childAt(hole), nullptr);
  EXPECT_EQ(Parent->childAt(solid), Image.data());
  // Whole while dragged, see-through again afterwards; a click as well.
  Press({14, 24});
  EXPECT_TRUE(Image->mask().isEmpty());
  Move({20, 24});
  Release({20, 24});
  EXPECT_EQ(Parent->childAt(hole + QPoint(6, 0)), nullptr);
  Press({14, 24});
  Release({14, 24});
  EXPECT_EQ(Parent->childAt(hole + QPoint(6, 0)), nullptr);
  EXPECT_EQ(Parent->childAt(solid + QPoint(6, 0)), Image.data());
  Image->SetTransparent(false);
  EXPECT_EQ(Parent->childAt(hole + QPoint(6, 0)), Image.data());
  // A small object of nothing but the see-through colour is not there at all.
  TBitmap green(5, 5, pf24bit);
  green.Canvas().Brush.Color = RGB(0, 255, 0);
  green.Canvas().FillRect(TRect(0, 0, 5, 5));
  Image->SetBitmap(green);
  Image->resize(9, 9);
  Image->SetTransparent(true);
  EXPECT_EQ(Parent->childAt(Image->geometry().center()), nullptr);
}

TEST_F(WinImageTest, DrawModeDrawsOneShapeIntoThePicture) {
  Image->SetBitmap(Pattern(40, 30));
  Image->SetTransparentColor(RGB(9, 8, 7));
  Image->SetDrawModeEnable(true);
  Image->SetDrawMode(dwmLine);
  Press({14, 14});
  Move({40, 30});
  Move({60, 44});
  Release({60, 44});
  // The picture grew to the inner size, the new part see-through, and the
  // line went on with the picture canvas's own pen.
  TBitmap expected(Pattern(40, 30));
  expected.SetSize(100, 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x)
      if (x >= 40 || y >= 30)
        expected.SetPixel(x, y, RGB(9, 8, 7));
  expected.Canvas().MoveTo(10, 10);
  expected.Canvas().LineTo(56, 40);
  EXPECT_TRUE(PixelsEqual(Image->Bitmap(), expected));
  EXPECT_FALSE(Image->DrawModeEnable());
  EXPECT_TRUE(Moves.empty());
}

} // namespace
} // namespace tessaro::test
