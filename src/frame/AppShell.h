// The program's start, piece by piece, so that the program entry and the
// tests run the same steps: a later start hands its file to the running
// program; the first start routes the requests it receives to the frame (or,
// while only the splash screen exists, drops the open requests).
#pragma once

#include <string>
#include <vector>

namespace tessaro {

class TSingleInstance;

// The steps of a later start, in order: the running program comes to the
// front; when argument 1 names an existing file it is written into the
// hand-over file and the running program is asked to read it at once.
// arguments are the program's arguments as the system passed them.
// Returns whether the running program took the requests in time (it reads
// the hand-over file by its timer anyway).
bool HandOverToRunningProgram(const std::string &socketPath, const std::vector<std::string> &arguments);

// Sends every request the instance receives to the frame of the running
// program, or to the splash screen while there is no frame.
void RouteShellRequests(TSingleInstance &instance);

} // namespace tessaro
