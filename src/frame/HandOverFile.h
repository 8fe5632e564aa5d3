// The hand-over file "LoadList.txt" in the cache folder: a second start
// leaves the file it was given there (one line, CR LF, replacing what was
// there), and the running program opens every line it accepts, then deletes
// the file. Names are kept as the bytes the system gave them.
#pragma once

#include <string>
#include <vector>

namespace tessaro {

// CacheRootFolder() + "/LoadList.txt"; empty without a cache folder.
std::string HandOverFilePath();

// The hand-over of a second start: when fileName names an existing file,
// writes it as the only line of the hand-over file (creating the cache
// folder when needed) and returns true. The file is replaced as a whole, so
// the running program never reads half a line.
bool WriteHandOverFile(const std::string &fileName);
bool WriteHandOverFile(const std::string &path, const std::string &fileName);

// The lines of the hand-over file in order, without their line ends and
// without empty lines. Reads at most MaxHandOverBytes; a longer file is read
// that far (its last, cut line dropped). False when there is no readable
// file.
inline constexpr size_t MaxHandOverBytes = 1 << 20;
bool ReadHandOverFile(const std::string &path, std::vector<std::string> &lines);

// Deletes the hand-over file (clearing its write protection first); a
// folder or anything else in its place is left alone.
void DeleteHandOverFile(const std::string &path);

// Whether a handed-over line is opened: an existing regular file whose
// extension is one of the droppable picture types or ".bmp".
bool AcceptHandOverLine(const std::string &line);

} // namespace tessaro
