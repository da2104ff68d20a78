#pragma once
// The ids of the game's scenes: what a scene reports as its status and what it asks
// the scene manager to change to.

#include <cstdint>

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

}  // namespace nsVesk::nsCore
