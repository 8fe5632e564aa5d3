// The undo history with real snapshot files in the cache folder.
#include "core/BmpFile.h"
#include "document/UndoCache.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace tessaro;

namespace {

struct TRecorder : TUndoListener {
  std::string Undo = "?", Redo = "?";
  int Loaded = 0, Zoomed = 0, Modified = 0, Restored = 0;
  TPixelFormat LoadedType = pfDevice;
  TBitmap *Raster = nullptr;
  void UndoHintChanged(const std::string &h) override { Undo = h; }
  void RedoHintChanged(const std::string &h) override { Redo = h; }
  void SnapshotLoaded(TPixelFormat pf) override {
    ++Loaded;
    LoadedType = pf;
  }
  void ReapplyZoom() override { ++Zoomed; }
  void DocumentModified() override { ++Modified; }
  void RestoreDeletedObject() override {
    ++Restored;
    if (Raster)
      Raster->SetPixel(0, 0, clRed); // the object comes back into the picture
  }
};

// A picture that differs from every other seed.
TBitmap Picture(int seed, TPixelFormat pf = pf24bit) {
  TBitmap b(7, 5, pf24bit);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.SetPixel(x, y, RGB(uint8_t(seed * 40 + x * 30), uint8_t(y * 50), uint8_t(seed * 90)));
  b.SetPixelFormat(pf);
  return b;
}

bool SamePixels(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
    return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return false;
  return true;
}

TBitmap Load(const std::string &path) {
  TBitmap b;
  EXPECT_TRUE(LoadBmpFile(path, b)) << path;
  return b;
}

std::set<std::string> FilesIn(const std::string &dir) {
  std::set<std::string> names;
  for (const auto &e : fs::directory_iterator(dir))
    names.insert(e.path().filename().string());
  return names;
}

class UndoCacheTest : public testing::Test {
protected:
  void SetUp() override {
    RemoveCacheFolder();
    ResetBeepCount();
    ClearShownMessages();
    ClearAnswers();
    Rec.Raster = &Raster;
  }
  void TearDown() override { RemoveCacheFolder(); }

