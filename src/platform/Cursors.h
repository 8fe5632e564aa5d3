// The program's own mouse cursors 1 to 20 (0 is the platform's arrow): a
// cross whose centre is the hot spot, where the tool acts, with the tool's
// picture beside it. Drawn once at first use, at twice the pixel density on
// screens that need it.
#pragma once

#include <QCursor>
#include <QPoint>

namespace tessaro {

constexpr int ToolCursorCount = 20;

// The cursor of an id from the tool table; ids outside 1 to 20 give the
// arrow.
QCursor CursorOfId(int id);

// Hot spot of the program's cursors, in logical pixels of the cursor image.
QPoint ToolCursorHotSpot();

} // namespace tessaro
