#pragma once
// The game's scene factory: one scene class per scene id (game/core/scene_ids.h).
// The scenes ask the scene manager for changes themselves. Any other id, and an id
// whose scene the program does not contain, gives the framework's empty scene.

#include "framework/scene/scene.h"
#include "game/core/scene_ids.h"

namespace nsVesk::nsCore {

class cSceneFactory : public nsZarn::nsFramework::nsScene::ISceneFactory {
 public:
  cSceneFactory() = default;
  ~cSceneFactory() override = default;
  void Release() override { delete this; }
  // A new scene for the id; never null while memory lasts.
  nsZarn::nsFramework::nsScene::IScene* CreateScene(int id) override;
};

}  // namespace nsVesk::nsCore
