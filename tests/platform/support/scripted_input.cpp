#include "tests/platform/support/scripted_input.h"

#include <SDL_mouse.h>

#include "platform/input/scan_codes.h"

namespace vesk_test {

ScriptedInput::ScriptedInput() { platform::SetSdlInputStateForTest(this); }

ScriptedInput::~ScriptedInput() { platform::SetSdlInputStateForTest(nullptr); }

bool ScriptedInput::IsScancodeDown(int scancode) {
  if (scancode == 0) ++keyboardReads;
  const std::uint8_t pc = platform::PcScanCodeFromSdl(scancode);
  return pc != 0 && pcKeys[pc];
}

std::uint32_t ScriptedInput::WindowButtons() {
  ++mouseReads;
  std::uint32_t mask = 0;
  for (std::size_t i = 0; i < platform::kGameMouseButtons; ++i) {
    if (buttons[i]) mask |= SDL_BUTTON(platform::SdlMouseButton(i));
  }
  return mask;
}

// The window keeps its place at the screen's origin with the frame's size, so a
// point of the frame is the same point of the window and of the screen.
bool ScriptedInput::WindowMouse(int& x, int& y) {
  if (cursor.x < 0 || cursor.y < 0 || cursor.x >= window.width || cursor.y >= window.height) return false;
  x = cursor.x;
  y = cursor.y;
  return true;
}

void ScriptedInput::GlobalMouse(int& x, int& y) {
  x = cursor.x;
  y = cursor.y;
}

}  // namespace vesk_test
