#pragma once
// What the input devices read from SDL, in SDL's own terms (scan codes, button
// masks, screen coordinates, raw joystick axes), behind an interface so that a
// test can script it: ScriptedSdlInput stands in for the keyboard, the mouse,
// the window's place on the screen and the joysticks. Mouse presses also arrive
// as SDL events through the window's event pump (see input_devices.h).

#include <array>
#include <cstdint>
#include <vector>

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
  // A point relative to the client area in the 800x600 frame, which is scaled
  // to fit the client area and centred in it (letterboxed), as it is shown.
  virtual CursorPoint ClientToFrame(int x, int y, const WindowPlacement& window);
  virtual int JoystickCount() = 0;
  virtual std::int16_t JoystickAxis(int joystick, int axis) = 0;
  virtual bool JoystickButton(int joystick, int button) = 0;
};

// Scripted state for tests. Everything starts released, centred and closed; the
// window sits at (0, 0) with the frame's size.
class ScriptedSdlInput final : public SdlInputState {
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
  bool Window(WindowPlacement& placement) override;
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
  WindowPlacement window{0, 0, 800, 600, 1};
  std::vector<Joystick> joysticks;
  bool failKeyboard = false;
  bool failMouse = false;
  bool failJoysticks = false;
  int keyboardReads = 0;
  int mouseReads = 0;
  int closes = 0;
};

// Installs scripted state in place of SDL for the input devices created from now
// on (not owned); null restores SDL.
void SetSdlInputStateForTest(SdlInputState* state);

}  // namespace platform
