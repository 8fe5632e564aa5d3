#include "frame/HandOverFile.h"

#include "document/UndoCache.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tessaro {

namespace fs = std::filesystem;

std::string HandOverFilePath() {
  const std::string root = CacheRootFolder();
  return root.empty() ? std::string() : root + "/LoadList.txt";
}

bool WriteHandOverFile(const std::string &fileName) {
  const std::string path = HandOverFilePath();
  return !path.empty() && WriteHandOverFile(path, fileName);
}

bool WriteHandOverFile(const std::string &path, const std::string &fileName) {
  std::error_code ec;
  if (fileName.empty() || !fs::is_regular_file(fileName, ec) ||
      fileName.find_first_of("\r\n") != std::string::npos)
    return false;
  // The running program takes the line as it stands: a full path.
  const std::string full = fs::absolute(fileName, ec).string();
  if (ec)
    return false;
  fs::create_directories(fs::path(path).parent_path(), ec);
  const std::string temp = path + ".neu-" + std::to_string(getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << full << "\r\n";
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ec2;
    fs::remove(temp, ec2);
    return false;
  }
  return true;
}

bool ReadHandOverFile(const std::string &path, std::vector<std::string> &lines) {
  lines.clear();
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    return false;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  std::string content(MaxHandOverBytes, '\0');
  in.read(content.data(), std::streamsize(content.size()));
  content.resize(size_t(in.gcount()));
  const bool cut = in.gcount() == std::streamsize(MaxHandOverBytes) && in.peek() != EOF;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) {
      if (cut)
        break; // the rest of this line lies beyond what was read
      end = content.size();
    }
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (!line.empty())
      lines.push_back(std::move(line));
    start = end + 1;
  }
  return true;
}

void DeleteHandOverFile(const std::string &path) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  if (ec || fs::is_directory(st) || !fs::exists(st))
    return;
  if (fs::is_regular_file(st))
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove(path, ec);
}

bool AcceptHandOverLine(const std::string &line) {
  std::error_code ec;
  if (line.empty() || !fs::is_regular_file(line, ec))
    return false;
  return IsDroppableImageFile(line) || LowerExtension(line) == ".bmp";
}

} // namespace tessaro
