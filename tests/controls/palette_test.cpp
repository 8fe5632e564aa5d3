// The colour palette grid: its colour sets, property rules, geometry, the
// mouse with Shift and Ctrl, the selection frame, AddColor, bitmap colours
// with channel masks and the colour limit, and rebuilds started from events
// that run inside a rebuild.
#include "ControlsTestUtil.h"
#include "controls/ColorTables.h"
#include "controls/LUMColorPalette.h"
#include "core/Palettes.h"
#include "platform/Hints.h"
#include "platform/QtHooks.h"

#include <QAccessible>
#include <QApplication>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tessaro {
namespace {

// Records every SelectionChange.
struct TSelections {
  struct TEntry {
    TColor Fill, Line, Paper;
  };
  std::vector<TEntry> Entries;
  QMetaObject::Connection Connection;
  explicit TSelections(TLUMColorPalette &p) {
    Connection =
        QObject::connect(&p, &TLUMColorPalette::SelectionChange, [this](TColor f, TColor l, TColor pa) {
          Entries.push_back({f, l, pa});
        });
  }
  ~TSelections() { QObject::disconnect(Connection); }
};

int PerRow(const TLUMColorPalette &p) {
  return p.Picture().Width() / p.PaletteEntrySize();
}

// Top-left pixel of cell i as shown (the grid lies one pixel right and down).
QPoint CellOrigin(const TLUMColorPalette &p, int i) {
  const int s = p.PaletteEntrySize(), n = PerRow(p);
  return QPoint((i % n) * s + 1, (i / n) * s + 1);
}

TColor CellColor(const TLUMColorPalette &p, int i) {
  const int s = p.PaletteEntrySize();
  const QPoint o = CellOrigin(p, i);
  return p.Picture().GetPixel(o.x() + s / 2, o.y() + s / 2);
}

std::vector<TColor> Cells(const TLUMColorPalette &p) {
  std::vector<TColor> cells;
  for (int i = 0; i < p.CurrColorCount(); ++i)
    cells.push_back(CellColor(p, i));
  return cells;
}

// A palette with the frame's settings (background plain, so it differs from
// every cell in the tests).
std::unique_ptr<TLUMColorPalette> MakePalette(TPaletteType type, int maxColors = 1000) {
  auto p = std::make_unique<TLUMColorPalette>();
  p->SetUpdating(false);
  p->SetMaxColors(maxColors);
  p->SetPaletteBgColor(RGB(1, 2, 3));
  p->SetUpdating(true);
  p->SetPaletteType(type);
  return p;
}

std::vector<TColor> Distinct(std::initializer_list<std::vector<TColor>> sets, size_t limit = 100000) {
  std::vector<TColor> out;
  std::set<TColor> seen;
  for (const auto &set : sets)
    for (TColor c : set)
      if (out.size() < limit && seen.insert(c).second)
        out.push_back(c);
  return out;
}

std::vector<TColor> FromPalette(const TPalette &pal) {
  std::vector<TColor> v;
  for (const TRGBQuad &q : pal)
    v.push_back(ColorFromQuad(q));
  return v;
}

const std::vector<TColor> Standard(StandardColors.begin(), StandardColors.end());
const std::vector<TColor> Html(HTMLColors.begin(), HTMLColors.end());

TEST(ColorPalette, StartsWithTheStandardColours) {
  TLUMColorPalette p;
  EXPECT_EQ(p.PaletteType(), pltStandard);
  EXPECT_EQ(p.BitmapClLayers(), clyRed | clyGreen | clyBlue);
  EXPECT_EQ(p.MaxColors(), 500);
  EXPECT_EQ(p.PaletteEntrySize(), 15);
  EXPECT_EQ(p.PaletteBgColor(), clWhite);
  EXPECT_EQ(p.FrameColor(), clBlue);
  EXPECT_EQ(p.ColorsPerLine(), -1);
  EXPECT_TRUE(p.Updating());
  EXPECT_EQ(p.CurrColorCount(), 96);
  // 525 pixels give 35 cells a row; 96 cells fill rows 0..2.
  EXPECT_EQ(p.width(), 35 * 15 + 1);
  EXPECT_EQ(p.height(), 3 * 15 + 2);
  EXPECT_EQ(p.FillColor(), clBlack);
  EXPECT_EQ(p.LineColor(), clBlack);
  EXPECT_EQ(p.PaperColor(), clWhite);
}

TEST(ColorPalette, EachColourSetInItsOrderWithoutDuplicates) {
  const std::vector<TColor> system = FromPalette(SystemPalette20()), vga = FromPalette(VgaPalette());
  const struct {
    TPaletteType Type;
    int MaxColors;
    std::vector<TColor> Expected;
  } cases[] = {
      {pltStandard, 1000, Distinct({Standard})},
      {pltHTML, 1000, Distinct({Html})},
      {pltStandard | pltHTML, 1000, Distinct({Standard, Html})},
      {pltSystem, 1000, system},
      {pltVGA, 1000, vga},
      {pltSystem | pltVGA, 1000, system},
      {pltSystem | pltStandard, 20, system},
      {pltVGA | pltStandard | pltHTML, 1000, Distinct({vga, Standard, Html})},
      {pltStandard | pltHTML, 100, Distinct({Standard, Html}, 100)},
      {0, 1000, {}},
  };
  for (const auto &c : cases) {
    auto p = MakePalette(c.Type, c.MaxColors);
    EXPECT_EQ(Cells(*p), c.Expected) << "type " << int(c.Type);
  }
  EXPECT_EQ(MakePalette(pltStandard)->CurrColorCount(), 96);
  EXPECT_EQ(MakePalette(pltStandard | pltHTML)->CurrColorCount(), 222);
  EXPECT_EQ(MakePalette(pltHTML)->CurrColorCount(), 139);
  EXPECT_EQ(CellColor(*MakePalette(pltStandard), 13), TColor(0x800000));
  EXPECT_EQ(CellColor(*MakePalette(pltVGA), 1), clMaroon);
}

TEST(ColorPalette, PropertyRules) {
  auto p = MakePalette(pltStandard);
  TSelections sel(*p);
  p->SetMaxColors(5);
  EXPECT_EQ(p->MaxColors(), 20);
  EXPECT_EQ(p->CurrColorCount(), 20);
  p->SetMaxColors(100000);
  EXPECT_EQ(p->MaxColors(), 0xFFFF);
  for (int size : {9, 101, 0, 255}) {
    p->SetPaletteEntrySize(size);
    EXPECT_EQ(p->PaletteEntrySize(), 15) << size;
  }
  for (int size : {10, 100, 40}) {
    p->SetPaletteEntrySize(size);
    EXPECT_EQ(p->PaletteEntrySize(), size);
  }
  EXPECT_EQ(sel.Entries.size(), 9u); // every setter above rebuilt

  p->SetPaletteEntrySize(15);
  p->SetColorsPerLine(4);
  EXPECT_EQ(p->width(), 4 * 15 + 1);
  EXPECT_EQ(PerRow(*p), 4);
  EXPECT_EQ(p->height(), (96 / 4 + 1) * 15 + 2);
  const size_t before = sel.Entries.size();
  p->SetColorsPerLine(0); // stored only
  p->SetFrameColor(clRed);
  EXPECT_EQ(sel.Entries.size(), before);
  EXPECT_EQ(p->ColorsPerLine(), 0);

  // Channels rebuild only with the bitmap set on and a source present.
  p->SetBitmapClLayers(clyRed);
  EXPECT_EQ(sel.Entries.size(), before);
  p->SetPaletteType(pltBitmap | pltStandard);
  p->SetBitmapClLayers(clyGreen);
  EXPECT_EQ(sel.Entries.size(), before + 1);
  TBitmap src(2, 2, pf24bit);
  p->BitmapColorSource().Assign(src); // direct: no rebuild
  EXPECT_EQ(sel.Entries.size(), before + 1);
  p->SetBitmapClLayers(clyBlue);
  EXPECT_EQ(sel.Entries.size(), before + 2);

  // With rebuilds off the setters only store.
  p->SetUpdating(false);
  p->SetPaletteType(pltHTML);
  p->SetMaxColors(30);
  EXPECT_EQ(sel.Entries.size(), before + 2);
  EXPECT_EQ(p->CurrColorCount(), 96);
  p->SetUpdating(true);
  p->SetPaletteBgColor(clBtnFace);
  EXPECT_EQ(p->CurrColorCount(), 30);
  EXPECT_EQ(CellColor(*p, 0), HTMLColors[0]);
}

TEST(ColorPalette, SelectionFrameAroundTheFirstCellAfterABuild) {
  auto p = MakePalette(pltStandard);
  const TBitmap &pic = p->Picture();
  EXPECT_EQ(p->SelectedCell(), TPoint(1, 1));
  // Blue inside the cell at 1 and 14, white at 0 and 15, blue again at 16
  // (over the next cell's white edge).
  EXPECT_EQ(pic.GetPixel(1, 7), clBlue);
  EXPECT_EQ(pic.GetPixel(14, 7), clBlue);
  EXPECT_EQ(pic.GetPixel(15, 7), clWhite);
  EXPECT_EQ(pic.GetPixel(16, 7), clBlue);
  EXPECT_EQ(pic.GetPixel(0, 7), clWhite);
  // An unselected cell: white edges at 1 + c * 15 and (c + 1) * 15.
  EXPECT_EQ(pic.GetPixel(31, 7), clWhite);
  EXPECT_EQ(pic.GetPixel(45, 7), clWhite);
  EXPECT_EQ(pic.GetPixel(32, 7), StandardColors[2]);
  EXPECT_EQ(pic.GetPixel(44, 7), StandardColors[2]);
}

// The first pixels in which two pictures differ ("" when they are equal).
std::string DifferingPixels(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return "size";
  std::string differing;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y) && differing.size() < 200)
        differing += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
  return differing;
}

