#pragma once
// What the input devices read from SDL, in SDL's own terms (scan codes, button
// masks, screen coordinates, raw joystick axes), behind an interface so that a
// test can script the keyboard, the mouse, the window's place on the screen and
// the joysticks. Mouse presses also arrive as SDL events through the window's
// event pump (see input_devices.h).

#include <cstdint>

#include "platform/input/input_devices.h"

namespace platform {

struct WindowPlacement {
  int x = 0;  // client area's top-left on the screen
  int y = 0;
  int width = 0;  // client area's size
  int height = 0;
  std::uint32_t id = 0;  // SDL's window id, which mouse events name
};

class SdlInputState {
 public:
  virtual ~SdlInputState() = default;
  virtual bool OpenKeyboard() = 0;
  virtual bool OpenMouse() = 0;
  // Opens the joystick subsystem and every attached joystick; false on failure.
  virtual bool OpenJoysticks() = 0;
  virtual void CloseAll() = 0;

  // Down flag of an SDL scan code (SDL_Scancode value).
  virtual bool IsScancodeDown(int scancode) = 0;
  // SDL_BUTTON() mask of the buttons the window itself saw go down and not yet up.
  virtual std::uint32_t WindowButtons() = 0;
  // The pointer relative to the client area while it is over the window; false
  // while it is elsewhere on the desktop.
  virtual bool WindowMouse(int& x, int& y) = 0;
  // The pointer on the screen (for a cursor outside the window).
  virtual void GlobalMouse(int& x, int& y) = 0;
  // The window the frame is shown in; false when there is none.
  virtual bool Window(WindowPlacement& placement) = 0;
  virtual int JoystickCount() = 0;
  virtual std::int16_t JoystickAxis(int joystick, int axis) = 0;
  virtual bool JoystickButton(int joystick, int button) = 0;
};

// Installs a test's state in place of SDL for the input devices created from now
// on (not owned); null restores SDL.
void SetSdlInputStateForTest(SdlInputState* state);

}  // namespace platform
