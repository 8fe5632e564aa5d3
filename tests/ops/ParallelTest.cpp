// The raster routines on several threads against the same routines on one:
// the same pixels on every pixel format and on sizes that do not split
// evenly into rows per thread, and the message loop and the wait cursor on
// the calling thread, run at the same points of the work.
#include "core/Parallel.h"
#include "OpsTestUtil.h"
#include "core/BmpFile.h"
#include "core/Canvas.h"
#include "core/Hooks.h"
#include "files/ImageCodecs.h"
#include "files/ImportReaders.h"
#include "ops/LUMGraphics.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace tessaro;
using namespace tessaro::test;

namespace {

// Threads and the size from which they are used, for the lifetime of the
// object; the defaults come back afterwards.
struct TThreads {
  TThreads(int threads, int64_t minPixels) {
    SetOpsThreads(threads);
    SetOpsParallelMinPixels(minPixels);
  }
  ~TThreads() {
    SetOpsThreads(0);
    SetOpsParallelMinPixels(DefaultParallelMinPixels);
  }
};

constexpr TColor Marked = RGB(10, 200, 30);

// Noise, with every seventh pixel in the colour Marked (for the routines
// that look for one colour).
TBitmap Noise(int w, int h, uint32_t seed) {
  TBitmap b(w, h, pf24bit);
  uint32_t s = seed;
  for (int y = 0; y < h; ++y) {
    uint8_t *row = b.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      s = s * 1664525u + 1013904223u;
      const bool marked = (x + 3 * y) % 7 == 0;
      row[3 * x] = marked ? GetBValue(Marked) : uint8_t(s >> 24);
      row[3 * x + 1] = marked ? GetGValue(Marked) : uint8_t(s >> 16);
      row[3 * x + 2] = marked ? GetRValue(Marked) : uint8_t(s >> 8);
    }
  }
  return b;
}

const TBitmap &Overlay() {
  static const TBitmap overlay = Noise(37, 23, 99);
  return overlay;
}

int Ceil(int a, int b) {
  return (a + b - 1) / b;
}

struct TRoutine {
  std::string Name;
  std::function<bool(TBitmap &)> Run;
  // The message loop runs the single-threaded loop makes on a w x h bitmap
  // (nullptr: the routine runs none).
  std::function<int(int w, int h)> Ticks;
  // Works in the bitmap's own pixel format (else in pf24bit, as a document
  // runs it).
  bool OwnFormat = false;
};

std::function<int(int, int)> EveryRows(int interval) {
  return [interval](int, int h) { return Ceil(h, interval); };
}

