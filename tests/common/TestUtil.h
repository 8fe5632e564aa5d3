// Helpers shared by the tests: a fresh temporary folder per test and the
// location of the shared sample images.
#pragma once

#include "core/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tessaro::test {

// A fresh folder below the system temporary folder, removed at destruction.
class TTempDir {
public:
  TTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-test-XXXXXX").string();
    FPath = mkdtemp(tmpl.data());
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  const std::filesystem::path &Path() const { return FPath; }
  std::string File(const std::string &name) const { return (FPath / name).string(); }

private:
  std::filesystem::path FPath;
};

// Folder of the shared sample files, or empty when absent.
inline std::filesystem::path TestImages() {
  std::filesystem::path p = TESSARO_TESTIMAGES;
  return std::filesystem::is_directory(p) ? p : std::filesystem::path();
}

#define TESSARO_REQUIRE_TESTIMAGES()                                                                         \
  do {                                                                                                       \
    if (::tessaro::test::TestImages().empty())                                                               \
      GTEST_SKIP() << "shared test images not present";                                                      \
  } while (0)

// Two rasters of the same size whose pixels have the same colours; the
// first few differences are named.
inline ::testing::AssertionResult PixelsEqual(const TBitmap &got, const TBitmap &expected) {
  if (got.Width() != expected.Width() || got.Height() != expected.Height())
    return ::testing::AssertionFailure() << "size " << got.Width() << "x" << got.Height() << " instead of "
                                         << expected.Width() << "x" << expected.Height();
  int differ = 0;
  auto failure = ::testing::AssertionFailure();
  for (int y = 0; y < got.Height(); ++y)
    for (int x = 0; x < got.Width(); ++x)
      if (got.GetPixel(x, y) != expected.GetPixel(x, y) && differ++ < 5)
        failure << "pixel " << x << "," << y << " ";
  if (differ)
    return failure << "(" << differ << " pixels differ)";
  return ::testing::AssertionSuccess();
}

} // namespace tessaro::test
