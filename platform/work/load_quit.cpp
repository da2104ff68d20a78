#include "platform/work/load_quit.h"

#include <atomic>

namespace platform {
namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> g_StopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

void RequestLoadsStop() { g_StopRequested.store(true, std::memory_order_relaxed); }

void LetLoadsRun() { g_StopRequested.store(false, std::memory_order_relaxed); }

bool LoadsMustStop() { return g_StopRequested.load(std::memory_order_relaxed); }

}  // namespace platform
