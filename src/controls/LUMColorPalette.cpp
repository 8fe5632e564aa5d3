#include "controls/LUMColorPalette.h"

#include "controls/ColorTables.h"
#include "core/Canvas.h"
#include "core/Hooks.h"
#include "core/Palettes.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>

#include <algorithm>
#include <exception>
#include <vector>

namespace tessaro {

namespace {

constexpr int MinMaxColors = 20;

// The pixel a cell's colour is read from; a point off the picture reads as
// the background.
TColor CellColorAt(const TBitmap &picture, int x, int y, TColor background) {
  if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height())
    return ColorToRGB(background);
  return picture.GetPixel(x, y);
}

} // namespace

// One run of the grid build: lays out cells left to right, row by row, and
// grows the picture as rows fill (the picture starts small, so that large
// limits cost only the rows they use).
class TLUMColorPalette::TBuild {
public:
  TBuild(TLUMColorPalette &owner, int cellSize, int perRow, int maxColors)
      : FOwner(owner), FCanvas(owner.FPicture.Canvas()), FSize(cellSize), FPerRow(perRow),
        FMaxColors(maxColors) {}

  int Count() const { return FCount; }
  int Row() const { return FRow; }
  bool Full() const { return FCount >= FMaxColors; }
  int Room() const { return std::max(0, FMaxColors - FCount); }
  TColorSet &Seen() { return FSeen; }

  // The picture: n cells wide plus one pixel, filled with the background.
  void Start(int rows) {
    TBitmap &pic = FOwner.FPicture;
    pic.Allocate(FPerRow * FSize + 1, rows * FSize + 2, pf24bit, false);
    FillBackground(0, pic.Height());
    FOwner.SetPictureSize(pic.Width(), pic.Height());
  }

  // Adds the colour unless it is in the grid already. Plain colour values only.
  void Offer(TColor c) {
    if (Full() || FSeen.Contains(c))
      return;
    FSeen.Insert(c);
    Draw(c);
  }

  // Draws a cell for a colour already put into the set.
  void Draw(TColor c) {
    EnsureRow(FRow);
    FCanvas.Pen = TPen{};
    FCanvas.Pen.Color = clWhite;
    FCanvas.Brush.Style = bsSolid;
    FCanvas.Brush.Color = c;
    FCanvas.Rectangle(FColumn * FSize, FRow * FSize, (FColumn + 1) * FSize, (FRow + 1) * FSize);
    if (FOwner.FPicture.Width() > (FColumn + 2) * FSize) {
      ++FColumn;
    } else {
      FColumn = 0;
      ++FRow;
    }
    ++FCount;
  }

  // Makes sure the picture holds row r and the margin below it.
  void EnsureRow(int r) {
    TBitmap &pic = FOwner.FPicture;
    const int need = (r + 1) * FSize + 2;
    if (pic.Height() >= need)
      return;
    const int maxRows = (FMaxColors + FPerRow - 1) / FPerRow + 1;
    const int rows = std::max(r + 1, std::min(2 * (pic.Height() / FSize), maxRows));
    const int oldHeight = pic.Height();
    pic.SetHeight(rows * FSize + 2);
    FillBackground(oldHeight, pic.Height());
    FOwner.SetPictureSize(pic.Width(), pic.Height());
  }

private:
  void FillBackground(int top, int bottom) {
    FCanvas.Brush.Style = bsSolid;
    FCanvas.Brush.Color = FOwner.FPaletteBgColor;
    FCanvas.FillRect(TRect(0, top, FOwner.FPicture.Width(), bottom));
  }

  TLUMColorPalette &FOwner;
  TCanvas &FCanvas;
  const int FSize;
  const int FPerRow;
  const int FMaxColors;
  TColorSet FSeen;
  int FCount = 0;
  int FColumn = 0;
  int FRow = 0;
};

