#pragma once
// Input scripted in the platform's own terms, for the tests of the framework and
// the game: keys by their PC scan codes, mouse buttons by the game's numbers
// (0 left, 1 right, 2 middle, 3 and 4 the side buttons), the cursor in the
// 800x600 frame. While installed it stands in for SDL under the real input
// devices, so focus, the wheel and the latching of presses behave as they do in
// the game. Joysticks, the failures to open and the read counts are those of
// ScriptedSdlInput.

#include <array>
#include <cstdint>

#include "platform/input/input_devices.h"
#include "tests/platform/support/scripted_sdl_input.h"

namespace vesk_test {

class ScriptedInput final : public ScriptedSdlInput {
 public:
  // Installs itself for the input devices created from now on, and uninstalls
  // itself when destroyed.
  ScriptedInput();
  ScriptedInput(const ScriptedInput&) = delete;
  ScriptedInput& operator=(const ScriptedInput&) = delete;
  ~ScriptedInput() override;

  void Press(std::uint8_t pcScanCode) { pcKeys[pcScanCode] = true; }
  void Release(std::uint8_t pcScanCode) { pcKeys[pcScanCode] = false; }

  std::array<bool, 256> pcKeys{};  // held, by PC scan code
  std::array<bool, 8> buttons{};   // held, by the game's number
  platform::CursorPoint cursor;    // in the frame; off the frame is off the window

  bool IsScancodeDown(int scancode) override;
  std::uint32_t WindowButtons() override;
  bool WindowMouse(int& x, int& y) override;
  void GlobalMouse(int& x, int& y) override;
};

}  // namespace vesk_test
