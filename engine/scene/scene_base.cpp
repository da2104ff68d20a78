#include "engine/scene/scene_base.h"

#include "engine/api/plugin_api.h"
#include "engine/scene/scene_player.h"

namespace nsTamskLib::nsScene {

void IScene_Base::SetPlayer(IScenePlayer* player) {
  m_Player = player;
  SetEngine(player);
}

IScenePlayer& IScene_Base::Player() const {
  if (m_Player == nullptr) RuntimeError(nullptr, "シーンにプレイヤーが設定されていません！");
  return *m_Player;
}

}  // namespace nsTamskLib::nsScene
