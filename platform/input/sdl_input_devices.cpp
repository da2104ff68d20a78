// The input devices over SDL: the keyboard state by scan code, the window's own
// mouse state and its button events, the window's place on the screen and the
// joysticks. All state is read through SdlInputState, which a test replaces with
// state of its own; the events come through the window's event pump.

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

#include "platform/graphics/letterbox.h"
#include "platform/input/input_devices.h"
#include "platform/input/scan_codes.h"
#include "platform/input/sdl_input_state.h"
#include "platform/window/sdl_window_access.h"

namespace platform {
namespace {

constexpr std::uint8_t kDown = 0x80;

std::atomic<bool> g_Active{true};  // a new window is active
std::atomic<std::int32_t> g_Wheel{0};
std::atomic<SdlInputState*> g_TestState{nullptr};

class RealSdlInput final : public SdlInputState {
 public:
  bool OpenKeyboard() override { return true; }
  bool OpenMouse() override { return true; }

  // A machine without a joystick subsystem simply has no joysticks; a joystick
  // that cannot be opened is not counted.
  bool OpenJoysticks() override {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) {
      if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return true;
      m_InitedJoysticks = true;
    }
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count && m_Joysticks.size() < kMaxJoysticks; ++i) {
      if (SDL_Joystick* joystick = SDL_JoystickOpen(i)) m_Joysticks.push_back(joystick);
    }
    return true;
  }

  void CloseAll() override {
    for (SDL_Joystick* joystick : m_Joysticks) SDL_JoystickClose(joystick);
    m_Joysticks.clear();
    if (m_InitedJoysticks) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    m_InitedJoysticks = false;
  }

  bool IsScancodeDown(int scancode) override {
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return keys != nullptr && scancode >= 0 && scancode < count && keys[scancode] != 0;
  }

  std::uint32_t WindowButtons() override { return SDL_GetMouseState(nullptr, nullptr); }

  bool WindowMouse(int& x, int& y) override {
    SDL_Window* window = CurrentSdlMainWindow();
    if (window == nullptr || SDL_GetMouseFocus() != window) return false;
    SDL_GetMouseState(&x, &y);
    return true;
  }

  void GlobalMouse(int& x, int& y) override { SDL_GetGlobalMouseState(&x, &y); }

  bool Window(WindowPlacement& placement) override {
    SDL_Window* window = CurrentSdlMainWindow();
    if (window == nullptr) return false;
    placement.id = SDL_GetWindowID(window);
    SDL_GetWindowPosition(window, &placement.x, &placement.y);
    SDL_GetWindowSize(window, &placement.width, &placement.height);
    return true;
  }

  int JoystickCount() override { return static_cast<int>(m_Joysticks.size()); }

  std::int16_t JoystickAxis(int joystick, int axis) override {
    return SDL_JoystickGetAxis(m_Joysticks[static_cast<std::size_t>(joystick)], axis);
  }

  bool JoystickButton(int joystick, int button) override {
    return SDL_JoystickGetButton(m_Joysticks[static_cast<std::size_t>(joystick)], button) != 0;
  }

 private:
  std::vector<SDL_Joystick*> m_Joysticks;
  bool m_InitedJoysticks = false;
};

std::int32_t ScaleAxis(std::int16_t raw) {
  std::int32_t v = static_cast<std::int32_t>(raw) * kJoystickAxisMax / 32767;
  if (v < -kJoystickAxisMax) v = -kJoystickAxisMax;
  if (v > kJoystickAxisMax) v = kJoystickAxisMax;
  return v;
}

// The window's event pump shows every SDL event here: the wheel turns and the
// main window's focus changes.
void ObserveEvent(const SDL_Event& event) {
  if (event.type == SDL_MOUSEWHEEL) {
    NotifyMouseWheel(event.wheel.y, event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED);
    return;
  }
  if (event.type != SDL_WINDOWEVENT) return;
  SDL_Window* main = CurrentSdlMainWindow();
  if (main == nullptr || SDL_GetWindowID(main) != event.window.windowID) return;
  if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) NotifyInputFocus(true);
  if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) NotifyInputFocus(false);
}

constexpr std::size_t kButtonCount = kGameMouseButtons;

// A point of the client area in the frame, as the frame is shown there.
CursorPoint ClientToFrame(int x, int y, const WindowPlacement& window) {
  CursorPoint point;
  OutputPointToFrame(window.width, window.height, x, y, point.x, point.y);
  return point;
}

class SdlInputDevices final : public InputDevices {
 public:
  explicit SdlInputDevices(SdlInputState* state) : m_State(state) {
    if (m_State == nullptr) {
      m_Owned = std::make_unique<RealSdlInput>();
      m_State = m_Owned.get();
    }
  }
  SdlInputDevices(const SdlInputDevices&) = delete;
  SdlInputDevices& operator=(const SdlInputDevices&) = delete;
  ~SdlInputDevices() override { Close(); }

