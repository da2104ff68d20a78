#pragma once
// The program-wide choice of the select scene, read by the story, battle and
// reward scenes: the chosen character and enemy (stage), and the round within the
// stage. The select scene sets them back to -1, -1 and 0 when it is built.

#include <cstdint>

namespace nsVesk {

extern std::int32_t g_SelectChara;
extern std::int32_t g_SelectEnemy;
extern std::int32_t g_Round;

}  // namespace nsVesk
