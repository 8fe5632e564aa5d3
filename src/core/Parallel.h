// Spreading the rows of a raster routine over the machine's cores (OpenMP
// underneath). Every row is computed exactly as on one thread, so the result
// does not depend on the number of threads.
//
// The hooks stay on the calling thread: a routine walks its rows in bands,
// runs the message loop between two bands while no other thread touches the
// raster, and only then shares the next band's rows among the threads. An
// event handler that runs during the message loop therefore finds the raster
// exactly as a single-threaded loop would have left it at that row.
#pragma once

#include "core/Hooks.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace tessaro {

// Threads of the raster routines: n >= 1 uses that many, 0 (or less) every
// core of the machine. The default is every core.
void SetOpsThreads(int n);
// The setting as a count of at least 1.
int OpsThreads();

// Rasters with fewer pixels than this stay on one thread: starting threads
// would cost more than they save (dialog previews, small pictures).
constexpr int64_t DefaultParallelMinPixels = 100000;
void SetOpsParallelMinPixels(int64_t pixels);
int64_t OpsParallelMinPixels();

// Threads for a routine over a raster of that many pixels.
int ThreadsFor(int64_t pixels);

// A borrowed callable of a half-open range [begin, end); the callable must
// outlive the call it is passed to.
class TRangeFn {
public:
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TRangeFn>>>
  TRangeFn(F &&f) // NOLINT: converts like a function reference
      : FObject(const_cast<void *>(static_cast<const void *>(&f))),
        FCall([](void *o, int b, int e) { (*static_cast<std::remove_reference_t<F> *>(o))(b, e); }) {}
  void operator()(int begin, int end) const { FCall(FObject, begin, end); }

private:
  void *FObject;
  void (*FCall)(void *, int, int);
};

// Calls fn on consecutive pieces that together cover [first, last), on up to
// `threads` threads (the calling thread among them), and returns when every
// piece has run. With one thread fn(first, last) runs right here. The first
// exception a piece throws is thrown again here once all pieces are done.
void ParallelFor(int first, int last, int threads, TRangeFn fn);

// Whether a message loop is installed (the user interface installs one).
bool HaveMessageLoop();

// Walks the items [first, last) of a routine (rows, pairs of rows, bands)
// whose single-threaded loop runs the message loop ticks(i) times right
// before item i. The items between two such points form a band: on the
// calling thread the band's message loop runs first, then refresh() (false
// ends the walk: the raster was replaced meanwhile), then body(b0, b1), which
// may share the band's items among threads. The message loop thus runs at
// the same points of the work as on one thread, while no other thread
// works. Without a message loop the bands are `freeBand` items long. The
// result tells whether every band ran.
template <class Ticks, class Refresh, class Body>
bool ForEachBand(int first, int last, int freeBand, Ticks &&ticks, Refresh &&refresh, Body &&body) {
  const bool loop = HaveMessageLoop();
  freeBand = std::max(freeBand, 1);
  for (int b0 = first; b0 < last;) {
    int b1 = b0 + 1;
    if (loop) {
      const int k0 = ticks(b0);
      // The progress figure goes out where the single-threaded loop ticks.
      if (k0 > 0)
        ReportProgress(b0 - first, last - first);
      for (int k = k0; k > 0; --k)
        ProcessMessages();
      while (b1 < last && ticks(b1) == 0)
        ++b1;
    } else {
      b1 = int(std::min<int64_t>(last, int64_t(b0) + freeBand));
    }
    if (!refresh())
      return false;
    body(b0, b1);
    b0 = b1;
  }
  return true;
}

} // namespace tessaro
