// Hooks through which long raster routines keep the user interface alive:
// the message loop and the wait cursor. The user interface installs them at
// start; without it they do nothing. Core never blocks on the user.
#pragma once

#include "core/Bitmap.h"

#include <functional>

namespace tessaro {

struct TCoreHooks {
  std::function<void()> ProcessMessages;
  std::function<void()> BeginWaitCursor;
  std::function<void()> EndWaitCursor;
};

void SetCoreHooks(TCoreHooks hooks);
const TCoreHooks &CoreHooks();

// Runs the installed message loop hook (if any).
void ProcessMessages();

// Hourglass cursor for the lifetime of the object, restored on every path.
class TWaitCursor {
public:
  TWaitCursor();
  ~TWaitCursor();
  TWaitCursor(const TWaitCursor &) = delete;
  TWaitCursor &operator=(const TWaitCursor &) = delete;
};

// Calls the message loop before every row whose index is a multiple of
// interval (row 0 included). Use inside row loops.
inline void RowTick(int y, int interval = 100) {
  if (y % interval == 0)
    ProcessMessages();
}

// The working-format rule of every raster routine: a missing bitmap or one
// that is not pf24bit makes the routine return False without change.
inline bool IsWorkingBitmap(const TBitmap *bmp) {
  return bmp != nullptr && bmp->PixelFormat() == pf24bit;
}

// "Assign with itself": announces that the whole picture changed.
inline void AnnounceChange(TBitmap &bmp) {
  bmp.Assign(bmp);
}

} // namespace tessaro
