// The pixel tools' handlers (null for the other tools): pipette, eraser, fill
// bucket, brush, clone and crop.
#pragma once

#include "document/tools/ToolEngine.h"

namespace tessaro {

const TToolHandler *PixelToolHandler(TDrawTool tool);

// Cuts a document's raster down to the box from (left, top) of the given
// size, keeping its pixel format and palette; parts of the box outside the
// picture become the document's paper colour. False when the box is empty or
// (after a German message) when the memory for the result cannot be had; the
// raster is unchanged then.
bool CropDocument(TfrmChild &doc, int left, int top, int width, int height);

} // namespace tessaro
