#include "game/story/adv_scene.h"

#include "engine/api/novel_engine.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/effects/effecter_fade.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "game/shell/shell_objects.h"
#include "game/story/place_block.h"
#include "game/story/story_section.h"

namespace nsVesk::nsADV {

bool g_BackFromOption = false;
bool g_OptionFadeRunning = false;

cADVScene::cADVScene() {
  if (nsCore::TakeRestoredScene(nsCore::kSceneStory)) {
    SetUp();
  } else {
    Reset();
  }
}

void cADVScene::SetUp() {
  g_BackFromOption = false;
  g_OptionFadeRunning = false;
  nsEffect::g_OptionFadeIn.SetColorAndTime(
      0, static_cast<std::uint32_t>(GetParamInt("Data/Common.ini", "Common", "TimeFadein", 0)));
  m_IniPath = ADVIniOf(g_SelectChara, g_SelectEnemy, g_Round);
}

void cADVScene::Reset() {
  SetUp();
  StartStorySection(m_IniPath, "ADV");
}

void cADVScene::Update() {
  if (g_BackFromOption) {
    g_BackFromOption = false;
    g_OptionFadeRunning = true;
    nsEffect::g_OptionFadeIn.Start();
  }
  if (g_NovelPlayer != nullptr) g_NovelPlayer->Run();
}

void cADVScene::CheckNextScene() {
  if (g_OptionFadeRunning && !nsEffect::g_OptionFadeIn.IsRunning()) g_OptionFadeRunning = false;
  if (g_NovelPlayer != nullptr && g_NovelPlayer->GetState() == nsTamskLib::nsCore::kStateSuspended) {
    g_SceneManager.ChangeScene(nsCore::kSceneBattle);
  }
}

}  // namespace nsVesk::nsADV
