#pragma once
// The input devices as the game reads them: the keyboard as 256 key bytes indexed
// by the classic PC scan codes (the high bit set while the key is down), the
// mouse with 8 buttons and the wheel turned since the last poll (120 per notch,
// positive away from the user), the cursor in the 800x600 frame of the window's
// client area, and up to 16 joysticks with two axes in -1000..1000 and 32 buttons.
//
// Devices are read only while the window is active: polls fail while it is not,
// and the caller keeps the state it read last. The window's event pump reports
// focus changes and wheel turns here, and the mouse button events: only presses
// that the game's window receives with the pointer in its client area count, and
// a press released before the next poll still reads as down at that poll.

#include <array>
#include <cstdint>
#include <memory>

namespace platform {

inline constexpr std::uint32_t kMaxJoysticks = 16;
inline constexpr std::int32_t kWheelDelta = 120;
inline constexpr std::int32_t kJoystickAxisMax = 1000;

using KeyboardState = std::array<std::uint8_t, 256>;

struct MouseState {
  std::int32_t lZ = 0;                       // wheel turned since the last poll
  std::array<std::uint8_t, 8> rgbButtons{};  // high bit set while down
};

struct JoystickState {
  std::int32_t lX = 0;  // -1000 (left) .. 1000 (right)
  std::int32_t lY = 0;  // -1000 (up) .. 1000 (down)
  std::array<std::uint8_t, 32> rgbButtons{};  // high bit set while down
};

struct CursorPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Which device could not be opened.
enum class InputOpenResult { Ok, KeyboardFailed, MouseFailed, JoysticksFailed };

class InputDevices {
 public:
  virtual ~InputDevices() = default;
  // Opens the keyboard, the mouse and every attached joystick.
  virtual InputOpenResult Open() = 0;
  virtual bool PollKeyboard(KeyboardState& state) = 0;
  // Takes the wheel movement summed since the previous successful poll.
  virtual bool PollMouse(MouseState& state) = 0;
  // The cursor relative to the client area's top-left, in the 800x600 frame (also
  // when full screen scales and letterboxes it); not clamped to the frame.
  virtual CursorPoint CursorPos() = 0;
  virtual std::uint32_t JoystickCount() const = 0;
  virtual bool PollJoystick(std::uint32_t index, JoystickState& state) = 0;
  virtual void Close() = 0;
};

// The input devices of the system (or the scripted ones a test installed).
std::unique_ptr<InputDevices> CreateInputDevices();

// Called by the window's event pump.
void NotifyInputFocus(bool active);
void NotifyMouseWheel(std::int32_t notches, bool flipped);
// Whether the window is active as far as input is concerned (it is when created).
bool IsInputWindowActive();

}  // namespace platform