// Every raster routine, with arguments that make it do real work.
const std::vector<TRoutine> &Routines() {
  static const std::vector<TRoutine> routines = {
      {"InvertBitmap", [](TBitmap &b) { return InvertBitmap(&b); }, EveryRows(100)},
      {"GrayScaleBitmap 7", [](TBitmap &b) { return GrayScaleBitmap(&b, gsAll); }, EveryRows(100)},
      {"GrayScaleBitmap 1", [](TBitmap &b) { return GrayScaleBitmap(&b, gsRed); }, EveryRows(100)},
      {"LightenBitmap", [](TBitmap &b) { return LightenBitmap(&b, 40); }, EveryRows(100)},
      {"DarkenBitmap", [](TBitmap &b) { return DarkenBitmap(&b, 40); }, EveryRows(100)},
      {"ContrastBitmap 5", [](TBitmap &b) { return ContrastBitmap(&b, 5); }, EveryRows(100)},
      {"ContrastBitmap -200", [](TBitmap &b) { return ContrastBitmap(&b, -200); }, EveryRows(100)},
      {"KeepRedOnly", [](TBitmap &b) { return KeepRedOnly(&b); }, EveryRows(100)},
      {"KeepGreenOnly", [](TBitmap &b) { return KeepGreenOnly(&b); }, EveryRows(100)},
      {"KeepBlueOnly", [](TBitmap &b) { return KeepBlueOnly(&b); }, EveryRows(100)},
      {"RemoveRed", [](TBitmap &b) { return RemoveRed(&b); }, EveryRows(100)},
      {"RemoveGreen", [](TBitmap &b) { return RemoveGreen(&b); }, EveryRows(100)},
      {"RemoveBlue", [](TBitmap &b) { return RemoveBlue(&b); }, EveryRows(100)},
      {"ChangeRed set", [](TBitmap &b) { return ChangeRed(&b, 7, 0); }, EveryRows(100)},
      {"ChangeGreen add", [](TBitmap &b) { return ChangeGreen(&b, 90, 1); }, EveryRows(100)},
      {"ChangeBlue subtract", [](TBitmap &b) { return ChangeBlue(&b, 90, 2); }, EveryRows(100)},
      {"ApplyBrightness", [](TBitmap &b) { return ApplyBrightness(&b, -30); }, EveryRows(100)},
      {"ApplyIntensity", [](TBitmap &b) { return ApplyIntensity(&b, 20, -40, 60); },
       [](int, int h) { return 3 * Ceil(h, 100); }},
      {"ReplaceColor", [](TBitmap &b) { return ReplaceColor(&b, Marked, clFuchsia); }, EveryRows(100)},
      {"Rotate90", [](TBitmap &b) { return Rotate90(&b); }, [](int w, int) { return Ceil(w, 100); }},
      {"Rotate180", [](TBitmap &b) { return Rotate180(&b); }, EveryRows(100)},
      {"FlipHorizontal", [](TBitmap &b) { return FlipHorizontal(&b); },
       [](int w, int h) { return h * Ceil(w, 100); }},
      {"FlipVertical", [](TBitmap &b) { return FlipVertical(&b); }, EveryRows(100)},
      {"RotateBitmap paper", [](TBitmap &b) { return RotateBitmap(&b, true, clAqua, 30, -1, -1); }, nullptr},
      {"RotateBitmap point", [](TBitmap &b) { return RotateBitmap(&b, false, clRed, 17, 2, 1); }, nullptr},
      {"SkewBitmap", [](TBitmap &b) { return SkewBitmap(&b, clBlue, 0.4f, -0.2f); }, nullptr},
      {"ResizeBitmap nearest", [](TBitmap &b) { return ResizeBitmap(&b, sftNearest, clWhite, 137, 61); },
       nullptr},
      {"ResizeBitmap linear", [](TBitmap &b) { return ResizeBitmap(&b, sftLinear, clWhite, 50, 50); },
       nullptr},
      {"ResizeBitmap mitchell", [](TBitmap &b) { return ResizeBitmap(&b, sftMitchell, clWhite, 233, 77); },
       nullptr},
      {"TransparentCopy", [](TBitmap &b) { return TransparentCopy(&Overlay(), &b, -5, 3, Marked, true); },
       [](int, int h) { return Ceil(std::min(23, std::max(h - 3, 0) + 1), 100); }},
      {"TransparentCopy onto itself",
       [](TBitmap &b) { return TransparentCopy(&b, &b, 2, 1, clBlack, false); }, EveryRows(100)},
      {"BlendDraw", [](TBitmap &b) { return BlendDraw(&b, &Overlay(), 4, -2, 100); }, nullptr},
      {"DrawGradient rows",
       [](TBitmap &b) { return DrawGradient(&b, clYellow, clAqua, 1, b.Width(), b.Height(), 0, 0, 0); },
       nullptr},
      {"DrawGradient columns",
       [](TBitmap &b) {
         return DrawGradient(&b, clRed, clNavy, 0, b.Width() / 2 + 1, b.Height() + 3, 1, -1, 40);
       },
       nullptr},
      {"FogBitmap", [](TBitmap &b) { return FogBitmap(&b, clWhite, 127); },
       [](int w, int h) { return w >= 3 && h >= 3 ? (h - 2) / 50 : 0; }},
      {"BlurBitmap 1", [](TBitmap &b) { return BlurBitmap(&b, 1); },
       [](int, int h) { return 2 * Ceil(h, 20); }},
      {"BlurBitmap 5.5", [](TBitmap &b) { return BlurBitmap(&b, 5.5f); },
       [](int, int h) { return 2 * Ceil(h, 20); }},
      {"BlurBitmap 40", [](TBitmap &b) { return BlurBitmap(&b, 40); },
       [](int, int h) { return 2 * Ceil(h, 20); }},
      {"PaletteMapBitmap red", [](TBitmap &b) { return PaletteMapBitmap(&b, pcRed, 1, false, 0, 0, 0); },
       nullptr},
      {"PaletteMapBitmap weighted",
       [](TBitmap &b) { return PaletteMapBitmap(&b, pcWeightedRGB, 3, false, 0, 0, 0); }, nullptr},
      {"PaletteMapBitmap custom",
       [](TBitmap &b) { return PaletteMapBitmap(&b, pcUniformRGB, 0, true, 0.5f, 1.2f, 1.7f); }, nullptr},
      {"ChangePaperSize",
       [](TBitmap &b) { return ChangePaperSize(&b, b.Width() + 7, b.Height() / 2 + 1, 4, clAqua); }, nullptr,
       true},
      {"StretchDraw",
       [](TBitmap &b) {
         b.Canvas().StretchDraw(TRect(-3, 2, b.Width() * 2 / 3 + 1, b.Height() + 5), Overlay());
         return true;
       },
       nullptr, true},
      {"Draw with a raster operation",
       [](TBitmap &b) {
         b.Canvas().CopyMode = cmSrcInvert;
         b.Canvas().Draw(1, -1, Overlay());
         return true;
       },
       nullptr, true},
  };
  return routines;
}

