// The document's floating image: the floating image control with the
// picture as it was inserted, from which every cross-fade starts again, and
// the cross-fade level last applied.
#pragma once

#include "controls/LUMWinImage.h"

#include <memory>

namespace tessaro {

class TLUMWinImageEx : public TLUMWinImage {
  Q_OBJECT
public:
  explicit TLUMWinImageEx(QWidget *parent = nullptr);

  // The pixels as inserted (24-bit; never null). Shared with the picture
  // shown until one of them changes.
  const TBitmap &SourceBitmap() const { return *FSourceBitmap; }
  std::shared_ptr<const TBitmap> SharedSourceBitmap() const { return FSourceBitmap; }
  void SetSourceBitmap(std::shared_ptr<const TBitmap> bitmap);

  // The cross-fade level last applied (0 to 100).
  int BlendLevel() const { return FBlendLevel; }
  void SetBlendLevel(int level) { FBlendLevel = level; }

private:
  std::shared_ptr<const TBitmap> FSourceBitmap;
  int FBlendLevel = 0;
};

} // namespace tessaro