  TBitmap Raster = Picture(0);
  TRecorder Rec;
};

TEST_F(UndoCacheTest, NewDocumentHasOnlyTheNoteAndUndoRedoOnlyBeep) {
  TUndoCache cache(Raster, 100, &Rec);
  EXPECT_EQ(cache.CacheDir(), CacheRootFolder() + "/100");
  EXPECT_EQ(cache.CacheDir().rfind(std::string(std::getenv("TMPDIR")), 0), 0u); // the test main's folder
  EXPECT_EQ(FilesIn(cache.CacheDir()), std::set<std::string>{"Info.txt"});

  std::ifstream in(cache.CacheDir() + "/Info.txt", std::ios::binary);
  const std::string note((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string expected = "Kastell 3.0 - Tessaro 1.0\r\n"
                               "\r\n"
                               "Beschreibung:\r\n"
                               "-> Cache Ordner\r\n"
                               "\r\n"
                               "Zu was ist der Ordner da?\r\n"
                               "-> F\xFCr Undo/Redo Aktionen, um es zu erm\xF6gichen einzelne\r\n"
                               "   Schritte r\xFC"
                               "ckg\xE4ngig zu machen und wiederherzustellen.\r\n"
                               "\r\n"
                               "Wichtigkeit:\r\n"
                               "-> Der Ordner \"" +
                               cache.CacheDir() +
                               "\" kann nach dem\r\n"
                               "   Programmende von Tessaro gel\xF6scht werden, wenn dies nicht\r\n"
                               "   automatisch erfolgt. Wenn der Ordner w\xE4hrend der Programmaus-\r\n"
                               "   f\xFChrung von Tessaro gel\xF6scht wird, k\xF6nnen Undo/Redo Aktionen\r\n"
                               "   nicht mehr ausgef\xFChrt werden!\r\n";
  EXPECT_EQ(note, expected);

  const TBitmap before = Raster;
  EXPECT_FALSE(cache.Undo());
  EXPECT_FALSE(cache.Redo());
  EXPECT_EQ(BeepCount(), 2);
  EXPECT_EQ(cache.UndoIndex(), -1);
  EXPECT_EQ(cache.UndoFileNo(), 1);
  EXPECT_TRUE(cache.UndoList().empty());
  EXPECT_EQ(Rec.Undo, "?"); // no hint touched
  EXPECT_EQ(Rec.Modified, 0);
  EXPECT_TRUE(SamePixels(Raster, before));
  EXPECT_EQ(FilesIn(cache.CacheDir()), std::set<std::string>{"Info.txt"});
}

TEST_F(UndoCacheTest, WorkedExampleStepByStep) {
  TUndoCache cache(Raster, 100, &Rec);
  const std::string dir = cache.CacheDir();
  const TBitmap S0 = Picture(0), S1 = Picture(1), S2 = Picture(2);
  EXPECT_EQ(cache.UndoHint(), "Rückgängig");
  EXPECT_EQ(cache.RedoHint(), "Wiederherstellen");

  // AddUndoStep A, then change A.
  ASSERT_TRUE(cache.AddUndoStep("A"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr); // hourglass gone again
  EXPECT_EQ(cache.UndoList(), std::vector<std::string>{"A*" + dir + "/1.bmp"});
  EXPECT_EQ(cache.UndoIndex(), 0);
  EXPECT_EQ(Rec.Undo, "Rückgängig (A)");
  EXPECT_EQ(Rec.Redo, "?"); // redo hint left alone
  EXPECT_EQ(Rec.Modified, 1);
  EXPECT_TRUE(SamePixels(Load(dir + "/1.bmp"), S0));
  Raster.Assign(S1);

  // AddUndoStep B, then change B.
  ASSERT_TRUE(cache.AddUndoStep("B"));
  EXPECT_EQ(cache.UndoList(), (std::vector<std::string>{"A*" + dir + "/1.bmp", "B*" + dir + "/2.bmp"}));
  EXPECT_EQ(cache.UndoIndex(), 1);
  EXPECT_EQ(Rec.Undo, "Rückgängig (B)");
  EXPECT_TRUE(SamePixels(Load(dir + "/2.bmp"), S1));
  Raster.Assign(S2);

  // Undo: the state left is saved as 3, the raster comes from 2.
  ASSERT_TRUE(cache.Undo());
  EXPECT_EQ(cache.UndoList(),
            (std::vector<std::string>{"A*" + dir + "/1.bmp", "B*" + dir + "/2.bmp", "B*" + dir + "/3.bmp"}));
  EXPECT_EQ(cache.UndoIndex(), 0);
  EXPECT_TRUE(SamePixels(Raster, S1));
  EXPECT_TRUE(SamePixels(Load(dir + "/3.bmp"), S2));
  EXPECT_EQ(Rec.Undo, "Rückgängig (A)");
  EXPECT_EQ(Rec.Redo, "Wiederherstellen (B)");
  EXPECT_EQ(Rec.Loaded, 1);
  EXPECT_EQ(Rec.Zoomed, 1);
  EXPECT_EQ(Rec.LoadedType, pf24bit);

  // Redo: the raster comes from 3; nothing is written.
  ASSERT_TRUE(cache.Redo());
  EXPECT_EQ(cache.UndoList().size(), 3u);
  EXPECT_EQ(cache.UndoIndex(), 1);
  EXPECT_TRUE(SamePixels(Raster, S2));
  EXPECT_EQ(Rec.Undo, "Rückgängig (B)");
  EXPECT_EQ(Rec.Redo, "Wiederherstellen");
  EXPECT_EQ(Rec.Zoomed, 2);

  // Redo again: only a beep.
  const int modified = Rec.Modified;
  EXPECT_FALSE(cache.Redo());
  EXPECT_EQ(BeepCount(), 1);
  EXPECT_EQ(cache.UndoIndex(), 1);
  EXPECT_EQ(cache.UndoList().size(), 3u);
  EXPECT_EQ(Rec.Modified, modified);
  EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"Info.txt", "1.bmp", "2.bmp", "3.bmp"}));

  // The file number went on with the redo, so the next step writes 5.bmp.
  EXPECT_EQ(cache.UndoFileNo(), 5);
  ASSERT_TRUE(cache.Undo()); // back to S1, 5.bmp holds S2
  ASSERT_TRUE(cache.AddUndoStep("C"));
  EXPECT_EQ(cache.UndoList().back(), "C*" + dir + "/6.bmp");
  EXPECT_EQ(cache.UndoIndex(), int(cache.UndoList().size()) - 1);
  EXPECT_FALSE(cache.Redo()); // no entry two places after the index
  EXPECT_EQ(BeepCount(), 2);
}

TEST_F(UndoCacheTest, SnapshotsKeepThePixelFormat) {
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    SCOPED_TRACE(PixelFormatName(pf));
    RemoveCacheFolder();
    Raster = Picture(0, pf);
    const TBitmap before = Raster;
    TUndoCache cache(Raster, 100, &Rec);
    ASSERT_TRUE(cache.AddUndoStep("Linie"));
    EXPECT_EQ(Load(cache.SnapshotPath(1)).PixelFormat(), pf);
    Raster = Picture(3, pf24bit); // as a 24-bit command would leave it
    ASSERT_TRUE(cache.Undo());
    EXPECT_TRUE(SamePixels(Raster, before));
    EXPECT_EQ(Rec.LoadedType, pf);

    // A tool leaves size and format alone; the snapshot then comes back into
    // the same raster, and the change is announced.
    ASSERT_TRUE(cache.AddUndoStep("Linie"));
    Raster.SetPixel(1, 1, clWhite);
    Raster.SetPixel(2, 1, clBlack);
    const uint8_t *rowBefore = Raster.ScanLine(0);
    TRect announced;
    const int token = Raster.Subscribe([&](const TRect &r) { announced = r; });
    ASSERT_TRUE(cache.Undo());
    Raster.Unsubscribe(token);
    EXPECT_TRUE(SamePixels(Raster, before));
    if (!IsPaletteFormat(pf)) {
      EXPECT_EQ(Raster.ScanLine(0), rowBefore); // read in place
    }
    EXPECT_EQ(announced, TRect(0, 0, Raster.Width(), Raster.Height()));
    EXPECT_EQ(Rec.LoadedType, pf);
  }
}