const TPixelFormat Formats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

struct TResult {
  bool Ok = false;
  TBitmap Bitmap;
};

// The routine as a document runs it on a bitmap of format pf: into the
// working format, the routine, back into pf.
TResult RunIn(const TRoutine &r, const TBitmap &source, TPixelFormat pf) {
  TResult result;
  result.Bitmap = source;
  if (!r.OwnFormat)
    result.Bitmap.SetPixelFormat(pf24bit);
  result.Ok = r.Run(result.Bitmap);
  result.Bitmap.SetPixelFormat(pf);
  return result;
}

void ExpectSame(const TBitmap &a, const TBitmap &b, const std::string &what) {
  EXPECT_TRUE(SamePixels(a, b)) << what;
  EXPECT_EQ(a.Palette(), b.Palette()) << what;
}

std::string Describe(const TRoutine &r, int w, int h, TPixelFormat pf, int threads) {
  return r.Name + " " + std::to_string(w) + "x" + std::to_string(h) + " " + PixelFormatName(pf) + " on " +
         std::to_string(threads) + " threads";
}

} // namespace

TEST(Parallel, PiecesCoverTheRangeOnceOnSeveralThreads) {
  for (int n : {1, 2, 3, 7, 1000}) {
    std::vector<std::atomic<int>> seen(size_t(n) + 2);
    ParallelFor(1, n + 1, 3, [&](int b, int e) {
      for (int i = b; i < e; ++i)
        ++seen[size_t(i)];
    });
    for (int i = 0; i < n + 2; ++i)
      EXPECT_EQ(seen[size_t(i)], i >= 1 && i <= n ? 1 : 0) << n << " " << i;
  }
  // The pieces run at the same time: the first one waits until a piece on
  // another thread has begun.
  std::mutex lock;
  std::condition_variable arrived;
  std::set<std::thread::id> threads;
  bool together = false;
  ParallelFor(0, 8, 2, [&](int, int) {
    std::unique_lock<std::mutex> guard(lock);
    threads.insert(std::this_thread::get_id());
    arrived.notify_all();
    if (threads.size() == 1)
      arrived.wait_for(guard, std::chrono::seconds(20), [&] { return threads.size() > 1; });
    together = together || threads.size() > 1;
  });
  EXPECT_TRUE(together);
  // An exception of a piece arrives at the caller once every piece ran.
  std::atomic<int> ran{0};
  EXPECT_THROW(ParallelFor(0, 100, 2,
                           [&](int b, int e) {
                             ran += e - b;
                             if (b == 0)
                               throw std::bad_alloc();
                           }),
               std::bad_alloc);
  EXPECT_EQ(ran, 100);
}

