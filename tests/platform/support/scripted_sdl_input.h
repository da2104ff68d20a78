#pragma once
// The input devices' view of SDL, scripted in SDL's own terms (scan codes, button
// masks, screen coordinates, raw joystick axes), for the tests of the platform's
// input module. Tests above the platform script input in its own terms instead
// (scripted_input.h).

#include <array>
#include <cstdint>
#include <vector>

#include "platform/input/sdl_input_state.h"

namespace vesk_test {

// Scripted state for tests. Everything starts released, centred and closed; the
// window sits at (0, 0) with the frame's size.
class ScriptedSdlInput : public platform::SdlInputState {
 public:
  struct Joystick {
    std::array<std::int16_t, 2> axes{};
    std::array<bool, 32> buttons{};
    int polls = 0;  // how often its state was read
  };

  bool OpenKeyboard() override { return !failKeyboard; }
  bool OpenMouse() override { return !failMouse; }
  bool OpenJoysticks() override { return !failJoysticks; }
  void CloseAll() override { ++closes; }

  bool IsScancodeDown(int scancode) override;
  std::uint32_t WindowButtons() override;
  bool WindowMouse(int& x, int& y) override;
  void GlobalMouse(int& x, int& y) override;
  bool Window(platform::WindowPlacement& placement) override;
  int JoystickCount() override { return static_cast<int>(joysticks.size()); }
  std::int16_t JoystickAxis(int joystick, int axis) override;
  bool JoystickButton(int joystick, int button) override;

  void Press(int scancode) { keys[static_cast<std::size_t>(scancode) % keys.size()] = true; }
  void Release(int scancode) { keys[static_cast<std::size_t>(scancode) % keys.size()] = false; }

  std::array<bool, 512> keys{};
  std::uint32_t buttonMask = 0;  // held in the window
  int mouseX = 0;  // on the screen; over the window when inside its placement
  int mouseY = 0;
  bool hasWindow = true;
  platform::WindowPlacement window{0, 0, 800, 600, 1};
  std::vector<Joystick> joysticks;
  bool failKeyboard = false;
  bool failMouse = false;
  bool failJoysticks = false;
  int keyboardReads = 0;
  int mouseReads = 0;
  int closes = 0;
};

}  // namespace vesk_test
