// Transitions that change the picture strip by strip: blinds (4-7, 16 px), sweeps
// (8-11, 24 px), shutters (17-20) and curtains (21-24, both the command's width).
// Strips lie on a grid fixed to the screen from coordinate 0, so every layer is cut
// at the same lines; inside each strip the new page covers the first k pixels from
// the strip's leading edge and the old page the rest.
//
// Sweeps and curtains advance strips near their starting edge up to five times
// faster: f = max(distance from the starting edge / (extent / 5), 1), k = f * p * S.
// The distance is signed, so a strip beyond the far edge of the screen gets f = 1
// rather than a huge factor, and k is worked out in 64 bits and bounded, so that no
// piece position overflows.
//
// Text records are not cut: a text is drawn whole at its place and ignores the
// source rectangle, so the old text stays until the end and the new one shows on
// the last frame.

#include <algorithm>
#include <cmath>

#include "plugin/transitions/draw_task_equality.h"
#include "plugin/transitions/transition_frame.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

using nsTamskLib::nsTaskManager::DrawTask;
using nsTamskLib::nsTaskManager::kDrawNothing;
using nsTamskLib::nsTaskManager::kDrawText;

// The strip sizes of blinds and sweeps; 0 takes the command's width.
constexpr std::int32_t kBlindStrip = 16;
constexpr std::int32_t kSweepStrip = 24;
constexpr std::int32_t kCommandStrip = 0;
// The advance inside one strip is bounded far beyond any picture.
constexpr double kMaxAdvance = 1099511627776.0;  // 2^40
// A record wider than this many strips is cut only this far.
constexpr std::int64_t kMaxStripsPerRecord = 65536;

struct StripRule {
  bool vertical;      // horizontal strips along y (down, up)
  bool fromFarEdge;   // the new page grows from each strip's right or bottom edge
  bool sweeps;        // speed factor by the strip's place
  std::int32_t size;  // strip size; kCommandStrip = UpdateParam.Param[0]
};

constexpr StripRule Rule(bool vertical, bool fromFarEdge, bool sweeps, std::int32_t size) {
  return StripRule{vertical, fromFarEdge, sweeps, size};
}

std::int64_t StripSize(const StripRule& rule, const TransitionFrame& frame) {
  return rule.size == kCommandStrip ? frame.stripWidth : rule.size;
}

std::int64_t Extent(const StripRule& rule, const TransitionFrame& frame) {
  return rule.vertical ? frame.screenHeight : frame.screenWidth;
}

// k: how far the new page has advanced into the strip starting at screen s.
std::int64_t StripAdvance(const StripRule& rule, std::int64_t size, std::int64_t s,
                          const TransitionFrame& frame) {
  double factor = 1.0;
  if (rule.sweeps) {
    const std::int64_t extent = Extent(rule, frame);
    const std::int64_t unit = std::max<std::int64_t>(extent / 5, 1);
    const std::int64_t distance = rule.fromFarEdge ? s : extent - s;
    factor = std::max(static_cast<double>(distance) / static_cast<double>(unit), 1.0);
  }
  const double k = std::trunc(factor * frame.p * static_cast<double>(size));
  return static_cast<std::int64_t>(std::clamp(k, 0.0, kMaxAdvance));
}

// The part [a, b) of a strip that the old or the new page covers, relative to the
// strip's start.
void PagePart(const StripRule& rule, bool oldPage, std::int64_t size, std::int64_t k,
              std::int64_t* a, std::int64_t* b) {
  if (!rule.fromFarEdge) {
    *a = oldPage ? k : 0;
    *b = oldPage ? size : k;
    return;
  }
  const std::int64_t m = size - k;
  *a = oldPage ? 0 : m;
  *b = oldPage ? m : size;
}

// Cuts one page's record along the grid and pushes its non-empty pieces.
void CutRecord(const StripRule& rule, const DrawTask& task, bool oldPage,
               const TransitionFrame& frame) {
  const std::uint32_t subOrder = oldPage ? kOldPiece : kNewPiece;
  if (task.Type == kDrawText) {
    if (oldPage ? frame.p < 1.0 : frame.p >= 1.0) PushPiece(frame.tasks, task, subOrder);
    return;
  }
  const std::int64_t size = StripSize(rule, frame);
  const std::int64_t pos = rule.vertical ? task.Y : task.X;
  const std::int64_t lo = rule.vertical ? task.SrcRect.top : task.SrcRect.left;
  const std::int64_t hi = rule.vertical ? task.SrcRect.bottom : task.SrcRect.right;
  std::int64_t strips = 0;
  // One copy serves every piece; only the place, the cut and the sort key change.
  DrawTask piece = task;
  piece.SubOrder = subOrder;
  // From the grid line at (or, for a negative place, right of) the record's edge.
  for (std::int64_t off = -(pos % size); off < hi - lo && strips < kMaxStripsPerRecord;
       off += size, ++strips) {
    const std::int64_t k = StripAdvance(rule, size, pos + off, frame);
    std::int64_t a = 0;
    std::int64_t b = 0;
    PagePart(rule, oldPage, size, k, &a, &b);
    const std::int64_t pieceLo = std::max(lo, lo + off + a);
    const std::int64_t pieceHi = std::min(hi, lo + off + b);
    if (pieceLo >= pieceHi) continue;
    const std::int32_t place = ClampToI32(std::max(pos, pos + off + a));
    if (rule.vertical) {
      piece.Y = place;
      piece.SrcRect.top = static_cast<std::int32_t>(pieceLo);
      piece.SrcRect.bottom = static_cast<std::int32_t>(pieceHi);
    } else {
      piece.X = place;
      piece.SrcRect.left = static_cast<std::int32_t>(pieceLo);
      piece.SrcRect.right = static_cast<std::int32_t>(pieceHi);
    }
    frame.tasks.PushTaskList(piece);
  }
}

