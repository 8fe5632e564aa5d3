#include "core/FileUtil.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {

namespace {
void SetError(std::string *error, const std::string &text) {
  if (error)
    *error = text;
}

template <class TBuffer>
bool ReadWholeFileInto(const std::string &path, TBuffer &out, std::string *error, uint64_t maxBytes) {
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) {
    SetError(error, "Die Datei \"" + path + "\" kann nicht geöffnet werden: " + std::strerror(errno));
    return false;
  }
  struct stat st;
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(f);
    SetError(error, "\"" + path + "\" ist keine Datei.");
    return false;
  }
  if (uint64_t(st.st_size) > maxBytes) {
    std::fclose(f);
    SetError(error, "Die Datei \"" + path + "\" ist zu groß.");
    return false;
  }
  out.resize(size_t(st.st_size));
  size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f);
  bool ok = got == out.size() && !std::ferror(f);
  std::fclose(f);
  if (!ok) {
    out.clear();
    SetError(error, "Die Datei \"" + path + "\" kann nicht gelesen werden.");
  }
  return ok;
}
} // namespace

bool ReadWholeFile(const std::string &path, std::vector<uint8_t> &out, std::string *error,
                   uint64_t maxBytes) {
  return ReadWholeFileInto(path, out, error, maxBytes);
}

bool ReadWholeFile(const std::string &path, TPixelBuffer &out, std::string *error, uint64_t maxBytes) {
  return ReadWholeFileInto(path, out, error, maxBytes);
}

bool WriteFileAtomically(const std::string &path, const std::function<bool(FILE *)> &writer,
                         std::string *error) {
  std::string dir = ".";
  std::string name = path;
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos) {
    dir = slash == 0 ? "/" : path.substr(0, slash);
    name = path.substr(slash + 1);
  }
  std::string tmpl = dir + "/." + name + ".XXXXXX";
  int fd = mkstemp(tmpl.data());
  if (fd < 0) {
    SetError(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(errno));
    return false;
  }
  // Keep the mode of an existing file, else the usual mode for new files.
  struct stat st;
  mode_t mode;
  if (stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  FILE *f = fdopen(fd, "wb");
  if (!f) {
    close(fd);
    unlink(tmpl.c_str());
    SetError(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden.");
    return false;
  }
  static thread_local std::vector<char> buffer(1 << 20);
  setvbuf(f, buffer.data(), _IOFBF, buffer.size());
  bool ok = writer(f);
  ok = (std::fflush(f) == 0) && ok && !std::ferror(f);
  int saved = errno;
  ok = (std::fclose(f) == 0) && ok;
  if (ok && std::rename(tmpl.c_str(), path.c_str()) != 0) {
    saved = errno;
    ok = false;
  }
  if (!ok) {
    unlink(tmpl.c_str());
    SetError(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(saved));
  }
  return ok;
}

bool WriteFileAtomically(const std::string &path, const void *data, size_t size, std::string *error) {
  return WriteFileAtomically(
      path, [&](FILE *f) { return size == 0 || std::fwrite(data, 1, size, f) == size; }, error);
}

} // namespace tessaro
