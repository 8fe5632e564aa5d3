#include "platform/Beep.h"

#include <QApplication>

namespace tessaro {

namespace {
int GBeepCount = 0;
}

void Beep() {
  ++GBeepCount;
  QApplication::beep();
}

int BeepCount() {
  return GBeepCount;
}
void ResetBeepCount() {
  GBeepCount = 0;
}

} // namespace tessaro