class PaletteMouseTest : public testing::Test {
protected:
  void SetUp() override {
    Palette = MakePalette(pltStandard);
    Palette->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Palette.get()));
  }
  void Click(int cell, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    QTest::mouseClick(Palette.get(), button, mods, CellOrigin(*Palette, cell) + QPoint(5, 5));
  }
  std::unique_ptr<TLUMColorPalette> Palette;
};

TEST_F(PaletteMouseTest, ButtonsAndKeysChooseWhichColourChanges) {
  constexpr TColor F = 0x111111, L = 0x222222, P = 0x333333;
  const struct {
    Qt::MouseButton Button;
    Qt::KeyboardModifiers Mods;
    bool Fill, Line, Paper;
  } cases[] = {
      {Qt::LeftButton, Qt::NoModifier, true, false, false},
      {Qt::RightButton, Qt::NoModifier, false, true, false},
      {Qt::MiddleButton, Qt::NoModifier, false, false, false},
      {Qt::LeftButton, Qt::ShiftModifier, true, true, false},
      {Qt::RightButton, Qt::ShiftModifier, true, true, false},
      {Qt::MiddleButton, Qt::ShiftModifier, true, true, false},
      {Qt::LeftButton, Qt::ControlModifier, false, false, true},
      {Qt::RightButton, Qt::ControlModifier, false, false, true},
      {Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, false, false, true},
  };
  int cell = 40;
  for (const auto &c : cases) {
    Palette->SetFillColor(F);
    Palette->SetLineColor(L);
    Palette->SetPaperColor(P);
    TSelections sel(*Palette);
    const TColor picked = CellColor(*Palette, cell);
    Click(cell, c.Button, c.Mods);
    const std::string what =
        "button " + std::to_string(int(c.Button)) + " mods " + std::to_string(int(c.Mods));
    ASSERT_EQ(sel.Entries.size(), 1u) << what;
    EXPECT_EQ(sel.Entries[0].Fill, c.Fill ? picked : F) << what;
    EXPECT_EQ(sel.Entries[0].Line, c.Line ? picked : L) << what;
    EXPECT_EQ(sel.Entries[0].Paper, c.Paper ? picked : P) << what;
    EXPECT_EQ(Palette->FillColor(), sel.Entries[0].Fill);
    EXPECT_EQ(Palette->LineColor(), sel.Entries[0].Line);
    EXPECT_EQ(Palette->PaperColor(), sel.Entries[0].Paper);
    EXPECT_EQ(Palette->SelectedCell(),
              TPoint(CellOrigin(*Palette, cell).x(), CellOrigin(*Palette, cell).y()));
    ++cell;
  }
}