TLUMColorPalette::TLUMColorPalette(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LUMColorPalette"));
  setAccessibleName(QStringLiteral("Farbpalette"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(525, 15);
  BuildPalette();
}

TLUMColorPalette::~TLUMColorPalette() = default;

void TLUMColorPalette::SetPaletteType(TPaletteType value) {
  FPaletteType = value;
  BuildPalette();
}

void TLUMColorPalette::SetBitmapClLayers(TColorLayer value) {
  FBitmapClLayers = value;
  if ((FPaletteType & pltBitmap) && !FBitmapColorSource.Empty())
    BuildPalette();
}

void TLUMColorPalette::SetMaxColors(int value) {
  FMaxColors = uint16_t(std::clamp(value, MinMaxColors, 0xFFFF));
  BuildPalette();
}

void TLUMColorPalette::SetBitmapColorSource(const TBitmap &value) {
  if (&value != &FBitmapColorSource)
    FBitmapColorSource.Assign(value);
  if (FPaletteType & pltBitmap)
    BuildPalette();
}

void TLUMColorPalette::SetPaletteEntrySize(int value) {
  FPaletteEntrySize = uint8_t(value < 10 || value > 100 ? 15 : value);
  BuildPalette();
}

void TLUMColorPalette::SetPaletteBgColor(TColor value) {
  FPaletteBgColor = value;
  BuildPalette();
}

void TLUMColorPalette::SetColorsPerLine(int value) {
  FColorsPerLine = value;
  if (value > 0)
    BuildPalette();
}

QSize TLUMColorPalette::sizeHint() const {
  return FPicture.Empty() ? QSize(525, 15) : QSize(FPicture.Width(), FPicture.Height());
}

void TLUMColorPalette::SetPictureSize(int w, int h) {
  resize(w, h);
  updateGeometry();
  update();
}

bool TLUMColorPalette::Yield(const QPointer<TLUMColorPalette> &alive) {
  ProcessMessages();
  return alive && !FStartOver;
}

void TLUMColorPalette::BuildPalette(std::shared_ptr<const TBitmap> source) {
  if (!FUpdating)
    return;
  if (FBuilding) {
    // Asked from an event handled inside the running build: that one starts
    // over with the newest settings.
    FStartOver = true;
    FStartOverSource = std::move(source);
    return;
  }
  TWaitCursor wait;
  FBuilding = true;
  for (;;) {
    FStartOver = false;
    FStartOverSource.reset();
    const TBuildEnd end = RunBuild(source);
    if (end == TBuildEnd::Destroyed)
      return;
    if (end == TBuildEnd::Finished)
      break;
    source = std::move(FStartOverSource);
  }
  FBuilding = false;
}

TLUMColorPalette::TBuildEnd TLUMColorPalette::RunBuild(const std::shared_ptr<const TBitmap> &source) {
  const QPointer<TLUMColorPalette> alive(this);
  const int s = FPaletteEntrySize;
  const int maxColors = FMaxColors;
  if (FColorsPerLine > 0)
    resize(FColorsPerLine * s, height());
  else if (width() < s)
    resize(s, height());
  const int perRow = std::max(1, width() / s);

  TBuild build(*this, s, perRow, maxColors);
  // How the build ends when an event let through stopped it.
  const auto interrupted = [&alive] { return alive ? TBuildEnd::StartOver : TBuildEnd::Destroyed; };
  bool finished = true;
  try {
    build.Start(std::min((maxColors + perRow - 1) / perRow, 8) + 1);

    const auto tableSet = [&](auto &&colors, bool yieldEach) {
      for (TColor c : colors) {
        if (build.Full())
          return true;
        if (yieldEach && !Yield(alive))
          return false;
        build.Offer(c);
      }
      return true;
    };
    std::vector<TColor> system, vga;
    for (const TRGBQuad &q : SystemPalette20())
      system.push_back(ColorFromQuad(q));
    for (const TRGBQuad &q : VgaPalette())
      vga.push_back(ColorFromQuad(q));

    if (FPaletteType & pltSystem) {
      tableSet(system, false);
      if (!Yield(alive))
        return interrupted();
    }
    if (FPaletteType & pltVGA) {
      tableSet(vga, false);
      if (!Yield(alive))
        return interrupted();
    }
    if (FPaletteType & pltStandard) {
      if (!tableSet(StandardColors, true) || !Yield(alive))
        return interrupted();
    }
    if ((FPaletteType & pltHTML) && !tableSet(HTMLColors, true))
      return interrupted();

    if (FPaletteType & pltBitmap) {
      std::shared_ptr<const TBitmap> src = source;
      if (!src || src->Empty()) // the palette's own source, not owned by the pointer
        src = std::shared_ptr<const TBitmap>(std::shared_ptr<const TBitmap>(), &FBitmapColorSource);
      if (!src->Empty()) {
        // Other pixel formats are read from a 24-bit copy.
        if (src->PixelFormat() != pf24bit) {
          auto copy = std::make_shared<TBitmap>(*src);
          copy->SetPixelFormat(pf24bit);
          src = std::move(copy);
        }
        const int h = src->Height();
        if (FProgressBar) {
          FProgressBar->setValue(0);
          FProgressBar->setMaximum(h / 50 + 1);
        }
        const uint32_t mask = StoredChannelMask(FBitmapClLayers);
        std::vector<TColor> found;
        for (int y = 0; y < h; ++y) {
          if (!Yield(alive))
            return interrupted();
          if (build.Full())
            break;
          if (y % 50 == 0) {
            if (FProgressBar)
              FProgressBar->setValue(FProgressBar->value() + 1);
            if (!Yield(alive))
              return interrupted();
          }
          // The source may have been changed by an event handled above.
          if (y >= src->Height() || src->PixelFormat() != pf24bit)
            break;
          found.clear();
          ScanColorRow(src->ScanLine(y), src->Width(), mask, build.Seen(), size_t(build.Room()), found);
          for (TColor c : found)
            build.Draw(c);
        }
      }
    }
  } catch (const std::exception &) {
    // Out of memory for the picture: the grid keeps the cells drawn so far.
    finished = false;
  }

  // Final size: the rows in use plus the row of the next free cell, then
  // everything one pixel right and down.
  TCanvas &c = FPicture.Canvas();
  if (finished)
    build.EnsureRow(build.Row());
  const int rowsHeight = (build.Row() + 1) * s + 2;
  if (FPicture.Height() > rowsHeight || finished)
    FPicture.SetHeight(rowsHeight);
  {
    const TBitmap unshifted(FPicture);
    c.CopyMode = cmSrcCopy;
    c.Draw(1, 1, unshifted);
  }
  FClean.Assign(FPicture);

  // The first cell is selected: its colour becomes fill and line colour.
  FSelectedCell = TPoint(1, 1);
  c.Brush.Style = bsClear;
  c.Pen = TPen{};
  c.Pen.Color = FFrameColor;
  c.Rectangle(1, 1, s, s);
  c.Rectangle(-1, -1, s + 2, s + 2);
  c.Pen.Color = clWhite;
  c.Rectangle(0, 0, s + 1, s + 1);
  FFillColor = FLineColor = CellColorAt(FPicture, 2, 2, FPaletteBgColor);
  SetPictureSize(FPicture.Width(), FPicture.Height());

  FCurrColorCount = build.Count();
  emit SelectionChange(FFillColor, FLineColor, FPaperColor);
  if (!alive)
    return TBuildEnd::Destroyed;
  if (FProgressBar)
    FProgressBar->setValue(0);
  return TBuildEnd::Finished;
}

bool TLUMColorPalette::AddColor(TColor value) {
  if (FMaxColors == FCurrColorCount && FMaxColors < 0xFFFF)
    ++FMaxColors;
  const int s = FPaletteEntrySize;
  const int n = std::max(1, FPicture.Width() / s);
  int m = FPicture.Height() / s;
  // The cell goes into the picture and into its copy without the frame.
  TBitmap *const pictures[] = {&FPicture, &FClean};
  if (n * m <= FCurrColorCount) {
    // No free cell: one more row.
    const int width = FPicture.Width(), height = FPicture.Height() + s;
    for (TBitmap *pic : pictures) {
      const int oldHeight = pic->Height();
      pic->SetSize(width, height);
      TCanvas &c = pic->Canvas();
      c.Brush.Style = bsSolid;
      c.Brush.Color = FPaletteBgColor;
      c.FillRect(TRect(0, std::min(m * s, oldHeight), pic->Width(), (m + 1) * s + 2));
    }
    ++m;
    SetPictureSize(FPicture.Width(), FPicture.Height());
  }
  int x, y;
  if (FCurrColorCount % n != 0) {
    y = (FCurrColorCount / n) * s + 1;
    x = (FCurrColorCount % n) * s + 1;
  } else {
    y = (m - 1) * s + 1;
    x = 1;
  }
  for (TBitmap *pic : pictures) {
    TCanvas &c = pic->Canvas();
    c.Pen = TPen{};
    c.Pen.Color = clWhite;
    c.Brush.Style = bsSolid;
    c.Brush.Color = value;
    c.Rectangle(x, y, x + s, y + s);
  }
  ++FCurrColorCount;
  update();
  return true;
}

void TLUMColorPalette::PaletteMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  // While a rebuild runs the cells are not in their places yet.
  if (FBuilding)
    return;
  TCanvas &c = FPicture.Canvas();
  const int s = FPaletteEntrySize;
  const int sx = FSelectedCell.X, sy = FSelectedCell.Y;

  // Remove the old frame by restoring what lay under it (the rings reach
  // two pixels beyond the cell).
  if (FClean.Width() == FPicture.Width() && FClean.Height() == FPicture.Height()) {
    const TRect around(sx - 3, sy - 3, sx + s + 3, sy + s + 3);
    c.CopyMode = cmSrcCopy;
    c.CopyRect(around, FClean.Canvas(), around);
  }

  // Frame the new cell.
  const int cx = (x / s) * s, cy = (y / s) * s;
  FSelectedCell = TPoint(cx + 1, cy + 1);
  c.Brush.Style = bsClear;
  c.Pen = TPen{};
  c.Pen.Color = FFrameColor;
  c.Rectangle(cx + 1, cy + 1, cx + s, cy + s);
  c.Rectangle(cx - 1, cy - 1, cx + s + 2, cy + s + 2);
  update();

  const TColor color = CellColorAt(FPicture, cx + 2, cy + 2, FPaletteBgColor);
  if (shift & Qt::ControlModifier) {
    FPaperColor = color;
  } else if (shift & Qt::ShiftModifier) {
    FFillColor = FLineColor = color;
  } else if (button == Qt::LeftButton) {
    FFillColor = color;
  } else if (button == Qt::RightButton) {
    FLineColor = color;
  }
  emit SelectionChange(FFillColor, FLineColor, FPaperColor);
}

void TLUMColorPalette::mousePressEvent(QMouseEvent *event) {
  const QPoint p = event->position().toPoint();
  if (p.x() < 0 || p.y() < 0)
    return;
  PaletteMouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TLUMColorPalette::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (FPicture.Empty())
    return;
  const QImage image(FPicture.Bits(), FPicture.Width(), FPicture.Height(), qsizetype(FPicture.RowBytes()),
                     QImage::Format_BGR888);
  painter.drawImage(0, 0, image);
}

} // namespace tessaro
