#include "plugin/transitions/transition_frame.h"

#include <algorithm>
#include <cmath>

#include "engine/api/novel_engine.h"
#include "engine/api/types.h"
#include "platform/clock/clock.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_api.h"
#include "plugin/core/host_calls.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

using nsTamskLib::nsTaskManager::Button;
using nsTamskLib::nsTaskManager::Sprite;

// The background colour between from and to at p, byte by byte (top byte 0).
std::uint32_t BlendColour(std::uint32_t from, std::uint32_t to, double p) {
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double a = static_cast<double>((from >> shift) & 0xFFu);
    const double b = static_cast<double>((to >> shift) & 0xFFu);
    const auto channel = static_cast<std::uint32_t>(std::trunc(a + (b - a) * p));
    result |= (channel & 0xFFu) << shift;
  }
  return result;
}

void BuildAllLayers(const TimedPattern& pattern, const TransitionFrame& frame, std::uint32_t page) {
  ITMAccessor& tasks = frame.tasks;
  const std::uint32_t other = 1 - page;
  DrawTask* layers[] = {tasks.GetBGLayer(), tasks.GetLChLayer(), tasks.GetCChLayer(),
                        tasks.GetRChLayer()};
  for (DrawTask* layer : layers) pattern.build(layer[page], layer[other], frame);

  std::uint32_t count = 0;
  Sprite* sprites[nsTamskLib::kMaxPointerList] = {};
  tasks.GetSpriteList(&count, sprites);
  for (std::uint32_t i = 0; i < count; ++i) {
    pattern.build(sprites[i]->Task[page], sprites[i]->Task[other], frame);
  }
  Button* buttons[nsTamskLib::kMaxPointerList] = {};
  tasks.GetButtonList(&count, buttons);
  for (std::uint32_t i = 0; i < count; ++i) {
    pattern.build(buttons[i]->Task[page], buttons[i]->Task[other], frame);
  }
}

}  // namespace

PatternAccess BindPatternAccess(INovelEngine* engine) {
  const HostApiTable& api = GetHostApi();
  const auto setTasks = api.As<SetAccessorFunc>(kSetTMAccessor);
  const auto getTasks = api.As<GetTMAccessorFunc>(kGetTMAccessor);
  const auto setDraw = api.As<SetAccessorFunc>(kSetDMAccessor);
  const auto getDraw = api.As<GetDMAccessorFunc>(kGetDMAccessor);
  if (setTasks == nullptr || getTasks == nullptr || setDraw == nullptr || getDraw == nullptr) {
    HostRuntimeError(OwnerWindow(engine), "%s", "TMAccessor/DMAccessorが存在しません！");
  }
  setTasks(engine);
  setDraw(engine);
  return PatternAccess{engine, *getTasks(), *getDraw()};
}

void PushLayerPage(ITMAccessor& tasks, std::uint32_t page) {
  tasks.PushTaskList(tasks.GetBGLayer()[page]);
  tasks.PushTaskList(tasks.GetLChLayer()[page]);
  tasks.PushTaskList(tasks.GetCChLayer()[page]);
  tasks.PushTaskList(tasks.GetRChLayer()[page]);
}

void PushSpriteAndButtonPage(ITMAccessor& tasks, std::uint32_t page) {
  std::uint32_t count = 0;
  Sprite* sprites[nsTamskLib::kMaxPointerList] = {};
  tasks.GetSpriteList(&count, sprites);
  for (std::uint32_t i = 0; i < count; ++i) tasks.PushTaskList(sprites[i]->Task[page]);
  Button* buttons[nsTamskLib::kMaxPointerList] = {};
  tasks.GetButtonList(&count, buttons);
  for (std::uint32_t i = 0; i < count; ++i) tasks.PushTaskList(buttons[i]->Task[page]);
}

std::int32_t ClampToI32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

void PushBackgroundRect(ITMAccessor& tasks, std::int64_t left, std::int64_t top,
                        std::int64_t right, std::int64_t bottom, std::uint32_t colour) {
  DrawTask rect;
  rect.Type = nsTamskLib::nsTaskManager::kDrawFilledRect;
  rect.Z = kBackgroundZ;
  rect.Visible = true;
  rect.A = 255;
  rect.Rect = TRect{ClampToI32(left), ClampToI32(top), ClampToI32(right),
                                ClampToI32(bottom)};
  rect.Color = colour;
  tasks.PushTaskList(rect);
}

void PushPiece(ITMAccessor& tasks, const DrawTask& task, std::uint32_t subOrder) {
  DrawTask piece = task;
  piece.SubOrder = subOrder;
  tasks.PushTaskList(piece);
}

void RunTimedPattern(INovelEngine* engine, const TimedPattern& pattern) {
  const PatternAccess access = BindPatternAccess(engine);
  ITMAccessor& tasks = access.tasks;
  IDrawManager& drawManager = *engine->GetDrawManager();
  tasks.ClearTaskList();
  const std::uint32_t page = tasks.GetPage();
  const bool blends = pattern.background == nullptr;

  // The first frame keeps the start time (and, for the blends, both colours).
  const std::uint32_t now = platform::NowMs();
  std::uint8_t& started = *tasks.GetUpdateWorkFlag(0);
  std::int32_t& startTime = *tasks.GetUpdateWorkB(0);
  std::int32_t& savedCurrent = *tasks.GetUpdateWorkC(0);
  std::int32_t& savedTarget = *tasks.GetUpdateWorkC(1);
  if (started == 0) {
    started = 1;
    startTime = static_cast<std::int32_t>(now);
    if (blends) {
      savedTarget = static_cast<std::int32_t>(drawManager.GetTargetBGColor());
      savedCurrent = static_cast<std::int32_t>(access.draw.GetBGColor());
    }
  }
  const auto fromColour = static_cast<std::uint32_t>(savedCurrent);
  const auto toColour = static_cast<std::uint32_t>(savedTarget);

  // Progress; a time of 0 is done at once, without dividing by it.
  nsTamskLib::nsTaskManager::UpdateParam& update = *tasks.GetUpdateData();
  const std::uint32_t elapsed = now - static_cast<std::uint32_t>(startTime);
  const bool finishing = update.Time == 0 || elapsed >= update.Time;
  double p = 1.0;
  if (!finishing) {
    p = std::clamp(static_cast<double>(elapsed) / static_cast<double>(update.Time), 0.0, 1.0);
  }
  if (finishing) {
    if (blends) {
      drawManager.SetTargetBGColor(toColour);
    } else {
      access.draw.SetBGColor(drawManager.GetTargetBGColor());
    }
    update.Type = kFlipPattern;
    tasks.ClearWork();
  }

  if (!blends) access.draw.ApplyBGColor();
  tasks.UpdateCharaPositions();

  const TransitionFrame frame{tasks, p, drawManager.GetScreenWidth(),
                              drawManager.GetScreenHeight(), std::max(update.Param[0], 1)};
  if (!blends) {
    const std::uint32_t current = access.draw.GetBGColor();
    const std::uint32_t target = drawManager.GetTargetBGColor();
    if (current != target) pattern.background(frame, current, target);
  }
  BuildAllLayers(pattern, frame, page);
  tasks.SortTaskList();

  if (blends) access.draw.SetBGColor(BlendColour(fromColour, toColour, p));
}

}  // namespace nsWendrick