TEST_F(PaletteMouseTest, RebuildResetsFillAndLineButKeepsPaper) {
  Click(20, Qt::LeftButton, Qt::ControlModifier);
  Click(21, Qt::LeftButton, Qt::NoModifier);
  Click(22, Qt::RightButton, Qt::NoModifier);
  TSelections sel(*Palette);
  Palette->SetPaletteType(pltHTML);
  ASSERT_EQ(sel.Entries.size(), 1u);
  EXPECT_EQ(sel.Entries[0].Fill, HTMLColors[0]);
  EXPECT_EQ(sel.Entries[0].Line, HTMLColors[0]);
  EXPECT_EQ(sel.Entries[0].Paper, StandardColors[20]);
}

TEST_F(PaletteMouseTest, ClickPastTheLastCellTakesTheBackground) {
  // 96 cells: the last row holds 26, the rest of it is background.
  QTest::mouseClick(Palette.get(), Qt::LeftButton, Qt::NoModifier,
                    CellOrigin(*Palette, 96 + 3) + QPoint(5, 5));
  EXPECT_EQ(Palette->FillColor(), RGB(1, 2, 3));
  // The bottom-right pixel lies on no cell's colour either.
  QTest::mouseClick(Palette.get(), Qt::RightButton, Qt::NoModifier,
                    QPoint(Palette->width() - 1, Palette->height() - 1));
  EXPECT_EQ(Palette->LineColor(), RGB(1, 2, 3));
}

