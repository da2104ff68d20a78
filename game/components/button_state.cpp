#include "game/components/button_state.h"

#include "engine/api/sound_manager.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsComponent {

bool IsInside(const nsZarn::nsGraphics::Rect& rect, int x, int y) {
  return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}

ButtonLook CurrentLook(bool disabled, const nsZarn::nsGraphics::Rect& rect) {
  if (disabled) return ButtonLook::Disabled;
  int x = 0;
  int y = 0;
  g_InputManager.GetMousePos(x, y);
  if (!IsInside(rect, x, y)) return ButtonLook::Normal;
  return g_InputManager.IsLeftDown() ? ButtonLook::Pressed : ButtonLook::OnCursor;
}

void PlayButtonSound(const std::string& name) {
  if (name.empty() || g_NovelPlayer == nullptr) return;
  if (auto* sound = g_NovelPlayer->GetSoundManager()) sound->PlaySE(name.c_str());
}

void ButtonInput::FollowCursor(const nsZarn::nsGraphics::Rect& rect, const std::string& cursorSE) {
  int x = 0;
  int y = 0;
  g_InputManager.GetMousePos(x, y);
  const bool inside = IsInside(rect, x, y);
  if (onCursor != 0) {
    onCursor = inside ? 1 : 0;
  } else if (inside) {
    PlayButtonSound(cursorSE);
    onCursor = 1;
  }
}

bool ButtonInput::ReleaseClick(const std::string& clickSE) {
  if (pressed != 0) {
    pressed = (onCursor != 0 && g_InputManager.IsLeftDown()) ? 1 : 0;
    return onCursor != 0 && g_InputManager.IsLeftReleased();
  }
  if (onCursor != 0 && g_InputManager.IsLeftPushed()) {
    PlayButtonSound(clickSE);
    pressed = 1;
  }
  return false;
}

}  // namespace nsVesk::nsComponent
