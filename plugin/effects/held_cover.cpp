#include "plugin/effects/held_cover.h"

#include <climits>
#include <cstdint>

#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {
namespace {

// The effect record's parameter that holds the mark once the effect has ended
// (no effect reads parameters while its type is 0).
constexpr int kHeldParam = 9;
constexpr std::int32_t kHeldMark = 0x484C4443;  // "HLDC"

bool IsHeld(const nsTamskLib::nsTaskManager::EffectParam& effect) {
  return effect.Type == 0 && effect.Param[kHeldParam] == kHeldMark;
}

}  // namespace

void HoldCover(nsTamskLib::nsTaskManager::EffectParam& effect) {
  effect.Param[kHeldParam] = kHeldMark;
}

void PushHeldCover(INovelEngine* engine, ITMAccessor& tasks) {
  const nsTamskLib::nsTaskManager::EffectParam* effect = tasks.GetEffectData();
  if (effect == nullptr || !IsHeld(*effect)) return;
  IDrawManager* draw = engine->GetDrawManager();
  nsTamskLib::nsTaskManager::DrawTask cover;
  cover.Type = nsTamskLib::nsTaskManager::kDrawFilledRect;
  cover.Z = INT32_MAX;
  cover.SubOrder = UINT32_MAX;
  cover.Visible = true;
  cover.A = 255;
  cover.Rect = TRect{0, 0, draw->GetScreenWidth(), draw->GetScreenHeight()};
  cover.Color = effect->Color;
  tasks.PushTaskList(cover);
}

void ReleaseHeldCover(ITMAccessor& tasks) {
  nsTamskLib::nsTaskManager::EffectParam* effect = tasks.GetEffectData();
  if (effect != nullptr && IsHeld(*effect)) effect->Param[kHeldParam] = 0;
}

void ReleaseHeldCover(INovelEngine* engine) {
  nsTamskLib::nsTaskManager::ITaskManager* tasks = engine->GetTaskManager();
  if (tasks->GetEffectType() == 0) tasks->SetEffectData(nsTamskLib::nsTaskManager::EffectParam());
}

}  // namespace nsWendrick