template <StripRule kRule>
void PushStripTasks(const DrawTask& oldTask, const DrawTask& newTask,
                    const TransitionFrame& frame) {
  if (oldTask == newTask) {
    if (oldTask.Type != kDrawNothing) frame.tasks.PushTaskList(oldTask);
    return;
  }
  if (oldTask.Type != kDrawNothing) CutRecord(kRule, oldTask, true, frame);
  if (newTask.Type != kDrawNothing) CutRecord(kRule, newTask, false, frame);
}

// A background band [from, to) along the strips' axis, across the whole screen.
void PushBand(const StripRule& rule, const TransitionFrame& frame, std::int64_t from,
              std::int64_t to, std::uint32_t colour) {
  if (rule.vertical) {
    PushBackgroundRect(frame.tasks, 0, from, frame.screenWidth, to, colour);
  } else {
    PushBackgroundRect(frame.tasks, from, 0, to, frame.screenHeight, colour);
  }
}

// The background colours strip by strip: target where the new page has advanced,
// current elsewhere.
template <StripRule kRule>
void PushStripBackground(const TransitionFrame& frame, std::uint32_t current,
                         std::uint32_t target) {
  const std::int64_t size = StripSize(kRule, frame);
  const std::int64_t extent = Extent(kRule, frame);
  if (!kRule.sweeps) {
    const std::int64_t k = StripAdvance(kRule, size, 0, frame);
    const std::int64_t m = size - k;
    // Leading edge first: the advanced part, then the rest, alternately.
    const std::int64_t first = kRule.fromFarEdge ? m : k;
    const std::int64_t second = kRule.fromFarEdge ? k : m;
    const std::uint32_t firstColour = kRule.fromFarEdge ? current : target;
    const std::uint32_t secondColour = kRule.fromFarEdge ? target : current;
    PushBand(kRule, frame, 0, first, firstColour);
    std::int64_t x = first;
    while (x <= extent) {
      PushBand(kRule, frame, x, x + second, secondColour);
      x += second;
      if (x > extent) break;
      PushBand(kRule, frame, x, x + first, firstColour);
      x += first;
    }
    return;
  }
  std::int64_t x = 0;
  while (x <= extent) {
    const std::int64_t k = StripAdvance(kRule, size, x, frame);
    const std::int64_t m = size - k;
    const std::int64_t first = kRule.fromFarEdge ? m : k;
    const std::int64_t second = kRule.fromFarEdge ? k : m;
    PushBand(kRule, frame, x, x + first, kRule.fromFarEdge ? current : target);
    x += first;
    if (x > extent) break;
    PushBand(kRule, frame, x, x + second, kRule.fromFarEdge ? target : current);
    x += second;
  }
}

template <StripRule kRule>
int RunStripPattern(PatternEngine* engine) {
  RunTimedPattern(engine, TimedPattern{PushStripTasks<kRule>, PushStripBackground<kRule>});
  return 0;
}

constexpr bool kAcross = false;   // vertical strips, moving along x
constexpr bool kDownward = true;  // horizontal strips, moving along y
constexpr bool kNearEdge = false;
constexpr bool kFarEdge = true;
constexpr bool kEven = false;
constexpr bool kSweeping = true;

}  // namespace

int UpdateBlindRight(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kNearEdge, kEven, kBlindStrip)>(e); }
int UpdateBlindDown(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kNearEdge, kEven, kBlindStrip)>(e); }
int UpdateBlindLeft(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kFarEdge, kEven, kBlindStrip)>(e); }
int UpdateBlindUp(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kFarEdge, kEven, kBlindStrip)>(e); }
int UpdateSweepRight(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kNearEdge, kSweeping, kSweepStrip)>(e); }
int UpdateSweepDown(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kNearEdge, kSweeping, kSweepStrip)>(e); }
int UpdateSweepLeft(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kFarEdge, kSweeping, kSweepStrip)>(e); }
int UpdateSweepUp(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kFarEdge, kSweeping, kSweepStrip)>(e); }
int UpdateShutterRight(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kNearEdge, kEven, kCommandStrip)>(e); }
int UpdateShutterDown(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kNearEdge, kEven, kCommandStrip)>(e); }
int UpdateShutterLeft(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kFarEdge, kEven, kCommandStrip)>(e); }
int UpdateShutterUp(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kFarEdge, kEven, kCommandStrip)>(e); }
int UpdateCurtainRight(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kNearEdge, kSweeping, kCommandStrip)>(e); }
int UpdateCurtainDown(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kNearEdge, kSweeping, kCommandStrip)>(e); }
int UpdateCurtainLeft(PatternEngine* e) { return RunStripPattern<Rule(kAcross, kFarEdge, kSweeping, kCommandStrip)>(e); }
int UpdateCurtainUp(PatternEngine* e) { return RunStripPattern<Rule(kDownward, kFarEdge, kSweeping, kCommandStrip)>(e); }

}  // namespace nsWendrick
