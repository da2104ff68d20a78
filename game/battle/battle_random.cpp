#include "game/battle/battle_random.h"

namespace nsVesk::nsGame {

std::uint32_t BattleRandom::Next() {
  m_State = m_State * 214013u + 2531011u;
  return (m_State >> 16) & kMaxValue;
}

BattleRandom& TheBattleRandom() {
  static BattleRandom generator;
  return generator;
}

}  // namespace nsVesk::nsGame
