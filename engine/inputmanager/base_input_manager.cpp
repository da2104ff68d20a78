#include "engine/inputmanager/base_input_manager.h"

namespace nsTamskLib::nsInputManager {

bool BaseInputManager::IsBackLogCall() {
  int wheel = 0;
  return GetWheel(wheel) > 0;
}

bool BaseInputManager::IsBackLogScrollUp() {
  int wheel = 0;
  return GetWheel(wheel) > 0;
}

bool BaseInputManager::IsBackLogScrollDown() {
  int wheel = 0;
  return GetWheel(wheel) < 0;
}

void BaseInputManager::UpdateClickLock() {
  if (m_ClickLock > 0) --m_ClickLock;
}

}  // namespace nsTamskLib::nsInputManager
