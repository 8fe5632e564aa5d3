// Helpers of the printing tests: the per-user page setup store emptied
// around each test, and pictures of one colour.
#pragma once

#include "core/Bitmap.h"
#include "print/PageSetupSettings.h"

#include "../help/help_test_util.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace tessaro::test {

// The store the program keeps the page setup in, at its group.
inline void WithPageSetupStore(const std::function<void(QSettings &)> &f) {
  QSettings s(QSettings::UserScope, QStringLiteral("LUM Software"), QStringLiteral("Tessaro"));
  s.beginGroup(PageSetupKey());
  f(s);
  s.endGroup();
  s.sync();
}

inline bool PageSetupStored() {
  bool any = false;
  WithPageSetupStore([&](QSettings &s) { any = !s.childKeys().isEmpty(); });
  return any;
}

class PageSetupTestBase : public ::testing::Test {
protected:
  void SetUp() override { Clear(); }
  void TearDown() override {
    Clear();
    CloseHelpViewer();
  }
  static void Clear() {
    WithPageSetupStore([](QSettings &s) { s.remove(QString()); });
  }
};

// A 24-bit picture of one colour.
inline TBitmap SolidPicture(int w, int h, TColor color) {
  TBitmap bmp(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetPixel(x, y, color);
  return bmp;
}

} // namespace tessaro::test
