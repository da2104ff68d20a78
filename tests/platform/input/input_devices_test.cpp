#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/input/input_devices.h"
#include "platform/input/scan_codes.h"
#include "platform/window/sdl_window_access.h"
#include "platform/window/window.h"
#include "tests/platform/support/scripted_sdl_input.h"

namespace {

using platform::CreateInputDevices;
using vesk_test::ScriptedSdlInput;

class InputDevicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetSdlInputStateForTest(&scripted);
    platform::NotifyInputFocus(true);
    devices = CreateInputDevices();
  }
  void TearDown() override {
    devices.reset();
    platform::SetSdlInputStateForTest(nullptr);
  }

  ScriptedSdlInput scripted;
  std::unique_ptr<platform::InputDevices> devices;
};

TEST(ScanCodes, KeysMapToTheClassicPcScanCodes) {
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_LCTRL), 0x1D);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_RCTRL), 0x9D);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_ESCAPE), 0x01);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_RETURN), 0x1C);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_SPACE), 0x39);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_A), 0x1E);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_UP), 0xC8);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_KP_ENTER), 0x9C);
  EXPECT_EQ(platform::PcScanCodeFromSdl(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(platform::PcScanCodeFromSdl(-1), 0);
  EXPECT_EQ(platform::PcScanCodeFromSdl(100000), 0);
}

TEST_F(InputDevicesTest, KeyboardStateIsIndexedByScanCode) {
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  scripted.Press(SDL_SCANCODE_LCTRL);
  scripted.Press(SDL_SCANCODE_RCTRL);
  platform::KeyboardState keys{};
  ASSERT_TRUE(devices->PollKeyboard(keys));
  EXPECT_EQ(keys[0x1D], 0x80);
  EXPECT_EQ(keys[0x9D], 0x80);
  int down = 0;
  for (std::uint8_t k : keys) down += k != 0;
  EXPECT_EQ(down, 2);
  scripted.Release(SDL_SCANCODE_LCTRL);
  ASSERT_TRUE(devices->PollKeyboard(keys));
  EXPECT_EQ(keys[0x1D], 0);
  EXPECT_EQ(keys[0x9D], 0x80);
}

TEST_F(InputDevicesTest, MouseButtonsInTheGamesOrder) {
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  scripted.buttonMask = SDL_BUTTON(SDL_BUTTON_RIGHT) | SDL_BUTTON(SDL_BUTTON_X2);
  platform::MouseState mouse;
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.rgbButtons[0], 0);     // left
  EXPECT_EQ(mouse.rgbButtons[1], 0x80);  // right
  EXPECT_EQ(mouse.rgbButtons[2], 0);     // middle
  EXPECT_EQ(mouse.rgbButtons[4], 0x80);  // second side button
  scripted.buttonMask = SDL_BUTTON(SDL_BUTTON_LEFT) | SDL_BUTTON(SDL_BUTTON_MIDDLE);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.rgbButtons[0], 0x80);
  EXPECT_EQ(mouse.rgbButtons[1], 0);
  EXPECT_EQ(mouse.rgbButtons[2], 0x80);
}

TEST_F(InputDevicesTest, WheelIsSummedBetweenPollsAndSeenOnce) {
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  platform::NotifyMouseWheel(1, false);
  platform::NotifyMouseWheel(2, false);
  platform::MouseState mouse;
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.lZ, 360);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.lZ, 0);
  platform::NotifyMouseWheel(-1, false);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.lZ, -120);
  platform::NotifyMouseWheel(1, true);  // a flipped wheel reports the other way round
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.lZ, -120);
}

TEST_F(InputDevicesTest, PollsFailWhileTheWindowIsInactive) {
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  scripted.joysticks.resize(1);
  platform::NotifyInputFocus(false);
  platform::NotifyMouseWheel(3, false);  // not this window's
  platform::KeyboardState keys{};
  platform::MouseState mouse;
  platform::JoystickState joy;
  EXPECT_FALSE(devices->PollKeyboard(keys));
  EXPECT_FALSE(devices->PollMouse(mouse));
  EXPECT_FALSE(devices->PollJoystick(0, joy));
  platform::NotifyInputFocus(true);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.lZ, 0);
}

