// Helpers of the import reader tests: reading a file with one reader, making
// fixtures with ImageMagick and reference rasters through it.
#pragma once

#include "../common/TestUtil.h"
#include "ToolAbilities.h"
#include "files/ImportReaders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace tessaro::test {

inline const TImportReader &Reader(const std::string &name) {
  for (auto &r : ImportReaders())
    if (name == r->Name())
      return *r;
  ADD_FAILURE() << "no reader " << name;
  return *ImportReaders().front();
}

inline std::vector<uint8_t> FileBytes(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

inline void WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

// Name of the first reader that recognises the content ("" when none does).
inline std::string Prober(const std::vector<uint8_t> &bytes) {
  size_t n = std::min<size_t>(bytes.size(), 4096);
  for (auto &r : ImportReaders())
    if (r->Recognise(bytes.data(), n))
      return r->Name();
  return "";
}

inline bool ReadWith(const std::string &reader, const std::string &path, TBitmap &bmp, std::string &error) {
  std::vector<uint8_t> bytes = FileBytes(path);
  return Reader(reader).Read(path, bytes.data(), bytes.size(), bmp, error);
}

constexpr const char *ImageMagick = "/usr/bin/convert";

inline bool HaveTool(const char *path) {
  return access(path, X_OK) == 0;
}

#define TESSARO_REQUIRE_TOOL(path)                                                                           \
  do {                                                                                                       \
    if (!::tessaro::test::HaveTool(path))                                                                    \
      GTEST_SKIP() << path << " not installed";                                                              \
  } while (0)

inline std::string Quote(const std::string &s) {
  std::string q = "'";
  for (char c : s)
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs ImageMagick with the arguments (already quoted where needed).
inline bool Magick(const std::string &args) {
  std::string cmd = std::string(ImageMagick) + " " + args + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

// The picture as ImageMagick sees it (first frame, alpha dropped), read back
// through the PPM reader.
inline bool MagickReference(const std::string &path, const TTempDir &dir, TBitmap &ref,
                            const std::string &options = "") {
  std::string out = dir.File("reference.ppm");
  std::filesystem::remove(out);
  if (!Magick(Quote(path + "[0]") + " " + options + " -alpha off -depth 8 " + Quote("ppm:" + out)))
    return false;
  std::string error;
  return ReadWith("Portable Map", out, ref, error);
}

// Largest difference of one channel between two rasters of equal size
// (1000 when the sizes differ).
inline int MaxDifference(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return 1000;
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      TColor p = a.GetPixel(x, y), q = b.GetPixel(x, y);
      for (int s = 0; s < 24; s += 8)
        worst = std::max(worst, std::abs(int((p >> s) & 255) - int((q >> s) & 255)));
    }
  return worst;
}

// Files of the shared sample folder below sub with one of the extensions
// (lower-case comparison).
inline std::vector<std::filesystem::path> SampleFiles(const std::string &sub, std::vector<std::string> exts) {
  std::vector<std::filesystem::path> list;
  std::filesystem::path root = TestImages() / sub;
  if (TestImages().empty() || !std::filesystem::is_directory(root))
    return list;
  for (auto &e : std::filesystem::recursive_directory_iterator(root)) {
    if (!e.is_regular_file())
      continue;
    std::string ext = e.path().extension().string();
    for (auto &c : ext)
      c = char(std::tolower(static_cast<unsigned char>(c)));
    for (auto &x : exts)
      if (ext == x)
        list.push_back(e.path());
  }
  std::sort(list.begin(), list.end());
  return list;
}

// True for the deliberately malformed sample files.
inline bool IsMalformedSample(const std::filesystem::path &p) {
  std::string n = p.filename().string();
  return n.rfind("crash", 0) == 0 || n.rfind("timeout-", 0) == 0 || n.rfind("ossfuzz-", 0) == 0 ||
         n.find("oob") != std::string::npos || n.rfind("negative_", 0) == 0 || n.rfind("corrupt", 0) == 0;
}

// Every truncation of a valid file is refused or read without crashing;
// returns how many prefixes were accepted.
inline int ReadPrefixes(const std::string &reader, const std::vector<uint8_t> &bytes, size_t step = 1) {
  int accepted = 0;
  for (size_t n = 0; n < bytes.size(); n += step) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
    TBitmap bmp;
    std::string error;
    if (Reader(reader).Read("", part.data(), part.size(), bmp, error))
      ++accepted;
    else
      EXPECT_FALSE(error.empty());
  }
  return accepted;
}

} // namespace tessaro::test
