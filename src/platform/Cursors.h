// The program's mouse cursors by id: 0 the arrow, 1 to 20 the tools' own.
#pragma once

#include <QCursor>

namespace tessaro {

QCursor CursorOfId(int id);

} // namespace tessaro
