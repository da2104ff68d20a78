#include "framework/input/zarn_input.h"

#include "platform/debug/debug_sink.h"
#include "platform/message_box/message_box.h"

namespace nsZarn::nsInput {

ZarnInput::ZarnInput()
    : m_MainWindow(nullptr),
      m_Keys{},
      m_MouseX(0),
      m_MouseY(0),
      m_MouseZ(0),
      m_MouseButtons{},
      m_JoystickCount(0),
      m_DeadZoneX(0),
      m_DeadZoneY(0) {}

ZarnInput::~ZarnInput() { Shutdown(); }

void ZarnInput::Shutdown() {
  if (m_Devices) m_Devices->Close();
  m_Devices.reset();
  m_JoystickStates.clear();
  m_JoystickCount = 0;
}

bool ZarnInput::Init(void* /*instance*/, platform::WindowHandle mainWindow) {
  Shutdown();
  m_MainWindow = mainWindow;
  m_Devices = platform::CreateInputDevices();
  switch (m_Devices->Open()) {
    case platform::InputOpenResult::Ok:
      break;
    case platform::InputOpenResult::KeyboardFailed:
      platform::WriteDebugLine("Failed : ZarnInput::Init CreateDevice Keyboard\n");
      return false;
    case platform::InputOpenResult::MouseFailed:
      platform::WriteDebugLine("Failed : ZarnInput::Init CreateDevice Mouse\n");
      return false;
    case platform::InputOpenResult::JoysticksFailed:
      platform::WriteDebugLine("Failed : ZarnInput::Init EnumDevices Joystick\n");
      return false;
  }
  m_JoystickCount = m_Devices->JoystickCount();
  m_JoystickStates.assign(m_JoystickCount, JoystickRecord{});
  return true;
}

void ZarnInput::Update(bool /*screen*/) {
  if (!m_Devices) return;

  // A failed poll (the window is inactive) leaves the previous state in place.
  platform::KeyboardState keys{};
  if (m_Devices->PollKeyboard(keys)) {
    for (std::size_t i = 0; i < m_Keys.size(); ++i) m_Keys[i] = static_cast<std::uint8_t>(keys[i] >> 7);
  }

  platform::MouseState mouse;
  if (m_Devices->PollMouse(mouse)) {
    const platform::CursorPoint cursor = m_Devices->CursorPos();
    m_MouseX = cursor.x;
    m_MouseY = cursor.y;
    m_MouseZ = mouse.lZ;
    for (std::size_t i = 0; i < m_MouseButtons.size(); ++i) {
      m_MouseButtons[i] = static_cast<std::uint8_t>(mouse.rgbButtons[i] >> 7);
    }
  } else {
    // The wheel is a movement, not a state: repeating the last poll's turn every
    // frame would replay it (scrolling on and on while the window is inactive).
    m_MouseZ = 0;
  }

  for (std::uint32_t i = 0; i < m_JoystickCount; ++i) {
    platform::JoystickState joystick;
    if (!m_Devices->PollJoystick(i, joystick)) continue;
    JoystickRecord& record = m_JoystickStates[i];
    record = JoystickRecord{};
    record.x = ApplyDeadZone(joystick.lX, m_DeadZoneX);
    record.y = ApplyDeadZone(joystick.lY, m_DeadZoneY);
    record.up = static_cast<std::uint8_t>(record.y < 0);
    record.down = static_cast<std::uint8_t>(record.y > 0);
    record.left = static_cast<std::uint8_t>(record.x < 0);
    record.right = static_cast<std::uint8_t>(record.x > 0);
    for (std::size_t b = 0; b < record.buttons.size(); ++b) {
      record.buttons[b] = static_cast<std::uint8_t>(joystick.rgbButtons[b] >> 7);
    }
  }
}

std::int32_t ZarnInput::ApplyDeadZone(std::int32_t value, std::int32_t deadZone) const {
  const std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
  const std::int64_t zone = deadZone < 0 ? -static_cast<std::int64_t>(deadZone) : deadZone;
  return magnitude < zone ? 0 : value;
}

std::uint8_t ZarnInput::GetKey(std::uint8_t scanCode) const { return m_Keys[scanCode]; }

void ZarnInput::GetMousePos(Point& out) const {
  out.x = m_MouseX;
  out.y = m_MouseY;
}

std::int32_t ZarnInput::GetMouseZ() const { return m_MouseZ; }

std::uint8_t ZarnInput::GetMouseButton(std::uint8_t index) const {
  return index < m_MouseButtons.size() ? m_MouseButtons[index] : 0;
}

std::uint32_t ZarnInput::GetJoystickCount() const { return m_JoystickCount; }

const JoystickRecord* ZarnInput::GetJoystickState(std::uint32_t index) const {
  return index < m_JoystickStates.size() ? &m_JoystickStates[index] : nullptr;
}

void ZarnInput::SetDeadZone(std::int32_t x, std::int32_t y) {
  m_DeadZoneX = x;
  m_DeadZoneY = y;
}

bool InitInputForEntry(ZarnInput& input, void* instance, platform::WindowHandle mainWindow) {
  if (input.Init(instance, mainWindow)) return true;
  platform::ShowMessageBox("エラー！", "DirectInputの初期化に失敗しました！", platform::MessageBoxButtons::Ok,
                           platform::MessageBoxIcon::Exclamation);
  platform::WriteDebugLine("Failed : ZarnInput::Init\n");
  platform::DestroyWindow(mainWindow);
  return false;
}

}  // namespace nsZarn::nsInput
