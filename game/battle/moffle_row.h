#pragma once
// A row of Moffles: looping animations that march in from one edge of the screen
// and queue behind a front that moves with the enemy's life. The enemy's row comes
// in from the right, the player's from the left; each Moffle that joins the row
// plays one of the side's Moffle sounds, picked at random.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/battle/battle_random.h"
#include "game/effects/effecter_animation.h"

namespace nsVesk::nsGame::nsMine {

struct MofflePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

class cMoffleRow {
 public:
  static constexpr int kFrameTime = 32;  // ms per frame of a Moffle's animation
  static constexpr int kY = 65;          // every Moffle stands on this line
  static constexpr int kSpacing = 65;    // between neighbours in the queue
  static constexpr int kWalk = 10;       // pixels per frame
  static constexpr int kScreenWidth = 800;
  // Far more than the screen can show (about 13 places): a larger count in the
  // data is taken as this many, so absurd data cannot exhaust the memory.
  static constexpr std::size_t kMaxMoffles = 4096;
  // Far more Moffle sounds than any character's INI lists; more are refused.
  static constexpr std::int32_t kMaxSounds = 256;

  // Which way the row walks: the enemy's toward the left, the player's toward the right.
  enum class Side { Enemy, Player };

  // New Moffles are copies of a template that draws from the table (not owned).
  cMoffleRow(cImageTable* images, Side side);

  // The template's animation file.
  void LoadEffect(const std::string& file) { m_MoffleEffect.Load(file); }
  // The Moffle sounds, in the order of the INI.
  void ClearSounds() { m_MoffleSE.clear(); }
  void AddSound(const std::string& file) { m_MoffleSE.push_back(file); }
  const std::vector<std::string>& GetSounds() const { return m_MoffleSE; }
  // The generator that picks a Moffle's sound (the battle's own by default).
  void SetRandom(IBattleRandom& random) { m_Random = &random; }

  // Brings the row to `count` Moffles (a negative count is none): new ones join at
  // the entry point, started, each with a sound; surplus ones leave from the end
  // (at most kMaxMoffles).
  // Then every Moffle walks one step toward the front, no further than its place
  // in the queue (percent = the enemy's life in percent of its maximum), and is
  // drawn; an animation that has ended starts again.
  void Update(int count, int percent);

  std::size_t Size() const { return m_Moffles.size(); }
  const std::vector<MofflePoint>& GetPositions() const { return m_MofflePositions; }
  const std::vector<nsEffect::cEffecterAnimation>& GetMoffles() const { return m_Moffles; }

 private:
  void Join();
  int EntryX() const;
  // Where Moffle i may walk to at most.
  std::int64_t Limit(std::size_t i, int percent) const;

  Side m_Side;
  std::vector<nsEffect::cEffecterAnimation> m_Moffles;
  std::vector<MofflePoint> m_MofflePositions;
  nsEffect::cEffecterAnimation m_MoffleEffect;
  std::vector<std::string> m_MoffleSE;
  IBattleRandom* m_Random;
};

}  // namespace nsVesk::nsGame::nsMine
