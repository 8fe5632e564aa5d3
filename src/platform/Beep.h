// The short warning sound of the desktop. Tests read how often it sounded.
#pragma once

namespace tessaro {

// Sounds the desktop's beep (QApplication::beep) and counts it.
void Beep();

// Number of beeps since the start or the last reset (for tests).
int BeepCount();
void ResetBeepCount();

} // namespace tessaro
