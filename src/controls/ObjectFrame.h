// The frame of a floating object: the 4-pixel margin around its picture
// holds a dotted focus rectangle and eight sizer squares, and the margin's
// hit zones decide whether a left press moves the object or resizes one of
// its edges or corners. Shared by the floating image and text controls.
#pragma once

#include "core/Canvas.h"

#include <QRect>
#include <Qt>

#include <cstdint>

namespace tessaro {

enum TSizerZone : uint8_t {
  szMove,
  szRight,
  szLeft,
  szTop,
  szBottom,
  szTopLeft,
  szTopRight,
  szBottomLeft,
  szBottomRight,
};

// The zone under a point (x, y) relative to the top-left of a control of
// w x h pixels. Edges are 8 pixels deep, corners 10 x 10; the strips between
// them belong to the move zone.
TSizerZone SizerZone(int x, int y, int w, int h);

// The cursor shown while hovering a zone (the move zone shows the arrow).
Qt::CursorShape ZoneCursor(TSizerZone zone);

// The bounds after the pointer was dragged by delta from where a press in
// the zone began, the control's bounds then being start. Resizing keeps the
// opposite edges where they are and never makes a side smaller than one
// pixel.
QRect TrackedBounds(TSizerZone zone, const QRect &start, QPoint delta);

// Draws the focus frame of a control of W x H pixels: the dotted rectangle
// (4, 3, W - 3, H - 3) in the line colour, then the eight sizer squares
// outlined in the line colour and filled with the sizer colour, all in the
// given pen mode. Nothing is drawn and the result is false when the canvas is
// missing or W or H is below 10.
bool DrawFocusFrame(TCanvas *Canvas, int W, int H, TColor LineColor, TColor SizerColor, TPenMode Mode);

// The two halves of the focus frame. The dots are drawn around the whole
// rectangle at once (their pattern runs around it); the sizers may be drawn
// shifted by (dx, dy), so that a strip of the control can be drawn on a
// bitmap of the strip's size.
void DrawFocusDots(TCanvas &Canvas, int W, int H, TColor LineColor, TPenMode Mode);
void DrawFocusSizers(TCanvas &Canvas, int W, int H, TColor LineColor, TColor SizerColor, TPenMode Mode,
                     int dx = 0, int dy = 0);

} // namespace tessaro
