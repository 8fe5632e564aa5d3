#include "files/LUMGraphicsFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace tessaro;

namespace {
std::vector<std::string> Split(const std::string &s, char sep) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : s) {
    if (c == sep) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}
} // namespace

TEST(ImageFilters, OpenFilterVerbatim) {
  std::string f;
  GetOpenImageFilter(f);
  EXPECT_EQ(
      f, "Alle (*.bmp .. *.jpg)|*.bmp;*.emf;*.ico;*.jfif;*.jpe;*.jpeg;*.jpg;*.gif;*.png;*.pcd;*.pcx;*.pdd;*."
         "pgm;*.pic;*.ppm;*.psd;*.psp;*.rgb;*.rgba;*.rla;*.rle;*.rpf;*.sgi;*.tif;*.tiff;*.wmf;|JPEG Bild "
         "(*.jpg;*.jpeg;)|*.jpg;*.jpeg|Portable Netzwerkgrafik (*.png)|*.png|GIF Bild (*.gif)|*.gif|"
         "Windows Bitmap (*.bmp)|*.bmp|Metadatei (*.wmf)|*.wmf|Erweiterte Metadatei (*.emf)|*.emf|TIF Bild "
         "(*.tif; *.tiff)|*.tif;*.tiff|Symbol (*.ico)|*.ico|Paintshop Pro Bild (*.psp)|*.psp|Kodak Foto CD "
         "Bild (*.pcd)|*.pcd|Autodesk Bild (*.pic)|*.pic|Autodesk Bild (*.cel)|*.cel|Portable Bitmap "
         "(*.pbm)|*.pbm|Portable Graustufen Bild (*.pgm)|*.pgm|Portables Pixel Map Bild (*.ppm)|*.ppm|"
         "Photoshop Bild (*.pdd)|*.pdd|Photoshop Bild (*.psd)|*.psd|SGI Schwarz/Weiß Bild (*.bw)|*.bw|SGI "
         "Echtfarben Bild (*.rgb)|*.rgb|SGI Alpha Echtfarben Bild (*.rgba)|*.rgba|SGI Echtfarben Bild "
         "(*.sgi)|*.sgi|Alias Wavefront Bild (*.rla)|*.rla|Alias Wavefront Bild (*.rpf)|*.rpf|Paintbrush "
         "Bild (*.pcc)|*.pcc|Paintbrush Bild (*.pcx)|*.pcx|Postscript Bild (*.eps)|*.eps|DIB Bitmap "
         "(*.dib)|*.dib|RLE Bitmap (*.rle)|*.rle|");
  auto parts = Split(f, '|');
  ASSERT_EQ(parts.size(), 59u); // 29 pairs and the empty piece after the last "|"
  EXPECT_EQ(parts.back(), "");
  auto first = Split(parts[1], ';');
  EXPECT_EQ(first.size(), 27u); // 26 patterns, ending with ";"
  EXPECT_EQ(first.back(), "");
  // Every pattern of the open filter names a readable extension.
  for (size_t i = 1; i < parts.size(); i += 2) {
    for (const auto &p : Split(parts[i], ';')) {
      if (!p.empty()) {
        EXPECT_TRUE(IsSupportedImageFile("x" + p.substr(1))) << p;
      }
    }
  }
}

TEST(ImageFilters, SaveFilterVerbatim) {
  std::string f;
  GetSaveImageFilter(f);
  EXPECT_EQ(f,
            "Windows Bitmap (*.bmp)|*.bmp|JPEG Bild (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF Bild (*.gif)|*.gif|PNG "
            "Bild (*.png)|*.png|Metadatei (*.wmf;*.emf)|*.wmf;*.emf");
}

TEST(ImageFilters, ReadableAndWritableExtensions) {
  const char *readable[] = {"bmp", "dib", "rle", "ico", "wmf", "emf", "jpg",  "jpeg", "jpe", "jfif",
                            "gif", "png", "tga", "vst", "vda", "icb", "tif",  "tiff", "fax", "eps",
                            "pcx", "pcc", "rla", "rpf", "sgi", "rgb", "rgba", "bw",   "psd", "pdd",
                            "ppm", "pgm", "pbm", "cel", "pic", "pcd", "cut",  "psp"};
  EXPECT_EQ(std::size(readable), 38u);
  for (const char *e : readable) {
    EXPECT_TRUE(IsSupportedImageFile(std::string("/a/b.") + e)) << e;
    std::string up = e;
    std::transform(up.begin(), up.end(), up.begin(), ::toupper);
    EXPECT_TRUE(IsSupportedImageFile("B." + up)) << up;
  }
  for (const char *n : {"a.win", "a.scr", "a.txt", "bmp", "a.bmp.txt", "folder.jpg/file", ""})
    EXPECT_FALSE(IsSupportedImageFile(n)) << n;
  for (const char *n : {"a.bmp", "a.JPG", "a.jpeg", "a.wmf", "a.EMF", "a.gif", "a.png"})
    EXPECT_TRUE(IsSaveableImageFile(n)) << n;
  for (const char *n : {"a.jpe", "a.jfif", "a.dib", "a.ico", "a.tga", "a.tif", "a"})
    EXPECT_FALSE(IsSaveableImageFile(n)) << n;
}
