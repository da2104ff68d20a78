// The shakes: every queued draw task of the frame is moved by the current offsets.
// The task list is rebuilt by the update pass each frame, so offsets never add up.
//
// Random shakes start each shaken axis at +1 or -1 and, each time more than the
// axis's interval has passed since its last change, flip the offset's sign with a
// new size from A + 1 to 2A (A the axis's amplitude). Sine shakes swing each axis
// count times through a full sine wave during the effect's time.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/api/draw_records.h"
#include "engine/api/task_manager.h"
#include "engine/api/types.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/random.h"
#include "plugin/effects/effect_frame.h"
#include "plugin/effects/screen_effects.h"

namespace nsWendrick {
namespace {

using nsTamskLib::nsTaskManager::DrawTask;

constexpr double kDegreeToRadian = 0.017453292521;
constexpr std::uint32_t kQuakeInterval = 75;
constexpr std::int32_t kQuakeJitter = 15;

enum Axis : std::uint32_t { kAxisX = 0, kAxisY = 1 };

// The shaken axes of a random shake and how each one's interval is chosen.
enum class IntervalRule {
  kFixed75,         // more than 75 ms, compared unsigned
  kJittered75,      // 75 + rand() % 15 - rand() % 15, drawn every frame
  kParam,           // more than Param[2] ms
  kJitteredParam,   // Param[2] + rand() % Param[3] - rand() % Param[3], drawn every frame
};

// An amplitude or interval that a damaged save could have brought below 1 is taken
// as 1: both are divisors or counts that must be positive.
std::int32_t AtLeastOne(std::int32_t value) { return value < 1 ? 1 : value; }

std::int32_t ClampToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// The first call of the generator is made first, so that a sequence is repeatable.
std::int64_t JitteredInterval(std::int64_t base, std::int32_t jitter) {
  if (jitter <= 0) return base;  // no jitter: the plain interval
  const std::int32_t plus = NextRandom() % jitter;
  const std::int32_t minus = NextRandom() % jitter;
  return base + plus - minus;
}

// Whether the axis changes now, and its new offset when it does.
void StepRandomAxis(const EffectFrame& frame, Axis axis, IntervalRule rule) {
  const std::int32_t* params = frame.data->Param;
  const std::uint32_t since = frame.now - EffectWorkTime(frame, 1 + axis);
  bool change = false;
  switch (rule) {
    case IntervalRule::kFixed75:
      change = since > kQuakeInterval;
      break;
    case IntervalRule::kJittered75:
      change = std::int64_t{since} > JitteredInterval(kQuakeInterval, kQuakeJitter);
      break;
    case IntervalRule::kParam:
      change = since > static_cast<std::uint32_t>(AtLeastOne(params[2]));
      break;
    case IntervalRule::kJitteredParam:
      change = std::int64_t{since} > JitteredInterval(AtLeastOne(params[2]), params[3]);
      break;
  }
  if (!change) return;
  EffectWorkTime(frame, 1 + axis) = frame.now;
  std::int32_t& offset = EffectWorkOffset(frame, axis);
  const std::int64_t sign = offset < 0 ? -1 : 1;
  const std::int64_t amplitude = AtLeastOne(params[axis]);
  const std::int64_t size = amplitude + NextRandom() % amplitude + 1;
  offset = ClampToInt32(-(sign * size));
}

// Adds the offsets to every queued task (the first kMaxPointerList of them).
void MoveQueuedTasks(const EffectFrame& frame, std::int32_t dx, std::int32_t dy) {
  DrawTask* tasks[nsTamskLib::kMaxPointerList] = {};
  std::uint32_t count = 0;
  frame.tasks->GetTaskPointers(&count, tasks);
  count = std::min<std::uint32_t>(count, nsTamskLib::kMaxPointerList);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (tasks[i] == nullptr) continue;
    tasks[i]->X = WrappingAdd(tasks[i]->X, dx);
    tasks[i]->Y = WrappingAdd(tasks[i]->Y, dy);
  }
}

int RandomShake(INovelEngine* engine, bool shakeX, bool shakeY, IntervalRule rule) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  if (frame.first) {
    if (shakeX) {
      EffectWorkTime(frame, 1) = frame.start;
      EffectWorkOffset(frame, kAxisX) = NextRandom() % 2 == 0 ? 1 : -1;
    }
    if (shakeY) {
      EffectWorkTime(frame, 2) = frame.start;
      EffectWorkOffset(frame, kAxisY) = NextRandom() % 2 == 0 ? 1 : -1;
    }
  }
  if (frame.elapsed >= frame.data->Time) {
    EndEffect(frame);
    return 0;
  }
  if (shakeX) StepRandomAxis(frame, kAxisX, rule);
  if (shakeY) StepRandomAxis(frame, kAxisY, rule);
  MoveQueuedTasks(frame, shakeX ? EffectWorkOffset(frame, kAxisX) : 0,
                  shakeY ? EffectWorkOffset(frame, kAxisY) : 0);
  return 0;
}

// trunc(A * sin(phase)) with the phase ((elapsed mod P) / P) of a full turn and
// P = time / count. A period of 0 ms (more swings than milliseconds) and a count
// below 1 give no offset.
std::int32_t SineOffset(const EffectFrame& frame, std::int32_t amplitude, std::int32_t count) {
  if (count < 1) return 0;
  const std::uint32_t period = frame.data->Time / static_cast<std::uint32_t>(count);
  if (period == 0) return 0;
  const double phase = static_cast<double>(frame.elapsed % period) / static_cast<double>(period);
  return ClampToInt32(static_cast<std::int64_t>(
      std::trunc(amplitude * std::sin(phase * 360.0 * kDegreeToRadian))));
}

int SineShake(INovelEngine* engine, bool shakeX, bool shakeY) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  if (frame.elapsed >= frame.data->Time) {
    EndEffect(frame);
    return 0;
  }
  const std::int32_t* params = frame.data->Param;
  const std::int32_t dx = shakeX ? SineOffset(frame, params[0], params[2]) : 0;
  const std::int32_t dy = shakeY ? SineOffset(frame, params[1], params[3]) : 0;
  EffectWorkOffset(frame, kAxisX) = dx;
  EffectWorkOffset(frame, kAxisY) = dy;
  MoveQueuedTasks(frame, dx, dy);
  return 0;
}

}  // namespace

int EffectQuakeX(INovelEngine* engine) {
  return RandomShake(engine, true, false, IntervalRule::kFixed75);
}
int EffectQuakeY(INovelEngine* engine) {
  return RandomShake(engine, false, true, IntervalRule::kFixed75);
}
int EffectQuakeXY(INovelEngine* engine) {
  return RandomShake(engine, true, true, IntervalRule::kJittered75);
}
int EffectQuakeX2(INovelEngine* engine) {
  return RandomShake(engine, true, false, IntervalRule::kParam);
}
int EffectQuakeY2(INovelEngine* engine) {
  return RandomShake(engine, false, true, IntervalRule::kParam);
}
int EffectQuakeXY2(INovelEngine* engine) {
  return RandomShake(engine, true, true, IntervalRule::kJitteredParam);
}
int EffectQuakeX3(INovelEngine* engine) { return SineShake(engine, true, false); }
int EffectQuakeY3(INovelEngine* engine) { return SineShake(engine, false, true); }
int EffectQuakeXY3(INovelEngine* engine) { return SineShake(engine, true, true); }

}  // namespace nsWendrick
