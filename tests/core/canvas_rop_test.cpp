// The pen raster operations and the copy modes against their truth tables,
// on stored pixel values of every format.
#include "core/Canvas.h"

#include "canvas_test_util.h"

#include <gtest/gtest.h>

#include <random>

namespace tessaro {
namespace {

using test::FilledBitmap;

// Result bits for (pen, dest) = (0,0), (0,1), (1,0), (1,1).
struct TRop2Case {
  TPenMode Mode;
  int Table[4];
};
constexpr TRop2Case Rop2Cases[] = {
    {pmBlack, {0, 0, 0, 0}},       {pmWhite, {1, 1, 1, 1}},      {pmNop, {0, 1, 0, 1}},
    {pmNot, {1, 0, 1, 0}},         {pmCopy, {0, 0, 1, 1}},       {pmNotCopy, {1, 1, 0, 0}},
    {pmMergePenNot, {1, 0, 1, 1}}, {pmMaskPenNot, {0, 0, 1, 0}}, {pmMergeNotPen, {1, 1, 0, 1}},
    {pmMaskNotPen, {0, 1, 0, 0}},  {pmMerge, {0, 1, 1, 1}},      {pmNotMerge, {1, 0, 0, 0}},
    {pmMask, {0, 0, 0, 1}},        {pmNotMask, {1, 1, 1, 0}},    {pmXor, {0, 1, 1, 0}},
    {pmNotXor, {1, 0, 0, 1}},
};

TEST(CanvasRop2, SixteenModesFollowTheirTruthTables) {
  for (const TRop2Case &rc : Rop2Cases)
    for (uint32_t p = 0; p < 2; ++p)
      for (uint32_t d = 0; d < 2; ++d)
        EXPECT_EQ(ApplyRop2(rc.Mode, p, d) & 1u, uint32_t(rc.Table[p * 2 + d]))
            << int(rc.Mode) << " P" << p << " D" << d;
}

// Draws one pixel with the pen in every mode on every format and compares
// the stored value with the table applied bit by bit.
TEST(CanvasRop2, PenModesActOnStoredValuesOfEveryFormat) {
  std::mt19937 rng(7);
  for (TPixelFormat pf : test::AllFormats) {
    TBitmap bmp = FilledBitmap(8, 8, pf);
    uint32_t mask = pf == pf1bit    ? 0x1
                    : pf == pf4bit  ? 0xF
                    : pf == pf8bit  ? 0xFF
                    : pf == pf15bit ? 0x7FFF
                    : pf == pf16bit ? 0xFFFF
                    : pf == pf24bit ? 0xFFFFFF
                                    : 0xFFFFFFFF;
    for (const TRop2Case &rc : Rop2Cases) {
      for (int trial = 0; trial < 4; ++trial) {
        TColor pen = RGB(uint8_t(rng()), uint8_t(rng()), uint8_t(rng()));
        uint32_t d = rng() & mask;
        bmp.SetStored(3, 3, d);
        TCanvas c(bmp);
        c.Pen.Color = pen;
        c.Pen.Mode = rc.Mode;
        c.Brush.Style = bsClear;
        c.Rectangle(3, 3, 4, 4);
        uint32_t p = bmp.StoredFromColor(pen);
        uint32_t expect = 0;
        for (int bit = 0; bit < 32; ++bit) {
          uint32_t pb = (p >> bit) & 1, db = (d >> bit) & 1;
          expect |= uint32_t(rc.Table[pb * 2 + db]) << bit;
        }
        EXPECT_EQ(bmp.GetStored(3, 3), expect & mask) << PixelFormatName(pf) << " mode " << int(rc.Mode);
      }
    }
  }
}

TEST(CanvasRop2, NotInvertsPaletteIndicesAndKeepsFifteenBitsClean) {
  TBitmap b4 = FilledBitmap(4, 4, pf4bit);
  uint32_t white = b4.GetStored(0, 0);
  TCanvas c4(b4);
  c4.Pen.Mode = pmNot;
  c4.Rectangle(0, 0, 1, 1);
  EXPECT_EQ(b4.GetStored(0, 0), 15 - white);
  TBitmap b15 = FilledBitmap(4, 4, pf15bit);
  TCanvas c15(b15);
  c15.Pen.Mode = pmNot;
  c15.Rectangle(0, 0, 1, 1);
  EXPECT_EQ(b15.GetStored(0, 0), 0u);
  EXPECT_EQ(b15.GetPixel(0, 0), clBlack);
}

struct TRop3Case {
  uint32_t Code;
  uint32_t (*Expect)(uint32_t p, uint32_t s, uint32_t d);
};
const TRop3Case Rop3Cases[] = {
    {cmSrcCopy, [](uint32_t, uint32_t s, uint32_t) { return s; }},
    {cmSrcPaint, [](uint32_t, uint32_t s, uint32_t d) { return s | d; }},
    {cmSrcAnd, [](uint32_t, uint32_t s, uint32_t d) { return s & d; }},
    {cmSrcInvert, [](uint32_t, uint32_t s, uint32_t d) { return s ^ d; }},
    {cmSrcErase, [](uint32_t, uint32_t s, uint32_t d) { return s & ~d; }},
    {cmNotSrcCopy, [](uint32_t, uint32_t s, uint32_t) { return ~s; }},
    {cmNotSrcErase, [](uint32_t, uint32_t s, uint32_t d) { return ~(s | d); }},
    {cmMergeCopy, [](uint32_t p, uint32_t s, uint32_t) { return p & s; }},
    {cmMergePaint, [](uint32_t, uint32_t s, uint32_t d) { return ~s | d; }},
    {cmPatCopy, [](uint32_t p, uint32_t, uint32_t) { return p; }},
    {cmPatPaint, [](uint32_t p, uint32_t s, uint32_t d) { return p | ~s | d; }},
    {cmPatInvert, [](uint32_t p, uint32_t, uint32_t d) { return p ^ d; }},
    {cmDstInvert, [](uint32_t, uint32_t, uint32_t d) { return ~d; }},
    {cmBlackness, [](uint32_t, uint32_t, uint32_t) { return 0u; }},
    {cmWhiteness, [](uint32_t, uint32_t, uint32_t) { return ~0u; }},
};

TEST(CanvasRop3, FifteenCopyModesFollowTheirTruthTables) {
  std::mt19937 rng(11);
  for (const TRop3Case &rc : Rop3Cases)
    for (int i = 0; i < 50; ++i) {
      uint32_t p = rng(), s = rng(), d = rng();
      EXPECT_EQ(ApplyRop3(rc.Code, p, s, d), rc.Expect(p, s, d)) << std::hex << rc.Code;
    }
}

TEST(CanvasRop3, CopyRectCombinesSourcePatternAndDestination) {
  std::mt19937 rng(5);
  for (TPixelFormat pf : {pf8bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap src(16, 8, pf), dst(16, 8, pf);
    if (pf == pf8bit)
      src.SetPalette(dst.Palette());
    uint32_t mask = pf == pf8bit ? 0xFF : pf == pf16bit ? 0xFFFF : pf == pf24bit ? 0xFFFFFF : 0xFFFFFFFF;
    for (const TRop3Case &rc : Rop3Cases) {
      std::vector<uint32_t> before;
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
          src.SetStored(x, y, rng() & mask);
          dst.SetStored(x, y, rng() & mask);
          before.push_back(dst.GetStored(x, y));
        }
      TCanvas c(dst);
      c.CopyMode = rc.Code;
      c.Brush.Color = RGB(0x12, 0xA5, 0x7E);
      uint32_t pat = dst.StoredFromColor(c.Brush.Color);
      TCanvas sc(src);
      c.CopyRect(TRect(0, 0, 16, 8), sc, TRect(0, 0, 16, 8));
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
          ASSERT_EQ(dst.GetStored(x, y),
                    rc.Expect(pat, src.GetStored(x, y), before[size_t(y * 16 + x)]) & mask)
              << PixelFormatName(pf) << " code " << std::hex << rc.Code << " at " << std::dec << x << ","
              << y;
    }
  }
}

} // namespace
} // namespace tessaro
