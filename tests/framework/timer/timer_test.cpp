#include "framework/timer/timer.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/clock/clock.h"
#include "tests/support/temp_dir.h"

using nsZarn::nsTimer::SingleInstanceMutex;
using nsZarn::nsTimer::Timer;

namespace {

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::UseVirtualClock(1000); }
  void TearDown() override { platform::UseRealClock(); }
};

TEST_F(TimerTest, PauseAndResumeKeepElapsedTimeContinuous) {
  Timer t;
  platform::AdvanceVirtualClock(300);
  EXPECT_EQ(t.Update(), 300u);
  t.Pause();
  t.Pause();  // a second pause changes nothing
  platform::AdvanceVirtualClock(500);
  EXPECT_EQ(t.Update(), 800u);  // Update runs while paused...
  EXPECT_EQ(t.GetTime(), 300u);  // ...but the reported time stays frozen
  t.Resume();
  EXPECT_EQ(t.GetTime(), 800u) << "GetTime after Resume reports the last Update, not the clock";
  EXPECT_EQ(t.Update(), 300u);
  platform::AdvanceVirtualClock(20);
  EXPECT_EQ(t.Update(), 320u);
}

TEST_F(TimerTest, GetTimeDoesNotReadTheClock) {
  Timer t;
  platform::AdvanceVirtualClock(50);
  EXPECT_EQ(t.GetTime(), 0u);
  t.Update();
  platform::AdvanceVirtualClock(50);
  EXPECT_EQ(t.GetTime(), 50u);
}

TEST_F(TimerTest, ElapsedTimeSurvivesTheClockWrap) {
  platform::SetVirtualClock(0xFFFFFFF0u);
  Timer t;
  platform::AdvanceVirtualClock(0x20);
  EXPECT_EQ(t.Update(), 0x20u);
  t.Reset();
  EXPECT_EQ(t.GetTime(), 0u);
  EXPECT_FALSE(t.IsPaused());
}

TEST_F(TimerTest, CopiesCarryTheStateAndKeepThePeriodBalanced) {
  const int before = platform::ClockPeriodRequests();
  {
    Timer a;
    platform::AdvanceVirtualClock(40);
    a.Update();
    a.Pause();
    Timer b(a);
    EXPECT_EQ(platform::ClockPeriodRequests(), before + 2);
    EXPECT_TRUE(b.IsPaused());
    EXPECT_EQ(b.GetTime(), 40u);
    b.Resume();
    platform::AdvanceVirtualClock(10);
    EXPECT_EQ(b.Update(), 50u);
    EXPECT_TRUE(a.IsPaused());
  }
  EXPECT_EQ(platform::ClockPeriodRequests(), before);
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1); }
  vesk_test::TempDir dir;
};

TEST_F(SingleInstanceTest, SecondGuardFailsWhileTheFirstLives) {
  auto first = std::make_unique<SingleInstanceMutex>();
  ASSERT_TRUE(first->Create("テスト"));
  SingleInstanceMutex second;
  EXPECT_FALSE(second.Create("テスト"));
  SingleInstanceMutex other;
  EXPECT_TRUE(other.Create("another title"));
  first.reset();
  SingleInstanceMutex third;
  EXPECT_TRUE(third.Create("テスト"));
}

TEST_F(SingleInstanceTest, SecondProcessIsRefused) {
  SingleInstanceMutex first;
  ASSERT_TRUE(first.Create("Vesk"));
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    SingleInstanceMutex child;
    ::_exit(child.Create("Vesk") ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the second process must not get the guard";
}

TEST_F(SingleInstanceTest, EmptyTitleTakesNoLock) {
  SingleInstanceMutex a;
  SingleInstanceMutex b;
  EXPECT_TRUE(a.Create(""));
  EXPECT_TRUE(b.Create(""));
}

}  // namespace
