// Each combine type of the frame's list laid over a known picture: the
// pixel it leaves, pixels of the see-through colour left out, clipping at
// the picture's edges, and only 24-bit pictures.
#include "../../common/TestUtil.h"
#include "core/Canvas.h"
#include "document/objects/CombineTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro::test {
namespace {

constexpr TColor S = RGB(0xF0, 0x0F, 0x33); // the object's pixel
constexpr TColor D = RGB(0xAA, 0x55, 0xFF); // the picture's pixel
constexpr TColor P = RGB(0x12, 0x34, 0x56); // the brush

TEST(CombineTypes, EachTypeCombinesObjectPictureAndBrush) {
  const std::pair<const char *, TColor> expected[] = {
      {"Standard", S},
      {"Hinzufügen", RGB(0xA0, 0x05, 0x33)},              // S and D
      {"Invertierte Subtraktion", RGB(0x50, 0x0A, 0x00)}, // S and not D
      {"XOR Invertierung", RGB(0x5A, 0x5A, 0xCC)},        // S xor D
      {"Subtraktion", RGB(0xFA, 0x5F, 0xFF)},             // S or D
      {"Invertiertes Kopieren", RGB(0x0F, 0xF0, 0xCC)},   // not S
      {"Quellmuster Subtraktion", RGB(0x05, 0xA0, 0x00)}, // not (S or D)
      {"Quellmuster Kopieren", P},
      {"Quellmuster Invertieren", RGB(0xB8, 0x61, 0xA9)}, // P xor D
      {"Quellmuster Zeichnen", RGB(0xBF, 0xF5, 0xFF)},    // P or not S or D
      {"Kombinierte  Addition", RGB(0x10, 0x04, 0x12)},   // P and S
      {"Kombinierte Subtraktion", RGB(0xAF, 0xF5, 0xFF)}, // not S or D
      {"Invertieren", RGB(0x55, 0xAA, 0x00)},             // not D
      {"Schwarz", clBlack},
      {"Weiß", clWhite},
  };
  ASSERT_EQ(CombineTypes().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const auto &[caption, colour] = expected[i];
    EXPECT_EQ(std::string(CombineTypes()[i].Caption), caption);
    TBitmap object(2, 1, pf24bit), picture(4, 3, pf24bit);
    object.Canvas().Brush.Color = S;
    object.Canvas().FillRect(TRect(0, 0, 2, 1));
    picture.Canvas().Brush.Color = D;
    picture.Canvas().FillRect(TRect(0, 0, 4, 3));
    ASSERT_TRUE(CombineCopy(object, picture, 1, 1, CombineCopyMode(int(i)), P, clWhite, false));
    EXPECT_EQ(picture.GetPixel(1, 1), colour) << caption;
    EXPECT_EQ(picture.GetPixel(2, 1), colour) << caption;
    EXPECT_EQ(picture.GetPixel(0, 1), D) << caption;
    EXPECT_EQ(picture.GetPixel(3, 1), D) << caption;
    EXPECT_EQ(picture.GetPixel(1, 0), D) << caption;
  }
  EXPECT_EQ(CombineCopyMode(-1), cmSrcCopy);
  EXPECT_EQ(CombineCopyMode(15), cmSrcCopy);
}

TEST(CombineTypes, SeeThroughPixelsStayOutAndEdgesClip) {
  TBitmap object(3, 3, pf24bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      object.SetPixel(x, y, (x + y) % 2 ? clWhite : S);
  for (const uint32_t mode : {cmSrcCopy, cmSrcInvert}) {
    TBitmap picture(4, 4, pf24bit);
    picture.Canvas().Brush.Color = D;
    picture.Canvas().FillRect(TRect(0, 0, 4, 4));
    // Lies one pixel beyond the left and the bottom edge.
    ASSERT_TRUE(CombineCopy(object, picture, -1, 2, mode, P, clWhite, true));
    const TColor combined = mode == cmSrcCopy ? S : (S ^ D);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const int ox = x + 1, oy = y - 2;
        const bool covered = ox < 3 && oy >= 0 && (ox + oy) % 2 == 0;
        EXPECT_EQ(picture.GetPixel(x, y), covered ? combined : D) << mode << " " << x << "," << y;
      }
  }
  // A system colour matches no pixel: nothing is left out.
  TBitmap picture(3, 3, pf24bit);
  picture.Canvas().Brush.Color = D;
  picture.Canvas().FillRect(TRect(0, 0, 3, 3));
  ASSERT_TRUE(CombineCopy(object, picture, 0, 0, cmSrcInvert, P, clBtnFace, true));
  EXPECT_EQ(picture.GetPixel(1, 0), clWhite ^ D);
  TBitmap grey(3, 3, pf8bit);
  EXPECT_FALSE(CombineCopy(object, grey, 0, 0, cmSrcInvert, P, clWhite, false));
}

} // namespace
} // namespace tessaro::test
