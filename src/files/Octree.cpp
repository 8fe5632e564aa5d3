// Octree colour reduction: every colour is inserted into a tree of up to
// eight levels (one bit of each channel per level); whenever there are more
// leaves than colours wanted, the deepest reducible node folds its children
// into itself. The leaves' mean colours form the palette; pixels are then
// mapped to their nearest palette colour, without dithering.
#include "core/ColorMatch.h"
#include "core/Parallel.h"
#include "files/ImageCodecs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace tessaro {

namespace {

class TOctree {
public:
  explicit TOctree(int maxColors) : FMaxColors(maxColors < 1 ? 1 : maxColors) {
    FNodes.reserve(4096);
    NewNode(0);
  }

  // Adds one colour; returns its leaf.
  int Add(uint8_t r, uint8_t g, uint8_t b) {
    int node = 0;
    for (int level = 0;; ++level) {
      TNode &n = FNodes[size_t(node)];
      if (n.Leaf) {
        n.Count++;
        n.R += r;
        n.G += g;
        n.B += b;
        break;
      }
      int shift = 7 - level;
      int i = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
      int child = n.Child[size_t(i)];
      if (child < 0) {
        child = NewNode(level + 1);
        FNodes[size_t(node)].Child[size_t(i)] = child;
      }
      node = child;
    }
    while (FLeaves > FMaxColors)
      Reduce();
    return FNodes[size_t(node)].Leaf && FReductions == FLastReductions ? node : -1;
  }

  // Adds one more pixel of the colour that Add just placed in leaf.
  bool AddAgain(int leaf, uint8_t r, uint8_t g, uint8_t b) {
    if (leaf < 0 || FReductions != FLastReductions)
      return false;
    TNode &n = FNodes[size_t(leaf)];
    n.Count++;
    n.R += r;
    n.G += g;
    n.B += b;
    return true;
  }

  void Settle() { FLastReductions = FReductions; }

  TPalette Palette() const {
    TPalette pal;
    Collect(0, pal);
    return pal;
  }

private:
  struct TNode {
    uint64_t R = 0, G = 0, B = 0, Count = 0;
    std::array<int32_t, 8> Child;
    bool Leaf = false;
    int32_t NextReducible = -1;
  };

  int NewNode(int level) {
    TNode n;
    n.Child.fill(-1);
    int index;
    if (!FFree.empty()) {
      index = FFree.back();
      FFree.pop_back();
    } else {
      index = int(FNodes.size());
      FNodes.emplace_back();
    }
    if (level >= 8) {
      n.Leaf = true;
      ++FLeaves;
    } else if (level > 0) {
      // Inner nodes below the root can be folded later.
      n.NextReducible = FReducible[size_t(level)];
      FReducible[size_t(level)] = index;
    }
    FNodes[size_t(index)] = n;
    return index;
  }

  void Reduce() {
    ++FReductions;
    int level = 7;
    while (level > 0 && FReducible[size_t(level)] < 0)
      --level;
    int node = FReducible[size_t(level)];
    if (node < 0) {
      // Only the root is left to fold.
      node = 0;
    } else {
      FReducible[size_t(level)] = FNodes[size_t(node)].NextReducible;
    }
    TNode &n = FNodes[size_t(node)];
    int children = 0;
    for (int32_t &c : n.Child) {
      if (c < 0)
        continue;
      const TNode &ch = FNodes[size_t(c)];
      n.R += ch.R;
      n.G += ch.G;
      n.B += ch.B;
      n.Count += ch.Count;
      FFree.push_back(c);
      c = -1;
      ++children;
    }
    n.Leaf = true;
    FLeaves -= children - 1;
  }

  void Collect(int node, TPalette &pal) const {
    const TNode &n = FNodes[size_t(node)];
    if (n.Leaf) {
      if (n.Count == 0)
        return;
      uint64_t half = n.Count / 2;
      pal.push_back(TRGBQuad{uint8_t((n.B + half) / n.Count), uint8_t((n.G + half) / n.Count),
                             uint8_t((n.R + half) / n.Count), 0});
      return;
    }
    for (int32_t c : n.Child)
      if (c >= 0)
        Collect(c, pal);
  }

  int FMaxColors;
  int FLeaves = 0;
  uint64_t FReductions = 0, FLastReductions = 0;
  std::vector<TNode> FNodes;
  std::vector<int> FFree;
  std::array<int32_t, 8> FReducible{-1, -1, -1, -1, -1, -1, -1, -1};
};

} // namespace

TPalette OctreePalette(const TBitmap &bmp24, int maxColors) {
  TOctree tree(maxColors > 256 ? 256 : maxColors);
  for (int y = 0; y < bmp24.Height(); ++y) {
    const uint8_t *s = bmp24.ScanLine(y);
    uint32_t last = 0xFFFFFFFFu;
    int leaf = -1;
    for (int x = 0; x < bmp24.Width(); ++x, s += 3) {
      uint32_t key = uint32_t(s[0]) | (uint32_t(s[1]) << 8) | (uint32_t(s[2]) << 16);
      // Runs of one colour need no walk through the tree each time.
      if (key == last && tree.AddAgain(leaf, s[2], s[1], s[0]))
        continue;
      last = key;
      tree.Settle();
      leaf = tree.Add(s[2], s[1], s[0]);
    }
  }
  TPalette pal = tree.Palette();
  if (pal.empty())
    pal.push_back(TRGBQuad{});
  return pal;
}

TBitmap QuantizeTo8Bit(const TBitmap &bmp24, int maxColors) {
  TPalette pal = OctreePalette(bmp24, maxColors);
  TBitmap out;
  out.Allocate(bmp24.Width(), bmp24.Height(), pf8bit, false); // every pixel is written below
  out.SetPalette(pal);
  // The palette is built in the order of the pixels, on this thread; the
  // pixels are then matched to it on every core, each thread with a matcher
  // of its own over one block of rows (a matcher fills its cells as it goes,
  // and filling them costs more than matching).
  const int h = bmp24.Height();
  const int threads = std::min(ThreadsFor(int64_t(bmp24.Width()) * h), std::max(h, 1));
  ParallelFor(0, threads, threads, [&](int t0, int t1) {
    TNearestColor nearest(pal);
    for (int y = int(int64_t(h) * t0 / threads); y < int(int64_t(h) * t1 / threads); ++y) {
      const uint8_t *s = bmp24.ScanLine(y);
      uint8_t *d = out.ScanLine(y);
      for (int x = 0; x < bmp24.Width(); ++x, s += 3)
        d[x] = nearest.Match(s[2], s[1], s[0]);
    }
  });
  return out;
}

} // namespace tessaro