TEST_F(UndoCacheTest, BrokenSnapshotLeavesTheRasterAndSaysSo) {
  TUndoCache cache(Raster, 100, &Rec);
  ASSERT_TRUE(cache.AddUndoStep("A"));
  Raster.Assign(Picture(1));
  fs::resize_file(cache.SnapshotPath(1), 30); // cut off inside the header
  ASSERT_TRUE(cache.Undo());
  EXPECT_TRUE(SamePixels(Raster, Picture(1)));
  EXPECT_EQ(cache.UndoIndex(), -1);
  EXPECT_EQ(Rec.Loaded, 0);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtError);
  EXPECT_TRUE(ShownMessages()[0].Text.contains(QStringLiteral("kann nicht gelesen werden")));
}

TEST_F(UndoCacheTest, RedoAfterUndoingEverythingWritesTheCurrentRasterFirst) {
  TUndoCache cache(Raster, 100, &Rec);
  const std::string dir = cache.CacheDir();
  ASSERT_TRUE(cache.AddUndoStep("A")); // 1 = S0
  Raster.Assign(Picture(1));
  ASSERT_TRUE(cache.Undo()); // 2 = S1, raster S0
  EXPECT_EQ(cache.UndoIndex(), -1);
  EXPECT_EQ(Rec.Undo, "Rückgängig");
  ASSERT_TRUE(cache.Redo());
  EXPECT_EQ(cache.UndoList().back(), "A*" + dir + "/3.bmp");
  EXPECT_TRUE(SamePixels(Load(dir + "/3.bmp"), Picture(0)));
  EXPECT_TRUE(SamePixels(Raster, Picture(1))); // entry 1
  EXPECT_EQ(cache.UndoIndex(), 0);
  EXPECT_EQ(Rec.Undo, "Rückgängig (A)");
}

TEST_F(UndoCacheTest, CombinedObjectIsTakenBackWithTheNextUndo) {
  TUndoCache cache(Raster, 100, &Rec);
  ASSERT_TRUE(cache.AddUndoStep("Objekt mit Hintergrund kombinieren"));
  Raster.Assign(Picture(1)); // the object is in the raster now
  cache.SetObjectCombined(true);
  ASSERT_TRUE(cache.AddUndoStep("Linie"));
  Raster.Assign(Picture(2));

  ASSERT_TRUE(cache.Undo());
  EXPECT_FALSE(cache.ObjectCombined());
  EXPECT_TRUE(SamePixels(Raster, Picture(0)));
  EXPECT_EQ(cache.UndoIndex(), -1);
  EXPECT_EQ(Rec.Undo, "Rückgängig");
  EXPECT_EQ(Rec.Redo, "Wiederherstellen (Zeichnung entfernen)");
  EXPECT_EQ(TUndoCache::EntryCaption(cache.UndoList().back()), "Zeichnung entfernen");

  // Cleared: the next undo is an ordinary one (here nothing is left: a beep).
  EXPECT_FALSE(cache.Undo());
  EXPECT_EQ(BeepCount(), 1);
}

TEST_F(UndoCacheTest, DeletedObjectComesBackBeforeTheSnapshotIsWritten) {
  TUndoCache cache(Raster, 100, &Rec);
  ASSERT_TRUE(cache.AddUndoStep("Objekt löschen"));
  ASSERT_TRUE(cache.Undo());
  EXPECT_EQ(Rec.Restored, 1);
  EXPECT_EQ(Load(cache.SnapshotPath(2)).GetPixel(0, 0), clRed);
  ASSERT_TRUE(cache.AddUndoStep("Linie"));
  ASSERT_TRUE(cache.Undo());
  EXPECT_EQ(Rec.Restored, 1);
}

