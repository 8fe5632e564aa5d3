#include "core/Parallel.h"

#include "core/Hooks.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include <omp.h>

namespace tessaro {

namespace {
std::atomic<int> GThreads{0};
std::atomic<int64_t> GMinPixels{DefaultParallelMinPixels};

int Cores() {
  static const int cores = [] {
    const int n = omp_get_num_procs();
    return n > 0 ? n : int(std::max(1u, std::thread::hardware_concurrency()));
  }();
  return cores;
}
} // namespace

void SetOpsThreads(int n) {
  GThreads = std::max(n, 0);
}

int OpsThreads() {
  const int n = GThreads;
  return n > 0 ? n : Cores();
}

void SetOpsParallelMinPixels(int64_t pixels) {
  GMinPixels = std::max<int64_t>(pixels, 0);
}

int64_t OpsParallelMinPixels() {
  return GMinPixels;
}

int ThreadsFor(int64_t pixels) {
  return pixels < GMinPixels ? 1 : OpsThreads();
}

void ParallelFor(int first, int last, int threads, TRangeFn fn) {
  const int n = last - first;
  if (n <= 0)
    return;
  threads = std::min(threads, n);
  // A routine called from inside a piece stays on its own thread.
  if (threads <= 1 || omp_in_parallel()) {
    fn(first, last);
    return;
  }
  // A few pieces per thread, handed out as threads become free, so that a
  // thread the shared machine holds back costs little.
  const int pieces = std::min(n, threads * 4);
  std::exception_ptr error;
  std::mutex errorLock;
#pragma omp parallel for num_threads(threads) schedule(dynamic, 1)
  for (int p = 0; p < pieces; ++p) {
    const int b = first + int(int64_t(n) * p / pieces);
    const int e = first + int(int64_t(n) * (p + 1) / pieces);
    try {
      fn(b, e);
    } catch (...) {
      std::lock_guard<std::mutex> lock(errorLock);
      if (!error)
        error = std::current_exception();
    }
  }
  if (error)
    std::rethrow_exception(error);
}

bool HaveMessageLoop() {
  return bool(CoreHooks().ProcessMessages);
}

} // namespace tessaro
