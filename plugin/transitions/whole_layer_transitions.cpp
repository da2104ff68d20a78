// Transitions that change each layer as a whole: crossfade (1), fade-in (2), the
// four slides (12-15) and the move (26).
//
// The slides move the pictures by the screen's extent along their own axis: the
// width for the horizontal ones, the height for the vertical ones, so that the
// outgoing and incoming pictures stay edge to edge and meet the background-colour
// boundary, which moves by the same extent.

#include <cmath>

#include "plugin/core/engine_names.h"
#include "plugin/transitions/draw_task_equality.h"
#include "plugin/transitions/transition_frame.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

using nsTamskLib::nsTaskManager::DrawTask;
using nsTamskLib::nsTaskManager::kDrawFilledRect;
using nsTamskLib::nsTaskManager::kDrawImage;
using nsTamskLib::nsTaskManager::kDrawText;

std::uint8_t ScaledAlpha(std::uint8_t alpha, double factor) {
  return static_cast<std::uint8_t>(std::trunc(static_cast<double>(alpha) * factor));
}

std::int64_t Truncated(double value) { return static_cast<std::int64_t>(std::trunc(value)); }

// An unchanged layer is drawn once, as it is.
bool PushIfUnchanged(const DrawTask& oldTask, const DrawTask& newTask,
                     const TransitionFrame& frame) {
  if (!(oldTask == newTask)) return false;
  frame.tasks.PushTaskList(oldTask);
  return true;
}

void PushCrossFadeTasks(const DrawTask& oldTask, const DrawTask& newTask,
                        const TransitionFrame& frame) {
  if (PushIfUnchanged(oldTask, newTask, frame)) return;
  DrawTask piece = oldTask;
  piece.A = ScaledAlpha(oldTask.A, 1.0 - frame.p);
  PushPiece(frame.tasks, piece, kOldPiece);
  piece = newTask;
  piece.A = ScaledAlpha(newTask.A, frame.p);
  PushPiece(frame.tasks, piece, kNewPiece);
}

void PushFadeInTasks(const DrawTask& oldTask, const DrawTask& newTask,
                     const TransitionFrame& frame) {
  if (PushIfUnchanged(oldTask, newTask, frame)) return;
  if (frame.p < 1.0) PushPiece(frame.tasks, oldTask, kOldPiece);
  DrawTask piece = newTask;
  piece.A = ScaledAlpha(newTask.A, frame.p);
  PushPiece(frame.tasks, piece, kNewPiece);
}

enum class SlideDirection { kRight, kDown, kLeft, kUp };

// Old leaves towards the direction, new comes in from the opposite side.
template <SlideDirection kDirection>
void PushSlideTasks(const DrawTask& oldTask, const DrawTask& newTask,
                    const TransitionFrame& frame) {
  if (PushIfUnchanged(oldTask, newTask, frame)) return;
  constexpr bool kVertical =
      kDirection == SlideDirection::kDown || kDirection == SlideDirection::kUp;
  constexpr std::int64_t kSign =
      kDirection == SlideDirection::kRight || kDirection == SlideDirection::kDown ? 1 : -1;
  const double distance = kVertical ? frame.screenHeight : frame.screenWidth;
  const std::int64_t outBy = kSign * Truncated(distance * frame.p);
  const std::int64_t inBy = -kSign * Truncated(distance * (1.0 - frame.p));

  DrawTask piece = oldTask;
  std::int32_t& oldPos = kVertical ? piece.Y : piece.X;
  oldPos = ClampToI32(std::int64_t{oldPos} + outBy);
  PushPiece(frame.tasks, piece, kOldPiece);
  piece = newTask;
  std::int32_t& newPos = kVertical ? piece.Y : piece.X;
  newPos = ClampToI32(std::int64_t{newPos} + inBy);
  PushPiece(frame.tasks, piece, kNewPiece);
}