TEST_F(InputDevicesTest, CursorIsInTheFrameOfTheClientAreaAndNotClamped) {
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  scripted.window = {100, 50, 800, 600};
  scripted.mouseX = 150;
  scripted.mouseY = 80;
  EXPECT_EQ(devices->CursorPos().x, 50);
  EXPECT_EQ(devices->CursorPos().y, 30);
  scripted.mouseX = 20;
  scripted.mouseY = 700;
  EXPECT_EQ(devices->CursorPos().x, -80);
  EXPECT_EQ(devices->CursorPos().y, 650);
}

TEST_F(InputDevicesTest, LetterboxedFullScreenMapsBackToTheFrame) {
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  // 1920x1080: the frame is scaled by 1.8 to 1440x1080 and centred, 240 pixels in.
  scripted.window = {0, 0, 1920, 1080};
  scripted.mouseX = 240;
  scripted.mouseY = 0;
  EXPECT_EQ(devices->CursorPos().x, 0);
  EXPECT_EQ(devices->CursorPos().y, 0);
  scripted.mouseX = 240 + 720;
  scripted.mouseY = 540;
  EXPECT_EQ(devices->CursorPos().x, 400);
  EXPECT_EQ(devices->CursorPos().y, 300);
  scripted.mouseX = 100;  // on the left bar
  EXPECT_LT(devices->CursorPos().x, 0);
  scripted.mouseX = 1919;
  scripted.mouseY = 1079;
  EXPECT_GE(devices->CursorPos().x, 800);
  EXPECT_EQ(devices->CursorPos().y, 599);
}

// Button events as the window's event pump delivers them.
void Button(Uint32 type, std::uint32_t windowId, Uint8 button, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.windowID = windowId;
  event.button.button = button;
  event.button.x = x;
  event.button.y = y;
  platform::NotifySdlEventObservers(event);
}

TEST_F(InputDevicesTest, OnlyTheWindowsOwnPressesCountAndATapIsNeverLost) {
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  const std::uint32_t id = scripted.window.id;
  platform::MouseState mouse;

  // Pressed and released between two polls: down at the next poll, up at the one after.
  Button(SDL_MOUSEBUTTONDOWN, id, SDL_BUTTON_LEFT, 400, 300);
  Button(SDL_MOUSEBUTTONUP, id, SDL_BUTTON_LEFT, 400, 300);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.rgbButtons[0], 0x80);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.rgbButtons[0], 0);

  // Held across polls: down for as long as the window holds it.
  Button(SDL_MOUSEBUTTONDOWN, id, SDL_BUTTON_RIGHT, 10, 10);
  scripted.buttonMask = SDL_BUTTON(SDL_BUTTON_RIGHT);
  for (int poll = 0; poll < 3; ++poll) {
    ASSERT_TRUE(devices->PollMouse(mouse));
    EXPECT_EQ(mouse.rgbButtons[1], 0x80);
  }
  Button(SDL_MOUSEBUTTONUP, id, SDL_BUTTON_RIGHT, 10, 10);
  scripted.buttonMask = 0;
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.rgbButtons[1], 0);

  // Outside the client area (a window drag begins there) or in another window:
  // no click, even while the window's own state holds the button.
  Button(SDL_MOUSEBUTTONDOWN, id, SDL_BUTTON_LEFT, 400, -12);
  scripted.buttonMask = SDL_BUTTON(SDL_BUTTON_LEFT);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.rgbButtons[0], 0);
  Button(SDL_MOUSEBUTTONUP, id, SDL_BUTTON_LEFT, 400, -12);
  scripted.buttonMask = 0;
  Button(SDL_MOUSEBUTTONDOWN, id + 1, SDL_BUTTON_LEFT, 400, 300);
  Button(SDL_MOUSEBUTTONDOWN, id, SDL_BUTTON_LEFT, 800, 300);
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.rgbButtons[0], 0);

  // The cursor is the window's own position while the pointer is over it.
  scripted.window = {100, 50, 800, 600, id};
  scripted.mouseX = 100 + 799;
  scripted.mouseY = 50;
  EXPECT_EQ(devices->CursorPos().x, 799);
  EXPECT_EQ(devices->CursorPos().y, 0);
}

