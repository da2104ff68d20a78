#include "platform/work/work_meter.h"

#include <gtest/gtest.h>

#include "platform/work/load_quit.h"

namespace {

using platform::CheckLoadWork;
using platform::LoadMeter;
using platform::RateMeter;
using platform::WorkVerdict;

// Spends at least `ns` of the calling thread's CPU.
void Spend(std::uint64_t ns) {
  const std::uint64_t until = platform::ThreadCpuNanoseconds() + ns;
  while (platform::ThreadCpuNanoseconds() < until) {
  }
}

// A load passes its budget, a load inside it keeps to the outer one's deadline,
// and a quit stops loads until it is taken; a decoder's rate meter stops once it
// has spent more than it earned, and stays stopped.
TEST(WorkMeterTest, LoadsAndRatesStopWhenTheirBudgetIsSpentOrAQuitComes) {
  EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn) << "no load, no budget";
  {
    LoadMeter load(2'000'000);
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn);
    Spend(1'000'000);
    {
      LoadMeter inner(1'000'000'000);
      Spend(1'500'000);
      EXPECT_EQ(CheckLoadWork(), WorkVerdict::kTooSlow);
    }
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kTooSlow);
  }
  EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn);

  platform::RequestLoadsStop(platform::QuitRequest::kSignal);
  EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn) << "a quit stops loads, not other work";
  {
    LoadMeter load;
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kQuit);
    RateMeter rate(1'000'000'000);
    EXPECT_EQ(rate.Check(), WorkVerdict::kQuit);
  }
  platform::LetLoadsRun(platform::QuitRequest::kSignal);
  {
    LoadMeter load;
    EXPECT_EQ(CheckLoadWork(), WorkVerdict::kGoOn);
  }

  RateMeter rate(2'000'000);
  Spend(1'000'000);
  EXPECT_EQ(rate.Check(), WorkVerdict::kGoOn) << "within the store";
  rate.Earn(1'000'000'000);
  Spend(1'500'000);
  EXPECT_EQ(rate.Check(), WorkVerdict::kGoOn) << "earned back up to the store, no more";
  Spend(1'000'000);
  EXPECT_EQ(rate.Check(), WorkVerdict::kTooSlow);
  rate.Earn(1'000'000'000);
  EXPECT_EQ(rate.Check(), WorkVerdict::kTooSlow) << "too slow once, too slow for good";
}

}  // namespace
