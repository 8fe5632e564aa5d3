// Opening, restoring and saving pictures in the formats of the image file
// library: pixel formats that survive, read-only files, refused names and
// the dialog filters.
#include "core/BmpFile.h"
#include "core/Canvas.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"
#include "frame_fixture.h"

#include "../common/TestUtil.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

// 4 x 3, palette red / blue / green, index = (x + y) % 3.
TBitmap PaletteImage() {
  TBitmap b(4, 3, pf8bit);
  TPalette pal(256);
  pal[0] = QuadFromColor(clRed);
  pal[1] = QuadFromColor(clBlue);
  pal[2] = QuadFromColor(RGB(0, 128, 0));
  b.SetPalette(pal);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      b.SetStored(x, y, uint32_t((x + y) % 3));
  return b;
}

// An 8-bit Paintbrush file: header, run-length coded rows, 256-entry palette.
void WritePcx(const std::string &path, const TBitmap &img) {
  const int w = img.Width(), h = img.Height();
  const int bytesPerLine = (w + 1) & ~1;
  std::vector<uint8_t> d(128, 0);
  d[0] = 10; // manufacturer
  d[1] = 5;  // version
  d[2] = 1;  // run-length coding
  d[3] = 8;  // bits per pixel
  d[8] = uint8_t(w - 1);
  d[10] = uint8_t(h - 1);
  d[65] = 1; // planes
  d[66] = uint8_t(bytesPerLine);
  d[68] = 1; // palette information: colour
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < bytesPerLine; ++x) {
      const uint8_t v = x < w ? uint8_t(img.GetStored(x, y)) : 0;
      if (v >= 0xC0)
        d.push_back(0xC1);
      d.push_back(v);
    }
  }
  d.push_back(12);
  for (int i = 0; i < 256; ++i) {
    const TRGBQuad q = i < int(img.Palette().size()) ? img.Palette()[i] : TRGBQuad{};
    d.push_back(q.rgbRed);
    d.push_back(q.rgbGreen);
    d.push_back(q.rgbBlue);
  }
  FILE *f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fwrite(d.data(), 1, d.size(), f);
  fclose(f);
}

void ExpectPaletteColours(const TBitmap &b) {
  ASSERT_EQ(b.Width(), 4);
  ASSERT_EQ(b.Height(), 3);
  const TColor colours[3] = {clRed, clBlue, RGB(0, 128, 0)};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(b.GetPixel(x, y), colours[(x + y) % 3]) << x << "," << y;
}

bool FileIsReadOnly(const std::string &path) {
  return (fs::status(path).permissions() & fs::perms::owner_write) == fs::perms::none;
}

using FrameOpenFormats = FrameTest;

TEST_F(FrameOpenFormats, EachFormatArrivesInTheFormatItsReaderKeeps) {
  TTempDir dir;
  TBitmap palette = PaletteImage();
  ASSERT_TRUE(SaveImageFile(&palette, dir.File("bild.png"), 100, 7, false));
  ASSERT_TRUE(SaveImageFile(&palette, dir.File("gross.PNG"), 100, 7, false));
  ASSERT_TRUE(SaveImageFile(&palette, dir.File("bild.gif"), 100, 7, false));
  WritePcx(dir.File("bild.pcx"), palette);
  TBitmap four(palette);
  four.SetPixelFormat(pf4bit);
  ASSERT_TRUE(SaveBmpFile(four, dir.File("vier.bmp")));
  TBitmap photo(16, 16);
  photo.Canvas().Brush.Color = clRed;
  photo.Canvas().FillRect(TRect(0, 0, 16, 16));
  ASSERT_TRUE(SaveImageFile(&photo, dir.File("foto.jpg"), 100, 7, false));

  struct Case {
    const char *Name;
    TPixelFormat Format;
    bool ExactColours;
  };
  const Case cases[] = {
      {"bild.png", pf8bit, true},  {"gross.PNG", pf8bit, true}, {"bild.gif", pf8bit, true},
      {"bild.pcx", pf24bit, true}, {"vier.bmp", pf4bit, true},  {"foto.jpg", pf24bit, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.Name);
    TfrmChild *doc = Frame->OpenPictureFile(dir.File(c.Name));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Bitmap().PixelFormat(), c.Format);
    EXPECT_EQ(doc->ImageType(), c.Format);
    EXPECT_EQ(doc->Caption(), QString(c.Name));
    EXPECT_EQ(doc->FileName(), dir.File(c.Name));
    EXPECT_FALSE(doc->ReadOnly());
    EXPECT_FALSE(doc->Modified());
    if (c.ExactColours) {
      ExpectPaletteColours(doc->Bitmap());
    } else {
      const TColor p = doc->Bitmap().GetPixel(8, 8);
      EXPECT_GT(GetRValue(p), 240);
      EXPECT_LT(GetGValue(p), 16);
      EXPECT_LT(GetBValue(p), 16);
    }
  }
  EXPECT_TRUE(ShownMessages().empty());
  EXPECT_EQ(Frame->Documents().size(), 1u + std::size(cases));
}

