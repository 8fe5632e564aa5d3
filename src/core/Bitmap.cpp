#include "core/Bitmap.h"

#include "core/Canvas.h"
#include "core/ChannelBits.h"
#include "core/ColorMatch.h"
#include "core/Palettes.h"
#include "core/RasterSpans.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace tessaro {

const char *PixelFormatName(TPixelFormat pf) {
  switch (pf) {
  case pfDevice:
    return "pfDevice";
  case pf1bit:
    return "pf1bit";
  case pf4bit:
    return "pf4bit";
  case pf8bit:
    return "pf8bit";
  case pf15bit:
    return "pf15bit";
  case pf16bit:
    return "pf16bit";
  case pf24bit:
    return "pf24bit";
  case pf32bit:
    return "pf32bit";
  default:
    return "pfCustom";
  }
}

int BitsPerPixel(TPixelFormat pf) {
  switch (pf) {
  case pf1bit:
    return 1;
  case pf4bit:
    return 4;
  case pf8bit:
    return 8;
  case pf15bit:
  case pf16bit:
    return 16;
  case pf32bit:
    return 32;
  default:
    return 24;
  }
}

bool IsPaletteFormat(TPixelFormat pf) {
  return pf == pf1bit || pf == pf4bit || pf == pf8bit;
}

size_t RowBytesFor(int width, TPixelFormat pf) {
  return ((uint64_t(std::max(width, 0)) * uint64_t(BitsPerPixel(pf)) + 31) / 32) * 4;
}

namespace {
// Below this size the ordinary heap serves rasters.
constexpr size_t LargeRaster = size_t(1) << 20;
constexpr size_t HugePage = size_t(2) << 20;
size_t MappedLength(size_t bytes) {
  return (bytes + HugePage - 1) & ~(HugePage - 1);
}
} // namespace

void *AllocateRasterMemory(size_t bytes) {
  if (bytes < LargeRaster) {
    void *p = std::malloc(bytes ? bytes : 1);
    if (!p)
      throw std::bad_alloc();
    return p;
  }
  // Map one huge page more than needed and trim, so the block starts on a
  // huge-page boundary.
  size_t len = MappedLength(bytes);
  void *raw = mmap(nullptr, len + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED)
    throw std::bad_alloc();
  uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  uintptr_t aligned = (start + HugePage - 1) & ~uintptr_t(HugePage - 1);
  if (aligned > start)
    munmap(raw, aligned - start);
  if (uintptr_t tail = start + len + HugePage - (aligned + len))
    munmap(reinterpret_cast<void *>(aligned + len), tail);
  void *p = reinterpret_cast<void *>(aligned);
#ifdef MADV_HUGEPAGE
  madvise(p, len, MADV_HUGEPAGE);
#endif
  return p;
}

void FreeRasterMemory(void *p, size_t bytes) {
  if (!p)
    return;
  if (bytes < LargeRaster)
    std::free(p);
  else
    munmap(p, MappedLength(bytes));
}

// A copy through memcpy: the element-wise copy of the standard container
// would go through the allocator's construct for every byte.
static TPixelBuffer CopyPixels(const TPixelBuffer &source) {
  TPixelBuffer copy(source.size());
  if (!source.empty())
    std::memcpy(copy.data(), source.data(), source.size());
  return copy;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat pf) {
  Allocate(0, 0, pf);
  Resize(width, height);
}

TBitmap::TBitmap(const TBitmap &other)
    : FWidth(other.FWidth), FHeight(other.FHeight), FPixelFormat(other.FPixelFormat),
      FRowBytes(other.FRowBytes), FPixels(CopyPixels(other.FPixels)), FPalette(other.FPalette) {}

TBitmap &TBitmap::operator=(const TBitmap &other) {
  Assign(other);
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::Allocate(int w, int h, TPixelFormat pf, bool zero) {
  if (pf == pfDevice || pf == pfCustom)
    pf = pf24bit;
  w = std::max(w, 0);
  h = std::max(h, 0);
  size_t row = RowBytesFor(w, pf);
  if (uint64_t(row) * uint64_t(h) > MaxBitmapBytes)
    throw std::bad_alloc();
  TPixelBuffer pixels(row * size_t(h));
  if (zero && !pixels.empty()) {
    std::memset(pixels.data(), 0, pixels.size());
  } else if (row >= 4) {
    // Padding and the unused bits of the last byte stay defined.
    for (int y = 0; y < h; ++y)
      std::memset(pixels.data() + size_t(y) * row + row - 4, 0, 4);
  }
  FPixels.swap(pixels);
  FWidth = w;
  FHeight = h;
  FRowBytes = row;
  FPixelFormat = pf;
  FPalette = DefaultPalette(pf);
}

void TBitmap::SetWidth(int w) {
  SetSize(w, FHeight);
}
void TBitmap::SetHeight(int h) {
  SetSize(FWidth, h);
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == FWidth && h == FHeight)
    return;
  Resize(w, h);
  Changed();
}

