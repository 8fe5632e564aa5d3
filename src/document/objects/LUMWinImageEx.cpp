#include "document/objects/LUMWinImageEx.h"

namespace tessaro {

TLUMWinImageEx::TLUMWinImageEx(QWidget *parent)
    : TLUMWinImage(parent), FSourceBitmap(std::make_shared<const TBitmap>()) {
  FBlendLevel = 0;
}

void TLUMWinImageEx::SetSourceBitmap(std::shared_ptr<const TBitmap> bitmap) {
  FSourceBitmap = bitmap ? std::move(bitmap) : std::make_shared<const TBitmap>();
}

} // namespace tessaro
