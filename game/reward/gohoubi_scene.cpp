#include "game/reward/gohoubi_scene.h"

#include "engine/api/novel_engine.h"
#include "game/core/program_objects.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "game/shell/shell_objects.h"
#include "game/story/place_block.h"
#include "game/story/story_section.h"

namespace nsVesk::nsGohoubi {

cGohoubiScene::cGohoubiScene() {
  if (nsCore::TakeRestoredScene(nsCore::kSceneReward)) {
    m_IniPath = GohoubiIniOf(g_SelectChara, g_SelectEnemy);
  } else {
    Reset();
  }
}

void cGohoubiScene::Reset() {
  m_IniPath = GohoubiIniOf(g_SelectChara, g_SelectEnemy);
  nsADV::StartStorySection(m_IniPath, "Gohoubi");
}

void cGohoubiScene::Update() {
  if (g_NovelPlayer != nullptr) g_NovelPlayer->Run();
}

void cGohoubiScene::CheckNextScene() {
  if (g_NovelPlayer != nullptr && g_NovelPlayer->GetState() == nsTamskLib::nsCore::kStateSuspended) {
    g_SceneManager.PopScene();
  }
}

}  // namespace nsVesk::nsGohoubi
