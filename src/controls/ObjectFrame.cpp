#include "controls/ObjectFrame.h"

#include <algorithm>

namespace tessaro {

TSizerZone SizerZone(int x, int y, int w, int h) {
  const bool midY = y > 10 && y < h - 10;
  const bool midX = x > 10 && x < w - 10;
  if (x > w - 8 && midY)
    return szRight;
  if (x < 8 && midY)
    return szLeft;
  if (midX && y < 8)
    return szTop;
  if (midX && y > h - 8)
    return szBottom;
  if (x < 10 && y < 10)
    return szTopLeft;
  if (x > w - 10 && y < 10)
    return szTopRight;
  if (x < 10 && y > h - 10)
    return szBottomLeft;
  if (x > w - 10 && y > h - 10)
    return szBottomRight;
  return szMove;
}

Qt::CursorShape ZoneCursor(TSizerZone zone) {
  switch (zone) {
  case szRight:
  case szLeft:
    return Qt::SizeHorCursor;
  case szTop:
  case szBottom:
    return Qt::SizeVerCursor;
  case szTopLeft:
  case szBottomRight:
    return Qt::SizeFDiagCursor;
  case szTopRight:
  case szBottomLeft:
    return Qt::SizeBDiagCursor;
  default:
    return Qt::ArrowCursor;
  }
}

QRect TrackedBounds(TSizerZone zone, const QRect &start, QPoint delta) {
  if (zone == szMove)
    return start.translated(delta);
  int left = start.x(), top = start.y();
  int right = start.x() + start.width(), bottom = start.y() + start.height();
  const bool l = zone == szLeft || zone == szTopLeft || zone == szBottomLeft;
  const bool r = zone == szRight || zone == szTopRight || zone == szBottomRight;
  const bool t = zone == szTop || zone == szTopLeft || zone == szTopRight;
  const bool b = zone == szBottom || zone == szBottomLeft || zone == szBottomRight;
  if (l)
    left = std::min(left + delta.x(), right - 1);
  if (r)
    right = std::max(right + delta.x(), left + 1);
  if (t)
    top = std::min(top + delta.y(), bottom - 1);
  if (b)
    bottom = std::max(bottom + delta.y(), top + 1);
  return QRect(left, top, right - left, bottom - top);
}

void DrawFocusDots(TCanvas &Canvas, int W, int H, TColor LineColor, TPenMode Mode) {
  Canvas.Brush.Style = bsClear;
  Canvas.Pen.Color = LineColor;
  Canvas.Pen.Style = psDot;
  Canvas.Pen.Width = 1;
  Canvas.Pen.Mode = Mode;
  Canvas.Rectangle(4, 3, W - 3, H - 3);
}

void DrawFocusSizers(TCanvas &Canvas, int W, int H, TColor LineColor, TColor SizerColor, TPenMode Mode,
                     int dx, int dy) {
  Canvas.Brush.Style = bsSolid;
  Canvas.Brush.Color = SizerColor;
  Canvas.Pen.Color = LineColor;
  Canvas.Pen.Style = psSolid;
  Canvas.Pen.Width = 1;
  Canvas.Pen.Mode = Mode;
  const int cx = W / 2, cy = H / 2;
  const TRect squares[] = {{1, 0, 8, 7},           {cx - 3, 0, cx + 4, 7},     {W - 7, 0, W, 7},
                           {1, H - 7, 8, H},       {cx - 3, H - 7, cx + 4, H}, {W - 7, H - 7, W, H},
                           {1, cy - 3, 8, cy + 4}, {W - 7, cy - 3, W, cy + 4}};
  for (const TRect &s : squares)
    Canvas.Rectangle(s.Left + dx, s.Top + dy, s.Right + dx, s.Bottom + dy);
}

bool DrawFocusFrame(TCanvas *Canvas, int W, int H, TColor LineColor, TColor SizerColor, TPenMode Mode) {
  if (Canvas == nullptr || W < 10 || H < 10)
    return false;
  DrawFocusDots(*Canvas, W, H, LineColor, Mode);
  DrawFocusSizers(*Canvas, W, H, LineColor, SizerColor, Mode);
  return true;
}

} // namespace tessaro
