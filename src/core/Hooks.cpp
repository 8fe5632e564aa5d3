#include "core/Hooks.h"

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

TWaitCursor::TWaitCursor() {
  if (Hooks().BeginWaitCursor)
    Hooks().BeginWaitCursor();
}

TWaitCursor::~TWaitCursor() {
  if (Hooks().EndWaitCursor)
    Hooks().EndWaitCursor();
}

} // namespace tessaro
