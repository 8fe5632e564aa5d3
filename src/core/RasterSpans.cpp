#include "core/RasterSpans.h"

#include <algorithm>
#include <cstring>

namespace tessaro::raster {

TRopMasks Rop2Masks(TPenMode mode, uint32_t pen, uint32_t formatMask) {
  auto f = [&](uint32_t d) -> uint32_t {
    uint32_t p = pen;
    switch (mode) {
    case pmBlack:
      return 0;
    case pmWhite:
      return ~0u;
    case pmNop:
      return d;
    case pmNot:
      return ~d;
    case pmCopy:
      return p;
    case pmNotCopy:
      return ~p;
    case pmMergePenNot:
      return p | ~d;
    case pmMaskPenNot:
      return p & ~d;
    case pmMergeNotPen:
      return ~p | d;
    case pmMaskNotPen:
      return ~p & d;
    case pmMerge:
      return p | d;
    case pmNotMerge:
      return ~(p | d);
    case pmMask:
      return p & d;
    case pmNotMask:
      return ~(p & d);
    case pmXor:
      return p ^ d;
    case pmNotXor:
      return ~(p ^ d);
    }
    return d;
  };
  TRopMasks m;
  m.Xor = f(0) & formatMask;
  m.And = (m.Xor ^ f(~0u)) & formatMask;
  return m;
}

TRopMasks PenMasks(const TBitmap &bmp, TPenMode mode, TColor color) {
  uint32_t stored = bmp.StoredFromColor(ColorToRGB(color) & 0xFFFFFF);
  return Rop2Masks(mode, stored, FormatMask(bmp.PixelFormat()));
}

void TCoverage::Normalize() {
  if (FSpans.size() < 2)
    return;
  auto less = [](const TSpan &a, const TSpan &b) { return a.Y != b.Y ? a.Y < b.Y : a.X0 < b.X0; };
  if (!std::is_sorted(FSpans.begin(), FSpans.end(), less)) {
    // Rows first by counting (the rows lie inside the clip), then the few
    // spans of each row by their start.
    int rows = FClip.Height();
    if (rows > 0 && FSpans.size() > 64) {
      std::vector<uint32_t> start(size_t(rows) + 1, 0);
      for (const TSpan &sp : FSpans)
        ++start[size_t(sp.Y - FClip.Top) + 1];
      for (size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
      std::vector<TSpan> sorted(FSpans.size());
      std::vector<uint32_t> fill(start.begin(), start.end() - 1);
      for (const TSpan &sp : FSpans)
        sorted[fill[size_t(sp.Y - FClip.Top)]++] = sp;
      for (int r = 0; r < rows; ++r) {
        auto b = sorted.begin() + start[size_t(r)], e = sorted.begin() + start[size_t(r) + 1];
        if (e - b > 1)
          std::sort(b, e, less);
      }
      FSpans.swap(sorted);
    } else {
      std::sort(FSpans.begin(), FSpans.end(), less);
    }
  }
  size_t out = 0;
  for (size_t i = 1; i < FSpans.size(); ++i) {
    TSpan &cur = FSpans[out];
    const TSpan &s = FSpans[i];
    if (s.Y == cur.Y && s.X0 <= cur.X1) {
      cur.X1 = std::max(cur.X1, s.X1);
    } else {
      FSpans[++out] = s;
    }
  }
  FSpans.resize(out + 1);
}

TCoverage TCoverage::Subtract(const TCoverage &other) const {
  TCoverage result(FClip);
  const auto &b = other.FSpans;
  size_t j = 0;
  for (const TSpan &s : FSpans) {
    while (j < b.size() && (b[j].Y < s.Y || (b[j].Y == s.Y && b[j].X1 <= s.X0)))
      ++j;
    int x = s.X0;
    size_t k = j;
    while (k < b.size() && b[k].Y == s.Y && b[k].X0 < s.X1) {
      if (b[k].X0 > x)
        result.FSpans.push_back(TSpan{s.Y, x, b[k].X0});
      x = std::max(x, b[k].X1);
      ++k;
    }
    if (x < s.X1)
      result.FSpans.push_back(TSpan{s.Y, x, s.X1});
  }
  return result;
}

bool TCoverage::Contains(int x, int y) const {
  auto it =
      std::upper_bound(FSpans.begin(), FSpans.end(), TSpan{y, x, x},
                       [](const TSpan &a, const TSpan &b) { return a.Y != b.Y ? a.Y < b.Y : a.X0 < b.X0; });
  if (it == FSpans.begin())
    return false;
  --it;
  return it->Y == y && x >= it->X0 && x < it->X1;
}

TRect TCoverage::Bounds() const {
  if (FSpans.empty())
    return TRect();
  TRect r(FSpans.front().X0, FSpans.front().Y, FSpans.front().X1, FSpans.front().Y + 1);
  for (const TSpan &s : FSpans) {
    r.Left = std::min(r.Left, s.X0);
    r.Right = std::max(r.Right, s.X1);
    r.Top = std::min(r.Top, s.Y);
    r.Bottom = std::max(r.Bottom, s.Y + 1);
  }
  return r;
}

size_t TCoverage::PixelCount() const {
  size_t n = 0;
  for (const TSpan &s : FSpans)
    n += size_t(s.X1 - s.X0);
  return n;
}

namespace {

constexpr int PatternBytes = 48; // a multiple of 1, 2, 3 and 4 bytes per pixel

// dest = (dest & and) ^ xor over n bytes, with patterns repeating every
// PatternBytes bytes starting at p. Works on 64-bit words.
void ApplyBytes(uint8_t *p, size_t n, const uint8_t *andPat, const uint8_t *xorPat, bool copyOnly) {
  if (copyOnly) {
    bool uniform = std::all_of(xorPat, xorPat + PatternBytes, [&](uint8_t b) { return b == xorPat[0]; });
    if (uniform) {
      std::memset(p, xorPat[0], n);
      return;
    }
    while (n >= PatternBytes) {
      std::memcpy(p, xorPat, PatternBytes);
      p += PatternBytes;
      n -= PatternBytes;
    }
    std::memcpy(p, xorPat, n);
    return;
  }
  constexpr int Words = PatternBytes / 8;
  uint64_t a[Words], x[Words];
  std::memcpy(a, andPat, PatternBytes);
  std::memcpy(x, xorPat, PatternBytes);
  while (n >= PatternBytes) {
    uint64_t v[Words];
    std::memcpy(v, p, PatternBytes);
    for (int i = 0; i < Words; ++i)
      v[i] = (v[i] & a[i]) ^ x[i];
    std::memcpy(p, v, PatternBytes);
    p += PatternBytes;
    n -= PatternBytes;
  }
  for (size_t i = 0; i < n; ++i)
    p[i] = uint8_t((p[i] & andPat[i]) ^ xorPat[i]);
}

} // namespace

void ApplySpan(TBitmap &bmp, int y, int x0, int x1, const TRopMasks &m) {
  TPixelFormat pf = bmp.PixelFormat();
  uint32_t fmask = FormatMask(pf);
  if (x0 >= x1 || m.IsNop(fmask))
    return;
  uint8_t *row = bmp.ScanLine(y);
  // Short spans (thin lines) pixel by pixel: building the patterns would
  // cost more than the pixels.
  if (x1 - x0 <= 8) {
    for (int x = x0; x < x1; ++x)
      WriteStored(row, x, pf, m.Apply(ReadStored(row, x, pf)) & fmask);
    return;
  }
  int bpp = 0;
  switch (pf) {
  case pf8bit:
    bpp = 1;
    break;
  case pf15bit:
  case pf16bit:
    bpp = 2;
    break;
  case pf24bit:
    bpp = 3;
    break;
  case pf32bit:
    bpp = 4;
    break;
  default:
    break;
  }
  if (bpp > 0) {
    uint8_t andPat[PatternBytes], xorPat[PatternBytes];
    // Bits outside the format (bit 15 of 15-bit words) are cleared.
    uint32_t a = m.And & fmask, x = m.Xor & fmask;
    for (int i = 0; i < PatternBytes; ++i) {
      int b = i % bpp;
      andPat[i] = uint8_t(a >> (8 * b));
      xorPat[i] = uint8_t(x >> (8 * b));
    }
    ApplyBytes(row + size_t(x0) * bpp, size_t(x1 - x0) * bpp, andPat, xorPat, a == 0);
    return;
  }
  // 1- and 4-bit rows: partial bytes pixel by pixel, whole bytes at once.
  int perByte = pf == pf1bit ? 8 : 2;
  int x = x0;
  while (x < x1 && x % perByte != 0) {
    WriteStored(row, x, pf, m.Apply(ReadStored(row, x, pf)) & fmask);
    ++x;
  }
  int fullEnd = x1 - (x1 % perByte);
  if (x < fullEnd) {
    uint8_t a, xo;
    if (pf == pf1bit) {
      a = (m.And & 1) ? 0xFF : 0x00;
      xo = (m.Xor & 1) ? 0xFF : 0x00;
    } else {
      a = uint8_t((m.And & 0xF) * 0x11);
      xo = uint8_t((m.Xor & 0xF) * 0x11);
    }
    uint8_t *p = row + x / perByte;
    size_t n = size_t(fullEnd - x) / perByte;
    if (a == 0)
      std::memset(p, xo, n);
    else
      for (size_t i = 0; i < n; ++i)
        p[i] = uint8_t((p[i] & a) ^ xo);
    x = fullEnd;
  }
  while (x < x1) {
    WriteStored(row, x, pf, m.Apply(ReadStored(row, x, pf)) & fmask);
    ++x;
  }
}

TRect ApplyCoverage(TBitmap &bmp, const TCoverage &cov, const TRopMasks &m, TBrushStyle style) {
  if (style == bsClear || cov.Empty())
    return TRect();
  TPixelFormat pf = bmp.PixelFormat();
  uint32_t fmask = FormatMask(pf);
  TRect bounds;
  bool any = false;
  for (const TSpan &s : cov.Spans()) {
    if (!any) {
      bounds = TRect(s.X0, s.Y, s.X1, s.Y + 1);
      any = true;
    } else {
      bounds.Left = std::min(bounds.Left, s.X0);
      bounds.Right = std::max(bounds.Right, s.X1);
      bounds.Top = std::min(bounds.Top, s.Y);
      bounds.Bottom = std::max(bounds.Bottom, s.Y + 1);
    }
    if (style == bsSolid || (style == bsHorizontal && (s.Y & 7) == 0)) {
      ApplySpan(bmp, s.Y, s.X0, s.X1, m);
      continue;
    }
    if (style == bsHorizontal)
      continue;
    uint8_t *row = bmp.ScanLine(s.Y);
    if (style == bsCross && (s.Y & 7) == 0) {
      ApplySpan(bmp, s.Y, s.X0, s.X1, m);
      continue;
    }
    for (int x = s.X0; x < s.X1; ++x)
      if (HatchCovers(style, x, s.Y))
        WriteStored(row, x, pf, m.Apply(ReadStored(row, x, pf)) & fmask);
  }
  return any ? bounds : TRect();
}

} // namespace tessaro::raster
