#include "game/battle/battle_engine.h"

#include "engine/api/sound_manager.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsGame {

namespace {

// The game's script player, while the entry has one.
class ScriptPlayerEngine final : public IBattleEngine {
 public:
  nsTamskLib::nsSoundManager::ISoundManager* GetSoundManager() override {
    return g_NovelPlayer != nullptr ? g_NovelPlayer->GetSoundManager() : nullptr;
  }
  nsTamskLib::nsSimulatedHeap::ISingleHeap* GetGlobalHeap() override {
    return g_NovelPlayer != nullptr ? g_NovelPlayer->GetGlobalHeap() : nullptr;
  }
};

ScriptPlayerEngine g_ScriptPlayerEngine;
IBattleEngine* g_InstalledEngine = nullptr;

}  // namespace

IBattleEngine& TheBattleEngine() {
  return g_InstalledEngine != nullptr ? *g_InstalledEngine : g_ScriptPlayerEngine;
}

void InstallBattleEngine(IBattleEngine* engine) { g_InstalledEngine = engine; }

void PlayBattleSE(const std::string& file) {
  if (file.empty()) return;
  if (auto* sound = TheBattleEngine().GetSoundManager()) sound->PlaySE(file.c_str());
}

bool IsBattleSEPlaying(const std::string& file) {
  auto* sound = TheBattleEngine().GetSoundManager();
  return sound != nullptr && sound->IsPlayingSE(file.c_str());
}

}  // namespace nsVesk::nsGame