// The target colour enters from the side the new page comes from.
template <SlideDirection kDirection>
void PushSlideBackground(const TransitionFrame& frame, std::uint32_t current,
                         std::uint32_t target) {
  const std::int64_t w = frame.screenWidth;
  const std::int64_t h = frame.screenHeight;
  switch (kDirection) {
    case SlideDirection::kRight: {
      const std::int64_t edge = Truncated(static_cast<double>(w) * frame.p);
      PushBackgroundRect(frame.tasks, edge, 0, w, h, current);
      PushBackgroundRect(frame.tasks, 0, 0, edge, h, target);
      break;
    }
    case SlideDirection::kLeft: {
      const std::int64_t edge = Truncated(static_cast<double>(w) * (1.0 - frame.p));
      PushBackgroundRect(frame.tasks, 0, 0, edge, h, current);
      PushBackgroundRect(frame.tasks, edge, 0, w, h, target);
      break;
    }
    case SlideDirection::kDown: {
      const std::int64_t edge = Truncated(static_cast<double>(h) * frame.p);
      PushBackgroundRect(frame.tasks, 0, edge, w, h, current);
      PushBackgroundRect(frame.tasks, 0, 0, w, edge, target);
      break;
    }
    case SlideDirection::kUp: {
      const std::int64_t edge = Truncated(static_cast<double>(h) * (1.0 - frame.p));
      PushBackgroundRect(frame.tasks, 0, 0, w, edge, current);
      PushBackgroundRect(frame.tasks, 0, edge, w, h, target);
      break;
    }
  }
}

bool SameRect(const TRect& a, const TRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Whether the two records show different things (their place and alpha aside).
bool ContentDiffers(const DrawTask& oldTask, const DrawTask& newTask) {
  if (oldTask.BltType != newTask.BltType || oldTask.Type != newTask.Type) return true;
  switch (oldTask.Type) {
    case kDrawFilledRect:
      return !SameRect(oldTask.Rect, newTask.Rect) || oldTask.Color != newTask.Color;
    case kDrawText:
      return !nsTamskLib::nsTaskManager::SameTextSection(oldTask.Text, newTask.Text);
    case kDrawImage:
      return !SameRect(oldTask.SrcRect, newTask.SrcRect) || !(oldTask.Name == newTask.Name.c_str());
    default:
      return false;
  }
}

std::int32_t Between(std::int32_t from, std::int32_t to, double p) {
  const double value = static_cast<double>(from) +
                       (static_cast<double>(to) - static_cast<double>(from)) * p;
  return ClampToI32(Truncated(value));
}

void PushMoveTasks(const DrawTask& oldTask, const DrawTask& newTask,
                   const TransitionFrame& frame) {
  if (PushIfUnchanged(oldTask, newTask, frame)) return;
  const double p = frame.p;
  const std::int32_t x = Between(oldTask.X, newTask.X, p);
  const std::int32_t y = Between(oldTask.Y, newTask.Y, p);
  const std::int32_t z = Between(oldTask.Z, newTask.Z, p);
  DrawTask piece = oldTask;
  piece.X = x;
  piece.Y = y;
  piece.Z = z;
  if (ContentDiffers(oldTask, newTask)) {
    piece.A = ScaledAlpha(oldTask.A, 1.0 - p);
    PushPiece(frame.tasks, piece, kOldPiece);
    piece = newTask;
    piece.X = x;
    piece.Y = y;
    piece.Z = z;
    piece.A = ScaledAlpha(newTask.A, p);
    PushPiece(frame.tasks, piece, kNewPiece);
    return;
  }
  // One record whose alpha runs between the effective alphas (hidden = 0).
  const double fromAlpha = oldTask.Visible ? oldTask.A : 0;
  const double toAlpha = newTask.Visible ? newTask.A : 0;
  piece.Visible = true;
  piece.A = static_cast<std::uint8_t>(std::trunc(fromAlpha + (toAlpha - fromAlpha) * p));
  PushPiece(frame.tasks, piece, kOldPiece);
}

}  // namespace

int UpdateCrossFade(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushCrossFadeTasks, nullptr});
  return 0;
}

int UpdateFadeIn(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushFadeInTasks, nullptr});
  return 0;
}

int UpdateMove(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushMoveTasks, nullptr});
  return 0;
}

int UpdateSlideRight(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushSlideTasks<SlideDirection::kRight>,
                                       PushSlideBackground<SlideDirection::kRight>});
  return 0;
}

int UpdateSlideDown(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushSlideTasks<SlideDirection::kDown>,
                                       PushSlideBackground<SlideDirection::kDown>});
  return 0;
}

int UpdateSlideLeft(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushSlideTasks<SlideDirection::kLeft>,
                                       PushSlideBackground<SlideDirection::kLeft>});
  return 0;
}

int UpdateSlideUp(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushSlideTasks<SlideDirection::kUp>,
                                       PushSlideBackground<SlideDirection::kUp>});
  return 0;
}

}  // namespace nsWendrick