void TBitmap::Resize(int w, int h) {
  TBitmap old(*this);
  TPalette pal = FPalette;
  Allocate(w, h, FPixelFormat, false);
  if (IsPaletteFormat(FPixelFormat) && !pal.empty())
    FPalette = pal;
  // New pixels are white: build one white row, copy it where needed.
  uint32_t white = StoredFromColor(clWhite);
  std::vector<uint8_t> whiteRow(FRowBytes);
  if (h > 0) {
    uint8_t *first = ScanLine(0);
    for (int x = 0; x < w; ++x)
      SetStored(x, 0, white);
    std::memcpy(whiteRow.data(), first, FRowBytes);
  }
  int keepW = std::min(w, old.FWidth), keepH = std::min(h, old.FHeight);
  size_t keepBytes = (size_t(keepW) * BitsPerPixel(FPixelFormat)) / 8;
  int firstPartial = int(keepBytes * 8 / BitsPerPixel(FPixelFormat));
  for (int y = 0; y < h; ++y) {
    std::memcpy(ScanLine(y), whiteRow.data(), FRowBytes);
    if (y < keepH) {
      std::memcpy(ScanLine(y), old.ScanLine(y), keepBytes);
      for (int x = firstPartial; x < keepW; ++x)
        SetStored(x, y, old.GetStored(x, y));
    }
  }
}

void TBitmap::SetPalette(const TPalette &pal) {
  if (!IsPaletteFormat(FPixelFormat))
    return;
  FPalette = pal;
  size_t max = size_t(1) << BitsPerPixel(FPixelFormat);
  if (FPalette.size() > max)
    FPalette.resize(max);
}

void TBitmap::Assign(const TBitmap &source) {
  if (&source != this) {
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FPixelFormat = source.FPixelFormat;
    FRowBytes = source.FRowBytes;
    FPixels = CopyPixels(source.FPixels);
    FPalette = source.FPalette;
  }
  Changed();
}

void TBitmap::AssignMove(TBitmap &&source) {
  if (&source != this) {
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FPixelFormat = source.FPixelFormat;
    FRowBytes = source.FRowBytes;
    FPixels = std::move(source.FPixels);
    FPalette = std::move(source.FPalette);
    source.FWidth = source.FHeight = 0;
    source.FRowBytes = 0;
    source.FPixels.clear();
    source.FPalette.clear();
  }
  Changed();
}

uint32_t TBitmap::GetStored(int x, int y) const {
  return raster::ReadStored(ScanLine(y), x, FPixelFormat);
}

void TBitmap::SetStored(int x, int y, uint32_t v) {
  if (FPixelFormat == pf15bit)
    v &= 0x7FFF; // bit 15 is never set
  raster::WriteStored(ScanLine(y), x, FPixelFormat, v);
}

uint32_t TBitmap::StoredFromColor(TColor c) const {
  c = ColorToRGB(c);
  uint8_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  switch (FPixelFormat) {
  case pf1bit:
  case pf4bit:
  case pf8bit: {
    if (FPalette.empty())
      return 0;
    int best = 1 << 30;
    uint32_t index = 0;
    for (size_t i = 0; i < FPalette.size(); ++i) {
      int dr = int(FPalette[i].rgbRed) - r, dg = int(FPalette[i].rgbGreen) - g,
          db = int(FPalette[i].rgbBlue) - b;
      int d = dr * dr + dg * dg + db * db;
      if (d < best) {
        best = d;
        index = uint32_t(i);
      }
    }
    return index;
  }
  case pf15bit:
    return (uint32_t(r >> 3) << 10) | (uint32_t(g >> 3) << 5) | (b >> 3);
  case pf16bit:
    return (uint32_t(r >> 3) << 11) | (uint32_t(g >> 2) << 5) | (b >> 3);
  case pf32bit:
    return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
  default:
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
  }
}

TColor TBitmap::ColorFromStored(uint32_t v) const {
  switch (FPixelFormat) {
  case pf1bit:
  case pf4bit:
  case pf8bit:
    return v < FPalette.size() ? ColorFromQuad(FPalette[v]) : clBlack;
  case pf15bit:
    return RGB(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
  case pf16bit:
    return RGB(Expand5((v >> 11) & 31), Expand6((v >> 5) & 63), Expand5(v & 31));
  default:
    return RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v));
  }
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
    return 0xFFFFFFFFu;
  return ColorFromStored(GetStored(x, y));
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
    return;
  SetStored(x, y, StoredFromColor(c));
  Changed(TRect(x, y, x + 1, y + 1));
}

TCanvas &TBitmap::Canvas() {
  if (!FCanvas)
    FCanvas = std::make_unique<TCanvas>(*this);
  return *FCanvas;
}

int TBitmap::Subscribe(TChangeHandler handler) {
  int token = FNextToken++;
  FObservers.push_back(TObserver{token, std::move(handler)});
  return token;
}

void TBitmap::Unsubscribe(int token) {
  std::erase_if(FObservers, [token](const TObserver &o) { return o.Token == token; });
}

void TBitmap::Changed(const TRect &r) {
  if (FObservers.empty())
    return;
  TRect clipped = IntersectRect(r, TRect(0, 0, FWidth, FHeight));
  if (clipped.IsEmpty() && !(FWidth == 0 || FHeight == 0))
    return;
  // Copy: a handler may subscribe or unsubscribe.
  std::vector<TObserver> observers = FObservers;
  for (const TObserver &o : observers)
    o.Handler(clipped);
}

} // namespace tessaro
