#include "core/Hooks.h"

#include <utility>

namespace tessaro {

namespace {
TCoreHooks &Hooks() {
  static TCoreHooks hooks;
  return hooks;
}
} // namespace

void SetCoreHooks(TCoreHooks hooks) {
  Hooks() = std::move(hooks);
}
const TCoreHooks &CoreHooks() {
  return Hooks();
}

void ProcessMessages() {
  if (Hooks().ProcessMessages)
    Hooks().ProcessMessages();
}

namespace {
TProgressReceiver &Receiver() {
  static TProgressReceiver receiver;
  return receiver;
}
} // namespace

void ReportProgress(int done, int total) {
  if (Receiver())
    Receiver()(done, total);
}

TProgressScope::TProgressScope(TProgressReceiver receiver) : FPrevious(std::move(Receiver())) {
  Receiver() = std::move(receiver);
}

TProgressScope::~TProgressScope() {
  Receiver() = std::move(FPrevious);
}

TWaitCursor::TWaitCursor() {
  if (Hooks().BeginWaitCursor)
    Hooks().BeginWaitCursor();
}

TWaitCursor::~TWaitCursor() {
  if (Hooks().EndWaitCursor)
    Hooks().EndWaitCursor();
}

} // namespace tessaro
