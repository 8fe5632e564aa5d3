// "Eigenschaften": the lines for BMP files of every bit depth (from their
// headers, as stored, also when odd), for other formats and unsaved
// documents (from the picture), a read-only file left read-only, and the
// memo's colours.
#include "core/BmpFile.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"
#include "info/ColorMemo.h"
#include "info/LUMShellIcon.h"
#include "info/UnProperties.h"

#include "../common/TestUtil.h"
#include "../help/help_test_util.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <fstream>

namespace tessaro::test {
namespace {

TPropertiesSource Source(const std::string &file, int w, int h, const char *type) {
  TPropertiesSource s;
  s.Caption = QString::fromStdString(std::filesystem::path(file).filename().string());
  s.FileName = file;
  s.Width = w;
  s.Height = h;
  s.ImageTypeText = QString::fromUtf8(type);
  return s;
}

TEST(PropertiesLines, BmpOfEachBitDepthFromItsHeaders) {
  TTempDir dir;
  const struct {
    TPixelFormat Format;
    const char *Depth;
    const char *Compression;
  } cases[] = {{pf1bit, "1-bit", "0"},   {pf4bit, "4-bit", "0"},   {pf8bit, "8-bit", "0"},
               {pf15bit, "16-bit", "0"}, {pf16bit, "16-bit", "3"}, {pf24bit, "24-bit", "0"},
               {pf32bit, "32-bit", "0"}};
  for (const auto &c : cases) {
    TBitmap bmp(300, 200, pf24bit);
    bmp.SetPixelFormat(c.Format);
    const std::string file = dir.File(std::string("bild") + c.Depth + ".bmp");
    ASSERT_TRUE(SaveBmpFile(bmp, file));
    const QStringList lines = PropertiesLines(Source(file, 1, 1, "8-bit"));
    const QString size = QString::fromStdString(FormatFileSize(std::filesystem::file_size(file), 2));
    const QStringList expected = {QStringLiteral("Datei:       bild") + c.Depth + QStringLiteral(".bmp"),
                                  QStringLiteral("Pfad:        ") + QString::fromStdString(file),
                                  QStringLiteral("Größe:       ") + size,
                                  QString(),
                                  QStringLiteral("Breite:      300 Pixel"),
                                  QStringLiteral("Höhe:        200 Pixel"),
                                  QString(),
                                  QStringLiteral("Farbtiefe:   ") + c.Depth,
                                  QStringLiteral("Farbebenen:  1"),
                                  QString(),
                                  QStringLiteral("Kompression: ") + c.Compression,
                                  QString(),
                                  QStringLiteral("X Px/Meter:  0"),
                                  QStringLiteral("Y Px/Meter:  0")};
    EXPECT_EQ(lines, expected) << c.Depth;
  }
  // 300 x 200 at 24 bits: 180054 bytes.
  EXPECT_EQ(PropertiesLines(Source(dir.File("bild24-bit.bmp"), 1, 1, ""))[2],
            QStringLiteral("Größe:       175,83 KB"));
}

TEST(PropertiesLines, HeaderNumbersAsStoredWithThousandsSeparators) {
  TTempDir dir;
  // A top-down header with odd but readable numbers and no pixels.
  unsigned char h[54] = {'B', 'M'};
  const auto put32 = [&h](int at, int32_t v) {
    for (int i = 0; i < 4; ++i)
      h[at + i] = uint8_t(uint32_t(v) >> (8 * i));
  };
  put32(2, 123456789);
  put32(14, 40);
  put32(18, 1234);
  put32(22, -2000);
  h[26] = 1;
  h[28] = 24;
  put32(30, 0);
  put32(38, 3780);
  put32(42, 1000000);
  const std::string file = dir.File("kopf.BMP");
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char *>(h), sizeof h);
  const QStringList lines = PropertiesLines(Source(file, 5, 5, "24-bit"));
  ASSERT_EQ(lines.size(), 14);
  EXPECT_EQ(lines[2], QStringLiteral("Größe:       54 Byte")) << "the file's size, not the header's";
  EXPECT_EQ(lines[4], QStringLiteral("Breite:      1.234 Pixel"));
  EXPECT_EQ(lines[5], QStringLiteral("Höhe:        -2.000 Pixel"));
  EXPECT_EQ(lines[12], QStringLiteral("X Px/Meter:  3.780"));
  EXPECT_EQ(lines[13], QStringLiteral("Y Px/Meter:  1.000.000"));
}

TEST(PropertiesLines, OtherFormatsAndUnreadableBmpShowThePicture) {
  TTempDir dir;
  TBitmap bmp(64, 48, pf24bit);
  const std::string png = dir.File("foto.png");
  ASSERT_TRUE(SaveImageFile(&bmp, png, 90, 0, false));
  const QStringList lines = PropertiesLines(Source(png, 12000, 480, "32-bit"));
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], QStringLiteral("Datei:       foto.png"));
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Größe:       ")));
  EXPECT_EQ(lines.mid(3),
            (QStringList{QString(), QStringLiteral("Breite (Px): 12.000"), QStringLiteral("Höhe (Px):   480"),
                         QStringLiteral("Farbtiefe:   32-bit")}));
  // A .bmp without a readable header falls back to the picture.
  const std::string broken = dir.File("kaputt.bmp");
  std::ofstream(broken, std::ios::binary) << "BM";
  EXPECT_EQ(PropertiesLines(Source(broken, 7, 8, "8-bit")).mid(4),
            (QStringList{QStringLiteral("Breite (Px): 7"), QStringLiteral("Höhe (Px):   8"),
                         QStringLiteral("Farbtiefe:   8-bit")}));
}

