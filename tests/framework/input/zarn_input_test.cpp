#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/input/zarn_input.h"
#include "platform/message_box/message_box.h"
#include "tests/platform/support/scripted_input.h"
#include "tests/support/debug_capture.h"

namespace {

using nsZarn::nsInput::Point;
using nsZarn::nsInput::ZarnInput;

constexpr std::uint8_t kLeftControl = 0x1D;
constexpr std::uint8_t kRightControl = 0x9D;

class ZarnInputTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::NotifyInputFocus(true); }

  vesk_test::ScriptedInput scripted;
};

TEST_F(ZarnInputTest, ControlKeysReadAsOneWhileDown) {
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  scripted.Press(kLeftControl);
  input.Update(false);
  EXPECT_EQ(input.GetKey(0x1D), 1);
  EXPECT_EQ(input.GetKey(0x9D), 0);
  scripted.Release(kLeftControl);
  scripted.Press(kRightControl);
  input.Update(false);
  EXPECT_EQ(input.GetKey(0x1D), 0);
  EXPECT_EQ(input.GetKey(0x9D), 1);
}

TEST_F(ZarnInputTest, MouseButtonsAndIndicesBeyondTheEighth) {
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  scripted.buttons[0] = true;  // left
  scripted.buttons[2] = true;  // middle
  input.Update(false);
  EXPECT_EQ(input.GetMouseButton(0), 1);
  EXPECT_EQ(input.GetMouseButton(1), 0);
  EXPECT_EQ(input.GetMouseButton(2), 1);
  EXPECT_EQ(input.GetMouseButton(7), 0);
  EXPECT_EQ(input.GetMouseButton(8), 0);
  EXPECT_EQ(input.GetMouseButton(255), 0);
}

TEST_F(ZarnInputTest, CursorIsInClientCoordinatesWhateverTheFlag) {
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  scripted.cursor = {10, -10};  // above the client area
  Point p;
  input.Update(false);
  input.GetMousePos(p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, -10);
  input.Update(true);
  input.GetMousePos(p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, -10);
}

TEST_F(ZarnInputTest, WheelSignAndSumAreSeenOncePerPoll) {
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  platform::NotifyMouseWheel(1, false);
  platform::NotifyMouseWheel(1, false);
  input.Update(false);
  EXPECT_EQ(input.GetMouseZ(), 240);
  input.Update(false);
  EXPECT_EQ(input.GetMouseZ(), 0);
  platform::NotifyMouseWheel(-1, false);
  input.Update(false);
  EXPECT_EQ(input.GetMouseZ(), -120);
}

TEST_F(ZarnInputTest, AnInactiveWindowKeepsTheLastStateButNotTheWheel) {
  ZarnInput input;
  scripted.joysticks.resize(1);
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  scripted.Press(kLeftControl);
  scripted.buttons[1] = true;  // right
  scripted.cursor = {30, 40};
  scripted.joysticks[0].axes = {-32768, 0};
  platform::NotifyMouseWheel(1, false);
  input.Update(false);
  ASSERT_EQ(input.GetMouseZ(), 120);

  platform::NotifyInputFocus(false);
  scripted.Release(kLeftControl);
  scripted.buttons[1] = false;
  scripted.cursor.x = 500;
  scripted.joysticks[0].axes = {0, 0};
  input.Update(false);
  EXPECT_EQ(input.GetKey(0x1D), 1);
  EXPECT_EQ(input.GetMouseButton(1), 1);
  Point p;
  input.GetMousePos(p);
  EXPECT_EQ(p.x, 30);
  EXPECT_EQ(p.y, 40);
  EXPECT_EQ(input.GetJoystickState(0)->x, -1000);
  EXPECT_EQ(input.GetMouseZ(), 0);  // the turn was reported once

  platform::NotifyInputFocus(true);
  input.Update(false);
  EXPECT_EQ(input.GetKey(0x1D), 0);
  EXPECT_EQ(input.GetMouseButton(1), 0);
  input.GetMousePos(p);
  EXPECT_EQ(p.x, 500);
  EXPECT_EQ(input.GetJoystickState(0)->x, 0);
}

TEST_F(ZarnInputTest, JoystickAtFullLeftPointsLeftOnly) {
  scripted.joysticks.resize(1);
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  ASSERT_EQ(input.GetJoystickCount(), 1u);
  scripted.joysticks[0].axes = {-32768, 32767};
  scripted.joysticks[0].buttons[3] = true;
  input.Update(false);
  const auto* joy = input.GetJoystickState(0);
  ASSERT_NE(joy, nullptr);
  EXPECT_EQ(joy->x, -1000);
  EXPECT_EQ(joy->left, 1);
  EXPECT_EQ(joy->right, 0);
  EXPECT_EQ(joy->y, 1000);
  EXPECT_EQ(joy->down, 1);
  EXPECT_EQ(joy->up, 0);
  EXPECT_EQ(joy->buttons[3], 1);
  EXPECT_EQ(joy->buttons[0], 0);
  EXPECT_EQ(input.GetJoystickState(1), nullptr);
}