TEST(Parallel, ThreadSettingsAndTheSmallImageLimit) {
  {
    TThreads threads(3, DefaultParallelMinPixels);
    EXPECT_EQ(OpsThreads(), 3);
    EXPECT_EQ(ThreadsFor(99999), 1);
    EXPECT_EQ(ThreadsFor(100000), 3);
  }
  EXPECT_GE(OpsThreads(), 1); // every core
  SetOpsThreads(-4);
  EXPECT_GE(OpsThreads(), 1);
  SetOpsThreads(0);
}

// Every routine on every pixel format (as a document runs it: into pf24bit
// and back), on one thread and on three, with the three sharing even a
// single-pixel image.
TEST(Parallel, EveryRoutineGivesTheSamePixelsOnEveryFormat) {
  const int sizes[][2] = {{1, 1}, {3, 1000}, {1000, 3}, {61, 47}};
  for (const auto &size : sizes) {
    const TBitmap noise = Noise(size[0], size[1], 7);
    for (TPixelFormat pf : Formats) {
      TBitmap source = noise;
      {
        TThreads one(1, 0);
        source.SetPixelFormat(pf);
      }
      for (const TRoutine &r : Routines()) {
        TResult single, multi;
        {
          TThreads one(1, 0);
          single = RunIn(r, source, pf);
        }
        {
          TThreads three(3, 0);
          multi = RunIn(r, source, pf);
        }
        EXPECT_EQ(single.Ok, multi.Ok);
        ExpectSame(single.Bitmap, multi.Bitmap, Describe(r, size[0], size[1], pf, 3));
      }
    }
  }
}

TEST(Parallel, ConversionsBetweenEveryPairOfFormats) {
  for (const auto &size : {std::pair{1, 1}, std::pair{3, 1000}, std::pair{1000, 3}, std::pair{257, 33}}) {
    const TBitmap noise = Noise(size.first, size.second, 3);
    for (TPixelFormat from : Formats) {
      TBitmap source = noise;
      source.SetPixelFormat(from);
      for (TPixelFormat to : Formats) {
        TBitmap single = source, multi = source;
        {
          TThreads one(1, 0);
          single.SetPixelFormat(to);
        }
        {
          TThreads three(3, 0);
          multi.SetPixelFormat(to);
        }
        ExpectSame(single, multi,
                   std::string(PixelFormatName(from)) + " -> " + PixelFormatName(to) + " " +
                       std::to_string(size.first) + "x" + std::to_string(size.second));
      }
    }
  }
}