TEST_F(UndoCacheTest, GoneCacheFolderStopsTheStepWithAGermanError) {
  TUndoCache cache(Raster, 100, &Rec);
  ASSERT_TRUE(cache.AddUndoStep("A"));
  Raster.Assign(Picture(1));
  fs::remove_all(CacheRootFolder());
  const auto list = cache.UndoList();
  const std::string undoHint = Rec.Undo;

  EXPECT_FALSE(cache.AddUndoStep("B"));
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtError);
  EXPECT_EQ(ShownMessages()[0].Buttons, unsigned(mbOK));
  EXPECT_TRUE(ShownMessages()[0].Text.contains(QString::fromStdString(cache.SnapshotPath(2))));
  EXPECT_TRUE(ShownMessages()[0].Text.contains(QStringLiteral("kann nicht erstellt werden")));
  EXPECT_EQ(cache.UndoIndex(), 0);
  EXPECT_EQ(cache.UndoList(), list);
  EXPECT_EQ(Rec.Undo, undoHint);

  EXPECT_FALSE(cache.Undo());
  EXPECT_EQ(ShownMessages().size(), 2u);
  EXPECT_EQ(cache.UndoIndex(), 0);
  EXPECT_EQ(cache.UndoList(), list);
  EXPECT_TRUE(SamePixels(Raster, Picture(1)));
  EXPECT_EQ(Rec.Loaded, 0);
  EXPECT_EQ(Rec.Modified, 1);
  EXPECT_FALSE(fs::exists(cache.CacheDir())); // never made again behind the user's back
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UndoCacheTest, MissingSnapshotIsSkipped) {
  TUndoCache cache(Raster, 100, &Rec);
  ASSERT_TRUE(cache.AddUndoStep("A"));
  Raster.Assign(Picture(1));
  fs::remove(cache.SnapshotPath(1));
  ASSERT_TRUE(cache.Undo());
  EXPECT_TRUE(SamePixels(Raster, Picture(1)));
  EXPECT_EQ(cache.UndoIndex(), -1);
  EXPECT_EQ(Rec.Redo, "Wiederherstellen (A)");
  EXPECT_EQ(Rec.Loaded, 0);
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(UndoCacheTest, EachDocumentKeepsItsOwnHints) {
  TBitmap other = Picture(5);
  TUndoCache a(Raster, 100), b(other, 101);
  EXPECT_NE(a.CacheDir(), b.CacheDir());
  ASSERT_TRUE(a.AddUndoStep("Linie"));
  a.StoreHints(); // a is deactivated
  b.SetListener(&Rec);
  b.ActivateHints();
  EXPECT_EQ(Rec.Undo, "Rückgängig");
  EXPECT_EQ(Rec.Redo, "Wiederherstellen");
  b.StoreHints();
  a.SetListener(&Rec);
  a.ActivateHints();
  EXPECT_EQ(Rec.Undo, "Rückgängig (Linie)");
}

TEST(CacheFolder, RemovedWithEveryFileAndFolder) {
  RemoveCacheFolder();
  const std::string root = CacheRootFolder();
  ASSERT_FALSE(root.empty());
  TBitmap r1 = Picture(1), r2 = Picture(2);
  {
    TUndoCache a(r1, 100), b(r2, 101);
    for (int i = 0; i < 30; ++i)
      ASSERT_TRUE(a.AddUndoStep("Linie"));
    ASSERT_TRUE(b.AddUndoStep("Ellipse"));
  }
  std::ofstream(root + "/LoadList.txt") << "x\r\n";
  fs::create_directories(root + "/102/empty");
  fs::permissions(root + "/101/1.bmp", fs::perms::owner_read, fs::perm_options::replace);
  fs::permissions(root + "/100", fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  // A link below the cache folder goes, what it points at stays.
  const std::string outside = fs::path(root).parent_path().string() + "/outside.txt";
  std::ofstream(outside) << "keep";
  fs::create_symlink(outside, root + "/100/link.txt");
  fs::create_directory_symlink(fs::path(root).parent_path(), root + "/dirlink");

  RemoveCacheFolder();
  EXPECT_FALSE(fs::exists(root));
  EXPECT_TRUE(fs::exists(outside));
  fs::remove(outside);
}

TEST(Windows1252, Encoding) {
  EXPECT_EQ(Utf8ToWindows1252("Grüße €"), "Gr\xFC\xDF"
                                          "e \x80");
  EXPECT_EQ(Utf8ToWindows1252("a\xE4\xB8\xAD"
                              "b"),
            "a?b");                               // no code for it
  EXPECT_EQ(Utf8ToWindows1252("\xFF\xC3"), "??"); // broken sequences
}

} // namespace
