#pragma once
// The game's scene factory: one scene class per scene id. The scenes ask the scene
// manager for changes themselves; the ids are
//   0 logo, 1 title, 2 option, 3 select, 4 story, 5 battle, 6 reward.
// Any other id, and an id whose scene the program does not contain, gives the
// framework's empty scene.

#include <cstdint>

#include "framework/scene/scene.h"

namespace nsVesk::nsCore {

enum SceneId : std::int32_t {
  kSceneLogo = 0,
  kSceneTitle = 1,
  kSceneOption = 2,
  kSceneSelect = 3,
  kSceneStory = 4,
  kSceneBattle = 5,
  kSceneReward = 6,
};

class cSceneFactory : public nsZarn::nsFramework::nsScene::ISceneFactory {
 public:
  cSceneFactory() = default;
  ~cSceneFactory() override = default;
  void Release() override { delete this; }
  // A new scene for the id; never null while memory lasts.
  nsZarn::nsFramework::nsScene::IScene* CreateScene(int id) override;
};

}  // namespace nsVesk::nsCore
