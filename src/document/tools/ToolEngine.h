// The tool engine of a document: a small state machine keyed by the frame's
// active tool. A press records an undo step and starts tracking; moves draw
// an inverted rubber band straight into the raster; the release draws the
// final figure with the frame's attributes; multi-point tools collect clicked
// points and end at a double click. The tools themselves live in one file per
// family and plug in through TToolHandler.
#pragma once

#include "core/Types.h"
#include "document/ImageView.h"
#include "document/tools/ToolAttributes.h"

#include <QString>

#include <vector>

namespace tessaro {

class TCanvas;
class TfrmChild;
class TToolEngine;

// What one tool does at the engine's steps. P is the image point of the
// event; x and y are its raw control coordinates.
class TToolHandler {
public:
  virtual ~TToolHandler() = default;
  // Before the undo step of a press (a tool that clears something first).
  virtual void BeforePress(TToolEngine &) const {}
  // After the press was accepted (undo step recorded, tracking started).
  virtual void Pressed(TToolEngine &, TPoint) const {}
  // A move while tracking, with the canvas in the inverted rubber-band style.
  virtual void Move(TToolEngine &, TPoint, int, int) const {}
  // The release of a tracked press.
  virtual void Release(TToolEngine &, TPoint, int, int) const {}
  // Escape during a drag: draw the rubber band of the last point once more
  // so that it disappears (the canvas is already in rubber-band style).
  virtual void Cancel(TToolEngine &) const {}
  // Whether the engine keeps FLastPoint as it is after this move.
  virtual bool KeepsLastPoint(const TToolEngine &) const { return false; }
};

// The handler of a tool; null for tools that do nothing on the image.
const TToolHandler *ToolHandler(TDrawTool tool);

class TToolEngine {
public:
  explicit TToolEngine(TfrmChild &doc);

  // The five handlers of the image control, in the platform's order.
  void ImageMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void ImageMouseMove(TShiftState shift, int x, int y);
  void ImageClick();
  void ImageMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void ImageDblClick();
  // Escape: ends a drag in progress and removes its rubber band.
  void CancelDrawing();

  // Engine state.
  bool FDrawing = false;
  TPoint FStartPoint;
  TPoint FLastPoint;
  std::vector<TPoint> FPoints;
  // The click of the current press marked its point with an inverted dot.
  bool FDotted = false;

  // For the tools.
  TfrmChild &Document() const { return FDoc; }
  TCanvas &Canvas() const;
  // The frame's attributes as read at the current event.
  const TToolAttributes &Attributes() const { return FAttributes; }
  TDrawTool Tool() const { return FAttributes.Tool; }
  TShiftState Shift() const { return FShift; }
  TMouseButton Button() const { return FButton; }
  // FZoom / 100.
  double ZoomFactor() const;
  // The image point of control coordinates (truncating division by the zoom).
  TPoint ImagePoint(int x, int y) const;
  // The inverted rubber-band style: pen pmNotXor, solid, black, width 1;
  // clear brush.
  void SetXorStyle() const;
  // Pen and brush of the frame, then a clear brush (the line tools' final
  // strokes).
  void ApplyLineAttributes() const;
  // An inverted dot at a point (pen pmNotXor, black).
  void InvertDot(TPoint p) const;
  // Status panels 2 and 3 during a drag: height and width of the extent
  // ("H:", "B:"), shown only at zoom 100.
  void ShowExtent(int x, int y) const;
  void SetStatus(int panel, const QString &text) const;
  // "n (mm unit)" of a pixel distance, horizontal or vertical.
  QString Measure(int pixels, double exact, bool horizontal) const;

private:
  void ReadAttributes();

  TfrmChild &FDoc;
  TToolAttributes FAttributes;
  TShiftState FShift = 0;
  TMouseButton FButton = mbLeft;
};

// A millimetre value as the status bar shows it: two decimals with the
// locale's separators.
QString FormatMm(double mm);

} // namespace tessaro