TEST_F(FrameOpenFormats, ReadOnlyPngStaysReadOnlyThroughOpenAndRestore) {
  TTempDir dir;
  TBitmap palette = PaletteImage();
  const std::string path = dir.File("ro.png");
  ASSERT_TRUE(SaveImageFile(&palette, path, 100, 7, false));
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  TfrmChild *doc = Frame->OpenPictureFile(path);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Caption(), "ro.png (Schreibgeschützt)");
  EXPECT_TRUE(doc->ReadOnly());
  EXPECT_TRUE(FileIsReadOnly(path));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::group_read, fs::perms::group_read);
  ExpectPaletteColours(doc->Bitmap());

  // The PNG reader drops the flag; restore puts it back as well.
  QueueAnswer(mrYes);
  doc->mnuRestoreClick();
  EXPECT_TRUE(FileIsReadOnly(path));
  EXPECT_EQ(ShownMessages().size(), 1u);
}

TEST_F(FrameOpenFormats, RefusedAndUnreadableFilesMakeNoDocument) {
  TTempDir dir;
  TBitmap photo(8, 8);
  ASSERT_TRUE(SaveImageFile(&photo, dir.File("foto.jpg"), 90, 7, false));
  // JPEG content under names no reader of that name takes, and names the
  // program does not open at all.
  fs::copy_file(dir.File("foto.jpg"), dir.File("foto.pcx"));
  fs::copy_file(dir.File("foto.jpg"), dir.File("foto.win"));
  fs::copy_file(dir.File("foto.jpg"), dir.File("foto.txt"));

  for (const char *name : {"foto.win", "foto.txt"}) {
    ClearShownMessages();
    EXPECT_EQ(Frame->OpenPictureFile(dir.File(name)), nullptr);
    ASSERT_EQ(ShownMessages().size(), 1u) << name;
    EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
    EXPECT_EQ(ShownMessages()[0].Text,
              QString::fromStdString("Datei \"" + dir.File(name) +
                                     "\" kann nicht geöffnet werden, da das "
                                     "Dateiformat von Tessaro nicht unterstützt wird!"));
  }
  ClearShownMessages();
  ResetBeepCount();
  EXPECT_EQ(Frame->OpenPictureFile(dir.File("foto.pcx")), nullptr);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtError);
  EXPECT_FALSE(ShownMessages()[0].Text.isEmpty());
  EXPECT_EQ(BeepCount(), 1);
  EXPECT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(Frame->DocumentNo(), 101);
}

