// The marking tools' handlers (null for the other tools).
#pragma once

#include "document/tools/ToolEngine.h"

namespace tessaro {

const TToolHandler *MarkToolHandler(TDrawTool tool);

} // namespace tessaro