TEST_F(ZarnInputTest, DeadZoneZeroesSmallDeflections) {
  scripted.joysticks.resize(1);
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  input.SetDeadZone(200, -200);  // the magnitude counts
  scripted.joysticks[0].axes = {-6000, 6553};  // -183 and 199
  input.Update(false);
  EXPECT_EQ(input.GetJoystickState(0)->x, 0);
  EXPECT_EQ(input.GetJoystickState(0)->left, 0);
  EXPECT_EQ(input.GetJoystickState(0)->y, 0);
  scripted.joysticks[0].axes = {-6554, 6554};  // -200 and 200: not below the zone
  input.Update(false);
  EXPECT_EQ(input.GetJoystickState(0)->x, -200);
  EXPECT_EQ(input.GetJoystickState(0)->y, 200);
}

TEST_F(ZarnInputTest, WithoutJoysticksOnlyKeyboardAndMouseArePolled) {
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  EXPECT_EQ(input.GetJoystickCount(), 0u);
  EXPECT_EQ(input.GetJoystickState(0), nullptr);
  input.Update(false);
  input.Update(false);
  EXPECT_EQ(scripted.keyboardReads, 2);
  EXPECT_GE(scripted.mouseReads, 2);
}

TEST_F(ZarnInputTest, JoysticksArePolledInOrderEveryUpdate) {
  scripted.joysticks.resize(3);
  ZarnInput input;
  ASSERT_TRUE(input.Init(nullptr, nullptr));
  input.Update(false);
  input.Update(false);
  for (const auto& j : scripted.joysticks) EXPECT_EQ(j.polls, 2);
}

TEST_F(ZarnInputTest, FailedInitWritesItsDebugLine) {
  struct Case {
    bool keyboard, mouse, joysticks;
    const char* line;
  };
  const Case cases[] = {
      {true, false, false, "Failed : ZarnInput::Init CreateDevice Keyboard\n"},
      {false, true, false, "Failed : ZarnInput::Init CreateDevice Mouse\n"},
      {false, false, true, "Failed : ZarnInput::Init EnumDevices Joystick\n"},
  };
  for (const Case& c : cases) {
    scripted.failKeyboard = c.keyboard;
    scripted.failMouse = c.mouse;
    scripted.failJoysticks = c.joysticks;
    vesk_test::DebugCapture capture;
    ZarnInput input;
    EXPECT_FALSE(input.Init(nullptr, nullptr));
    EXPECT_TRUE(capture.Contains(c.line)) << c.line;
    input.Update(false);  // harmless after a failed start
    EXPECT_EQ(input.GetKey(0x1D), 0);
  }
}

TEST_F(ZarnInputTest, EntryStepShowsItsBoxOnFailure) {
  std::vector<std::string> boxes;
  platform::MessageBoxIcon icon = platform::MessageBoxIcon::None;
  platform::SetMessageBoxHandler([&](std::string_view caption, std::string_view text, platform::MessageBoxButtons,
                                     platform::MessageBoxIcon shown) {
    boxes.push_back(std::string(caption) + "|" + std::string(text));
    icon = shown;
    return platform::MessageBoxAnswer::Ok;
  });
  ZarnInput input;
  EXPECT_TRUE(nsZarn::nsInput::InitInputForEntry(input, nullptr, nullptr));
  EXPECT_TRUE(boxes.empty());

  scripted.failMouse = true;
  vesk_test::DebugCapture capture;
  ZarnInput failing;
  EXPECT_FALSE(nsZarn::nsInput::InitInputForEntry(failing, nullptr, nullptr));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], std::string("エラー！|DirectInputの初期化に失敗しました！"));
  EXPECT_EQ(icon, platform::MessageBoxIcon::Exclamation);
  EXPECT_TRUE(capture.Contains("Failed : ZarnInput::Init\n"));
  platform::SetMessageBoxHandler(nullptr);
}

TEST_F(ZarnInputTest, DestructionClosesTheDevices) {
  {
    ZarnInput input;
    ASSERT_TRUE(input.Init(nullptr, nullptr));
    ASSERT_TRUE(input.Init(nullptr, nullptr));  // a second start closes the first devices
    EXPECT_EQ(scripted.closes, 1);
  }
  EXPECT_EQ(scripted.closes, 2);
}

}  // namespace
