#include "plugin/effects/held_colour.h"

#include <cstdint>

#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "plugin/core/engine_names.h"
#include "plugin/effects/effect_frame.h"
#include "plugin/effects/screen_effects.h"

namespace nsWendrick {
namespace {

// The colour over the whole screen, when the held colour is drawn at this stage:
// over the text window in the story screen, under it on the other screens.
void DrawHeldColour(INovelEngine* engine, bool overTextWindow) {
  EffectFrame frame;
  if (!BindEffectFrame(engine, frame)) return;
  if ((engine->GetState() == nsTamskLib::nsCore::kStateNormal) != overTextWindow) return;
  frame.draw->FillRect(FullScreenRect(frame), frame.data->Color, 255);
}

}  // namespace

void HoldColour(nsTamskLib::nsTaskManager::EffectParam& effect) { effect.Type = kEffectHeldColour; }

bool IsEffectRunning(nsTamskLib::nsTaskManager::ITaskManager& tasks) {
  const std::uint32_t type = tasks.GetEffectType();
  return type != 0 && type != kEffectHeldColour;
}

void UncoverPage(INovelEngine* engine) {
  nsTamskLib::nsTaskManager::ITaskManager* tasks = engine->GetTaskManager();
  if (tasks->GetEffectType() == kEffectHeldColour) {
    tasks->SetEffectData(nsTamskLib::nsTaskManager::EffectParam());
  }
}

int EffectHeldColourUnderText(INovelEngine* engine) {
  DrawHeldColour(engine, false);
  return 0;
}

int EffectHeldColour(INovelEngine* engine) {
  DrawHeldColour(engine, true);
  return 0;
}

}  // namespace nsWendrick
