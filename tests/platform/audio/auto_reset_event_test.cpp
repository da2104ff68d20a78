#include "platform/audio/auto_reset_event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using platform::AutoResetEvent;
using platform::WaitForAnyEvent;

TEST(AutoResetEventTest, ASignalIsTakenByOneWaitOnly) {
  AutoResetEvent event;
  EXPECT_FALSE(event.IsSet());
  event.Set();
  event.Set();
  EXPECT_TRUE(event.IsSet());
  event.Wait();
  EXPECT_FALSE(event.IsSet()) << "two sets before a wait are one signal";
  event.Set();
  event.Reset();
  EXPECT_FALSE(event.IsSet());
}

TEST(AutoResetEventTest, WaitForAnyTakesTheFirstSignalledInListOrder) {
  AutoResetEvent quit;
  AutoResetEvent notify;
  notify.Set();
  quit.Set();
  EXPECT_EQ(WaitForAnyEvent({&quit, &notify}), 0u);
  EXPECT_TRUE(notify.IsSet()) << "the other signal stays";
  EXPECT_EQ(WaitForAnyEvent({&quit, &notify}), 1u);
  EXPECT_FALSE(notify.IsSet());
}

TEST(AutoResetEventTest, AWaitingThreadWakesForEitherEvent) {
  AutoResetEvent quit;
  AutoResetEvent notify;
  std::atomic<int> notifications{0};
  std::thread waiter([&] {
    while (WaitForAnyEvent({&quit, &notify}) == 1) ++notifications;
  });
  for (int i = 0; i < 3; ++i) {
    notify.Set();
    while (notifications.load() != i + 1) std::this_thread::yield();
  }
  quit.Set();
  waiter.join();
  EXPECT_EQ(notifications.load(), 3);
}

}  // namespace