// A large picture with the default limit, on one thread and on two (the
// machine's count): every routine on the working format, those that work in
// the bitmap's own format on every format, and the conversions from the
// working format. Two routines whose paths the others already take at this
// size are left to the small pictures.
TEST(Parallel, LargePictureOnTwoThreads) {
  const int w = 4001, h = 2999;
  const TBitmap noise = Noise(w, h, 11);
  const std::set<std::string> smallOnly = {"BlurBitmap 40", "ResizeBitmap mitchell"};
  for (TPixelFormat pf : Formats) {
    TBitmap source = noise;
    source.SetPixelFormat(pf);
    for (const TRoutine &r : Routines()) {
      if ((pf != pf24bit && !r.OwnFormat) || smallOnly.count(r.Name))
        continue;
      TResult single, multi;
      {
        TThreads one(1, DefaultParallelMinPixels);
        single = RunIn(r, source, pf);
      }
      {
        TThreads two(2, DefaultParallelMinPixels);
        multi = RunIn(r, source, pf);
      }
      ASSERT_TRUE(single.Ok && multi.Ok) << r.Name;
      ExpectSame(single.Bitmap, multi.Bitmap, Describe(r, w, h, pf, 2));
    }
    TBitmap single = noise, multi = noise;
    {
      TThreads one(1, DefaultParallelMinPixels);
      single.SetPixelFormat(pf);
    }
    {
      TThreads two(2, DefaultParallelMinPixels);
      multi.SetPixelFormat(pf);
    }
    ExpectSame(single, multi, std::string("pf24bit -> ") + PixelFormatName(pf));
  }
}

namespace {

struct TCalls {
  int Messages = 0, Begin = 0, End = 0, Foreign = 0;
  // The bitmap as the first runs of the message loop find it (a checksum).
  std::vector<uint64_t> Seen;
};

uint64_t Checksum(const TBitmap &b) {
  uint64_t hash = 1469598103934665603ull;
  for (int y = 0; y < b.Height(); ++y) {
    const uint8_t *row = b.ScanLine(y);
    for (size_t i = 0; i < b.RowBytes(); ++i)
      hash = (hash ^ row[i]) * 1099511628211ull;
  }
  return hash ^ uint64_t(b.Width()) << 32 ^ uint64_t(b.Height());
}

// Counting hooks for the lifetime of the object: every call is recorded with
// the thread it came from, and the message loop takes note of the bitmap as
// an event handler would find it.
struct TRecorder {
  std::thread::id Caller = std::this_thread::get_id();
  TCalls Calls;

  explicit TRecorder(const TBitmap *watched) {
    TCoreHooks hooks;
    hooks.ProcessMessages = [this, watched] {
      Count(Calls.Messages);
      if (Calls.Seen.size() < 64)
        Calls.Seen.push_back(Checksum(*watched));
    };
    hooks.BeginWaitCursor = [this] { Count(Calls.Begin); };
    hooks.EndWaitCursor = [this] { Count(Calls.End); };
    SetCoreHooks(std::move(hooks));
  }
  ~TRecorder() { SetCoreHooks(TCoreHooks{}); }
  void Count(int &n) {
    ++n;
    if (std::this_thread::get_id() != Caller)
      ++Calls.Foreign;
  }
};

TCalls RunRecorded(const TRoutine &r, TBitmap &b, int threads) {
  TThreads setting(threads, 0);
  TRecorder recorder(&b);
  EXPECT_TRUE(r.Run(b)) << r.Name;
  return recorder.Calls;
}

} // namespace

// With a message loop installed: every hook is called on the calling thread,
// the message loop at least as often as the row intervals prescribe and as
// often as on one thread, and at each run it finds the raster exactly as the
// single-threaded loop leaves it there.
TEST(Parallel, HooksStayOnTheCallingThreadAtTheirIntervals) {
  const int w = 230, h = 457;
  const TBitmap source = Noise(w, h, 5);
  for (const TRoutine &r : Routines()) {
    TBitmap single = source, multi = source;
    const TCalls one = RunRecorded(r, single, 1);
    const TCalls three = RunRecorded(r, multi, 3);
    EXPECT_EQ(three.Foreign, 0) << r.Name;
    EXPECT_EQ(three.Begin, three.End) << r.Name;
    EXPECT_EQ(three.Begin, one.Begin) << r.Name;
    EXPECT_EQ(three.Messages, one.Messages) << r.Name;
    if (r.Ticks) {
      EXPECT_GE(three.Messages, r.Ticks(w, h)) << r.Name;
    }
    EXPECT_EQ(three.Seen, one.Seen) << r.Name;
    ExpectSame(single, multi, r.Name + " with a message loop");
  }
}

