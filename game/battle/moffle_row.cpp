#include "game/battle/moffle_row.h"

#include <algorithm>
#include <limits>

#include "game/battle/battle_engine.h"

namespace nsVesk::nsGame::nsMine {

namespace {
// The enemy's Moffles enter just beyond the right edge, the player's at the left edge.
constexpr int kEnemyEntryX = 865;
constexpr int kPlayerEntryX = 0;
}  // namespace

cMoffleRow::cMoffleRow(cImageTable* images, Side side)
    : m_Side(side), m_MoffleEffect(images), m_Random(&TheBattleRandom()) {}

int cMoffleRow::EntryX() const { return m_Side == Side::Enemy ? kEnemyEntryX : kPlayerEntryX; }

void cMoffleRow::Join() {
  nsEffect::cEffecterAnimation moffle = m_MoffleEffect;
  moffle.SetFrameTime(kFrameTime);
  moffle.SetPosition(EntryX(), kY);
  moffle.Start();
  m_Moffles.push_back(moffle);
  m_MofflePositions.push_back(MofflePoint{EntryX(), kY});
  // Without sounds the Moffle joins in silence, and no number is drawn.
  if (!m_MoffleSE.empty()) PlayBattleSE(m_MoffleSE[m_Random->Next() % m_MoffleSE.size()]);
}

std::int64_t cMoffleRow::Limit(std::size_t i, int percent) const {
  const std::int64_t front = (100 - std::int64_t{percent}) * kScreenWidth / 100;
  const std::int64_t queue = (static_cast<std::int64_t>(i) + 1) * kSpacing;
  return m_Side == Side::Enemy ? front + queue : front - queue;
}

void cMoffleRow::Update(int count, int percent) {
  const std::size_t wanted = count > 0 ? std::min(static_cast<std::size_t>(count), kMaxMoffles) : 0;
  while (m_Moffles.size() < wanted) Join();
  while (m_Moffles.size() > wanted) {
    m_Moffles.pop_back();
    m_MofflePositions.pop_back();
  }
  for (std::size_t i = 0; i < m_Moffles.size(); ++i) {
    MofflePoint& at = m_MofflePositions[i];
    std::int64_t x = at.x;
    const std::int64_t limit = Limit(i, percent);
    if (m_Side == Side::Enemy) {
      x = std::max(x - kWalk, limit);
    } else {
      x = std::min(x + kWalk, limit);
    }
    at.x = static_cast<std::int32_t>(std::clamp<std::int64_t>(x, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
    nsEffect::cEffecterAnimation& moffle = m_Moffles[i];
    moffle.SetPosition(at.x, at.y);
    moffle.Update();
    if (!moffle.IsRunning()) moffle.Start();
  }
}

}  // namespace nsVesk::nsGame::nsMine
