#pragma once
// The reward scene (scene id 6): the reward story of the chosen character and
// stage, played after its last round has been won. Like the story scene it sets up
// the text window from its story file ([Gohoubi] section) and jumps to the start
// label, then runs the script player each frame; when the script suspends itself
// the scene pops, back to the title underneath. A reward that a loaded slot
// restored goes on at the loaded script position.

#include <cstdint>
#include <string>

#include "framework/scene/scene.h"
#include "game/core/scene_ids.h"

namespace nsVesk::nsGohoubi {

class cGohoubiScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  cGohoubiScene();
  ~cGohoubiScene() override = default;

  void Release() override { delete this; }
  void Reset() override;
  void PreUpdate() override {}
  void Update() override;
  void Draw(bool) override {}
  void CheckNextScene() override;
  std::int32_t GetStatus() override { return nsCore::kSceneReward; }

  const std::string& GetIniPath() const { return m_IniPath; }

 private:
  std::string m_IniPath;
};

}  // namespace nsVesk::nsGohoubi
