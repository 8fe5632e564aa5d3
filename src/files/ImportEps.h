// Settings of the EPS reader's Ghostscript path (the fuzz target turns it off
// so that it never starts processes).
#pragma once

namespace tessaro {

void SetEpsRenderingEnabled(bool enabled);
// Longest time (seconds, wall clock and CPU) one rendering may take; 30 by
// default.
void SetEpsRenderTimeout(int seconds);

} // namespace tessaro
