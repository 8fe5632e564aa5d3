// Installs the Qt side of the core hooks: the message loop and the wait
// cursor that long raster routines call.
#pragma once

namespace tessaro {

// ProcessMessages runs the Qt event loop only when at least intervalMs
// milliseconds passed since it last did, so that pixel loops may call it
// often at almost no cost. The wait cursor is the application's override
// cursor (nested pairs are counted by Qt).
void InstallQtCoreHooks(int intervalMs = 20);

// Runs pending events now, whatever the interval says.
void ProcessMessagesNow();

} // namespace tessaro
