// The file class on the desktop and the options dialog that makes Tessaro the
// default program of picture types, read back the way the desktop reads it.
#include "frame/UnOptions.h"
#include "frame_fixture.h"
#include "platform/FileAssociations.h"

#include "shell_test_util.h"

#include "../common/TestUtil.h"

#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>
#include <functional>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const QString &path) {
  return tessaro::test::ReadText(std::filesystem::path(path.toStdString()));
}

void WriteText(const QString &path, const std::string &text) {
  tessaro::test::WriteText(std::filesystem::path(path.toStdString()), text);
}

// The desktop's own answer for a type's default program ("" without
// xdg-mime).
QString XdgDefault(const QString &mimeType) {
  const QString tool = QStandardPaths::findExecutable("xdg-mime");
  if (tool.isEmpty())
    return QString();
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char *v :
       {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "DESKTOP_SESSION"})
    env.remove(v);
  p.setProcessEnvironment(env);
  p.start(tool, {"query", "default", mimeType});
  p.waitForFinished(10000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QStringList Column(const TfrmOptions &dlg, int column) {
  QStringList texts;
  for (int i = 0; i < dlg.ListViewFileAssoc->topLevelItemCount(); ++i)
    texts << dlg.ListViewFileAssoc->topLevelItem(i)->text(column);
  return texts;
}

class ShellOptions : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    QFile::remove(MimeAppsListPath());
  }
  void TearDown() override {
    QFile::remove(MimeAppsListPath());
    FrameTest::TearDown();
  }
  void Tick(TfrmOptions &dlg, const QString &ext, bool on) {
    dlg.Row(ext)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
  }
};

