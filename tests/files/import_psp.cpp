#include "import_helpers.h"

#include <zlib.h>

#include <cstring>

namespace tessaro::test {
namespace {

const char *const Psp = "Paintshop Pro";

struct TPspWriter {
  std::vector<uint8_t> F;
  void U8(unsigned v) { F.push_back(uint8_t(v)); }
  void U16(unsigned v) { F.insert(F.end(), {uint8_t(v), uint8_t(v >> 8)}); }
  void U32(uint32_t v) {
    F.insert(F.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
  }
  void Patch32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      F[at + size_t(i)] = uint8_t(v >> (8 * i));
  }
  // Opens a block and returns where its length goes.
  size_t Open(unsigned id) {
    F.insert(F.end(), {'~', 'B', 'K', 0});
    U16(id);
    U32(0);
    return F.size() - 4;
  }
  void Close(size_t at) { Patch32(at, uint32_t(F.size() - at - 4)); }
  void Rect(int l, int t, int r, int b) {
    for (int v : {l, t, r, b})
      U32(uint32_t(v));
  }
};

std::vector<uint8_t> Compress(const std::vector<uint8_t> &raw, unsigned compression) {
  if (compression == 2) {
    uLongf n = compressBound(uLong(raw.size()));
    std::vector<uint8_t> out(n);
    compress(out.data(), &n, raw.data(), uLong(raw.size()));
    out.resize(n);
    return out;
  }
  // Run-length: one literal packet per 100 bytes.
  std::vector<uint8_t> out;
  for (size_t i = 0; i < raw.size(); i += 100) {
    size_t k = std::min<size_t>(100, raw.size() - i);
    out.push_back(uint8_t(k));
    out.insert(out.end(), raw.begin() + std::ptrdiff_t(i), raw.begin() + std::ptrdiff_t(i + k));
  }
  return out;
}

// A 4 x 3 picture: a red background layer, and above it a 2 x 2 blue layer
// at (1, 1) with half opacity whose mask hides its first pixel.
std::vector<uint8_t> TwoLayers(unsigned compression) {
  TPspWriter w;
  const char sig[] = "Paint Shop Pro Image File\n\x1a";
  w.F.assign(sig, sig + sizeof sig - 1);
  w.F.resize(32, 0);
  w.U16(6);
  w.U16(0);
  size_t img = w.Open(0);
  w.U32(46);
  w.U32(4);
  w.U32(3);
  w.F.resize(w.F.size() + 9, 0);
  w.U16(compression);
  w.U16(24);
  w.U16(1);
  w.U32(1u << 24);
  w.U8(0);
  w.U32(0);
  w.U32(0);
  w.U16(2);
  w.U32(0);
  w.Close(img);

  size_t start = w.Open(3);
  struct TLayer {
    int l, t, wd, ht, opacity;
    uint8_t r, g, b;
    bool mask;
  } layers[] = {{0, 0, 4, 3, 255, 255, 0, 0, false}, {1, 1, 2, 2, 128, 0, 0, 255, true}};
  for (auto &L : layers) {
    size_t layer = w.Open(4);
    size_t info = w.F.size();
    w.U32(0);
    w.U16(1);
    w.U8('L');
    w.U8(1); // raster
    w.Rect(L.l, L.t, L.l + L.wd, L.t + L.ht);
    w.Rect(0, 0, L.wd, L.ht);
    w.U8(unsigned(L.opacity));
    w.U8(0);
    w.U8(1);
    w.F.resize(w.F.size() + 11, 0); // more fields this reader skips
    w.Patch32(info, uint32_t(w.F.size() - info));
    w.U32(8);
    w.U16(L.mask ? 2 : 1);
    w.U16(L.mask ? 4 : 3);
    size_t stride = compression == 0 ? (size_t(L.wd) + 3) / 4 * 4 : size_t(L.wd);
    auto channel = [&](unsigned bitmapType, unsigned channelType, std::vector<uint8_t> raw) {
      std::vector<uint8_t> data = compression == 0 ? raw : Compress(raw, compression);
      size_t ch = w.Open(5);
      w.U32(16);
      w.U32(uint32_t(data.size()));
      w.U32(uint32_t(raw.size()));
      w.U16(bitmapType);
      w.U16(channelType);
      w.F.insert(w.F.end(), data.begin(), data.end());
      w.Close(ch);
    };
    size_t n = stride * size_t(L.ht);
    channel(0, 1, std::vector<uint8_t>(n, L.r));
    channel(0, 2, std::vector<uint8_t>(n, L.g));
    channel(0, 3, std::vector<uint8_t>(n, L.b));
    if (L.mask) {
      std::vector<uint8_t> m(n, 255);
      m[0] = 0;
      channel(1, 0, m);
    }
    w.Close(layer);
  }
  w.Close(start);
  return w.F;
}

TEST(ImportPsp, MergesRasterLayersWithOpacityAndMask) {
  for (unsigned compression : {0u, 1u, 2u}) {
    std::vector<uint8_t> f = TwoLayers(compression);
    TBitmap bmp;
    std::string error;
    ASSERT_EQ(Prober(f), Psp);
    ASSERT_TRUE(Reader(Psp).Read("", f.data(), f.size(), bmp, error)) << compression << ": " << error;
    ASSERT_EQ(bmp.Width(), 4);
    ASSERT_EQ(bmp.Height(), 3);
    EXPECT_EQ(bmp.GetPixel(0, 0), clRed) << compression;
    EXPECT_EQ(bmp.GetPixel(1, 1), clRed) << compression; // masked out
    EXPECT_EQ(bmp.GetPixel(2, 1), RGB(127, 0, 128)) << compression;
    EXPECT_EQ(bmp.GetPixel(2, 2), RGB(127, 0, 128)) << compression;
    EXPECT_EQ(bmp.GetPixel(3, 2), clRed) << compression;
    EXPECT_EQ(ReadPrefixes(Psp, f), 0) << compression;
  }
}

TEST(ImportPsp, RefusesLyingFiles) {
  std::vector<uint8_t> f = TwoLayers(1);
  TBitmap bmp;
  std::string error;
  // Huge canvas, a block longer than the file, an old file version.
  std::vector<uint8_t> bad = f;
  bad[36 + 10 + 4 + 2] = 0x7F;
  bad[36 + 10 + 4 + 6] = 0x7F;
  EXPECT_FALSE(Reader(Psp).Read("", bad.data(), bad.size(), bmp, error));
  bad = f;
  bad[36 + 6 + 3] = 0x7F;
  EXPECT_FALSE(Reader(Psp).Read("", bad.data(), bad.size(), bmp, error));
  bad = f;
  bad[32] = 3;
  EXPECT_FALSE(Reader(Psp).Read("", bad.data(), bad.size(), bmp, error));
  EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace tessaro::test
