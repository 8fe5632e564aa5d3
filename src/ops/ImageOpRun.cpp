// Running a row of the operation table in the working format.
#include "ops/ImageOps.h"

namespace tessaro {

namespace {

bool RunRoutine(TBitmap &bitmap, const TImageOp &op, const TOpArgs &args) {
  return op.Run == nullptr || op.Run(bitmap, args);
}

void BringTo(TBitmap &bitmap, TPixelFormat pf) {
  if (bitmap.PixelFormat() != pf)
    bitmap.SetPixelFormat(pf);
}

} // namespace

bool RunImageOp(TBitmap &bitmap, const TImageOp &op, const TOpArgs &args) {
  if (op.Format != frOwnFormat)
    BringTo(bitmap, pf24bit);
  return RunRoutine(bitmap, op, args);
}

bool RunImageCommand(TBitmap &bitmap, const TImageOp &op, const TOpArgs &args, TPixelFormat imageType,
                     const std::function<void()> &recordUndo) {
  auto record = [&recordUndo] {
    if (recordUndo)
      recordUndo();
  };
  switch (op.Format) {
  case frOwnFormat:
    record();
    return RunRoutine(bitmap, op, args);
  case frConvertFirst: {
    // The snapshot is taken from the 24-bit raster.
    const TPixelFormat remembered = bitmap.PixelFormat();
    BringTo(bitmap, pf24bit);
    record();
    const bool ok = RunRoutine(bitmap, op, args);
    BringTo(bitmap, remembered);
    return ok;
  }
  default: {
    // The snapshot keeps the document's format.
    record();
    BringTo(bitmap, pf24bit);
    const bool ok = RunRoutine(bitmap, op, args);
    BringTo(bitmap, imageType);
    return ok;
  }
  }
}

} // namespace tessaro
