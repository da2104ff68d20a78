#include "game/shell/shell_objects.h"

namespace nsVesk {

nsCore::NovelPlayerfD* g_NovelPlayer = nullptr;
nsInputManager::InputManagerfD g_InputManager;

}  // namespace nsVesk
