#include "files/LUMCtrl.h"

#include "../common/TestUtil.h"

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

using namespace tessaro;
using tessaro::test::TTempDir;

TEST(FormatFileSize, GermanExamples) {
  struct {
    uint64_t Bytes;
    int Decimals;
    const char *Text;
  } cases[] = {
      {0, 2, "0 Byte"},
      {999, 2, "999 Byte"},
      {1000, 2, "0,98 KB"},
      {1023, 0, "1 KB"},
      {1024, 2, "1,00 KB"},
      {999999, 2, "976,56 KB"},
      {1048575, 2, "1.024,00 KB"},
      {1048576, 2, "1,00 MB"},
      {1536000, 1, "1,5 MB"},
      {1073741823, 2, "1.024,00 MB"},
      {1073741824, 2, "1,00 GB"},
      {uint64_t(5) << 40, 2, "5.120,00 GB"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(FormatFileSize(c.Bytes, c.Decimals), c.Text) << c.Bytes;
}

TEST(FormatFileSize, FollowsTheNumberFormat) {
  TNumberFormat saved = NumberFormat();
  SetNumberFormat(TNumberFormat{',', '.'});
  EXPECT_EQ(FormatFileSize(1048575, 2), "1,024.00 KB");
  SetNumberFormat(saved);
}

TEST(FitScale, Examples) {
  EXPECT_FLOAT_EQ(FitScale(681, 1008, 100, 50), 6.81f);
  EXPECT_FLOAT_EQ(FitScale(100, 100, 400, 400), 0.25f);
  // Portrait image in a wide box: the height limits.
  EXPECT_FLOAT_EQ(FitScale(400, 100, 50, 200), 0.5f);
  // Landscape image whose height would overflow the box.
  EXPECT_FLOAT_EQ(FitScale(100, 10, 50, 20), 0.5f);
  // A zero image size counts as the box's (or 1).
  EXPECT_FLOAT_EQ(FitScale(200, 100, 0, 50), 1.0f);
  EXPECT_FLOAT_EQ(FitScale(0, 0, 0, 0), 0.0f);
}

TEST(DriveNumber, LettersAndTheError) {
  EXPECT_EQ(DriveNumber("a:\\"), 1);
  EXPECT_EQ(DriveNumber("C:\\Temp"), 3);
  EXPECT_EQ(DriveNumber("z"), 26);
  for (const char *bad : {"", "1:\\", "/tmp"}) {
    try {
      DriveNumber(bad);
      ADD_FAILURE() << bad;
    } catch (const std::invalid_argument &e) {
      EXPECT_EQ(std::string(e.what()),
                std::string("Der Wert: \"") + bad +
                    "\" für den Paramerter \"drive\" entspricht nicht dem Stringmuster: "
                    "\"<Lauferksbuchstabe>:\\\"!");
    }
  }
}

TEST(IsDroppableImageFile, ThirtySixExtensionsWithoutBmpAndGif) {
  const char *exts[] = {"bw",   "cel", "cut",  "dib", "emf", "eps",  "fax", "icb",  "ico",
                        "jfif", "jpe", "jpeg", "jpg", "pbm", "pcc",  "pcd", "pcx",  "pdd",
                        "pgm",  "pic", "png",  "ppm", "psd", "psp",  "rgb", "rgba", "rla",
                        "rle",  "rpf", "sgi",  "tga", "tif", "tiff", "vda", "vst",  "wmf"};
  EXPECT_EQ(std::size(exts), 36u);
  for (const char *e : exts) {
    EXPECT_TRUE(IsDroppableImageFile(std::string("/x/a.") + e)) << e;
    std::string upper = e;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_TRUE(IsDroppableImageFile("B." + upper)) << upper;
  }
  for (const char *name : {"a.bmp", "a.gif", "a.GIF", "a.txt", "png", "dir.png/file", "a.win"})
    EXPECT_FALSE(IsDroppableImageFile(name)) << name;
}

class LUMCtrlFiles : public ::testing::Test {
protected:
  void SetUp() override {
    SetAppMessageHandler([this](const std::string &text, unsigned flags) {
      Messages.push_back(text);
      Flags.push_back(flags);
      return IDOK;
    });
  }
  void TearDown() override { SetAppMessageHandler(nullptr); }
  void Touch(const std::string &path) { std::ofstream(path) << "x"; }
  TTempDir Dir;
  std::vector<std::string> Messages;
  std::vector<unsigned> Flags;
};

TEST_F(LUMCtrlFiles, ReadOnlyFlagKeepsTheOtherPermissions) {
  std::string f = Dir.File("a.bmp");
  Touch(f);
  chmod(f.c_str(), 0640);
  EXPECT_FALSE(IsFileReadOnly(f));
  EXPECT_TRUE(SetFileReadOnly(f, true));
  EXPECT_TRUE(IsFileReadOnly(f));
  struct stat st;
  stat(f.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0440u);
  EXPECT_TRUE(SetFileReadOnly(f, false));
  stat(f.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(LUMCtrlFiles, FailuresAreReportedByMessage) {
  std::string f = Dir.File("missing.bmp");
  EXPECT_FALSE(IsFileReadOnly(f));
  EXPECT_FALSE(SetFileReadOnly(f, true));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0],
            "Die Dateiattribute der Datei:\r" + f +
                "\rkonnten nicht gesetzt werden, da auf die Datei nicht zugegriffen werden kann!");
  EXPECT_EQ(Flags[0], MB_OK | MB_ICONERROR);
}

TEST_F(LUMCtrlFiles, FindFilesListsInEnumerationOrder) {
  mkdir(Dir.File("sub1").c_str(), 0700);
  mkdir(Dir.File("sub2").c_str(), 0700);
  mkdir(Dir.File("sub2/deep").c_str(), 0700);
  for (const char *f : {"z.txt", "a.txt", "sub1/1.bmp", "sub1/2.bmp", "sub2/x", "sub2/deep/y"})
    Touch(Dir.File(f));
  symlink(Dir.File("sub1").c_str(), Dir.File("link").c_str());
  // The expected order: the folder enumeration's, sub-folders descended where
  // they are met.
  std::vector<std::string> expected;
  std::function<void(const std::string &)> walk = [&](const std::string &folder) {
    DIR *d = opendir(folder.c_str());
    while (dirent *e = readdir(d)) {
      std::string n = e->d_name;
      if (n == "." || n == "..")
        continue;
      std::string p = folder + "/" + n;
      struct stat st;
      lstat(p.c_str(), &st);
      if (S_ISDIR(st.st_mode))
        walk(p);
      else
        expected.push_back(p);
    }
    closedir(d);
  };
  walk(Dir.Path().string());
  std::vector<std::string> list;
  FindFiles(Dir.Path().string(), true, list);
  EXPECT_EQ(list, expected);
  EXPECT_EQ(list.size(), 7u); // six files and the link, not what it points to

  FindFiles(Dir.Path().string() + "/", false, list);
  EXPECT_EQ(list.size(), 3u);
}

TEST_F(LUMCtrlFiles, FindFilesErrors) {
  std::vector<std::string> list{"old"};
  try {
    FindFiles("", true, list);
    ADD_FAILURE();
  } catch (const std::runtime_error &e) {
    EXPECT_STREQ(e.what(), "Ungültige Pfadangebe!");
  }
  try {
    FindFiles(Dir.File("nope"), true, list);
    ADD_FAILURE();
  } catch (const std::runtime_error &e) {
    EXPECT_STREQ(e.what(), "Ordner nicht vorhanden!");
  }
}

TEST_F(LUMCtrlFiles, TempFolderIsPrivateAndFollowsTmpdir) {
  const char *old = getenv("TMPDIR");
  std::string saved = old ? old : "";
  setenv("TMPDIR", (Dir.Path().string() + "/").c_str(), 1);
  std::string t = GetTempFolder();
  EXPECT_EQ(t.rfind(Dir.Path().string() + "/", 0), 0u) << t;
  EXPECT_NE(t.back(), '/');
  struct stat st;
  ASSERT_EQ(lstat(t.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, getuid());
  // A planted link in its place is refused.
  rmdir(t.c_str());
  symlink(Dir.Path().c_str(), t.c_str());
  EXPECT_EQ(GetTempFolder(), "");
  if (old)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
}
