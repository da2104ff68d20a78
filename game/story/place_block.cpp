#include "game/story/place_block.h"

#include <cstddef>
#include <optional>
#include <utility>

#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"
#include "game/battle/battle_context.h"
#include "game/core/program_objects.h"
#include "game/core/scene_ids.h"
#include "game/select/select_scene.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsCore {
namespace {

using nsTamskLib::nsCore::INovelEngine;
using nsTamskLib::nsIOStream::IIOStream;

struct Place {
  std::int32_t chara;
  std::int32_t enemy;
  std::int32_t round;
  std::int32_t scene;
};

std::optional<Place> s_LoadedPlace;
std::int32_t s_RestoredScene = -1;

// A place the game can go on from: a round of a stage of a character the battle
// knows, in a round's story or a reward.
bool CanContinue(const Place& place) {
  if (place.scene != kSceneStory && place.scene != kSceneReward) return false;
  if (place.chara < 0 || place.chara >= nsSelect::kPlayableCharacters) return false;
  return place.round >= 0 && static_cast<std::size_t>(place.round) < RoundCountOf(place.chara, place.enemy);
}

void SavePlace(INovelEngine* /*engine*/, IIOStream* stream) {
  auto* top = g_SceneManager.GetTopScene();
  nsTamskLib::nsIOStream::WriteI32(*stream, g_SelectChara);
  nsTamskLib::nsIOStream::WriteI32(*stream, g_SelectEnemy);
  nsTamskLib::nsIOStream::WriteI32(*stream, g_Round);
  nsTamskLib::nsIOStream::WriteI32(*stream, top != nullptr ? top->GetStatus() : -1);
}

// The engine loading the slot is the game's own player.
void LoadPlace(INovelEngine* /*engine*/, IIOStream* stream) {
  // A braced list is read from left to right.
  const Place place{nsTamskLib::nsIOStream::ReadI32(*stream), nsTamskLib::nsIOStream::ReadI32(*stream),
                    nsTamskLib::nsIOStream::ReadI32(*stream), nsTamskLib::nsIOStream::ReadI32(*stream)};
  // A block cut short is refused by the engine with the rest of the slot.
  if (stream->HasReadFailed()) return;
  if (!CanContinue(place)) {
    if (g_NovelPlayer != nullptr) g_NovelPlayer->RefuseLoadedGame();
    return;
  }
  s_LoadedPlace = place;
}

}  // namespace

void RegisterPlaceBlock() {
  RegisterPSaveLocalDataFunc(kPlaceBlockName, SavePlace);
  RegisterPLoadLocalDataFunc(kPlaceBlockName, LoadPlace);
}

void ForgetLoadedPlace() { s_LoadedPlace.reset(); }

void RestoreLoadedPlace() {
  const std::optional<Place> place = std::exchange(s_LoadedPlace, std::nullopt);
  if (!place) return;
  g_SelectChara = place->chara;
  g_SelectEnemy = place->enemy;
  g_Round = place->round;
  // The current stage is left: a banner of its last round pays nothing to the restored one.
  nsGame::TheBattleContext().GetAllClear().Cancel();
  nsSelect::HandOffToBattle(g_SelectChara, g_SelectEnemy);
  s_RestoredScene = place->scene;
  g_SceneManager.ChangeScene(place->scene);
}

bool TakeRestoredScene(std::int32_t id) {
  if (s_RestoredScene != id) return false;
  s_RestoredScene = -1;
  return true;
}

}  // namespace nsVesk::nsCore