TEST_F(FrameOpenFormats, RestoreReadsAPngBackInItsOwnFormat) {
  TTempDir dir;
  TBitmap palette = PaletteImage();
  ASSERT_TRUE(SaveImageFile(&palette, dir.File("r.png"), 100, 7, false));
  TfrmChild *doc = Frame->OpenPictureFile(dir.File("r.png"));
  ASSERT_NE(doc, nullptr);
  Flush();
  doc->Bitmap().SetPixelFormat(pf24bit);
  doc->SetImageType(pf24bit);
  doc->Bitmap().SetPixel(0, 0, clWhite);
  doc->SetModified(true);

  QueueAnswer(mrYes);
  doc->mnuRestoreClick();
  EXPECT_EQ(doc->Bitmap().PixelFormat(), pf8bit);
  EXPECT_EQ(doc->ImageType(), pf8bit);
  EXPECT_FALSE(doc->Modified());
  ExpectPaletteColours(doc->Bitmap());
}

TEST_F(FrameOpenFormats, SavesPngAndGifThatReadBack) {
  TTempDir dir;
  std::string target;
  int asked = 0;
  Frame->SaveDialogHook = [&](std::string &name) {
    ++asked;
    name = target;
    return true;
  };

  // A 24-bit picture as PNG, chosen in the save dialog.
  TfrmChild *doc = First();
  doc->Bitmap().SetPixel(3, 4, RGB(10, 200, 30));
  doc->SetModified(true);
  target = dir.File("bild.png");
  ASSERT_TRUE(Frame->SaveDocument(*doc, doc->FileName(), true));
  EXPECT_EQ(doc->FileName(), target);
  EXPECT_EQ(doc->Caption(), "bild.png");
  EXPECT_FALSE(doc->Modified());
  TBitmap back;
  ASSERT_TRUE(LoadImageFile(target, back));
  EXPECT_EQ(back.Width(), doc->Bitmap().Width());
  EXPECT_EQ(back.GetPixel(3, 4), RGB(10, 200, 30));
  EXPECT_EQ(back.GetPixel(0, 0), doc->Bitmap().GetPixel(0, 0));

  // A writable name is saved under without asking.
  doc->Bitmap().SetPixel(3, 4, clBlue);
  ASSERT_TRUE(Frame->SaveDocument(*doc, doc->FileName(), false));
  EXPECT_EQ(asked, 1);
  ASSERT_TRUE(LoadImageFile(target, back));
  EXPECT_EQ(back.GetPixel(3, 4), clBlue);

  // An 8-bit document as GIF keeps its palette colours and its format.
  TBitmap palette = PaletteImage();
  ASSERT_TRUE(SaveImageFile(&palette, dir.File("p.png"), 100, 7, false));
  TfrmChild *pal = Frame->OpenPictureFile(dir.File("p.png"));
  ASSERT_NE(pal, nullptr);
  target = dir.File("p.gif");
  ASSERT_TRUE(Frame->SaveDocument(*pal, pal->FileName(), true));
  EXPECT_EQ(pal->Caption(), "p.gif");
  ASSERT_TRUE(LoadImageFile(target, back));
  EXPECT_EQ(back.PixelFormat(), pf8bit);
  ExpectPaletteColours(back);
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(FrameOpenFormats, DialogFiltersListTheRealPatterns) {
  const QStringList open = TfrmMain::DialogFilters(OpenImageFilter());
  ASSERT_EQ(open.size(), 29);
  EXPECT_TRUE(open[0].startsWith("Alle (*.bmp *.emf *.ico *.jfif")) << open[0].toStdString();
  EXPECT_TRUE(open[0].endsWith("*.tiff *.wmf)")) << open[0].toStdString();
  EXPECT_EQ(open[1], "JPEG Bild (*.jpg *.jpeg)");
  EXPECT_EQ(open[7], "TIF Bild (*.tif *.tiff)");
  EXPECT_EQ(open[28], "RLE Bitmap (*.rle)");
  EXPECT_EQ(TfrmMain::DialogFilters(SaveImageFilter()),
            QStringList({"Windows Bitmap (*.bmp)", "JPEG Bild (*.jpg *.jpeg)", "GIF Bild (*.gif)",
                         "PNG Bild (*.png)", "Metadatei (*.wmf *.emf)"}));
}

} // namespace
} // namespace tessaro::test
