#pragma once
// The update patterns the plug-in registers, by number. Each is called by the task
// manager once per frame with the engine and builds that frame's task list.
//
//   0 redraw, 3 flip, 28 timed-choice timer          (instant)
//   1 crossfade, 2 fade-in, 12-15 slides, 26 move    (whole layers)
//   4-7 blinds, 8-11 sweeps, 17-20 shutters, 21-24 curtains (strips)

#include <cstdint>

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

using PatternEngine = INovelEngine;

// The flip: the page the commands wrote, shown at once. Every timed pattern hands
// over to it in its last frame, and a transition in skip mode is one.
inline constexpr std::uint32_t kFlipPattern = 3;

// Whether a pattern given a time shows frames for it. The redraw and the flip
// show their page and are done in the frame they start, whatever their time;
// every other pattern runs until its time is over.
bool PatternTakesTime(std::uint32_t pattern);

int UpdateRedraw(PatternEngine* engine);
int UpdateFlip(PatternEngine* engine);
int UpdateSelectTimer(PatternEngine* engine);

int UpdateCrossFade(PatternEngine* engine);
int UpdateFadeIn(PatternEngine* engine);
int UpdateSlideRight(PatternEngine* engine);
int UpdateSlideDown(PatternEngine* engine);
int UpdateSlideLeft(PatternEngine* engine);
int UpdateSlideUp(PatternEngine* engine);
int UpdateMove(PatternEngine* engine);

int UpdateBlindRight(PatternEngine* engine);
int UpdateBlindDown(PatternEngine* engine);
int UpdateBlindLeft(PatternEngine* engine);
int UpdateBlindUp(PatternEngine* engine);
int UpdateSweepRight(PatternEngine* engine);
int UpdateSweepDown(PatternEngine* engine);
int UpdateSweepLeft(PatternEngine* engine);
int UpdateSweepUp(PatternEngine* engine);
int UpdateShutterRight(PatternEngine* engine);
int UpdateShutterDown(PatternEngine* engine);
int UpdateShutterLeft(PatternEngine* engine);
int UpdateShutterUp(PatternEngine* engine);
int UpdateCurtainRight(PatternEngine* engine);
int UpdateCurtainDown(PatternEngine* engine);
int UpdateCurtainLeft(PatternEngine* engine);
int UpdateCurtainUp(PatternEngine* engine);

}  // namespace nsWendrick
