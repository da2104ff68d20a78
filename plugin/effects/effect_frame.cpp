#include "plugin/effects/effect_frame.h"

#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "platform/clock/clock.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_api.h"

namespace nsWendrick {

bool BindEffectFrame(INovelEngine* engine, EffectFrame& frame) {
  const HostApiTable& api = GetHostApi();
  const auto setTasks = api.As<SetAccessorFunc>(kSetTMAccessor);
  const auto getTasks = api.As<GetTMAccessorFunc>(kGetTMAccessor);
  const auto setDraw = api.As<SetAccessorFunc>(kSetDMAccessor);
  const auto getDraw = api.As<GetDMAccessorFunc>(kGetDMAccessor);
  if (engine == nullptr || setTasks == nullptr || getTasks == nullptr || setDraw == nullptr ||
      getDraw == nullptr) {
    return false;
  }
  setTasks(engine);
  setDraw(engine);
  frame.engine = engine;
  frame.tasks = getTasks();
  frame.draw = getDraw();
  if (frame.tasks == nullptr || frame.draw == nullptr) return false;
  frame.data = frame.tasks->GetEffectData();
  return frame.data != nullptr;
}

bool BeginEffectFrame(INovelEngine* engine, EffectFrame& frame) {
  if (!BindEffectFrame(engine, frame)) return false;
  frame.now = platform::NowMs();
  std::uint8_t& started = *frame.tasks->GetEffectWorkFlag(0);
  frame.first = started == 0;
  if (frame.first) {
    started = 1;
    EffectWorkTime(frame, 0) = frame.now;
  }
  frame.start = EffectWorkTime(frame, 0);
  frame.elapsed = frame.now - frame.start;
  return true;
}

void EndEffect(const EffectFrame& frame) {
  frame.data->Type = 0;
  frame.tasks->ClearWork();
}

std::uint32_t& EffectWorkTime(const EffectFrame& frame, std::uint32_t index) {
  // The work group keeps clock values in its signed elements; they are read back
  // as the unsigned clock they came from.
  return *reinterpret_cast<std::uint32_t*>(frame.tasks->GetEffectWorkB(index));
}

std::int32_t& EffectWorkOffset(const EffectFrame& frame, std::uint32_t index) {
  return *frame.tasks->GetEffectWorkA(index);
}

double& EffectWorkLevel(const EffectFrame& frame) { return *frame.tasks->GetEffectWorkReal(0); }

TRect FullScreenRect(const EffectFrame& frame) {
  IDrawManager* dm = frame.engine->GetDrawManager();
  return TRect{0, 0, dm->GetScreenWidth(), dm->GetScreenHeight()};
}

void RequestPageFlip(const EffectFrame& frame) {
  nsTamskLib::nsTaskManager::UpdateParam flip;
  flip.Type = 3;
  flip.Time = 0;
  *frame.tasks->GetUpdateData() = flip;
}

}  // namespace nsWendrick
