#include "platform/work/load_quit.h"

#include <atomic>
#include <thread>

namespace platform {
namespace {

// The requests waiting, as bits of QuitRequest. Lock-free, so that a signal
// handler may set one.
std::atomic<unsigned> g_Requests{0};
static_assert(std::atomic<unsigned>::is_always_lock_free);

// The probe and its thread. Set once by the thread it belongs to, and read by that
// thread alone (others only compare the id).
std::atomic<WaitingQuitProbe> g_Probe{nullptr};
std::atomic<std::thread::id> g_ProbeThread{};
// The probe's thread's CPU clock when the probe last ran; only that thread touches it.
std::uint64_t g_LastProbeNs = 0;

// The window system's queue is looked at every 20 ms of the main thread's work:
// a quit is answered well within a second, and a decode loses nothing to it.
constexpr std::uint64_t kProbeIntervalNs = 20'000'000;

}  // namespace

void RequestLoadsStop(QuitRequest request) {
  g_Requests.fetch_or(static_cast<unsigned>(request), std::memory_order_relaxed);
}

void LetLoadsRun(QuitRequest request) {
  g_Requests.fetch_and(~static_cast<unsigned>(request), std::memory_order_relaxed);
}

bool LoadsMustStop() { return g_Requests.load(std::memory_order_relaxed) != 0; }

void SetWaitingQuitProbe(WaitingQuitProbe probe) {
  g_ProbeThread.store(std::this_thread::get_id());
  g_Probe.store(probe);
}

bool QuitRequestedDuringLoad(std::uint64_t cpuNowNs) {
  if (LoadsMustStop()) return true;
  const WaitingQuitProbe probe = g_Probe.load();
  if (probe == nullptr || g_ProbeThread.load() != std::this_thread::get_id()) return false;
  if (cpuNowNs - g_LastProbeNs < kProbeIntervalNs) return false;
  g_LastProbeNs = cpuNowNs;
  if (probe()) RequestLoadsStop(QuitRequest::kWindowClose);
  return LoadsMustStop();
}

}  // namespace platform
