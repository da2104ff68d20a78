#include "game/story/story_section.h"

#include "engine/api/draw_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/core/novel_player.h"
#include "game/core/param_access.h"
#include "game/shell/novel_player_fd.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsADV {
namespace {

// The update pattern of a running timed choice.
constexpr std::uint32_t kTimedChoicePattern = 28;

}  // namespace

void EndOpenChoice(nsTamskLib::nsScene::IScenePlayer& player) {
  player.GetDrawManager()->EndSelect();
  nsTamskLib::nsTaskManager::TaskManager& tasks = player.Tasks();
  if (tasks.GetUpdateType() == kTimedChoicePattern) {
    tasks.SetUpdateData(nsTamskLib::nsTaskManager::UpdateParam());
    tasks.ClearWork();
  }
}

void StartStorySection(const std::string& file, const char* section) {
  if (g_NovelPlayer == nullptr) return;
  g_NovelPlayer->Commands().ResetCommands();
  EndOpenChoice(*g_NovelPlayer);
  // The last section's effect (a shake, or the colour a fade-out holds over the
  // commands after it) does not cover the new section's pictures.
  g_NovelPlayer->Tasks().SetEffectData(nsTamskLib::nsTaskManager::EffectParam());
  g_NovelPlayer->SetState(nsTamskLib::nsCore::kStateNormal);
  auto* draw = g_NovelPlayer->GetDrawManager();
  const std::int32_t show = GetParamInt(file, section, "SetTextWindowShow", 0);
  if (show != 0) draw->SetTextWindowVisible(show > 0);
  if (GetParamInt(file, section, "SetTextWindow", 0) != 0) {
    const nsTamskLib::TRect source{GetParamInt(file, section, "SetTextWindowSrcRect_Left", 0),
                                   GetParamInt(file, section, "SetTextWindowSrcRect_Top", 0),
                                   GetParamInt(file, section, "SetTextWindowSrcRect_Right", 0),
                                   GetParamInt(file, section, "SetTextWindowSrcRect_Bottom", 0)};
    const std::string image = GetParamString(file, section, "SetTextWindowFileName", "");
    draw->SetTextWindow(image.c_str(), GetParamInt(file, section, "SetTextWindowX", 0),
                        GetParamInt(file, section, "SetTextWindowY", 0),
                        static_cast<std::uint8_t>(GetParamInt(file, section, "SetTextWindowA", 0)), source);
  }
  g_NovelPlayer->JumpToLabel(GetParamString(file, section, "StartLabel", "@start"));
}

}  // namespace nsVesk::nsADV
