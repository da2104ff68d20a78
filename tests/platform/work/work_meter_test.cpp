#include "platform/work/work_meter.h"

#include <gtest/gtest.h>

#include "platform/work/load_quit.h"

namespace {

using platform::CheckLoadWork;
using platform::LoadMeter;
using platform::RateMeter;
using platform::WorkVerdict;

constexpr std::uint64_t kMs = 1'000'000;

// Spends at least `ns` of the calling thread's CPU in its own code. The clock
// moves at the kernel's tick (4 ms here): the figures below are tens of them.
void Spend(std::uint64_t ns) {
  const std::uint64_t until = platform::ThreadUserCpuNanoseconds() + ns;
  volatile std::uint64_t sum = 0;
  while (platform::ThreadUserCpuNanoseconds() < until) {
    for (std::uint64_t i = 0; i < 100'000; ++i) sum = sum + i;
  }
}

// A load passes its budget, a load inside it keeps to the outer one's deadline,
// and a quit stops loads until it is taken; a decoder's rate meter stops once it
// has spent more than it earned, and stays stopped.
TEST(WorkMeterTest, LoadsAndRatesStopWhenTheirBudgetIsSpentOrAQuitComes) {
  EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn) << "no load, no budget";
  {
    LoadMeter load(100 * kMs);
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn);
    Spend(50 * kMs);
    {
      LoadMeter inner(1'000 * kMs);
      Spend(75 * kMs);
      EXPECT_EQ(CheckLoadWork(), WorkVerdict::kTooSlow);
    }
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kTooSlow);
  }
  EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn);

  platform::RequestLoadsStop();
  EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn) << "a quit stops loads, not other work";
  {
    LoadMeter load;
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kQuit);
    RateMeter rate(1'000 * kMs);
    EXPECT_EQ(rate.Check(), WorkVerdict::kQuit);
  }
  platform::LetLoadsRun();
  {
    LoadMeter load;
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn);
  }

  RateMeter rate(100 * kMs);
  Spend(50 * kMs);
  EXPECT_EQ(rate.Check(), WorkVerdict::kGoOn) << "within the store";
  rate.Earn(1'000 * kMs);
  Spend(75 * kMs);
  EXPECT_EQ(rate.Check(), WorkVerdict::kGoOn) << "earned back up to the store, no more";
  Spend(50 * kMs);
  EXPECT_EQ(rate.Check(), WorkVerdict::kTooSlow);
  rate.Earn(1'000 * kMs);
  EXPECT_EQ(rate.Check(), WorkVerdict::kTooSlow) << "too slow once, too slow for good";
}

}  // namespace
