// The source location last passed, shown by the fatal-signal report.
#include "app/core/SourceMark.h"

#include <atomic>

namespace app {
namespace {

// Process-wide on purpose: a fatal-signal handler can reach nothing else.
// A lock-free atomic pointer is safe to read inside the handler.
std::atomic<const char*> lastMark{""};
static_assert(std::atomic<const char*>::is_always_lock_free);

}  // namespace

void MarkSource(const char* location) noexcept {
  lastMark.store(location, std::memory_order_relaxed);
}

const char* LastSourceMark() noexcept {
  return lastMark.load(std::memory_order_relaxed);
}

}  // namespace app