TEST_F(ShellOptions, ClassIsWrittenOnceAsADesktopEntryThatTheDesktopAccepts) {
  // The frame wrote it when it was built.
  const QString entry = DesktopEntryPath();
  ASSERT_TRUE(QFile::exists(entry));
  ASSERT_TRUE(QFile::exists(MimePackagePath()));
  const std::string text = ReadText(entry);
  EXPECT_NE(text.find("\nExec=" + QCoreApplication::applicationFilePath().toStdString() + " %f\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\nMimeType=" + OpenedMimeTypes().join(';').toStdString() + ";\n"), std::string::npos);
  if (const QString validate = QStandardPaths::findExecutable("desktop-file-validate"); !validate.isEmpty()) {
    QProcess p;
    p.start(validate, {entry});
    p.waitForFinished(10000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
  }
  // Written once: an entry that names another program stays as it is.
  WriteText(entry, "[Desktop Entry]\nType=Application\nName=Alt\nExec=/anderswo/tessaro %f\n");
  EXPECT_TRUE(Frame->RegisterFileClass());
  EXPECT_EQ(ReadText(entry), "[Desktop Entry]\nType=Application\nName=Alt\nExec=/anderswo/tessaro %f\n");
  QFile::remove(entry);
  EXPECT_TRUE(Frame->RegisterFileClass());
  EXPECT_NE(ReadText(entry).find("Name=Tessaro"), std::string::npos);
}

TEST_F(ShellOptions, ExecLineQuotesWhatTheFormatReserves) {
  EXPECT_EQ(DesktopExecLine("/usr/bin/tessaro"), "/usr/bin/tessaro %f");
  EXPECT_EQ(DesktopExecLine("/opt/Mein Programm/tessaro"), "\"/opt/Mein Programm/tessaro\" %f");
  EXPECT_EQ(DesktopExecLine("/opt/a$b/100%"), "\"/opt/a\\\\$b/100%%\" %f");
  EXPECT_EQ(DesktopExecLine("/opt/x\"y"), "\"/opt/x\\\\\"y\" %f");
}

TEST_F(ShellOptions, OwnMimeTypesAreDeclaredByThePackage) {
  const QString package = QString::fromUtf8(MimePackageText());
  for (const TAssociationRow &row : AssociationRows()) {
    const QString type = QString::fromLatin1(row.MimeType);
    if (!IsOwnMimeType(type))
      continue;
    EXPECT_TRUE(package.contains("<mime-type type=\"" + type + "\">")) << row.Extension;
    EXPECT_TRUE(package.contains(QString("<glob pattern=\"*") + row.Extension + "\"/>")) << row.Extension;
  }
}

TEST_F(ShellOptions, ListsThe38RowsInOrderAndSortsByAColumn) {
  TfrmOptions dlg(*Frame);
  dlg.FormShow();
  EXPECT_EQ(dlg.windowTitle(), "Optionen");
  EXPECT_EQ(dlg.PageControl->tabText(0), "Dateiformate");
  ASSERT_EQ(dlg.ListViewFileAssoc->topLevelItemCount(), 38);
  const QStringList exts = Column(dlg, 0);
  EXPECT_EQ(exts.first(), ".rla");
  EXPECT_EQ(exts[14], ".psp");
  EXPECT_EQ(Column(dlg, 1)[14], "Paintshop Pro Bild (*.psd)");
  EXPECT_EQ(exts.last(), ".rle");
  EXPECT_FALSE(exts.contains(".gif"));
  EXPECT_EQ(dlg.ListViewFileAssoc->headerItem()->text(0), "Typ");
  EXPECT_EQ(dlg.ListViewFileAssoc->headerItem()->text(1), "Beschreibung");
  EXPECT_EQ(dlg.ListViewFileAssoc->columnWidth(0), 70);
  EXPECT_EQ(dlg.ListViewFileAssoc->columnWidth(1), 234);
  EXPECT_EQ(dlg.BitBtnOK->text(), "&OK");
  EXPECT_EQ(dlg.BitBtnCancel->text(), "&Abbrechen");

  // A click on a header sorts by it, always ascending, ignoring case.
  dlg.show();
  Flush();
  QTest::mouseClick(dlg.ListViewFileAssoc->header()->viewport(), Qt::LeftButton, {},
                    QPoint(dlg.ListViewFileAssoc->header()->sectionViewportPosition(1) + 20, 5));
  EXPECT_EQ(dlg.SortColumn(), 1);
  QStringList descriptions = Column(dlg, 1);
  EXPECT_EQ(descriptions[0], "Alias Wavefront Bild (*.rla)");
  EXPECT_EQ(descriptions[1], "Alias Wavefront Bild (*.rpf)");
  dlg.ListViewFileAssocColumnClick(1);
  EXPECT_EQ(Column(dlg, 1)[0], "Alias Wavefront Bild (*.rla)");
  dlg.ListViewFileAssocColumnClick(0);
  QStringList sorted = exts;
  std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  EXPECT_EQ(Column(dlg, 0), sorted);
  EXPECT_EQ(Column(dlg, 0).first(), ".bmp");
}

TEST_F(ShellOptions, TicksComeFromAndGoToTheUsersMimeAppsList) {
  // Another program owns PNG; JPEG is ours; TIFF has a list of programs.
  WriteText(MimeAppsListPath(),
            "# meine Liste\n[Added Associations]\nimage/png=gimp.desktop;\n\n"
            "[Default Applications]\nimage/png=gimp.desktop;\nimage/jpeg=tessaro.desktop;\n"
            "image/tiff=tessaro.desktop;eog.desktop;\nunverständliche Zeile\n\n"
            "[Sonstiges]\nx=y\n");
  TfrmOptions dlg(*Frame);
  dlg.FormShow();
  EXPECT_EQ(dlg.Row(".png")->checkState(0), Qt::Unchecked);
  for (const char *ext : {".jpg", ".jpeg", ".jpe", ".tif", ".tiff"})
    EXPECT_EQ(dlg.Row(ext)->checkState(0), Qt::Checked) << ext;
  EXPECT_EQ(dlg.Row(".jfif")->checkState(0), Qt::Unchecked); // a type of its own
  EXPECT_EQ(dlg.Row(".bmp")->checkState(0), Qt::Unchecked);

  // Extensions of one type share their tick.
  Tick(dlg, ".jpeg", false);
  EXPECT_EQ(dlg.Row(".jpg")->checkState(0), Qt::Unchecked);
  EXPECT_EQ(dlg.Row(".jpe")->checkState(0), Qt::Unchecked);
  Tick(dlg, ".tif", false);
  Tick(dlg, ".png", true);
  Tick(dlg, ".bmp", true);
  Tick(dlg, ".win", true);
  ASSERT_TRUE(dlg.BitBtnOKClick());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);

  EXPECT_EQ(ReadText(MimeAppsListPath()),
            "# meine Liste\n[Added Associations]\nimage/png=gimp.desktop;\n\n"
            "[Default Applications]\nimage/png=tessaro.desktop;\nimage/tiff=eog.desktop;\n"
            "unverständliche Zeile\nimage/x-tessaro-win=tessaro.desktop;\nimage/bmp=tessaro.desktop;\n\n"
            "[Sonstiges]\nx=y\n");
  // The desktop agrees.
  if (QStandardPaths::findExecutable("xdg-mime").isEmpty())
    GTEST_SKIP() << "xdg-mime (xdg-utils) is not installed";
  EXPECT_EQ(XdgDefault("image/png"), "tessaro.desktop");
  EXPECT_EQ(XdgDefault("image/bmp"), "tessaro.desktop");
  EXPECT_EQ(XdgDefault("image/x-tessaro-win"), "tessaro.desktop");
  EXPECT_NE(XdgDefault("image/jpeg"), "tessaro.desktop");
}

