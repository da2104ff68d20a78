#include "platform/clock/clock.h"

#include <atomic>
#include <cerrno>
#include <ctime>

namespace platform {
namespace {

std::atomic<bool> g_virtual{false};
std::atomic<std::uint32_t> g_virtualNow{0};
std::atomic<int> g_periodRequests{0};

std::uint32_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                  static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);  // wraps, as the game expects
}

}  // namespace

std::uint32_t NowMs() {
  return g_virtual.load() ? g_virtualNow.load() : MonotonicMs();
}

void SleepMs(std::uint32_t ms) {
  if (g_virtual.load()) {
    g_virtualNow += ms;
    return;
  }
  timespec left{static_cast<time_t>(ms / 1000u), static_cast<long>(ms % 1000u) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

void BeginClockPeriod() { ++g_periodRequests; }
void EndClockPeriod() { --g_periodRequests; }
int ClockPeriodRequests() { return g_periodRequests.load(); }

void UseVirtualClock(std::uint32_t startMs) {
  g_virtualNow = startMs;
  g_virtual = true;
}

void AdvanceVirtualClock(std::uint32_t deltaMs) { g_virtualNow += deltaMs; }
void SetVirtualClock(std::uint32_t ms) { g_virtualNow = ms; }
void UseRealClock() { g_virtual = false; }

}  // namespace platform
