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

// How far a long routine has come: done of total rows. The user interface
// installs a receiver while it runs an operation on a document and shows
// the figure in the frame's status bar; without one nothing happens.
using TProgressReceiver = std::function<void(int done, int total)>;
void ReportProgress(int done, int total);

// Installs a receiver for the lifetime of the object; the one before it
// returns afterwards.
class TProgressScope {
public:
  explicit TProgressScope(TProgressReceiver receiver);
  ~TProgressScope();
  TProgressScope(const TProgressScope &) = delete;
  TProgressScope &operator=(const TProgressScope &) = delete;

private:
  TProgressReceiver FPrevious;
};

// Calls the message loop before every row whose index is a multiple of
// interval (row 0 included); when the routine names its total, the row is
// reported as progress first, so the events show it. Use inside row loops.
inline void RowTick(int y, int interval = 100, int total = 0) {
  if (y % interval == 0) {
    if (total > 0)
      ReportProgress(y, total);
    ProcessMessages();
  }
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
