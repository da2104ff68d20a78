#pragma once
// The frame shared by every update pattern: the accessors bound to the engine, the
// page lists, and the skeleton of the timed patterns (start time, progress, the
// finishing frame that hands over to the flip, background colour, one builder call
// per layer, sprite and button, then the sort).
//
// Update work area: B[0] start time, Flag[0] started (a start at clock 0 is a start
// too), C[0] / C[1] the current and target background colours saved at the start.

#include <cstdint>

#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/fwd.h"
#include "engine/api/task_manager.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

using nsTamskLib::nsTaskManager::DrawTask;

// Sort keys of the pieces of a layer's old and new page.
inline constexpr std::uint32_t kOldPiece = 0;
inline constexpr std::uint32_t kNewPiece = 1;
// Depth of the background-colour rectangles: below everything.
inline constexpr std::int32_t kBackgroundZ = INT32_MIN;

// The accessors, bound to the engine of this call.
struct PatternAccess {
  INovelEngine* engine;
  ITMAccessor& tasks;
  nsTamskLib::nsDrawManager::IDMAccessor& draw;
};

// Binds both accessors to engine (a host without them is a fatal error).
PatternAccess BindPatternAccess(INovelEngine* engine);

// One frame of a timed pattern, as its builders see it.
struct TransitionFrame {
  ITMAccessor& tasks;
  double p;                    // progress 0..1
  std::int32_t screenWidth;
  std::int32_t screenHeight;
  std::int32_t stripWidth;     // UpdateParam.Param[0], at least 1
};

// Pushes the pieces of one layer: old = shown page, new = hidden page.
using LayerBuilder = void (*)(const DrawTask& oldTask, const DrawTask& newTask,
                              const TransitionFrame& frame);
// Pushes the background-colour rectangles of a frame in which the colours differ.
using BackgroundBuilder = void (*)(const TransitionFrame& frame, std::uint32_t current,
                                   std::uint32_t target);

struct TimedPattern {
  LayerBuilder build;
  // Null: the background colour blends from the saved current to the saved target
  // (crossfade, fade-in, move). Otherwise the screen is cleared in the current
  // colour and these rectangles show the target colour's progress.
  BackgroundBuilder background;
};

// One frame of a timed pattern.
void RunTimedPattern(INovelEngine* engine, const TimedPattern& pattern);

// Calls push for page `page` of the four layers (BG, LCh, CCh, RCh).
void PushLayerPage(ITMAccessor& tasks, std::uint32_t page);
// Calls push for page `page` of every sprite, then every button, in list order.
void PushSpriteAndButtonPage(ITMAccessor& tasks, std::uint32_t page);

// A filled background rectangle {left, top, right, bottom} in colour.
void PushBackgroundRect(ITMAccessor& tasks, std::int64_t left,
                        std::int64_t top, std::int64_t right, std::int64_t bottom,
                        std::uint32_t colour);

// Pushes a copy of task with its sort key set.
void PushPiece(ITMAccessor& tasks, const DrawTask& task,
               std::uint32_t subOrder);

// A 64-bit position brought into the 32-bit range (pieces far off the screen).
std::int32_t ClampToI32(std::int64_t value);

}  // namespace nsWendrick