// An event handler that runs a routine on the same bitmap while the message
// loop runs: a change in place is worked on as on one thread; a raster of
// another size ends the interrupted routine instead of writing past it.
TEST(Parallel, ReentryDuringTheMessageLoop) {
  const TBitmap source = Noise(300, 450, 8);
  // What an event handler at the fourth run of the blur's message loop
  // finds, halved.
  TBitmap expected = source;
  {
    TThreads one(1, 0);
    TBitmap partial = source;
    int calls = 0;
    SetCoreHooks({[&] {
                    if (++calls == 4)
                      expected = partial;
                  },
                  nullptr, nullptr});
    BlurBitmap(&partial, 3);
    SetCoreHooks({});
    ResizeBitmap(&expected, sftNearest, clWhite, 50, 50);
  }
  for (int threads : {1, 3}) {
    TThreads setting(threads, 0);
    TBitmap b = source;
    int calls = 0;
    SetCoreHooks({[&] {
                    if (++calls == 2)
                      InvertBitmap(&b); // before row 100
                  },
                  nullptr, nullptr});
    EXPECT_TRUE(InvertBitmap(&b));
    SetCoreHooks({});
    // Every row was inverted twice.
    EXPECT_TRUE(SamePixels(b, source)) << threads;

    TBitmap r = source;
    calls = 0;
    SetCoreHooks({[&] {
                    if (++calls == 4)
                      ResizeBitmap(&r, sftNearest, clWhite, 50, 50);
                  },
                  nullptr, nullptr});
    EXPECT_FALSE(BlurBitmap(&r, 3));
    SetCoreHooks({});
    EXPECT_TRUE(SamePixels(r, expected)) << threads;
  }
}

// The blur's vector loops give the plain sums: each product and each sum in
// single precision, in the order of the kernel, rounded once at the end.
TEST(Parallel, BlurGivesThePlainSumsInOrder) {
  const int w = 61, h = 29;
  const TBitmap source = Noise(w, h, 4);
  for (float radius : {1.0f, 5.0f, 12.5f}) {
    const std::vector<float> k = MakeBlurKernel(radius);
    const int n = int(k.size() / 2);
    std::vector<float> across(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c) {
          float sum = 0;
          for (int i = -n; i <= n; ++i) {
            const float product =
                k[size_t(i + n)] * float(source.ScanLine(y)[std::clamp(x + i, 0, w - 1) * 3 + c]);
            sum = sum + product;
          }
          across[(size_t(y) * w + x) * 3 + c] = sum;
        }
    TBitmap expected = source;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c) {
          float sum = 0;
          for (int i = -n; i <= n; ++i) {
            const float product =
                k[size_t(i + n)] * across[(size_t(std::clamp(y + i, 0, h - 1)) * w + x) * 3 + c];
            sum = sum + product;
          }
          expected.ScanLine(y)[x * 3 + c] = uint8_t(std::clamp(std::nearbyint(sum), 0.0f, 255.0f));
        }
    // In blocks of rows without a message loop, in bands between its runs
    // with one.
    for (bool loop : {false, true})
      for (int threads : {1, 3}) {
        TThreads setting(threads, 0);
        if (loop)
          SetCoreHooks({[] {}, nullptr, nullptr});
        TBitmap b = source;
        EXPECT_TRUE(BlurBitmap(&b, radius));
        SetCoreHooks({});
        EXPECT_TRUE(SamePixels(b, expected)) << radius << " on " << threads << " threads, loop " << loop;
      }
  }
}

