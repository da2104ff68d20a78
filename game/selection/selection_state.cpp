#include "game/selection/selection_state.h"

namespace nsVesk {

std::int32_t g_SelectChara = -1;
std::int32_t g_SelectEnemy = -1;
std::int32_t g_Round = 0;

}  // namespace nsVesk
