// The game's input manager over scripted mouse input: button states from two polls,
// the reset of both polls, the device's button numbers, the cursor and the wheel.
#include "game/managers/input_manager_fd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "game/core/program_objects.h"
#include "platform/input/input_devices.h"
#include "tests/game/support/program_lifetime.h"
#include "tests/platform/support/scripted_input.h"

namespace {

using nsVesk::nsInputManager::InputManagerfD;

struct Buttons {
  bool down;
  bool pushed;
  bool released;
};

Buttons Left(InputManagerfD& input) { return {input.IsLeftDown(), input.IsLeftPushed(), input.IsLeftReleased()}; }
Buttons Right(InputManagerfD& input) {
  return {input.IsRightDown(), input.IsRightPushed(), input.IsRightReleased()};
}
Buttons Middle(InputManagerfD& input) {
  return {input.IsMiddleDown(), input.IsMiddlePushed(), input.IsMiddleReleased()};
}

MATCHER_P3(IsState, down, pushed, released, "") {
  return arg.down == down && arg.pushed == pushed && arg.released == released;
}

class InputManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::NotifyInputFocus(true);
    ASSERT_TRUE(nsVesk::g_Input.Init(nullptr, nullptr));
  }
  void TearDown() override { vesk_test::ReleaseInput(); }

  // Holds the buttons of a mask of the game's button numbers.
  void Hold(std::uint32_t mask) {
    for (std::size_t i = 0; i < m_Mouse.buttons.size(); ++i) m_Mouse.buttons[i] = (mask >> i & 1u) != 0;
  }

  // Installed for the test; the input object's devices are released before it.
  vesk_test::ScriptedInput m_Mouse;
};

constexpr std::uint32_t kLeft = 1u << 0;
constexpr std::uint32_t kRight = 1u << 1;
constexpr std::uint32_t kMiddle = 1u << 2;

TEST_F(InputManagerTest, APressIsPushedOnceHeldThenReleasedOnce) {
  InputManagerfD input;
  EXPECT_THAT(Left(input), IsState(false, false, false)) << "nothing before the first poll";
  Hold(kLeft);
  input.Update();
  EXPECT_THAT(Left(input), IsState(true, true, false)) << "the first poll that sees it down";
  input.Update();
  EXPECT_THAT(Left(input), IsState(true, false, false));
  Hold(0);
  input.Update();
  EXPECT_THAT(Left(input), IsState(false, false, true));
  input.Update();
  EXPECT_THAT(Left(input), IsState(false, false, false));
}

TEST_F(InputManagerTest, AfterAResetAHeldButtonReadsAsPushedAgainOnTheNextPoll) {
  InputManagerfD input;
  Hold(kLeft | kRight);
  input.Update();
  input.Update();
  input.ResetButtons();
  EXPECT_THAT(Left(input), IsState(false, false, false));
  EXPECT_THAT(Right(input), IsState(false, false, false));
  input.Update();
  EXPECT_THAT(Left(input), IsState(true, true, false));
  EXPECT_THAT(Right(input), IsState(true, true, false));
  // A reset after a release hides the release.
  Hold(0);
  input.Update();
  input.ResetButtons();
  EXPECT_THAT(Left(input), IsState(false, false, false));
}

TEST_F(InputManagerTest, APressAndReleaseBetweenTwoPollsIsNotSeen) {
  InputManagerfD input;
  input.Update();
  Hold(kLeft);
  Hold(0);
  input.Update();
  EXPECT_THAT(Left(input), IsState(false, false, false));
}

TEST_F(InputManagerTest, DeviceButtonsOneAndTwoAreTheRightAndTheMiddle) {
  InputManagerfD input;
  Hold(kRight);
  input.Update();
  EXPECT_THAT(Right(input), IsState(true, true, false));
  EXPECT_THAT(Middle(input), IsState(false, false, false));
  EXPECT_THAT(Left(input), IsState(false, false, false));
  Hold(kMiddle);
  input.Update();
  EXPECT_THAT(Right(input), IsState(false, false, true));
  EXPECT_THAT(Middle(input), IsState(true, true, false));
  // The engine's questions follow: the middle button asks for the menu.
  EXPECT_TRUE(input.IsMenuCall());
  EXPECT_FALSE(input.IsGoNext());
}

TEST_F(InputManagerTest, CursorAndWheelAreThoseOfTheLastPoll) {
  InputManagerfD input;
  m_Mouse.cursor = {123, 456};
  platform::NotifyMouseWheel(1, false);
  input.Update();
  int x = 0;
  int y = 0;
  input.GetMousePos(x, y);
  EXPECT_EQ(x, 123);
  EXPECT_EQ(y, 456);
  int wheel = 0;
  EXPECT_EQ(input.GetWheel(wheel), 120);
  EXPECT_EQ(wheel, 120);
  m_Mouse.cursor.x = 5;
  EXPECT_EQ((input.GetMousePos(x, y), x), 123) << "unchanged until the next poll";
  input.Update();
  EXPECT_EQ(input.GetWheel(wheel), 0) << "a turn is seen by one poll";
  input.GetMousePos(x, y);
  EXPECT_EQ(x, 5);
}

TEST_F(InputManagerTest, TwoManagersPollingInOneFrameEachSeeTheButtonsButOnlyTheFirstTheWheel) {
  InputManagerfD scenes;
  InputManagerfD player;
  Hold(kLeft);
  platform::NotifyMouseWheel(-1, false);
  scenes.Update();
  player.Update();
  int wheel = 0;
  EXPECT_EQ(scenes.GetWheel(wheel), -120);
  EXPECT_EQ(player.GetWheel(wheel), 0);
  EXPECT_TRUE(scenes.IsLeftPushed());
  EXPECT_TRUE(player.IsLeftPushed());
}

}  // namespace
