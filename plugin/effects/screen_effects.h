#pragma once
// The plug-in's sixteen screen effects, called by the engine's task manager once
// per frame for the running effect number at each of its three drawing stages.
// The shakes work before drawing and move every queued draw task of the frame;
// the flashes and fades work after the text window and cover the whole screen
// with one filled rectangle. Each effect keeps its state in the task manager's
// effect work group and ends itself by setting the effect type to 0 (a fade-out
// to the held colour instead, held_colour.h).

#include <cstdint>

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Effect numbers, as the effect command stores them.
enum EffectNumber : std::int32_t {
  kEffectFlash = 1,
  kEffectQuakeX = 2,
  kEffectQuakeY = 3,
  kEffectQuakeXY = 4,
  kEffectFadeIn = 5,
  kEffectFadeOut = 6,
  kEffectFadeInU = 7,
  kEffectFadeOutU = 8,
  kEffectFlash2 = 9,
  kEffectQuakeX2 = 10,
  kEffectQuakeY2 = 11,
  kEffectQuakeXY2 = 12,
  kEffectQuakeX3 = 13,
  kEffectQuakeY3 = 14,
  kEffectQuakeXY3 = 15,
  kEffectFlash3 = 16,
  // Not a script effect, and far from their numbers: the colour a fade-out ended
  // on, held (held_colour.h).
  kEffectHeldColour = 100,
};

// Bits of a fade's flag parameter (fadein and fadeout).
enum FadeFlag : std::uint32_t {
  kFadePageFlip = 0x1,
  kFadeStartWindowOn = 0x2,
  kFadeStartForcedOn = 0x4,
  kFadeEndWindowOn = 0x8,
  kFadeEndForcedOn = 0x10,
  kFadeStartWindowOff = 0x20,
  kFadeStartForcedOff = 0x40,
  kFadeEndWindowOff = 0x80,
  kFadeEndForcedOff = 0x100,
};

// Applies the bits that act when a fade starts, in their fixed order: window on,
// forced window on, window off, forced window off.
void ApplyFadeStartFlags(INovelEngine* engine, std::uint32_t flags);
// The same for the bits that act when a fade ends.
void ApplyFadeEndFlags(INovelEngine* engine, std::uint32_t flags);

// Stage 1 (before the draw tasks are drawn): the shakes.
int EffectQuakeX(INovelEngine* engine);
int EffectQuakeY(INovelEngine* engine);
int EffectQuakeXY(INovelEngine* engine);
int EffectQuakeX2(INovelEngine* engine);
int EffectQuakeY2(INovelEngine* engine);
int EffectQuakeXY2(INovelEngine* engine);
int EffectQuakeX3(INovelEngine* engine);
int EffectQuakeY3(INovelEngine* engine);
int EffectQuakeXY3(INovelEngine* engine);

// Stage 3 (after the text window): the flashes and fades.
int EffectFlash(INovelEngine* engine);
int EffectFlash2(INovelEngine* engine);
int EffectFlash3(INovelEngine* engine);
int EffectFadeIn(INovelEngine* engine);
int EffectFadeOut(INovelEngine* engine);
int EffectFadeInU(INovelEngine* engine);
int EffectFadeOutU(INovelEngine* engine);

}  // namespace nsWendrick
