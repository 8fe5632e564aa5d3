// The colour palette grid: a picture of colour cells from which the user
// picks colours with the mouse. Left button = fill colour, right button =
// line colour, Ctrl = paper colour, Shift = fill and line colour together.
//
// The grid shows any combination of five colour sets, laid out in this
// order: the 20 static system colours, the 16 VGA colours, 99 standard
// colours, 140 HTML colours and the distinct colours of a bitmap (with
// colour channels optionally masked out). A colour already in the grid is
// not added again. Every rebuild and every mouse press on the grid reports
// the three current colours through SelectionChange.
//
// The widget sizes itself to its grid; place it in a scroll area that does
// not resize its widget. Rebuilds run only while Updating() is true; callers
// that set several properties switch it off first and on again before the
// last setter.
#pragma once

#include "controls/BitmapColorScan.h"
#include "core/Bitmap.h"
#include "core/Types.h"

#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace tessaro {

enum TPaletteTypeItem : uint8_t { pltSystem = 1, pltVGA = 2, pltStandard = 4, pltHTML = 8, pltBitmap = 16 };
using TPaletteType = uint8_t;

class TLUMColorPalette : public QWidget {
  Q_OBJECT
public:
  explicit TLUMColorPalette(QWidget *parent = nullptr);
  ~TLUMColorPalette() override;

  TPaletteType PaletteType() const { return FPaletteType; }
  void SetPaletteType(TPaletteType value);

  // Channels kept when the bitmap's colours are collected. Rebuilds only
  // when the bitmap set is shown and the colour source is not empty.
  TColorLayer BitmapClLayers() const { return FBitmapClLayers; }
  void SetBitmapClLayers(TColorLayer value);

  // The most cells the grid shows; values below 20 become 20.
  uint16_t MaxColors() const { return FMaxColors; }
  void SetMaxColors(int value);

  // The bitmap whose colours the bitmap set shows. The setter copies the
  // bitmap and rebuilds when the bitmap set is on; the non-const access
  // lets a caller fill it without a rebuild.
  const TBitmap &BitmapColorSource() const { return FBitmapColorSource; }
  TBitmap &BitmapColorSource() { return FBitmapColorSource; }
  void SetBitmapColorSource(const TBitmap &value);

  // Pixels per cell side; values outside 10..100 become 15.
  uint8_t PaletteEntrySize() const { return FPaletteEntrySize; }
  void SetPaletteEntrySize(int value);

  TColor PaletteBgColor() const { return FPaletteBgColor; }
  void SetPaletteBgColor(TColor value);

  // Colour of the selection frame, used from the next selection on.
  TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(TColor value) { FFrameColor = value; }

  // Number of cells drawn.
  int CurrColorCount() const { return FCurrColorCount; }

  // Cells per row; values of 0 or below let the widget's width decide.
  int ColorsPerLine() const { return FColorsPerLine; }
  void SetColorsPerLine(int value);

  // Shows the progress of a bitmap scan (not owned; forgotten when it is
  // destroyed).
  QProgressBar *ProgressBar() const { return FProgressBar; }
  void SetProgressBar(QProgressBar *bar) { FProgressBar = bar; }

  // The current colours. Setting them changes no cell and reports nothing.
  TColor FillColor() const { return FFillColor; }
  TColor LineColor() const { return FLineColor; }
  TColor PaperColor() const { return FPaperColor; }
  void SetFillColor(TColor c) { FFillColor = c; }
  void SetLineColor(TColor c) { FLineColor = c; }
  void SetPaperColor(TColor c) { FPaperColor = c; }

  // Rebuilds happen only while this is true (it is after construction).
  bool Updating() const { return FUpdating; }
  void SetUpdating(bool value) { FUpdating = value; }

  // Rebuilds the grid. A non-empty source takes the place of
  // BitmapColorSource for the bitmap set; it is kept alive while the
  // rebuild runs. A rebuild requested while one is running (from an event
  // handled during it) makes the running one start over.
  void BuildPalette(std::shared_ptr<const TBitmap> source = nullptr);

  // Appends one cell of the colour, without the duplicate check and without
  // changing the selection; adds a row when the grid is full. Always true.
  bool AddColor(TColor value);

  // The grid picture as shown, and the top-left pixel of the framed cell.
  const TBitmap &Picture() const { return FPicture; }
  TPoint SelectedCell() const { return FSelectedCell; }

  // A mouse press on the grid at (x, y): moves the frame to the cell there
  // and takes its colour as the button and keys say. Ignored while a
  // rebuild runs.
  void PaletteMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

  QSize sizeHint() const override;

signals:
  // After every rebuild and every mouse press on the grid.
  void SelectionChange(TColor FillColor, TColor LineColor, TColor PaperColor);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  enum class TBuildEnd { Finished, StartOver, Destroyed };
  class TBuild;
  TBuildEnd RunBuild(const std::shared_ptr<const TBitmap> &source);
  // Lets pending events run; false when the build must end (the widget was
  // destroyed or a new rebuild was requested).
  bool Yield(const QPointer<TLUMColorPalette> &alive);
  void SetPictureSize(int w, int h);

  TPaletteType FPaletteType = pltStandard;
  TColorLayer FBitmapClLayers = AllColorLayers;
  uint16_t FMaxColors = 500;
  TBitmap FBitmapColorSource;
  uint8_t FPaletteEntrySize = 15;
  TColor FPaletteBgColor = clWhite;
  TColor FFrameColor = clBlue;
  int FCurrColorCount = 0;
  int FColorsPerLine = -1;
  QPointer<QProgressBar> FProgressBar;

  TColor FFillColor = clBlack;
  TColor FLineColor = clBlack;
  TColor FPaperColor = clWhite;
  TPoint FSelectedCell{1, 1};
  bool FUpdating = true;

  bool FBuilding = false;
  bool FStartOver = false;
  std::shared_ptr<const TBitmap> FStartOverSource;

  TBitmap FPicture;
  // The grid without the selection frame, from which a moved frame is
  // erased.
  TBitmap FClean;
};

} // namespace tessaro