TEST_F(PaletteMouseTest, MovingTheFrameLeavesNoTrace) {
  const TBitmap afterBuild(Palette->Picture());
  for (int cell : {40, 41, 75, 5, 36, 95, 34, 70, 69}) {
    Click(cell, Qt::LeftButton, Qt::NoModifier);
    Click(0, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(DifferingPixels(Palette->Picture(), afterBuild), "") << "cell " << cell;
  }
}

TEST_F(PaletteMouseTest, CellAddedBesideTheFrameKeepsItsEdges) {
  auto other = MakePalette(pltStandard);
  other->AddColor(0x0A0B0C);
  other->PaletteMouseDown(Qt::LeftButton, Qt::NoModifier, 95 % 35 * 15 + 5, 95 / 35 * 15 + 5);
  other->PaletteMouseDown(Qt::LeftButton, Qt::NoModifier, 5, 5);

  Click(95, Qt::LeftButton, Qt::NoModifier);
  Palette->AddColor(0x0A0B0C);
  Click(0, Qt::LeftButton, Qt::NoModifier);
  EXPECT_EQ(DifferingPixels(Palette->Picture(), other->Picture()), "");
  EXPECT_EQ(CellColor(*Palette, 96), TColor(0x0A0B0C));
}

TEST_F(PaletteMouseTest, ShownPictureIsTheGrid) {
  Click(3, Qt::LeftButton, Qt::NoModifier);
  const QImage shown = Palette->grab().toImage();
  ASSERT_GE(shown.width(), Palette->Picture().Width());
  for (QPoint p : {QPoint(3 * 15 + 8, 8), QPoint(50 * 0 + 8, 8), QPoint(3 * 15 + 1, 5), QPoint(10, 20)}) {
    const TColor c = Palette->Picture().GetPixel(p.x(), p.y());
    EXPECT_EQ(shown.pixelColor(p), QColor(GetRValue(c), GetGValue(c), GetBValue(c))) << p.x() << "," << p.y();
  }
}

TEST(ColorPalette, AddColorFillsTheNextCellAndAddsRows) {
  auto p = MakePalette(0);
  p->SetColorsPerLine(4);
  EXPECT_EQ(p->CurrColorCount(), 0);
  EXPECT_EQ(p->FillColor(), RGB(1, 2, 3)); // empty grid: the background
  EXPECT_EQ(p->Picture().Height(), 15 + 2);
  const TColor colors[] = {clWhite, clBlack, clRed, clLime, clBlue, clYellow};
  for (TColor c : colors)
    EXPECT_TRUE(p->AddColor(c));
  EXPECT_EQ(p->CurrColorCount(), 6);
  EXPECT_EQ(p->Picture().Height(), 2 * 15 + 2); // the fifth colour added a row
  EXPECT_EQ(p->height(), p->Picture().Height());
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(CellColor(*p, i), colors[i]) << i;
  EXPECT_EQ(p->MaxColors(), 1000);
  EXPECT_EQ(p->FillColor(), RGB(1, 2, 3)); // the selection stays

  // A grid at its limit raises the limit by one.
  auto q = MakePalette(pltStandard, 20);
  q->AddColor(0x123456);
  EXPECT_EQ(q->MaxColors(), 21);
  EXPECT_EQ(q->CurrColorCount(), 21);
  EXPECT_EQ(CellColor(*q, 20), TColor(0x123456));
  q->AddColor(0x654321);
  EXPECT_EQ(q->MaxColors(), 22);

  // The 1-bit image type: no sets, a limit of 2 (which becomes 20), then
  // white and black.
  auto r = MakePalette(pltStandard);
  r->SetPaletteType(0);
  r->SetUpdating(false);
  r->SetMaxColors(2);
  r->SetUpdating(true);
  r->AddColor(clWhite);
  r->AddColor(clBlack);
  EXPECT_EQ(r->CurrColorCount(), 2);
  EXPECT_EQ(Cells(*r), (std::vector<TColor>{clWhite, clBlack}));
}

// A small photograph-like raster: gradients with noise.
std::shared_ptr<TBitmap> Photo(int w, int h, unsigned seed = 3) {
  auto b = std::make_shared<TBitmap>(w, h, pf24bit);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y) {
    uint8_t *row = b->ScanLine(y);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = uint8_t(x * 200 / w + (rng() & 31));
      row[3 * x + 1] = uint8_t(y * 200 / h + (rng() & 31));
      row[3 * x + 2] = uint8_t((x + y) * 200 / (w + h) + (rng() & 31));
    }
  }
  return b;
}

