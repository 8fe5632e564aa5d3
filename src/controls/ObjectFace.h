// What a floating image control shows: its background, its picture at
// (4, 4) (stretched into the inner rectangle when asked) and its focus frame.
// The face is rendered strip by strip, so that neither painting nor the
// see-through region ever needs a bitmap of the whole control.
#pragma once

#include "core/Bitmap.h"

#include <memory>
#include <vector>

namespace tessaro {

struct TFaceLook {
  std::shared_ptr<const TBitmap> Bitmap; // may be null or empty
  int Width = 0;
  int Height = 0;
  bool Stretch = false;
  bool Frame = true;
  TColor LineColor = clBlack;
  TColor SizerColor = clBlack;
};

class TObjectFace {
public:
  explicit TObjectFace(TFaceLook look);

  const TFaceLook &Look() const { return FLook; }

  // Renders the control rectangle (x, y, strip.Width(), strip.Height()) onto
  // strip (pf24bit): the background colour, the picture, the frame.
  void Render(int x, int y, TBitmap &strip, TColor background) const;

private:
  TFaceLook FLook;
  bool FHasFrame = false;
  // Which pixels of the dotted rectangle's four lines are set: the rows
  // y = 3 and y = H - 4 by x, the columns x = 4 and x = W - 4 by y.
  std::vector<bool> FTopDots, FBottomDots, FLeftDots, FRightDots;
};

} // namespace tessaro
