// The instant patterns: 0 shows the current page, 3 flips to the page the commands
// wrote, 28 shows the current page with the timed choice's images while its time
// runs.

#include "engine/api/draw_records.h"
#include "platform/clock/clock.h"
#include "plugin/core/engine_names.h"
#include "plugin/text/text_sprites.h"
#include "plugin/transitions/page_hooks.h"
#include "plugin/transitions/transition_frame.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

constexpr std::uint32_t kRedrawPattern = 0;

void RebuildTextSprites(PatternEngine* engine) {
  if (const auto rebuild = TransitionPageHooks().rebuildTextSprites) rebuild(engine);
}

}  // namespace

bool PatternTakesTime(std::uint32_t pattern) {
  return pattern != kRedrawPattern && pattern != kFlipPattern;
}

PageHooks& TransitionPageHooks() {
  static PageHooks hooks;
  return hooks;
}

int UpdateRedraw(PatternEngine* engine) {
  ITMAccessor& tasks = BindPatternAccess(engine).tasks;
  tasks.ClearTaskList();
  const std::uint32_t page = tasks.GetPage();
  tasks.UpdateCharaPositions();
  PushLayerPage(tasks, page);
  RebuildTextSprites(engine);
  PushSpriteAndButtonPage(tasks, page);
  tasks.SortTaskList();
  return 0;
}

int UpdateFlip(PatternEngine* engine) {
  const PatternAccess access = BindPatternAccess(engine);
  ITMAccessor& tasks = access.tasks;
  tasks.ClearTaskList();
  const std::uint32_t shown = 1 - tasks.GetPage();
  tasks.FlipPage();
  tasks.UpdateCharaPositions();
  PushLayerPage(tasks, shown);
  PushSpriteAndButtonPage(tasks, shown);
  tasks.SortTaskList();
  access.draw.ResetBGColor();
  // Commands go on from the picture now shown.
  tasks.CopyPageToBack();
  tasks.GetUpdateData()->Type = 0;
  CopyTextSpritesToOtherSet(engine);
  return 0;
}

int UpdateSelectTimer(PatternEngine* engine) {
  ITMAccessor& tasks = BindPatternAccess(engine).tasks;
  tasks.ClearTaskList();
  const std::uint32_t page = tasks.GetPage();

  const std::uint32_t now = platform::NowMs();
  std::uint8_t& started = *tasks.GetUpdateWorkFlag(0);
  std::int32_t& startTime = *tasks.GetUpdateWorkB(0);
  if (started == 0) {
    started = 1;
    startTime = static_cast<std::int32_t>(now);
  }
  nsTamskLib::nsTaskManager::UpdateParam& update = *tasks.GetUpdateData();
  const std::uint32_t elapsed = now - static_cast<std::uint32_t>(startTime);
  const std::uint32_t total = update.Time;
  if (total == 0 || elapsed >= total) {
    update.Type = 0;
    tasks.ClearWork();
  }

  tasks.UpdateCharaPositions();
  PushLayerPage(tasks, page);
  RebuildTextSprites(engine);
  PushSpriteAndButtonPage(tasks, page);
  tasks.SortTaskList();

  // Nothing of the timer is drawn on the frame its time ran out.
  if (*tasks.GetUpdateWorkFlag(0) != 0) {
    if (const auto draw = TransitionPageHooks().drawSelectLImages) draw(engine, elapsed, total);
  }
  return 0;
}

}  // namespace nsWendrick