TEST_F(InputDevicesTest, JoysticksScaleToPlusMinus1000) {
  scripted.joysticks.resize(2);
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  ASSERT_EQ(devices->JoystickCount(), 2u);
  scripted.joysticks[1].axes = {-32768, 32767};
  scripted.joysticks[1].buttons[31] = true;
  platform::JoystickState joy;
  ASSERT_TRUE(devices->PollJoystick(1, joy));
  EXPECT_EQ(joy.lX, -1000);
  EXPECT_EQ(joy.lY, 1000);
  EXPECT_EQ(joy.rgbButtons[31], 0x80);
  EXPECT_EQ(joy.rgbButtons[0], 0);
  scripted.joysticks[1].axes = {16384, -3277};
  ASSERT_TRUE(devices->PollJoystick(1, joy));
  EXPECT_EQ(joy.lX, 500);
  EXPECT_EQ(joy.lY, -100);
  EXPECT_FALSE(devices->PollJoystick(2, joy));
}

TEST_F(InputDevicesTest, AtMost16JoysticksAndCloseReleasesThem) {
  scripted.joysticks.resize(20);
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);
  EXPECT_EQ(devices->JoystickCount(), 16u);
  devices->Close();
  EXPECT_EQ(scripted.closes, 1);
  EXPECT_EQ(devices->JoystickCount(), 0u);
  devices.reset();
  EXPECT_EQ(scripted.closes, 1);  // closed once only
}

TEST_F(InputDevicesTest, OpenReportsTheDeviceThatFailed) {
  scripted.failMouse = true;
  EXPECT_EQ(devices->Open(), platform::InputOpenResult::MouseFailed);
  scripted.failMouse = false;
  scripted.failJoysticks = true;
  EXPECT_EQ(devices->Open(), platform::InputOpenResult::JoysticksFailed);
}

}  // namespace

namespace {

std::intptr_t IgnoreMessages(platform::WindowHandle window, platform::MessageId id, std::uintptr_t wParam,
                             std::intptr_t lParam) {
  return platform::DefaultWindowProcedure(window, id, wParam, lParam);
}

void DrainMessages() {
  platform::Message message;
  while (platform::PeekMessage(message)) platform::DispatchMessage(message);
}

// The window's event pump delivers focus changes and wheel turns to the devices.
TEST_F(InputDevicesTest, FocusAndWheelArriveThroughTheWindowsEventPump) {
  platform::WindowHandle window = platform::CreateMainWindow("input", 800, 600, false, IgnoreMessages);
  if (window == nullptr) GTEST_SKIP() << "no window system";
  ASSERT_EQ(devices->Open(), platform::InputOpenResult::Ok);

  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  wheel.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  SDL_PushEvent(&wheel);
  DrainMessages();
  platform::MouseState mouse;
  ASSERT_TRUE(devices->PollMouse(mouse));
  EXPECT_EQ(mouse.lZ, 240);

  platform::SimulateActivation(window, false);
  DrainMessages();
  EXPECT_FALSE(platform::IsInputWindowActive());
  EXPECT_FALSE(devices->PollMouse(mouse));

  platform::SimulateActivation(window, true);
  DrainMessages();
  EXPECT_TRUE(devices->PollMouse(mouse));
  devices->Close();
  platform::DestroyWindow(window);
}

}  // namespace
