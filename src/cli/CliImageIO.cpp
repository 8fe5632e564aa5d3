#include "cli/Cli.h"

#include "core/BmpFile.h"

#include <algorithm>
#include <cctype>

namespace tessaro::cli {

namespace {
std::string LowerExtension(const std::string &path) {
  size_t dot = path.find_last_of('.');
  size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return std::string();
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}
} // namespace

bool LoadCliImage(const std::string &path, TBitmap &bmp, std::string &error) {
  if (!LoadBmpFile(path, bmp, &error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool SaveCliImage(const std::string &path, const TBitmap &bmp, const TSaveOptions &, std::string &error) {
  std::string ext = LowerExtension(path);
  if (ext != ".bmp" && ext != ".dib" && ext != ".rle") {
    error = path + ": dieses Dateiformat kann nicht geschrieben werden.";
    return false;
  }
  if (!SaveBmpFile(bmp, path, &error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

} // namespace tessaro::cli
