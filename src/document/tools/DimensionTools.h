// The dimension tools' handlers (null for the other tools): horizontal and
// vertical dimension lines.
#pragma once

#include "core/Canvas.h"
#include "document/tools/ToolEngine.h"

#include <QString>

namespace tessaro {

const TToolHandler *DimensionToolHandler(TDrawTool tool);

// The label of a dimension line: the length in millimetres of the screen with
// one decimal (locale separators), a blank and the unit text. The number is
// millimetres whatever the unit says.
QString DimensionLabel(double millimetres, const QString &unit);

// The label font of the dimension toolbar in the raster's terms.
TFont DimensionFont(const TToolAttributes &attributes);

} // namespace tessaro