// The distinct masked colours of a raster in scan order, up to limit.
std::vector<TColor> ScanOrder(const TBitmap &b, TColorLayer layers, size_t limit) {
  std::vector<TColor> out;
  std::set<TColor> seen;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      TColor c = b.GetPixel(x, y);
      c = RGB(layers & clyRed ? GetRValue(c) : 0, layers & clyGreen ? GetGValue(c) : 0,
              layers & clyBlue ? GetBValue(c) : 0);
      if (seen.insert(c).second) {
        if (out.size() == limit)
          return out;
        out.push_back(c);
      }
    }
  return out;
}

TEST(ColorPaletteBitmap, ColoursOfTheSourceWithMasksAndLimit) {
  const auto photo = Photo(97, 61);
  const struct {
    TColorLayer Layers;
    int MaxColors;
  } cases[] = {{AllColorLayers, 1000}, {AllColorLayers, 20},     {clyRed, 1000}, {clyGreen, 1000},
               {clyBlue, 300},         {clyRed | clyBlue, 1000}, {0, 1000}};
  for (const auto &c : cases) {
    auto p = MakePalette(0, c.MaxColors);
    p->SetBitmapClLayers(c.Layers);
    p->SetBitmapColorSource(*photo);
    p->SetPaletteType(pltBitmap);
    const std::vector<TColor> expected = ScanOrder(*photo, c.Layers, size_t(p->MaxColors()));
    EXPECT_EQ(Cells(*p), expected) << "layers " << int(c.Layers) << " max " << c.MaxColors;
    if (c.Layers == clyRed) {
      EXPECT_LE(p->CurrColorCount(), 256);
      for (TColor cell : Cells(*p))
        EXPECT_EQ(cell & 0xFFFF00, 0u);
    }
  }
}

TEST(ColorPaletteBitmap, SetsBeforeTheBitmapAndDuplicatesAcrossThem) {
  TBitmap src(3, 1, pf24bit);
  src.SetPixel(0, 0, 0x000000); // in the standard set already
  src.SetPixel(1, 0, 0x010203);
  src.SetPixel(2, 0, 0xFFFFFF); // in the standard set already
  auto p = MakePalette(pltStandard | pltBitmap);
  p->SetBitmapColorSource(src);
  EXPECT_EQ(p->CurrColorCount(), 97);
  EXPECT_EQ(CellColor(*p, 96), TColor(0x010203));
}

