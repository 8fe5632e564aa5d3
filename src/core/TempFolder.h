// The private per-user temporary folder below which the program keeps its
// cache: $TMPDIR (or /tmp) followed by "tessaro-<uid>", mode 0700, owned by
// the user and never a symbolic link. Ends with a "/".
#pragma once

#include <string>

namespace tessaro {

// Creates the folder when needed; returns an empty string when no safe
// folder can be had (someone else owns it, it is a link, ...).
std::string PrivateTempFolder();

} // namespace tessaro
