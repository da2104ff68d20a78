// The single-instance lock where the runtime folder cannot hold it: the lock moves
// to /tmp and still keeps a second holder out; with no folder at all the program
// is let start unguarded, and says so.
#include "platform/instance/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(InstanceLock, AFolderThatCannotHoldTheLockIsNoSecondInstance) {
  vesk_test::ScopedWorkingDir dir;
  const std::string title = "LockFallback" + std::to_string(::getpid());
  // A runtime "folder" through a plain file: no lock file can be made in it.
  vesk_test::WriteFile("plain", "");
  const std::string unusable = dir.path().string() + "/plain";
  setenv("XDG_RUNTIME_DIR", unusable.c_str(), 1);

  platform::InstanceLock first;
  ASSERT_TRUE(first.Acquire(title));
  EXPECT_EQ(first.HeldPath(), "/tmp/" + platform::InstanceLock::LockFileName(title));
  platform::InstanceLock second;
  EXPECT_FALSE(second.Acquire(title)) << "the lock in /tmp still keeps a second instance out";
  first.Release();

  vesk_test::DebugCapture debug;
  platform::InstanceLock unguarded;
  EXPECT_TRUE(unguarded.Acquire(title, {unusable, unusable + "/also"}));
  EXPECT_FALSE(unguarded.IsHeld());
  EXPECT_TRUE(debug.Contains("Failed : InstanceLock::Acquire No Lock File, Started Without The Guard\n"));
  ::unlink(("/tmp/" + platform::InstanceLock::LockFileName(title)).c_str());
}

}  // namespace
