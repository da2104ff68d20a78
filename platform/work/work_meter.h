#pragma once
// Meters of the work a decode of outside bytes does, read as it is done: a decoder
// asks its meter between units of work (a packet, a read, a row, a scan) and stops
// when the meter says so. A model of a decoder's work worked out beforehand has a
// hole wherever the model and the library differ; the thread's own CPU clock has
// none.
//
// Two meters:
//  - LoadMeter: one load on the calling thread (a picture, a sound decoded whole,
//    the opening of a sound file, the music's first fill) may take the CPU its
//    caller gives it: about a second, and more for the work a large picture or a
//    long sound honestly needs; a termination signal during it (load_quit.h)
//    stops it too.
//  - RateMeter: a decoder of sound earns CPU time with every second of audio it
//    delivers, up to a small store; it stops when it has spent more than it earned.
//    The store is the start allowance, and keeps a decode that costs too much from
//    going on however long it has been cheap before.

#include <cstdint>

namespace platform {

// The CPU time the calling thread has spent in its own code (user time). The
// kernel's time on its behalf is left out: it goes mostly to first touches of new
// memory, which the memory limits bound, and which cost ten times more on one
// machine than on another (up to a second for 256 MiB).
std::uint64_t ThreadUserCpuNanoseconds();

// How many times slower than an optimised build this one runs our own code: the
// sanitizers and unoptimised code slow it about tenfold (not the system's
// libraries). The budgets below allow that much more, so that a build made for
// tests refuses what an optimised one refuses.
#ifdef VESK_WORK_SLOWDOWN
inline constexpr std::uint64_t kWorkSlowdown = VESK_WORK_SLOWDOWN;
#else
inline constexpr std::uint64_t kWorkSlowdown = 1;
#endif

enum class WorkVerdict {
  kGoOn,
  kTooSlow,  // the work passed the meter's budget
  kQuit,     // the player asked to end during a load
};

// What one load may take of its thread's CPU.
inline constexpr std::uint64_t kLoadCpuBudgetNs = 1'000'000'000 * kWorkSlowdown;

// A load in progress on the calling thread, from construction to destruction. A
// load begun inside another keeps within what is left of the outer one's budget.
class LoadMeter {
 public:
  explicit LoadMeter(std::uint64_t budgetNs = kLoadCpuBudgetNs);
  ~LoadMeter();
  LoadMeter(const LoadMeter&) = delete;
  LoadMeter& operator=(const LoadMeter&) = delete;

 private:
  friend WorkVerdict CheckLoadWork(std::uint64_t cpuNowNs);
  LoadMeter* m_Outer;
  std::uint64_t m_DeadlineNs;  // on the thread's CPU clock
};

// The verdict on the calling thread's load; kGoOn when no load is in progress.
WorkVerdict CheckLoadWork();
WorkVerdict CheckLoadWork(std::uint64_t cpuNowNs);

class RateMeter {
 public:
  // Starts with a full store.
  explicit RateMeter(std::uint64_t storeNs);

  // Counts from now on the calling thread: a decode that moves to another thread
  // (the music's fills after its first) starts there before its first unit.
  void Start();
  // Adds to what may be spent, never above the store.
  void Earn(std::uint64_t ns);
  // Charges what the thread spent since Start or the last Check; then the verdict,
  // with the thread's load's (a quit, the load's budget) beside the meter's own.
  // Once too slow, the meter stays so; a quit stops only the load it came in.
  WorkVerdict Check();

 private:
  std::uint64_t m_StoreNs;
  std::int64_t m_BalanceNs;
  std::uint64_t m_LastNs = 0;
  bool m_TooSlow = false;
};

}  // namespace platform
