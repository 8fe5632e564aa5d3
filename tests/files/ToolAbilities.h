// What the outside tools that cross-check our files can do on this machine.
// A program being installed is not enough: ImageMagick reads some formats
// only through codecs packaged apart from it, and Ghostscript renders only
// through the devices it was built with. Tests that need such an ability
// skip with a message naming what is missing (scripts/setup.sh installs it).
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tessaro::test {

// Everything the command prints on its standard output ("" when it cannot run).
inline std::string ToolOutput(const std::string &cmd) {
  std::string out;
  FILE *p = popen((cmd + " 2>/dev/null").c_str(), "r");
  if (!p)
    return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0)
    out.append(buf, n);
  pclose(p);
  return out;
}

// The mode column ("rw+", "r--", ...) of the format in ImageMagick's list of
// formats, "" when ImageMagick is missing or does not know the format.
inline std::string MagickFormatMode(const std::string &format) {
  static const std::string list =
      access("/usr/bin/convert", X_OK) == 0 ? ToolOutput("/usr/bin/convert -list format") : std::string();
  std::istringstream lines(list);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string name, word;
    if (!(words >> name))
      continue;
    if (!name.empty() && name.back() == '*')
      name.pop_back();
    if (name.size() != format.size())
      continue;
    bool same = true;
    for (size_t i = 0; i < name.size(); ++i)
      same = same && std::toupper(static_cast<unsigned char>(name[i])) ==
                         std::toupper(static_cast<unsigned char>(format[i]));
    if (!same)
      continue;
    // Format, module, mode: the mode is the first word of three mode letters.
    while (words >> word)
      if (word.size() == 3 && (word[0] == 'r' || word[0] == '-') && (word[1] == 'w' || word[1] == '-') &&
          (word[2] == '+' || word[2] == '-'))
        return word;
  }
  return "";
}

inline bool MagickCanRead(const std::string &format) {
  return MagickFormatMode(format).starts_with("r");
}

// Skips the test when ImageMagick cannot read the format here.
#define TESSARO_REQUIRE_MAGICK_READ(format, package)                                                         \
  do {                                                                                                       \
    if (!::tessaro::test::MagickCanRead(format))                                                             \
      GTEST_SKIP() << "ImageMagick cannot read " << (format) << " here (the package " << (package)           \
                   << " brings it; scripts/setup.sh installs it)";                                           \
  } while (0)

// Ghostscript runs and can render a page to the raw PPM device the EPS
// reader uses.
inline bool GhostscriptCanRender() {
  static const bool can = [] {
    if (access("/usr/bin/gs", X_OK) != 0)
      return false;
    std::string help = ToolOutput("/usr/bin/gs -h");
    return help.find(" ppmraw") != std::string::npos || help.find("\nppmraw") != std::string::npos;
  }();
  return can;
}

#define TESSARO_REQUIRE_GHOSTSCRIPT()                                                                        \
  do {                                                                                                       \
    if (!::tessaro::test::GhostscriptCanRender())                                                            \
      GTEST_SKIP() << "Ghostscript (/usr/bin/gs) with its ppmraw device is not installed here (the package " \
                      "ghostscript brings it; scripts/setup.sh installs it)";                                \
  } while (0)

} // namespace tessaro::test
