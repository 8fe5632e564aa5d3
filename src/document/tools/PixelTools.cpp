// The pixel tools: pipette, eraser, fill bucket, brush, clone and crop.
#include "document/tools/PixelTools.h"

#include "core/Canvas.h"
#include "document/UnChild.h"
#include "document/tools/BoxTool.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <cstdlib>
#include <new>

namespace tessaro {

namespace {

// Size of eraser, brush and clone ("Radierer, Pinsel und Kloneinstellungen").
int StdSize(const TToolEngine &e) {
  return ToolNumber(e.Attributes().StdSize, 5, 0, 9999);
}

bool Inside(const TBitmap &bmp, TPoint p) {
  return p.X >= 0 && p.Y >= 0 && p.X < bmp.Width() && p.Y < bmp.Height();
}

// Any button may pick: left for the fill colour (with Shift fill and line,
// with Ctrl the paper), right for the line colour. A release off the picture
// picks nothing.
class TPipetteTool : public TToolHandler {
public:
  void Release(TToolEngine &e, TPoint p, int, int) const override {
    const TBitmap &bmp = e.Document().Bitmap();
    if (!Inside(bmp, p))
      return;
    unsigned targets = 0;
    if (e.Button() == mbLeft) {
      if (e.Shift() & ssShift)
        targets = ptFill | ptLine;
      else if (e.Shift() & ssCtrl)
        targets = ptPaper;
      else
        targets = ptFill;
    } else if (e.Button() == mbRight) {
      targets = ptLine;
    }
    if (targets)
      e.Document().Host().PipetteColor(targets, e.Canvas().Pixels(p.X, p.Y));
  }
};

// Paints with the frame's paper colour, continuing from the press point or
// the previous move.
class TEraseTool : public TToolHandler {
public:
  void Move(TToolEngine &e, TPoint p, int, int) const override {
    TCanvas &c = e.Canvas();
    const TColor paper = e.Attributes().PaperColor;
    c.Pen.Mode = pmCopy;
    c.Pen.Style = psSolid;
    c.Brush.Style = bsSolid;
    c.Brush.Color = paper;
    c.Pen.Color = paper;
    c.Pen.Width = StdSize(e);
    c.LineTo(p.X, p.Y);
  }
};

// Fills the area of one colour around the point with the fill colour and
// the pattern chosen in the fill kind list ("Keine Füllung" is not asked),
// combined by the frame's drawing mode: the moves leave the inverting mode of
// the rubber band on the canvas, which would fill with the inverse.
class TFillTool : public TToolHandler {
public:
  void Release(TToolEngine &e, TPoint p, int, int) const override {
    TCanvas &c = e.Canvas();
    if (!Inside(c.Bitmap(), p))
      return;
    const TToolAttributes &a = e.Attributes();
    c.Pen.Mode = a.PenMode;
    c.Brush.Color = a.BrushColor;
    c.Brush.Style = a.FillKind;
    c.FloodFill(p.X, p.Y, c.Pixels(p.X, p.Y), fsSurface);
  }
};

// Paints freehand with the fill colour at the size of the toolbar, in the
// frame's drawing mode and line kind.
class TBrushTool : public TToolHandler {
public:
  void Move(TToolEngine &e, TPoint p, int, int) const override {
    TCanvas &c = e.Canvas();
    ApplyDrawAttributes(c, e.Attributes());
    c.Pen.Width = StdSize(e);
    c.Pen.Color = e.Attributes().BrushColor;
    c.Brush.Style = bsClear;
    c.LineTo(p.X, p.Y);
  }
};

// FPoints holds the source point in element 0 and, during a stroke, the
// stroke's first drag point in element 1: their difference is the offset
// from a painted point to its source, kept for the whole stroke. An inverted
// frame around the source square follows the mouse.
class TCloneTool : public TToolHandler {
public:
  void Move(TToolEngine &e, TPoint p, int, int) const override {
    std::vector<TPoint> &pts = e.FPoints;
    if (pts.empty())
      return;
    const bool first = pts.size() == 1;
    if (first)
      pts.push_back(p);
    const TPoint d = Offset(e);
    const int w = StdSize(e);
    TCanvas &c = e.Canvas();
    if (!first)
      Indicator(e, e.FLastPoint, d, w);
    // The frame of the previous point is gone and the one of this point is
    // drawn only after the copy: a copy over an inverted frame would leave
    // it behind in the picture when the frames overlap the painted square.
    // The copy is 1:1 in picture pixels at every zoom.
    c.Pen.Mode = pmCopy;
    c.CopyMode = cmSrcCopy;
    c.CopyRect(TRect(p.X, p.Y, p.X + w, p.Y + w), c,
               TRect(p.X + d.X, p.Y + d.Y, p.X + d.X + w, p.Y + d.Y + w));
    e.SetXorStyle();
    Indicator(e, p, d, w);
  }
  // The source moves with the stroke: the next one continues from where
  // this one left it (in picture coordinates at every zoom).
  void Release(TToolEngine &e, TPoint p, int, int) const override { EndStroke(e, p); }
  void Cancel(TToolEngine &e) const override { EndStroke(e, e.FLastPoint); }
  bool KeepsLastPoint(const TToolEngine &e) const override { return e.FPoints.empty(); }

private:
  static TPoint Offset(const TToolEngine &e) {
    return TPoint(e.FPoints[0].X - e.FPoints[1].X, e.FPoints[0].Y - e.FPoints[1].Y);
  }
  static void Indicator(TToolEngine &e, TPoint q, TPoint d, int w) {
    e.Canvas().Rectangle(q.X + d.X - 1, q.Y + d.Y - 1, q.X + d.X + w + 2, q.Y + d.Y + w + 2);
  }
  static void EndStroke(TToolEngine &e, TPoint p) {
    if (e.FPoints.size() < 2)
      return;
    e.SetXorStyle();
    const TPoint d = Offset(e);
    Indicator(e, e.FLastPoint, d, StdSize(e));
    e.FPoints[0] = TPoint(p.X + d.X, p.Y + d.Y);
    e.FPoints.resize(1);
  }
};

// The rectangle rubber band; the release keeps the dragged size from the
// press point, whichever way the mouse went.
class TCropTool : public TBoxTool {
protected:
  void Band(TToolEngine &e, TPoint q) const override {
    e.Canvas().Rectangle(e.FStartPoint.X, e.FStartPoint.Y, q.X, q.Y);
  }
  void Commit(TToolEngine &e, TPoint p, int, int) const override {
    const TPoint s = e.FStartPoint;
    CropDocument(e.Document(), s.X, s.Y, std::abs(p.X - s.X), std::abs(p.Y - s.Y));
  }
};

} // namespace

bool CropDocument(TfrmChild &doc, int left, int top, int width, int height) {
  // A picture without pixels could be neither saved nor kept in the history,
  // so the next undo would fail and the picture be lost: a drag of no width
  // or height (a mere click) leaves it as it is.
  if (width <= 0 || height <= 0)
    return false;
  TBitmap &raster = doc.Bitmap();
  TBitmap cut;
  try {
    cut.Allocate(width, height, raster.PixelFormat(), false);
  } catch (const std::bad_alloc &) {
    Beep();
    MessageDlg(QString("Nicht genügend Speicher, um das Bild zu beschneiden."), mtError, mbOK);
    return false;
  }
  if (IsPaletteFormat(raster.PixelFormat()))
    cut.SetPalette(raster.Palette());
  const TRect keep(left, top, left + width, top + height);
  const TRect inside = IntersectRect(keep, TRect(0, 0, raster.Width(), raster.Height()));
  TCanvas &c = cut.Canvas();
  if (inside != keep) {
    c.Brush.Color = doc.PaperColor();
    c.Brush.Style = bsSolid;
    c.FillRect(TRect(0, 0, width, height));
  }
  if (!inside.IsEmpty()) {
    c.CopyMode = cmSrcCopy;
    c.CopyRect(TRect(inside.Left - left, inside.Top - top, inside.Right - left, inside.Bottom - top),
               raster.Canvas(), inside);
  }
  raster.AssignMove(std::move(cut));
  if (doc.Host().ActiveChild() == &doc)
    doc.Host().ApplyZoom();
  else
    doc.SetZoom(doc.Zoom());
  return true;
}

const TToolHandler *PixelToolHandler(TDrawTool tool) {
  static const TPipetteTool pipette;
  static const TEraseTool erase;
  static const TFillTool fill;
  static const TBrushTool brush;
  static const TCloneTool clone;
  static const TCropTool crop;
  switch (tool) {
  case dtPipette:
    return &pipette;
  case dtErase:
    return &erase;
  case dtFill:
    return &fill;
  case dtPen:
    return &brush;
  case dtClone:
    return &clone;
  case dtCutImage:
    return &crop;
  default:
    return nullptr;
  }
}

} // namespace tessaro
