#pragma once
// What the battle uses of the script engine: its sound manager (effect sounds by
// file name) and its table of global variables (the high scores). The battle
// reaches them through the game's script player, or through an engine a test
// installs in its place.

#include <cstdint>
#include <string>

#include "engine/api/fwd.h"

namespace nsVesk::nsGame {

class IBattleEngine {
 public:
  virtual ~IBattleEngine() = default;
  // Either may be null (before the script player exists): sounds are then silent
  // and no variable is kept.
  virtual nsTamskLib::nsSoundManager::ISoundManager* GetSoundManager() = 0;
  virtual nsTamskLib::nsSimulatedHeap::ISingleHeap* GetGlobalHeap() = 0;
};

// The installed engine, else the game's script player.
IBattleEngine& TheBattleEngine();
// Installs an engine in place of the script player; null goes back to the player.
void InstallBattleEngine(IBattleEngine* engine);

// Plays an effect sound once from its start; an empty name is silence.
void PlayBattleSE(const std::string& file);
// Whether the named effect sound is playing now.
bool IsBattleSEPlaying(const std::string& file);

}  // namespace nsVesk::nsGame
