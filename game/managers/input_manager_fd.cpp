#include "game/managers/input_manager_fd.h"

#include "framework/graphics/zarn_graphic.h"
#include "framework/input/zarn_input.h"
#include "game/core/program_objects.h"

namespace nsVesk::nsInputManager {

namespace {
constexpr std::uint8_t kLeftButton = 0;
constexpr std::uint8_t kRightButton = 1;
constexpr std::uint8_t kMiddleButton = 2;
}  // namespace

void InputManagerfD::GetMousePos(int& x, int& y) {
  x = m_MouseX;
  y = m_MouseY;
}

int InputManagerfD::GetWheel(int& wheel) {
  wheel = m_Wheel;
  return m_Wheel;
}

void InputManagerfD::Update() {
  g_Input.Update(g_Graphic.IsFullScreen());
  m_Index = 1 - m_Index;
  m_Left[m_Index] = g_Input.GetMouseButton(kLeftButton);
  m_Right[m_Index] = g_Input.GetMouseButton(kRightButton);
  m_Middle[m_Index] = g_Input.GetMouseButton(kMiddleButton);
  nsZarn::nsInput::Point cursor;
  g_Input.GetMousePos(cursor);
  m_MouseX = cursor.x;
  m_MouseY = cursor.y;
  m_Wheel = g_Input.GetMouseZ();
}

void InputManagerfD::ResetButtons() {
  m_Left = {};
  m_Right = {};
  m_Middle = {};
}

}  // namespace nsVesk::nsInputManager
