#include "files/LUMCtrl.h"

#include "core/Hooks.h"
#include "core/TempFolder.h"
#include "files/FileFormats.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

namespace tessaro {

namespace {

TNumberFormat GNumberFormat;
TAppMessageHandler GMessageHandler;

struct TDirCloser {
  void operator()(DIR *d) const { closedir(d); }
};

} // namespace

bool IsFileReadOnly(const std::string &fileName) {
  struct stat st;
  if (stat(fileName.c_str(), &st) != 0)
    return false;
  return (st.st_mode & S_IWUSR) == 0;
}

bool SetFileReadOnly(const std::string &fileName, bool readOnly) {
  struct stat st;
  bool ok = stat(fileName.c_str(), &st) == 0;
  if (ok) {
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~mode_t(S_IWUSR)) : (mode | S_IWUSR);
    ok = chmod(fileName.c_str(), mode) == 0;
  }
  if (!ok)
    ShowAppMessage("Die Dateiattribute der Datei:\r" + fileName + "\r" +
                       "konnten nicht gesetzt werden, da auf die Datei nicht zugegriffen werden kann!",
                   MB_OK | MB_ICONERROR);
  return ok;
}

void SetNumberFormat(const TNumberFormat &format) {
  GNumberFormat = format;
}
const TNumberFormat &NumberFormat() {
  return GNumberFormat;
}

std::string FormatNumber(double value, int decimals) {
  decimals = std::clamp(decimals, 0, 18);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
  std::string digits = buf;
  std::string frac;
  size_t dot = digits.find('.');
  if (dot != std::string::npos) {
    frac = digits.substr(dot + 1);
    digits.resize(dot);
  }
  std::string out;
  int n = int(digits.size());
  for (int i = 0; i < n; ++i) {
    out += digits[size_t(i)];
    int left = n - 1 - i;
    if (left > 0 && left % 3 == 0 && GNumberFormat.ThousandSeparator)
      out += GNumberFormat.ThousandSeparator;
  }
  if (!frac.empty()) {
    out += GNumberFormat.DecimalSeparator;
    out += frac;
  }
  bool negative = value < 0 && out.find_first_not_of("0.,") != std::string::npos;
  return negative ? "-" + out : out;
}

std::string FormatFileSize(uint64_t bytes, int decimals) {
  double b = double(bytes);
  if (bytes >= 0x40000000ull)
    return FormatNumber(b / 1024 / 1024 / 1024, decimals) + " GB";
  if (bytes >= 0x100000ull)
    return FormatNumber(b / 1024 / 1024, decimals) + " MB";
  if (bytes < 1000)
    return std::to_string(bytes) + " Byte";
  return FormatNumber(b / 1024, decimals) + " KB";
}

float FitScale(int boxW, int boxH, int imgW, int imgH) {
  if (imgW == 0)
    imgW = boxW != 0 ? boxW : 1;
  if (imgH == 0)
    imgH = boxH != 0 ? boxH : 1;
  float s;
  if (imgH <= imgW) {
    s = float(boxW) / float(imgW);
    if (float(imgH) * s > float(boxH))
      s = float(boxH) / float(imgH);
  } else {
    s = float(boxH) / float(imgH);
    if (float(imgW) * s > float(boxW))
      s = float(boxW) / float(imgW);
  }
  return s;
}

void ScanFolder(const std::string &folder, bool recursive, std::vector<std::string> &list, int &fileCount,
                int &folderCount) {
  std::string base = folder;
  if (base.empty() || base.back() != '/')
    base += '/';
  std::unique_ptr<DIR, TDirCloser> dir(opendir(base.c_str()));
  if (!dir)
    return;
  while (dirent *entry = readdir(dir.get())) {
    ProcessMessages();
    std::string name = entry->d_name;
    if (name == "." || name == "..")
      continue;
    std::string path = base + name;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
      continue;
    if (S_ISDIR(st.st_mode)) {
      if (recursive) {
        ScanFolder(path, recursive, list, fileCount, folderCount);
        ++folderCount;
      }
    } else {
      list.push_back(path);
      ++fileCount;
    }
  }
}

void FindFiles(const std::string &folder, bool recursive, std::vector<std::string> &list) {
  TWaitCursor wait;
  if (folder.empty())
    throw std::runtime_error("Ungültige Pfadangebe!");
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    throw std::runtime_error("Ordner nicht vorhanden!");
  // Paths are collected in memory; the result is the same as through a list
  // file, without a file in a shared folder.
  std::vector<std::string> found;
  int files = 0, folders = 0;
  ScanFolder(folder, recursive, found, files, folders);
  list = std::move(found);
}

bool IsDroppableImageFile(const std::string &fileName) {
  const TImageExtension *e = FindImageExtension(fileName);
  return e != nullptr && e->Droppable;
}

std::string GetTempFolder() {
  std::string dir = PrivateTempFolder();
  while (dir.size() > 1 && dir.back() == '/')
    dir.pop_back();
  return dir;
}

void SetAppMessageHandler(TAppMessageHandler handler) {
  GMessageHandler = std::move(handler);
}

int ShowAppMessage(const std::string &text, unsigned flags) {
  if (GMessageHandler)
    return GMessageHandler(text, flags);
  std::fprintf(stderr, "%s\n", text.c_str());
  switch (flags & 0xF) {
  case MB_OK:
    return IDOK;
  case MB_YESNO:
    return IDNO;
  default:
    return IDCANCEL;
  }
}

int DriveNumber(const std::string &drive) {
  // Only the first character counts: it must be a drive letter.
  if (!drive.empty()) {
    char c = drive[0];
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z')
      return c - 'a' + 1;
  }
  throw std::invalid_argument("Der Wert: \"" + drive +
                              "\" für den Paramerter \"drive\" entspricht nicht dem " +
                              "Stringmuster: \"<Lauferksbuchstabe>:\\\"!");
}

} // namespace tessaro