namespace {

// A Windows bitmap of 32 bits per pixel whose bit fields hold red, green
// and blue in the reverse of the usual order: read through the converting
// row reader, not copied.
std::vector<uint8_t> ReversedFieldsBmp(const TBitmap &source) {
  std::vector<uint8_t> f;
  auto put32 = [&f](uint32_t v) {
    for (int i = 0; i < 4; ++i)
      f.push_back(uint8_t(v >> (8 * i)));
  };
  auto put16 = [&f](uint16_t v) {
    f.push_back(uint8_t(v));
    f.push_back(uint8_t(v >> 8));
  };
  const int w = source.Width(), h = source.Height();
  const uint32_t pixels = 14 + 40 + 12;
  f.push_back('B');
  f.push_back('M');
  put32(pixels + uint32_t(w) * uint32_t(h) * 4);
  put32(0);
  put32(pixels);
  put32(40);
  put32(uint32_t(w));
  put32(uint32_t(h));
  put16(1);
  put16(32);
  put32(3); // bit fields
  put32(uint32_t(w) * uint32_t(h) * 4);
  put32(0);
  put32(0);
  put32(0);
  put32(0);
  put32(0x0000FF); // red
  put32(0x00FF00); // green
  put32(0xFF0000); // blue
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const TColor c = source.GetPixel(x, y);
      put32(uint32_t(GetRValue(c)) | uint32_t(GetGValue(c)) << 8 | uint32_t(GetBValue(c)) << 16);
    }
  return f;
}

} // namespace

// The codecs' own row work (reading Windows bitmaps and pixel maps from
// memory, the colour reduction of GIF, the 15- and 16-bit rows of PNG) on
// one thread and on three: the same pixels and the same file bytes.
TEST(Parallel, CodecsOnOneAndSeveralThreads) {
  const TBitmap noise = Noise(257, 301, 21);
  struct TOutcome {
    std::vector<TBitmap> Read;
    std::vector<std::vector<uint8_t>> Written;
  };
  auto run = [&] {
    TOutcome o;
    std::string error;
    for (TPixelFormat pf : Formats) {
      TBitmap b = noise;
      b.SetPixelFormat(pf);
      const std::vector<uint8_t> file = EncodeBmp(b);
      TBitmap read;
      EXPECT_TRUE(ReadBmp(file.data(), file.size(), read)) << PixelFormatName(pf);
      o.Read.push_back(std::move(read));
      if (pf == pf15bit || pf == pf16bit || pf == pf24bit) {
        o.Written.emplace_back();
        EXPECT_TRUE(EncodePng(b, o.Written.back(), error)) << error;
        o.Written.emplace_back();
        EXPECT_TRUE(EncodeGif(b, o.Written.back(), error)) << error;
      }
    }
    const std::vector<uint8_t> fields = ReversedFieldsBmp(noise);
    TBitmap read;
    EXPECT_TRUE(ReadBmp(fields.data(), fields.size(), read));
    o.Read.push_back(std::move(read));
    std::string ppm = "P6\n257 301\n255\n";
    for (int y = 0; y < noise.Height(); ++y)
      for (int x = 0; x < noise.Width(); ++x) {
        const TColor c = noise.GetPixel(x, y);
        ppm += {char(GetRValue(c)), char(GetGValue(c)), char(GetBValue(c))};
      }
    o.Read.emplace_back();
    EXPECT_TRUE(NewPnmReader()->Read("", reinterpret_cast<const uint8_t *>(ppm.data()), ppm.size(),
                                     o.Read.back(), error))
        << error;
    return o;
  };
  TOutcome single, multi;
  {
    TThreads one(1, 0);
    single = run();
  }
  {
    TThreads three(3, 0);
    multi = run();
  }
  // The converting readers read what was written.
  for (size_t i : {single.Read.size() - 2, single.Read.size() - 1}) {
    TBitmap read = single.Read[i];
    read.SetPixelFormat(pf24bit);
    EXPECT_TRUE(SamePixels(read, noise)) << i;
  }
  ASSERT_EQ(single.Read.size(), multi.Read.size());
  for (size_t i = 0; i < single.Read.size(); ++i)
    ExpectSame(single.Read[i], multi.Read[i], "read " + std::to_string(i));
  EXPECT_EQ(single.Written, multi.Written);
}
