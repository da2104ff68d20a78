#pragma once
// The story scene (scene id 4): plays the story section of the chosen character,
// stage and round. Its reset sets up the text window from the round's story file
// ([ADV] section) and jumps to the section's label; every frame runs the script
// player, whose normal scene draws. When the script suspends itself the battle
// follows. Coming back from the option scene, the story fades in first. A story
// that a loaded slot restored goes on at the loaded script position.

#include <cstdint>
#include <string>

#include "framework/scene/scene.h"
#include "game/core/scene_ids.h"

namespace nsVesk::nsADV {

// Set when the option scene is pushed over the story; the story starts its fade-in
// (the program-wide g_OptionFadeIn) when it runs again, and g_OptionFadeRunning is
// true while that fade runs.
extern bool g_BackFromOption;
extern bool g_OptionFadeRunning;

class cADVScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  cADVScene();
  ~cADVScene() override = default;

  void Release() override { delete this; }
  void Reset() override;
  void PreUpdate() override {}
  void Update() override;
  void Draw(bool) override {}
  void CheckNextScene() override;
  std::int32_t GetStatus() override { return nsCore::kSceneStory; }

  const std::string& GetIniPath() const { return m_IniPath; }

 private:
  // The fade and the round's story file, without starting its section.
  void SetUp();

  std::string m_IniPath;
};

}  // namespace nsVesk::nsADV
