// The raster image: Width x Height pixels in one of seven pixel formats, rows
// top-down, each padded to a multiple of 4 bytes. Every change of pixels is
// announced to the observers with its dirty rectangle.
#pragma once

#include "core/Types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tessaro {

// Ordinals 1..7 are what a document stores as its image type.
enum TPixelFormat : uint8_t {
  pfDevice = 0,
  pf1bit = 1,
  pf4bit = 2,
  pf8bit = 3,
  pf15bit = 4,
  pf16bit = 5,
  pf24bit = 6,
  pf32bit = 7,
  pfCustom = 8
};

const char *PixelFormatName(TPixelFormat pf);
int BitsPerPixel(TPixelFormat pf);
bool IsPaletteFormat(TPixelFormat pf);
// Bytes of one row of the given width, padded to 4.
size_t RowBytesFor(int width, TPixelFormat pf);

struct TRGBQuad {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
  friend constexpr bool operator==(const TRGBQuad &, const TRGBQuad &) = default;
};

constexpr TRGBQuad QuadFromColor(TColor c) {
  return TRGBQuad{GetBValue(c), GetGValue(c), GetRValue(c), 0};
}
constexpr TColor ColorFromQuad(const TRGBQuad &q) {
  return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

using TPalette = std::vector<TRGBQuad>;

class TCanvas;

// Memory of large rasters comes straight from the system in huge pages where
// it has them: a fresh raster then costs little more than writing its bytes.
void *AllocateRasterMemory(size_t bytes);
void FreeRasterMemory(void *p, size_t bytes);

// Allocator that leaves new pixel bytes uninitialised, so that a raster that
// is about to be overwritten costs no extra pass over its memory.
template <class T> struct TNoInitAllocator {
  using value_type = T;
  TNoInitAllocator() = default;
  template <class U> TNoInitAllocator(const TNoInitAllocator<U> &) noexcept {}
  T *allocate(size_t n) { return static_cast<T *>(AllocateRasterMemory(n * sizeof(T))); }
  void deallocate(T *p, size_t n) noexcept { FreeRasterMemory(p, n * sizeof(T)); }
  template <class U> void construct(U *p) noexcept { ::new (static_cast<void *>(p)) U; }
  template <class U, class... A> void construct(U *p, A &&...args) {
    ::new (static_cast<void *>(p)) U(std::forward<A>(args)...);
  }
  template <class U> friend bool operator==(const TNoInitAllocator &, const TNoInitAllocator<U> &) {
    return true;
  }
};
using TPixelBuffer = std::vector<uint8_t, TNoInitAllocator<uint8_t>>;

// Largest raster the program creates: beyond this an allocation is refused
// (std::bad_alloc) instead of trying to claim absurd amounts of memory.
constexpr uint64_t MaxBitmapBytes = uint64_t(2) << 30;

class TBitmap {
public:
  using TChangeHandler = std::function<void(const TRect &)>;

  TBitmap();
  TBitmap(int width, int height, TPixelFormat pf = pf24bit);
  TBitmap(const TBitmap &other);
  TBitmap &operator=(const TBitmap &other);
  ~TBitmap();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  size_t RowBytes() const { return FRowBytes; }
  size_t ImageBytes() const { return FRowBytes * size_t(FHeight); }

  // Size changes keep the pixels of the overlapping area; new pixels are
  // white (the nearest palette entry to white in palette formats).
  void SetWidth(int w);
  void SetHeight(int h);
  void SetSize(int w, int h);

  // Converts the pixels to the new format (see PixelFormat.cpp).
  void SetPixelFormat(TPixelFormat pf);

  uint8_t *ScanLine(int y) { return FPixels.data() + size_t(y) * FRowBytes; }
  const uint8_t *ScanLine(int y) const { return FPixels.data() + size_t(y) * FRowBytes; }
  uint8_t *Bits() { return FPixels.data(); }
  const uint8_t *Bits() const { return FPixels.data(); }

  // Palette of the 1-, 4- and 8-bit formats (2, 16 or 256 entries once set by
  // a conversion; a file may bring a shorter one). Empty for other formats.
  const TPalette &Palette() const { return FPalette; }
  void SetPalette(const TPalette &pal);

  // Copies size, format, palette and pixels. Assign with itself announces a
  // change of the whole picture.
  void Assign(const TBitmap &source);
  // Takes over the raster of source (left empty) without copying pixels,
  // then announces the change like Assign.
  void AssignMove(TBitmap &&source);

  // Colour of a pixel; coordinates outside the bitmap give $FFFFFFFF, and
  // writes there are ignored.
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  // Stored pixel value: palette index, packed 15/16-bit word, or BGR(A) bytes
  // as a little-endian integer.
  uint32_t GetStored(int x, int y) const;
  void SetStored(int x, int y, uint32_t v);
  // The stored value that stands for a colour in this bitmap's format
  // (nearest palette entry for palette formats).
  uint32_t StoredFromColor(TColor c) const;
  TColor ColorFromStored(uint32_t v) const;

  // The canvas bound to this bitmap (created on first use).
  TCanvas &Canvas();

  // Change notification. Returns a token for Unsubscribe.
  int Subscribe(TChangeHandler handler);
  void Unsubscribe(int token);
  // Announces changed pixels inside r (clipped to the bitmap).
  void Changed(const TRect &r);
  void Changed() { Changed(TRect(0, 0, FWidth, FHeight)); }

  // Replaces the raster by a new one of the given format and size. Pixels are
  // zero (left undefined when zero is false, for callers that write every
  // row); palette formats get the format's default palette.
  void Allocate(int w, int h, TPixelFormat pf, bool zero = true);

private:
  void Resize(int w, int h);

  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pf24bit;
  size_t FRowBytes = 0;
  TPixelBuffer FPixels;
  TPalette FPalette;
  std::unique_ptr<TCanvas> FCanvas;
  struct TObserver {
    int Token;
    TChangeHandler Handler;
  };
  std::vector<TObserver> FObservers;
  int FNextToken = 1;
};

} // namespace tessaro