TEST_F(ShellOptions, OkWithoutChangesKeepsEveryTickAndCancelWritesNothing) {
  WriteText(MimeAppsListPath(), "[Default Applications]\nimage/png=tessaro.desktop;\n");
  {
    TfrmOptions dlg(*Frame);
    dlg.FormShow();
    Tick(dlg, ".png", false);
    dlg.BitBtnCancelClick();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
  }
  EXPECT_EQ(ReadText(MimeAppsListPath()), "[Default Applications]\nimage/png=tessaro.desktop;\n");
  {
    TfrmOptions dlg(*Frame);
    dlg.FormShow();
    ASSERT_TRUE(dlg.BitBtnOKClick());
  }
  EXPECT_EQ(ReadText(MimeAppsListPath()), "[Default Applications]\nimage/png=tessaro.desktop;\n");
  // A list without the group gets it.
  WriteText(MimeAppsListPath(), "[Added Associations]\nimage/png=gimp.desktop;");
  {
    TfrmOptions dlg(*Frame);
    dlg.FormShow();
    Tick(dlg, ".ico", true);
    ASSERT_TRUE(dlg.BitBtnOKClick());
  }
  EXPECT_EQ(ReadText(MimeAppsListPath()),
            "[Added Associations]\nimage/png=gimp.desktop;\n\n"
            "[Default Applications]\nimage/vnd.microsoft.icon=tessaro.desktop;\n");
}

TEST_F(ShellOptions, ListThatCannotBeWrittenIsReportedAndKeepsTheDialogOpen) {
  const std::string list = MimeAppsListPath().toStdString();
  const std::vector<std::pair<const char *, std::function<void()>>> cases = {
      // A write-protected list (root may write it all the same).
      {"schreibgeschützt",
       [&] {
         WriteText(MimeAppsListPath(), "[Default Applications]\n");
         fs::permissions(list, fs::perms::owner_read);
       }},
      // A folder in its place.
      {"Ordner", [&] { fs::create_directories(list); }},
  };
  for (const auto &[name, make] : cases) {
    SCOPED_TRACE(name);
    if (std::string(name) == "schreibgeschützt" && getuid() == 0)
      continue;
    make();
    ClearShownMessages();
    TfrmOptions dlg(*Frame);
    dlg.FormShow();
    Tick(dlg, ".png", true);
    EXPECT_FALSE(dlg.BitBtnOKClick());
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].Type, mtError);
    EXPECT_TRUE(dlg.BitBtnOK->isEnabled());
    EXPECT_EQ(dlg.result(), 0);
    fs::permissions(list, fs::perms::owner_all);
    fs::remove_all(list);
  }
}

TEST_F(ShellOptions, MenuItemOpensTheDialog) {
  int shown = 0;
  Frame->OptionsDialogHook = [&](TfrmOptions &dlg) {
    ++shown;
    dlg.FormShow();
    EXPECT_EQ(dlg.ListViewFileAssoc->topLevelItemCount(), 38);
  };
  ASSERT_TRUE(Frame->ActOptions->isEnabled());
  Frame->ActOptions->trigger();
  EXPECT_EQ(shown, 1);
}

} // namespace
} // namespace tessaro::test
