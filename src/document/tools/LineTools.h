// The line tools' handlers (null for the other tools).
#pragma once

#include "document/tools/ToolEngine.h"

namespace tessaro {

const TToolHandler *LineToolHandler(TDrawTool tool);

} // namespace tessaro