  InputOpenResult Open() override {
    if (!m_Open) {
      m_ObserverId = AddSdlEventObserver([this](const SDL_Event& event) {
        ObserveEvent(event);
        ObserveButtons(event);
      });
    }
    m_Open = true;
    if (!m_State->OpenKeyboard()) return InputOpenResult::KeyboardFailed;
    if (!m_State->OpenMouse()) return InputOpenResult::MouseFailed;
    if (!m_State->OpenJoysticks()) return InputOpenResult::JoysticksFailed;
    const int count = m_State->JoystickCount();
    m_JoystickCount = count < 0 ? 0u : std::min(static_cast<std::uint32_t>(count), kMaxJoysticks);
    return InputOpenResult::Ok;
  }

  bool PollKeyboard(KeyboardState& state) override {
    if (!IsInputWindowActive()) return false;
    state.fill(0);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
      if (!m_State->IsScancodeDown(scancode)) continue;
      if (const std::uint8_t pc = PcScanCodeFromSdl(scancode); pc != 0) state[pc] = kDown;
    }
    return true;
  }

  bool PollMouse(MouseState& state) override {
    if (!IsInputWindowActive()) return false;
    // A button reads as down while the window holds it, and at the first poll
    // after a press even when it was released again before that poll (a tap).
    const std::uint32_t held = m_State->WindowButtons();
    state.rgbButtons.fill(0);
    for (std::size_t i = 0; i < kButtonCount; ++i) {
      const bool down = (held & SDL_BUTTON(SdlMouseButton(i))) != 0 && !m_Refused[i];
      if (down || m_Pressed[i]) state.rgbButtons[i] = kDown;
      m_Pressed[i] = false;
    }
    state.lZ = g_Wheel.exchange(0);
    return true;
  }

  // The window's own pointer position while the pointer is over it; elsewhere
  // the desktop's, relative to the client area, so that it lies off the frame.
  CursorPoint CursorPos() override {
    WindowPlacement window;
    const bool hasWindow = m_State->Window(window);
    int x = 0;
    int y = 0;
    if (hasWindow && m_State->WindowMouse(x, y)) return ClientToFrame(x, y, window);
    m_State->GlobalMouse(x, y);
    if (!hasWindow) return {x, y};
    return ClientToFrame(x - window.x, y - window.y, window);
  }

  std::uint32_t JoystickCount() const override { return m_JoystickCount; }

  bool PollJoystick(std::uint32_t index, JoystickState& state) override {
    if (!IsInputWindowActive() || index >= m_JoystickCount) return false;
    const int joystick = static_cast<int>(index);
    state.lX = ScaleAxis(m_State->JoystickAxis(joystick, 0));
    state.lY = ScaleAxis(m_State->JoystickAxis(joystick, 1));
    for (std::size_t b = 0; b < state.rgbButtons.size(); ++b) {
      state.rgbButtons[b] = m_State->JoystickButton(joystick, static_cast<int>(b)) ? kDown : 0;
    }
    return true;
  }

  void Close() override {
    if (!m_Open) return;
    ForgetButtons();
    RemoveSdlEventObserver(m_ObserverId);
    m_State->CloseAll();
    m_JoystickCount = 0;
    m_Open = false;
  }

 private:
  // Latches the presses the game's window receives with the pointer in its client
  // area. A press anywhere else (the title bar, outside the client area, another
  // window) is no game click, and the window's state of that button is ignored
  // until the button is released.
  void ObserveButtons(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
      WindowPlacement window;
      if (m_State->Window(window) && window.id == event.window.windowID) ForgetButtons();
      return;
    }
    if (event.type != SDL_MOUSEBUTTONDOWN && event.type != SDL_MOUSEBUTTONUP) return;
    const std::size_t button = GameMouseButton(event.button.button);
    if (button == kButtonCount) return;
    if (event.type == SDL_MOUSEBUTTONUP) {
      m_Refused[button] = false;
      return;
    }
    WindowPlacement window;
    const bool inClientArea = m_State->Window(window) && window.id == event.button.windowID &&
                              event.button.x >= 0 && event.button.y >= 0 && event.button.x < window.width &&
                              event.button.y < window.height;
    if (inClientArea) m_Pressed[button] = true;
    m_Refused[button] = !inClientArea;
  }

  // Presses latched before the window lost the focus are not read after it.
  void ForgetButtons() {
    m_Pressed.fill(false);
    m_Refused.fill(false);
  }

  std::unique_ptr<RealSdlInput> m_Owned;
  SdlInputState* m_State;
  std::uint32_t m_JoystickCount = 0;
  bool m_Open = false;
  int m_ObserverId = 0;
  std::array<bool, kButtonCount> m_Pressed{};  // pressed since the last mouse poll
  std::array<bool, kButtonCount> m_Refused{};  // pressed outside the game's client area
};

}  // namespace

std::unique_ptr<InputDevices> CreateInputDevices() {
  return std::make_unique<SdlInputDevices>(g_TestState.load());
}

void SetSdlInputStateForTest(SdlInputState* state) { g_TestState = state; }

void NotifyInputFocus(bool active) {
  g_Active = active;
  g_Wheel = 0;  // turns made elsewhere are not this window's
}

void NotifyMouseWheel(std::int32_t notches, bool flipped) {
  if (!g_Active.load()) return;
  g_Wheel += (flipped ? -notches : notches) * kWheelDelta;
}

bool IsInputWindowActive() { return g_Active.load(); }

}  // namespace platform
