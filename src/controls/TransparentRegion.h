// The see-through window region of a floating object: every pixel of its
// face whose colour differs from the see-through colour, built from the
// horizontal runs of kept pixels (rows with the same runs share one band),
// and the worker that computes it while the user-interface thread waits.
#pragma once

#include "controls/ObjectFace.h"

#include <QPointer>
#include <QRegion>

#include <functional>

class QProgressBar;

namespace tessaro {

// The kept pixels of a face drawn on the see-through colour. A system
// colour never matches a pixel, so then the whole control is kept.
// rowDone is called after each row (from the calling thread).
QRegion KeptRegion(const TFaceLook &face, TColor transparentColor,
                   const std::function<void(int row)> &rowDone = nullptr);

class TThreadTransparent {
public:
  // Everything the worker reads is handed over here; the picture is shared,
  // not copied, and nobody changes it while the worker runs.
  TThreadTransparent(TFaceLook face, TColor transparentColor, QProgressBar *progressBar);

  // Runs the worker and waits for it. Meanwhile the progress bar (maximum
  // Trunc(picture height / 50)) advances once every 50 rows; it is back at 0
  // afterwards, also when the computation failed (its exception then
  // reaches the caller).
  QRegion Execute();

private:
  TFaceLook FFace;
  TColor FTransparentColor;
  QPointer<QProgressBar> FProgressBar;
};

} // namespace tessaro
