#include "engine/scene/placeholder_scene.h"

#include "engine/core/novel_player.h"

namespace nsTamskLib::nsScene {

void PlaceholderScene::Update() {
  auto* player = dynamic_cast<nsCore::NovelPlayer*>(m_Engine);
  if (player != nullptr && player->GetState() == m_State) player->PopState();
}

}  // namespace nsTamskLib::nsScene
