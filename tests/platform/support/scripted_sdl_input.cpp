#include "tests/platform/support/scripted_sdl_input.h"

namespace vesk_test {

bool ScriptedSdlInput::IsScancodeDown(int scancode) {
  if (scancode == 0) ++keyboardReads;
  return scancode >= 0 && static_cast<std::size_t>(scancode) < keys.size() &&
         keys[static_cast<std::size_t>(scancode)];
}

std::uint32_t ScriptedSdlInput::WindowButtons() {
  ++mouseReads;
  return buttonMask;
}

bool ScriptedSdlInput::WindowMouse(int& x, int& y) {
  if (!hasWindow || mouseX < window.x || mouseY < window.y || mouseX >= window.x + window.width ||
      mouseY >= window.y + window.height) {
    return false;
  }
  x = mouseX - window.x;
  y = mouseY - window.y;
  return true;
}

void ScriptedSdlInput::GlobalMouse(int& x, int& y) {
  x = mouseX;
  y = mouseY;
}

bool ScriptedSdlInput::Window(platform::WindowPlacement& placement) {
  if (!hasWindow) return false;
  placement = window;
  return true;
}

std::int16_t ScriptedSdlInput::JoystickAxis(int joystick, int axis) {
  Joystick& j = joysticks.at(static_cast<std::size_t>(joystick));
  if (axis == 0) ++j.polls;
  return j.axes.at(static_cast<std::size_t>(axis));
}

bool ScriptedSdlInput::JoystickButton(int joystick, int button) {
  return joysticks.at(static_cast<std::size_t>(joystick)).buttons.at(static_cast<std::size_t>(button));
}

}  // namespace vesk_test