TEST(ColorPaletteBitmap, SourceArgumentAndOtherPixelFormats) {
  auto p = MakePalette(pltBitmap);
  EXPECT_EQ(p->CurrColorCount(), 0); // nothing to read

  // A 4-bit source is read through its colours.
  auto four = std::make_shared<TBitmap>(4, 2, pf4bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      four->SetPixel(x, y, clBlack);
  four->SetPixel(0, 0, clRed);
  four->SetPixel(1, 0, clLime);
  four->SetPixel(2, 1, clBlue);
  p->BuildPalette(four);
  EXPECT_EQ(Cells(*p), (std::vector<TColor>{clRed, clLime, clBlack, clBlue}));

  // The argument wins over the stored source; an empty argument does not.
  TBitmap stored(1, 1, pf24bit);
  stored.SetPixel(0, 0, 0x445566);
  p->SetBitmapColorSource(stored);
  EXPECT_EQ(Cells(*p), (std::vector<TColor>{0x445566}));
  p->BuildPalette(four);
  EXPECT_EQ(p->CurrColorCount(), 4);
  p->BuildPalette(std::make_shared<TBitmap>());
  EXPECT_EQ(Cells(*p), (std::vector<TColor>{0x445566}));
  // The source was copied, not referenced.
  stored.SetPixel(0, 0, 0x778899);
  p->BuildPalette();
  EXPECT_EQ(Cells(*p), (std::vector<TColor>{0x445566}));
}

TEST(ColorPaletteBitmap, ProgressBarStepsEveryFiftyRows) {
  QProgressBar bar;
  auto p = MakePalette(0);
  p->SetProgressBar(&bar);
  std::vector<int> values;
  QObject::connect(&bar, &QProgressBar::valueChanged, [&](int v) { values.push_back(v); });
  p->SetBitmapClLayers(clyRed);
  p->SetBitmapColorSource(*Photo(40, 120));
  p->SetPaletteType(pltBitmap);
  EXPECT_EQ(bar.maximum(), 120 / 50 + 1);
  EXPECT_EQ(bar.value(), 0);
  EXPECT_EQ(values, (std::vector<int>{0, 1, 2, 3, 0}));
  // A destroyed progress bar is forgotten.
  {
    auto gone = std::make_unique<QProgressBar>();
    p->SetProgressBar(gone.get());
  }
  EXPECT_EQ(p->ProgressBar(), nullptr);
  p->SetMaxColors(30);
}

// Events handled while a rebuild runs may ask for another one, change the
// source or destroy the palette.
class PaletteReentryTest : public testing::Test {
protected:
  void SetUp() override { InstallQtCoreHooks(0); } // every row runs events
  void TearDown() override { InstallQtCoreHooks(); }
};

TEST_F(PaletteReentryTest, ARebuildAskedDuringARebuildStartsItOver) {
  auto p = MakePalette(0);
  p->SetBitmapColorSource(*Photo(50, 400));
  TSelections sel(*p);
  QTimer::singleShot(0, p.get(), [&] { p->SetPaletteType(pltStandard); });
  p->SetPaletteType(pltBitmap);
  EXPECT_EQ(p->PaletteType(), pltStandard);
  EXPECT_EQ(Cells(*p), Distinct({Standard}));
  EXPECT_EQ(sel.Entries.size(), 1u);
}

TEST_F(PaletteReentryTest, SourceReplacedDuringTheScan) {
  auto p = MakePalette(0);
  p->SetBitmapClLayers(clyGreen);
  p->SetBitmapColorSource(*Photo(50, 400));
  TBitmap small(1, 1, pf24bit);
  small.SetPixel(0, 0, 0x00AB00);
  // Shrinking the stored source directly (no new rebuild) ends the scan
  // at its last row instead of reading freed rows.
  QTimer::singleShot(0, p.get(), [&] { p->BitmapColorSource().Assign(small); });
  p->SetPaletteType(pltBitmap);
  EXPECT_GE(p->CurrColorCount(), 1);
  // Through the setter it starts over on the new source.
  QTimer::singleShot(0, p.get(), [&] { p->SetBitmapColorSource(small); });
  p->SetBitmapColorSource(*Photo(50, 400));
  EXPECT_EQ(Cells(*p), (std::vector<TColor>{0x00AB00}));
}

TEST_F(PaletteReentryTest, PaletteDestroyedDuringARebuild) {
  auto p = MakePalette(0);
  p->SetBitmapColorSource(*Photo(50, 400));
  TLUMColorPalette *raw = p.get();
  QTimer::singleShot(0, qApp, [&] { p.reset(); });
  raw->SetPaletteType(pltBitmap);
  EXPECT_EQ(p, nullptr);
}

TEST(ColorPalette, HintAndAccessibleName) {
  TLUMColorPalette p;
  const auto name = [&] { return QAccessible::queryAccessibleInterface(&p)->text(QAccessible::Name); };
  EXPECT_EQ(name(), QStringLiteral("Farbpalette"));
  const QString hint = QStringLiteral(
      "Linke Maustaste = Füllfarbe\nRechte Maustaste = Linienfarbe\nStrg. Taste = Papierfarbe");
  SetHint(&p, hint);
  EXPECT_EQ(p.toolTip(), hint);
  EXPECT_EQ(name(), hint);
}

} // namespace
} // namespace tessaro
