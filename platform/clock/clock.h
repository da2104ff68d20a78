#pragma once
// The millisecond clock that all game timing reads: a u32 count of milliseconds
// that wraps, like the multimedia clock the game was designed around. One clock
// serves the program and the plug-in, so a test's virtual clock drives both.

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start; wraps at 2^32.
std::uint32_t NowMs();

// Requests and releases 1 ms clock resolution. The monotonic clock needs neither;
// the count is kept so that callers can be checked for balanced use.
void BeginClockPeriod();
void EndClockPeriod();
int ClockPeriodRequests();

// Waits for the given milliseconds. On the virtual clock nothing waits: the clock
// moves forward by that much, so that a test sees the wait in the time.
void SleepMs(std::uint32_t ms);

// The virtual clock for tests: while installed, NowMs() returns its value, which
// only the test moves.
void UseVirtualClock(std::uint32_t startMs);
void AdvanceVirtualClock(std::uint32_t deltaMs);
void SetVirtualClock(std::uint32_t ms);
void UseRealClock();

}  // namespace platform
