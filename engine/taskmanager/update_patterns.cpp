// The task manager's frame: the update pass runs the running update pattern (a
// plug-in's, or the built-in pattern 0 that shows the current page), and the three
// effect passes run the running screen effect's function for their stage.

#include "engine/api/plugin_api.h"
#include "engine/api/task_manager.h"
#include "engine/plugin/plugin_registry.h"
#include "engine/taskmanager/task_manager.h"

namespace nsTamskLib::nsTaskManager {

void TaskManager::Update() {
  if (const UpdateFunc pattern = nsPlugin::FindUpdateFunc(m_UpdateData.Type)) {
    (void)pattern(m_Engine);
    return;
  }
  if (m_UpdateData.Type == 0) {
    DrawCurrentPage();
    return;
  }
  RuntimeError(Owner(), "不正な更新パターンです！（m_UpdateData.Type=%d）",
               static_cast<int>(m_UpdateData.Type));
}

// Pattern 0: the task list is the current page, through the same accessor the
// plug-in's patterns use. The sprite and button lists hold at most kMaxPointerList
// entries each, the first ones in name order.
void TaskManager::DrawCurrentPage() {
  SetTMAccessor(m_Engine);
  ITMAccessor& accessor = *GetTMAccessor();
  accessor.ClearTaskList();
  const std::uint32_t page = accessor.GetPage();
  accessor.UpdateCharaPositions();
  accessor.PushTaskList(accessor.GetBGLayer()[page]);
  accessor.PushTaskList(accessor.GetLChLayer()[page]);
  accessor.PushTaskList(accessor.GetCChLayer()[page]);
  accessor.PushTaskList(accessor.GetRChLayer()[page]);

  std::uint32_t count = 0;
  Sprite* sprites[kMaxPointerList];
  accessor.GetSpriteList(&count, sprites);
  for (std::uint32_t i = 0; i < count; ++i) accessor.PushTaskList(sprites[i]->Task[page]);

  Button* buttons[kMaxPointerList];
  accessor.GetButtonList(&count, buttons);
  for (std::uint32_t i = 0; i < count; ++i) accessor.PushTaskList(buttons[i]->Task[page]);

  accessor.SortTaskList();
}

void TaskManager::EffectBeforeDraw() {
  if (m_EffectData.Type == 0) return;
  const UpdateFunc effect = nsPlugin::FindEffect1Func(m_EffectData.Type);
  if (effect == nullptr) {
    RuntimeError(Owner(), "不正な効果パターンです！（各種描画前）（m_EffectData.Type=%d）",
                 static_cast<int>(m_EffectData.Type));
  }
  (void)effect(m_Engine);
}

void TaskManager::EffectAfterDraw() {
  if (m_EffectData.Type == 0) return;
  const UpdateFunc effect = nsPlugin::FindEffect2Func(m_EffectData.Type);
  if (effect == nullptr) {
    RuntimeError(Owner(),
                 "不正な効果パターンです！（各種描画後（テキストウインドウ描画前））（m_EffectData.Type=%d）",
                 static_cast<int>(m_EffectData.Type));
  }
  (void)effect(m_Engine);
}

void TaskManager::EffectAfterTextWindow() {
  if (m_EffectData.Type == 0) return;
  const UpdateFunc effect = nsPlugin::FindEffect3Func(m_EffectData.Type);
  if (effect == nullptr) {
    RuntimeError(Owner(),
                 "不正な効果パターンです！（各種描画後（テキストウインドウ描画後））（m_EffectData.Type=%d）",
                 static_cast<int>(m_EffectData.Type));
  }
  (void)effect(m_Engine);
}

}  // namespace nsTamskLib::nsTaskManager