TEST(PropertiesLines, UnsavedDocument) {
  TPropertiesSource s;
  s.Caption = QStringLiteral("Neu 1.bmp");
  s.FileName = "Neu 1.bmp";
  s.Width = 400;
  s.Height = 300;
  s.ImageTypeText = QStringLiteral("24-bit");
  EXPECT_EQ(PropertiesLines(s),
            (QStringList{QStringLiteral("Datei:       Neu 1.bmp"),
                         QStringLiteral("             Noch nicht gespeichert!"), QString(),
                         QStringLiteral("Breite (Px): 400"), QStringLiteral("Höhe (Px):   300"),
                         QStringLiteral("Farbtiefe:   24-bit")}));
}

TEST(PropertiesLines, ReadOnlyFileStaysReadOnly) {
  TTempDir dir;
  TBitmap bmp(10, 10, pf8bit);
  const std::string file = dir.File("fest.bmp");
  ASSERT_TRUE(SaveBmpFile(bmp, file));
  ASSERT_TRUE(SetFileReadOnly(file, true));
  const QStringList lines = PropertiesLines(Source(file, 10, 10, "8-bit"));
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Größe:       ")));
  EXPECT_TRUE(IsFileReadOnly(file));
}

TEST(PropertiesDialog, CaptionIconAndColouredKeywords) {
  TTempDir dir;
  TBitmap bmp(300, 200, pf24bit);
  const std::string file = dir.File("bild.bmp");
  ASSERT_TRUE(SaveBmpFile(bmp, file));
  TfrmProperties d(Source(file, 300, 200, "24-bit"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Eigenschaften von bild.bmp"));
  EXPECT_EQ(d.size(), QSize(359, 224));
  EXPECT_EQ(d.LUMShellIcon->ShellStyle(), shsFile);
  EXPECT_EQ(d.LUMShellIcon->FileName(), QString::fromStdString(file));
  EXPECT_FALSE(d.LUMShellIcon->Icon().isNull());
  EXPECT_TRUE(d.ColorMemo->isReadOnly());
  EXPECT_TRUE(d.BitBtnOK->isDefault());

  const QString text = d.ColorMemo->toPlainText();
  const auto colorOf = [&](const QString &word, int skip = 0) {
    const qsizetype at = text.indexOf(word);
    EXPECT_GE(at, 0) << word.toStdString();
    return d.ColorMemo->ColorAt(int(at + skip));
  };
  const QColor blue(0, 0, 255), green(0, 128, 0), teal(0, 128, 128);
  EXPECT_EQ(colorOf(QStringLiteral("Datei:")), blue);
  EXPECT_EQ(colorOf(QStringLiteral("Kompression:"), 11), blue);
  EXPECT_EQ(colorOf(QStringLiteral("X Px/Meter:")), blue);
  EXPECT_EQ(colorOf(QStringLiteral("24-bit")), green);
  EXPECT_EQ(colorOf(QStringLiteral("24-bit"), 5), green);
  EXPECT_EQ(colorOf(QStringLiteral("KB")), teal);
  EXPECT_EQ(colorOf(QStringLiteral("bild.bmp")), QColor(Qt::black));
  EXPECT_EQ(colorOf(QStringLiteral("300 Pixel")), QColor(Qt::black));

  d.BitBtnOK->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(PropertiesDialog, UnsavedDocumentShowsTheQuestionIcon) {
  TPropertiesSource s;
  s.Caption = QStringLiteral("Neu 2.bmp");
  s.FileName = "Neu 2.bmp";
  TfrmProperties d(s);
  EXPECT_EQ(d.LUMShellIcon->ShellStyle(), shsIcon);
  EXPECT_EQ(d.LUMShellIcon->ShellIcon(), shiConfirmation);
  const QString text = d.ColorMemo->toPlainText();
  EXPECT_EQ(d.ColorMemo->ColorAt(int(text.indexOf(QStringLiteral("Noch nicht gespeichert!")) + 5)),
            QColor(0, 0, 255));
}

TEST(ColorMemo, KeywordsMatchWhole) {
  TColorMemo memo;
  memo.SetRules({{{QStringLiteral("4-bit"), QStringLiteral("KB")}, QColor(0, 128, 0)}});
  memo.setPlainText(QStringLiteral("24-bit 4-bit KBx KB"));
  EXPECT_EQ(memo.ColorAt(1), QColor(Qt::black)) << "not inside 24-bit";
  EXPECT_EQ(memo.ColorAt(7), QColor(0, 128, 0));
  EXPECT_EQ(memo.ColorAt(13), QColor(Qt::black)) << "not inside KBx";
  EXPECT_EQ(memo.ColorAt(17), QColor(0, 128, 0));
}

} // namespace
} // namespace tessaro::test
