#include "import_helpers.h"

namespace tessaro::test {
namespace {

// Files of the formats with their own readers are claimed by no import
// reader, however the probing order runs (Targa, which has no magic
// number, comes first).
TEST(ImportProbing, OtherFormatsAreNotClaimed) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  for (const char *name : {"a.jpg", "b.gif", "c.bmp", "d.ico", "e.png"}) {
    for (const char *picture : {"rose:", "logo: -resize 40x30", "xc:white[1x1]", "xc:black[300x2]"}) {
      std::string file = dir.File(name);
      ASSERT_TRUE(Magick(std::string(picture) + " " + Quote(file))) << name;
      std::vector<uint8_t> bytes = FileBytes(file);
      std::string prober = Prober(bytes);
      // Only the PNG reader, registered last, may claim a PNG file.
      bool png = std::string(name) == "e.png" && prober == ImportReaders().back()->Name();
      EXPECT_TRUE(prober.empty() || png) << name << " " << picture << " claimed by " << prober;
    }
  }
}

// Every reader turns down the files of every other import format.
TEST(ImportProbing, EachFormatHasOneReader) {
  TESSARO_REQUIRE_TOOL(ImageMagick);
  TTempDir dir;
  struct Case {
    const char *file, *reader;
  } cases[] = {{"a.tga", "Truevision Targa"}, {"a.tif", "TIFF"},
               {"a.pcx", "Paintbrush"},       {"a.sgi", "SGI"},
               {"a.psd", "Photoshop"},        {"a.ppm", "Portable Map"},
               {"a.pgm", "Portable Map"},     {"a.pbm", "Portable Map"}};
  for (auto &c : cases) {
    std::string file = dir.File(c.file);
    ASSERT_TRUE(Magick("rose: " + Quote(file)));
    std::vector<uint8_t> bytes = FileBytes(file);
    size_t n = std::min<size_t>(bytes.size(), 4096);
    for (auto &r : ImportReaders()) {
      bool mine = std::string(r->Name()) == c.reader;
      EXPECT_EQ(r->Recognise(bytes.data(), n), mine) << c.file << " by " << r->Name();
      TBitmap bmp;
      std::string error;
      if (!mine && r != ImportReaders().back()) {
        EXPECT_FALSE(r->Read("", bytes.data(), bytes.size(), bmp, error))
            << c.file << " read by " << r->Name();
      }
    }
  }
}

TEST(ImportProbing, RegistrationOrderAndExtensions) {
  std::vector<std::string> names;
  for (auto &r : ImportReaders())
    names.push_back(r->Name());
  std::vector<std::string> expected = {"Truevision Targa",
                                       "TIFF",
                                       "Encapsulated Postscript",
                                       "Paintbrush",
                                       "Alias Wavefront",
                                       "SGI",
                                       "Photoshop",
                                       "Portable Map",
                                       "Autodesk",
                                       "Kodak Photo CD",
                                       "Dr. Halo",
                                       "Paintshop Pro"};
  ASSERT_EQ(names.size(), expected.size() + 1);
  names.pop_back();
  EXPECT_EQ(names, expected);
  // The PNG reader comes last.
  EXPECT_EQ(ImportReaders().back()->Extensions(), std::vector<std::string>{".png"});
  std::vector<std::string> all;
  for (auto &r : ImportReaders())
    for (auto &e : r->Extensions())
      all.push_back(e);
  for (const char *e : {".tga", ".vst", ".vda", ".icb", ".tif", ".tiff", ".fax", ".eps", ".pcx",
                        ".pcc", ".rla", ".rpf", ".sgi", ".rgb", ".rgba", ".bw",  ".psd", ".pdd",
                        ".ppm", ".pgm", ".pbm", ".cel", ".pic", ".pcd",  ".cut", ".psp"})
    EXPECT_NE(std::find(all.begin(), all.end(), e), all.end()) << e;
}

} // namespace
} // namespace tessaro::test
