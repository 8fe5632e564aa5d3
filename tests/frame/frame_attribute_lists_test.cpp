// The owner-drawn attribute lists draw their items as the raster will show
// the attribute: fill kinds in the fill colour, pen styles and widths in the
// line colour, the drawing modes' raster operation on a swatch.
#include "frame_fixture.h"

#include <QComboBox>
#include <QImage>

namespace tessaro::test {
namespace {

constexpr int ItemWidth = 120;
constexpr int Mid = TOwnerDrawList::ItemHeight / 2; // row of the line samples

QRgb Rgb(TColor c) {
  c = ColorToRGB(c);
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

class FrameAttributeLists : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    Frame->ToolBarLines.ClPickCBFillColor->SetActiveColor(clRed);
    Frame->ToolBarLines.ClPickCBLineColor->SetActiveColor(clBlue);
  }
  QImage Item(TOwnerDrawList *list, int index, bool selected = false) {
    const QImage img = list->RenderItem(index, ItemWidth, selected);
    EXPECT_EQ(img.size(), QSize(ItemWidth, TOwnerDrawList::ItemHeight));
    return img;
  }
  // Rows of column x in the colour.
  static int RowsOf(const QImage &img, int x, QRgb color) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      n += img.pixel(x, y) == color;
    return n;
  }
  TToolBarLines &Lines() { return Frame->ToolBarLines; }
};

TEST_F(FrameAttributeLists, LineWidthItemsDrawTheirWidthUnderTheirText) {
  for (int index : {0, 6, 13}) {
    SCOPED_TRACE(index);
    const QImage img = Item(Lines().CBLineWidth, index);
    // Left of the text the line is as thick as the item says.
    EXPECT_EQ(RowsOf(img, 4, Rgb(clBlue)), index + 1);
    EXPECT_EQ(img.pixel(4, Mid), Rgb(clBlue));
    // The text sits on the background, over the middle of the line.
    EXPECT_NE(img.pixel(ItemWidth / 2, Mid), Rgb(clBlue));
  }
  // The samples take the chosen line kind: no line at all for psClear.
  Lines().CBLineKind->setCurrentIndex(psClear);
  EXPECT_EQ(RowsOf(Item(Lines().CBLineWidth, 13), 4, Rgb(clBlue)), 0);
}

TEST_F(FrameAttributeLists, LineKindItemsDrawTheirPenStyle) {
  auto run = [](const QImage &img) {
    int on = 0;
    for (int x = 2; x < ItemWidth - 2; ++x)
      on += img.pixel(x, Mid) == Rgb(clBlue);
    return on;
  };
  const int solid = run(Item(Lines().CBLineKind, psSolid));
  EXPECT_EQ(solid, ItemWidth - 4); // from 2 to Right - 2, end excluded
  for (int style : {psDash, psDot, psDashDot, psDashDotDot}) {
    SCOPED_TRACE(style);
    const int on = run(Item(Lines().CBLineKind, style));
    EXPECT_GT(on, 0);
    EXPECT_LT(on, solid);
  }
  EXPECT_EQ(run(Item(Lines().CBLineKind, psClear)), 0);
  EXPECT_EQ(run(Item(Lines().CBLineKind, psInsideFrame)), solid);
}

TEST_F(FrameAttributeLists, FillKindItemsShowTheBrushInTheFillColour) {
  const QImage solid = Item(Lines().CBFillKind, bsSolid);
  EXPECT_EQ(solid.pixel(5, Mid), Rgb(clRed));
  EXPECT_EQ(solid.pixel(0, 0), Rgb(clWhite)); // the background frame
  // "bsClear" shows only the background.
  const QImage clear = Item(Lines().CBFillKind, bsClear);
  EXPECT_EQ(RowsOf(clear, 5, Rgb(clRed)), 0);
  // A hatch leaves the background between its lines.
  const QImage hatch = Item(Lines().CBFillKind, bsHorizontal);
  EXPECT_GT(RowsOf(hatch, 5, Rgb(clRed)), 0);
  EXPECT_GT(RowsOf(hatch, 5, Rgb(clWhite)), 2);
  // A selected item lies on the highlight colour.
  EXPECT_EQ(Item(Lines().CBFillKind, bsClear, true).pixel(5, Mid), Rgb(clHighlight));
}

TEST_F(FrameAttributeLists, DrawKindSwatchesShowTheRasterOperation) {
  struct TCase {
    TPenMode Mode;
    QRgb Swatch; // on the white background, fill colour red
  };
  const TCase cases[] = {
      {pmBlack, qRgb(0, 0, 0)},  {pmWhite, qRgb(255, 255, 255)}, {pmNop, qRgb(255, 255, 255)},
      {pmNot, qRgb(0, 0, 0)},    {pmCopy, qRgb(255, 0, 0)},      {pmNotCopy, qRgb(0, 255, 255)},
      {pmMask, qRgb(255, 0, 0)}, {pmXor, qRgb(0, 255, 255)},     {pmNotXor, qRgb(255, 0, 0)},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(int(c.Mode));
    const QImage img = Item(Lines().CBDrawKind, c.Mode);
    EXPECT_EQ(img.pixel(8, 8), c.Swatch);
    // The item's text lies right of the swatch.
    int ink = 0;
    for (int x = 20; x < ItemWidth; ++x)
      for (int y = 0; y < img.height(); ++y)
        ink += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(ink, 0);
  }
}

// The closed list shows its current item through the same drawing.
TEST_F(FrameAttributeLists, ClosedListShowsTheCurrentItem) {
  Frame->TBLineClick();
  Flush();
  TOwnerDrawList *list = Lines().CBLineWidth;
  list->setCurrentIndex(13);
  const QImage shot = list->grab().toImage();
  int blue = 0;
  for (int y = 0; y < shot.height(); ++y)
    blue += shot.pixel(8, y) == Rgb(clBlue);
  EXPECT_GE(blue, 14);
}

} // namespace
} // namespace tessaro::test
