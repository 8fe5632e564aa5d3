#include "core/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {

std::string PrivateTempFolder() {
  const char *env = std::getenv("TMPDIR");
  std::string base = (env && *env) ? env : "/tmp";
  while (base.size() > 1 && base.back() == '/')
    base.pop_back();
  std::string dir = base + "/tessaro-" + std::to_string(getuid());
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
    return std::string();
  struct stat st;
  // lstat: a symbolic link planted by somebody else is refused.
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
    return std::string();
  if ((st.st_mode & 0077) != 0 && chmod(dir.c_str(), 0700) != 0)
    return std::string();
  return dir + "/";
}

} // namespace tessaro
