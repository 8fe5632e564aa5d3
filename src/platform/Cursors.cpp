#include "platform/Cursors.h"

namespace tessaro {

QCursor CursorOfId(int id) {
  return id <= 0 ? QCursor(Qt::ArrowCursor) : QCursor(Qt::CrossCursor);
}

} // namespace tessaro
