#include "document/tools/ToolEngine.h"

#include "core/Canvas.h"
#include "core/Lenient.h"
#include "document/UnChild.h"
#include "platform/Cursors.h"
#include "platform/ScreenMetrics.h"

#include <QLocale>

#include <cmath>

namespace tessaro {

QString FormatMm(double mm) {
  return QLocale().toString(mm, 'f', 2);
}

TToolEngine::TToolEngine(TfrmChild &doc) : FDoc(doc) {}

TCanvas &TToolEngine::Canvas() const {
  return FDoc.Bitmap().Canvas();
}

double TToolEngine::ZoomFactor() const {
  return FDoc.Zoom() / 100.0;
}

TPoint TToolEngine::ImagePoint(int x, int y) const {
  const double z = ZoomFactor();
  return TPoint(int(std::trunc(x / z)), int(std::trunc(y / z)));
}

void TToolEngine::ReadAttributes() {
  FAttributes = FDoc.Host().DrawAttributes();
}

void TToolEngine::SetXorStyle() const {
  TCanvas &c = Canvas();
  c.Pen.Mode = pmNotXor;
  c.Pen.Style = psSolid;
  c.Pen.Color = clBlack;
  c.Pen.Width = 1;
  c.Brush.Style = bsClear;
}

void TToolEngine::ApplyLineAttributes() const {
  TCanvas &c = Canvas();
  ApplyDrawAttributes(c, FAttributes);
  c.Brush.Style = bsClear;
}

void TToolEngine::InvertDot(TPoint p) const {
  TCanvas &c = Canvas();
  c.Pen.Mode = pmNotXor;
  c.Pen.Color = clBlack;
  // One pixel whatever width the last figure left on the pen: a wider dot
  // would stick out of the line and stay behind inverted.
  c.Pen.Width = 1;
  c.Pen.Style = psSolid;
  c.MoveTo(p.X, p.Y);
  c.LineTo(p.X + 1, p.Y + 1);
}

void TToolEngine::SetStatus(int panel, const QString &text) const {
  FDoc.Host().SetStatusText(panel, text);
}

QString TToolEngine::Measure(int pixels, double exact, bool horizontal) const {
  const QString unit = FAttributes.DimUnit;
  if (pixels == 0)
    return QString("0 (0") + QLocale().decimalPoint() + "000 " + unit + ")";
  const double mm = horizontal ? HorzMm(exact) : VertMm(exact);
  return QString::number(pixels) + " (" + FormatMm(mm) + " " + unit + ")";
}

void TToolEngine::ShowExtent(int x, int y) const {
  if (FDoc.Zoom() != 100)
    return;
  const double z = ZoomFactor();
  const double dy = (y - FStartPoint.Y) / z, dx = (x - FStartPoint.X) / z;
  SetStatus(2, "H: " + Measure(int(std::trunc(dy)), dy, false));
  SetStatus(3, "B: " + Measure(int(std::trunc(dx)), dx, true));
}

void TToolEngine::ImageMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  ReadAttributes();
  if (FDrawing)
    return;
  if (button != mbLeft && Tool() != dtPipette)
    return;
  FShift = shift;
  FButton = button;
  const TPoint p = ImagePoint(x, y);
  FStartPoint = p;
  FLastPoint = p;
  FDotted = false;
  Canvas().MoveTo(p.X, p.Y);
  const TToolHandler *handler = ToolHandler(Tool());
  if (handler)
    handler->BeforePress(*this);
  if (const char *caption = ToolInfo(Tool()).UndoCaption) {
    // A step that could not be recorded (the cache folder is gone) draws
    // nothing: the user could not take the figure back.
    if (!FDoc.AddUndoStep(caption))
      return;
  }
  FDrawing = true;
  if (handler)
    handler->Pressed(*this, p);
}

void TToolEngine::ImageMouseMove(TShiftState shift, int x, int y) {
  ReadAttributes();
  FShift = shift;
  const double z = ZoomFactor();
  const QString unit = FAttributes.DimUnit;
  SetStatus(0, "X: " + QString::number(int(std::trunc(x / z))) + " (" + FormatMm(HorzMm(x / z)) + " " + unit +
                   ")");
  SetStatus(1, "Y: " + QString::number(int(std::trunc(y / z))) + " (" + FormatMm(VertMm(y / z)) + " " + unit +
                   ")");
  SetStatus(2, QString());
  SetStatus(3, QString());
  int corners = 0;
  TryLenientStrToInt(FAttributes.RectRoundCorners.toStdString(), corners);
  FDoc.Image->setCursor(CursorOfId(ToolCursor(Tool(), corners)));
  if (!FDrawing)
    return;
  SetXorStyle();
  const TPoint p = ImagePoint(x, y);
  const TToolHandler *handler = ToolHandler(Tool());
  if (handler)
    handler->Move(*this, p, x, y);
  if (!handler || !handler->KeepsLastPoint(*this))
    FLastPoint = p;
}

void TToolEngine::ImageClick() {
  ReadAttributes();
  const TDrawTool tool = Tool();
  const bool collects = tool == dtPolyLine || tool == dtBezier || tool == dtPolygon || tool == dtClone;
  if (!FDrawing && !collects)
    return;
  const QPoint at = FDoc.Image->LastMousePos();
  const TPoint c = ImagePoint(at.x(), at.y());
  if (FPoints.empty())
    FPoints.push_back(c);
  if (tool == dtClone)
    return;
  FPoints.push_back(c);
  if (tool == dtPolyLine || tool == dtBezier || tool == dtPolygon) {
    InvertDot(c);
    FDotted = true;
  }
}

void TToolEngine::ImageMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!FDrawing)
    return;
  ReadAttributes();
  FShift = shift;
  FButton = button;
  FDrawing = false;
  if (const TToolHandler *handler = ToolHandler(Tool()))
    handler->Release(*this, ImagePoint(x, y), x, y);
}

void TToolEngine::ImageDblClick() {
  ReadAttributes();
  FDrawing = false;
  if (Tool() == dtBezier) {
    TCanvas &c = Canvas();
    c.Pen.Mode = pmNotXor;
    c.Pen.Color = clBlack;
    for (size_t i = 0; i + 1 < FPoints.size(); ++i)
      InvertDot(FPoints[i]);
  }
  FPoints.clear();
}

void TToolEngine::CancelDrawing() {
  if (!FDrawing)
    return;
  ReadAttributes();
  FDrawing = false;
  SetXorStyle();
  if (const TToolHandler *handler = ToolHandler(Tool()))
    handler->Cancel(*this);
}

} // namespace tessaro
