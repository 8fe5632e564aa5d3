// Which family file handles a tool. A tool without a handler does nothing on
// the image.
#include "document/tools/DimensionTools.h"
#include "document/tools/LineTools.h"
#include "document/tools/MarkTools.h"
#include "document/tools/PixelTools.h"
#include "document/tools/ShapeTools.h"
#include "document/tools/ToolEngine.h"

namespace tessaro {

const TToolHandler *ToolHandler(TDrawTool tool) {
  using TFamily = const TToolHandler *(*)(TDrawTool);
  for (TFamily family :
       {&LineToolHandler, &ShapeToolHandler, &PixelToolHandler, &DimensionToolHandler, &MarkToolHandler}) {
    if (const TToolHandler *h = family(tool))
      return h;
  }
  return nullptr;
}

} // namespace tessaro
