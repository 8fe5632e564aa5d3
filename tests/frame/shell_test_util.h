// Whole files as text for the shell's tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tessaro::test {

inline std::string ReadText(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes the text, making the file's folder when needed.
inline void WriteText(const std::filesystem::path &path, const std::string &text) {
  if (path.has_parent_path())
    std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

} // namespace tessaro::test
