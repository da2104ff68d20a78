#pragma once
// The game shell's program-wide objects beside those of the entry: the game's
// script player (made and deleted by the entry; null before and after) and the
// input manager that the game's own scenes, buttons and the battle poll.

#include "game/managers/input_manager_fd.h"
#include "game/shell/novel_player_fd.h"

namespace nsVesk {

extern nsCore::NovelPlayerfD* g_NovelPlayer;
extern nsInputManager::InputManagerfD g_InputManager;

}  // namespace nsVesk
