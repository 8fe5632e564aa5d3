// Encapsulated PostScript. A binary EPS file with a TIFF preview shows the
// preview; otherwise the PostScript is rendered by Ghostscript when it is
// installed, in safe mode, into a private temporary folder and with bounded
// time and output size. Without Ghostscript the file cannot be read.
#include "files/ImportEps.h"

#include "core/TempFolder.h"
#include "files/ImportCommon.h"
#include "files/ImportTiff.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tessaro {
namespace {

using namespace importer;

std::atomic<bool> RenderingEnabled{true};

constexpr const char *ErrNoGhostscript =
    "Zum Lesen von Postscript-Dateien wird Ghostscript (gs) benötigt; es ist nicht installiert.";
constexpr const char *ErrGhostscript = "Ghostscript konnte die Postscript-Datei nicht darstellen.";
std::atomic<int> RenderSeconds{30};

bool IsBinaryEps(const uint8_t *head, size_t size) {
  return size >= 30 && head[0] == 0xC5 && head[1] == 0xD0 && head[2] == 0xD3 && head[3] == 0xC6;
}

std::string FindGhostscript() {
  const char *path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (dir.empty())
      continue;
    std::string candidate = dir + "/gs";
    if (access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return "";
}

// The box the PostScript claims, to refuse absurd page sizes before
// Ghostscript renders them.
bool BoundingBoxTooLarge(const uint8_t *ps, size_t size) {
  std::string head(reinterpret_cast<const char *>(ps), std::min<size_t>(size, 8192));
  size_t at = head.find("%%BoundingBox:");
  if (at == std::string::npos)
    return false;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::istringstream box(head.substr(at + 14, 200));
  if (!(box >> x1 >> y1 >> x2 >> y2))
    return false;
  double w = x2 - x1, h = y2 - y1;
  return w * h > double(MaxImportPixels) || w > 65535 || h > 65535;
}

// Removes the private working folder of one rendering.
struct TFolderGuard {
  std::filesystem::path Path;
  ~TFolderGuard() {
    std::error_code ec;
    if (!Path.empty())
      std::filesystem::remove_all(Path, ec);
  }
};

bool RenderWithGhostscript(const uint8_t *ps, size_t size, TBitmap &bmp, std::string &error) {
  if (!RenderingEnabled)
    return Fail(error, ErrNoGhostscript);
  std::string gs = FindGhostscript();
  if (gs.empty())
    return Fail(error, ErrNoGhostscript);
  if (BoundingBoxTooLarge(ps, size))
    return Fail(error, ErrTooLarge);

  std::string base = PrivateTempFolder();
  if (base.empty())
    return Fail(error, ErrGhostscript);
  std::string tmpl = base + "eps-XXXXXX";
  if (!mkdtemp(tmpl.data()))
    return Fail(error, ErrGhostscript);
  TFolderGuard guard{tmpl};
  const std::string input = tmpl + "/input.eps", output = tmpl + "/output.ppm";
  {
    std::ofstream f(input, std::ios::binary);
    f.write(reinterpret_cast<const char *>(ps), std::streamsize(size));
    if (!f)
      return Fail(error, ErrGhostscript);
  }

  std::string outArg = "-sOutputFile=" + output;
  const char *argv[] = {gs.c_str(),
                        "-q",
                        "-dSAFER",
                        "-dBATCH",
                        "-dNOPAUSE",
                        "-dNOINTERPOLATE",
                        "-dEPSCrop",
                        "-dFirstPage=1",
                        "-dLastPage=1",
                        "-sDEVICE=ppmraw",
                        "-r72",
                        "-dTextAlphaBits=4",
                        "-dGraphicsAlphaBits=4",
                        outArg.c_str(),
                        "-f",
                        input.c_str(),
                        nullptr};
  const uint64_t outputLimit = MaxImportPixels * 3 + 4096;

  const int seconds = RenderSeconds;
  pid_t pid = fork();
  if (pid < 0)
    return Fail(error, ErrGhostscript);
  if (pid == 0) {
    // Child: only async-signal-safe calls until exec.
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
    }
    rlimit cpu{rlim_t(seconds), rlim_t(seconds)};
    setrlimit(RLIMIT_CPU, &cpu);
    rlimit fsize{rlim_t(outputLimit), rlim_t(outputLimit)};
    setrlimit(RLIMIT_FSIZE, &fsize);
    execv(argv[0], const_cast<char *const *>(argv));
    _exit(127);
  }

  // Wait with a wall-clock bound as well (a program waiting for input uses
  // no CPU time).
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid)
      break;
    if (r < 0)
      return Fail(error, ErrGhostscript);
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return Fail(error, ErrGhostscript);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return Fail(error, WIFEXITED(status) && WEXITSTATUS(status) == 127 ? ErrNoGhostscript : ErrGhostscript);

  std::ifstream f(output, std::ios::binary);
  std::vector<uint8_t> ppm((std::istreambuf_iterator<char>(f)), {});
  if (ppm.empty())
    return Fail(error, ErrGhostscript);
  for (auto &r : ImportReaders())
    if (std::string(r->Name()) == "Portable Map")
      return r->Read("", ppm.data(), ppm.size(), bmp, error);
  return Fail(error, ErrGhostscript);
}

class TEpsReader final : public TImportReader {
public:
  const char *Name() const override { return "Encapsulated Postscript"; }
  std::vector<std::string> Extensions() const override { return {".eps"}; }

  bool Recognise(const uint8_t *head, size_t size) const override {
    return IsBinaryEps(head, size) || StartsWith(head, size, "%!PS-Adobe-");
  }

  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    if (!Recognise(data, size))
      return Fail(error, ErrFormat);
    if (!IsBinaryEps(data, size))
      return RenderWithGhostscript(data, size, bmp, error);

    uint32_t psStart = Le32(data + 4), psLength = Le32(data + 8);
    uint32_t tiffStart = Le32(data + 20), tiffLength = Le32(data + 24);
    if (tiffLength > 0 && tiffStart <= size && tiffLength <= size - tiffStart &&
        ReadTiffMemory(data + tiffStart, tiffLength, bmp, error))
      return true;
    if (psLength == 0 || psStart > size || psLength > size - psStart)
      return Fail(error, ErrCorrupt);
    return RenderWithGhostscript(data + psStart, psLength, bmp, error);
  }
};

} // namespace

void SetEpsRenderingEnabled(bool enabled) {
  RenderingEnabled = enabled;
}
void SetEpsRenderTimeout(int seconds) {
  RenderSeconds = std::max(1, seconds);
}

std::unique_ptr<TImportReader> NewEpsReader() {
  return std::make_unique<TEpsReader>();
}

} // namespace tessaro
