// The flashes and fades: one filled rectangle over the whole screen, text window
// included, in the effect's colour at an alpha that follows the effect's time.
// The fades keep their level in the effect work group; fadein and fadeout also
// switch the text window by their flag bits and may ask for the page flip.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "plugin/core/engine_names.h"
#include "plugin/effects/effect_frame.h"
#include "plugin/effects/held_colour.h"
#include "plugin/effects/screen_effects.h"

namespace nsWendrick {
namespace {


constexpr double kDegreeToRadian = 0.017453292521;
constexpr std::uint32_t kFlashTime = 50;
constexpr std::uint8_t kOpaque = 255;

void DrawOverlay(const EffectFrame& frame, std::uint8_t alpha) {
  frame.draw->FillRect(FullScreenRect(frame), frame.data->Color, alpha);
}

// trunc(level * 255) as a byte.
std::uint8_t LevelAlpha(double level) {
  return static_cast<std::uint8_t>(static_cast<std::int32_t>(std::trunc(level * 255.0)));
}

// The fade's progress elapsed / time, 0 to 1; a time of 0 counts as complete.
double FadeProgress(const EffectFrame& frame) {
  if (frame.data->Time == 0) return 1.0;
  const double p = static_cast<double>(frame.elapsed) / static_cast<double>(frame.data->Time);
  return std::clamp(p, 0.0, 1.0);
}

std::uint32_t FadeFlags(const EffectFrame& frame) {
  return static_cast<std::uint32_t>(frame.data->Param[0]);
}

// A fade towards the colour (level rising) or away from it (level falling).
void DrawFadeOverlay(const EffectFrame& frame, bool fadingIn) {
  double& level = EffectWorkLevel(frame);
  level = FadeProgress(frame);
  if (fadingIn) level = 1.0 - level;
  DrawOverlay(frame, LevelAlpha(level));
}

}  // namespace

void ApplyFadeStartFlags(INovelEngine* engine, std::uint32_t flags) {
  IDrawManager* dm = engine->GetDrawManager();
  if ((flags & kFadeStartWindowOn) != 0) dm->SetTextWindowVisible(true);
  if ((flags & kFadeStartForcedOn) != 0) dm->SetTextWindowForced(true);
  if ((flags & kFadeStartWindowOff) != 0) dm->SetTextWindowVisible(false);
  if ((flags & kFadeStartForcedOff) != 0) dm->SetTextWindowForced(false);
}

void ApplyFadeEndFlags(INovelEngine* engine, std::uint32_t flags) {
  IDrawManager* dm = engine->GetDrawManager();
  if ((flags & kFadeEndWindowOn) != 0) dm->SetTextWindowVisible(true);
  if ((flags & kFadeEndForcedOn) != 0) dm->SetTextWindowForced(true);
  if ((flags & kFadeEndWindowOff) != 0) dm->SetTextWindowVisible(false);
  if ((flags & kFadeEndForcedOff) != 0) dm->SetTextWindowForced(false);
}

int EffectFlash(INovelEngine* engine) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  // A flash lasts a fixed 50 ms whatever the effect's time says.
  if (frame.elapsed >= kFlashTime) {
    EndEffect(frame);
    return 0;
  }
  DrawOverlay(frame, kOpaque);
  return 0;
}

int EffectFlash2(INovelEngine* engine) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  if (frame.elapsed >= frame.data->Time) {
    EndEffect(frame);
    return 0;
  }
  DrawOverlay(frame, kOpaque);
  return 0;
}

int EffectFlash3(INovelEngine* engine) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  const std::uint32_t time = frame.data->Time;
  if (frame.elapsed >= time) {
    EndEffect(frame);
    return 0;
  }
  // Half a sine wave: 255 at half the time.
  const double phase = static_cast<double>(frame.elapsed % time) / static_cast<double>(time);
  const double alpha = std::trunc(255.0 * std::sin(phase * 0.5 * 360.0 * kDegreeToRadian));
  DrawOverlay(frame, static_cast<std::uint8_t>(static_cast<std::int32_t>(alpha)));
  return 0;
}

int EffectFadeIn(INovelEngine* engine) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  const std::uint32_t flags = FadeFlags(frame);
  if (frame.first) {
    if ((flags & kFadePageFlip) != 0) RequestPageFlip(frame);
    ApplyFadeStartFlags(engine, flags);
  }
  if (frame.elapsed >= frame.data->Time) {
    EndEffect(frame);
    ApplyFadeEndFlags(engine, flags);
    return 0;
  }
  DrawFadeOverlay(frame, true);
  return 0;
}

int EffectFadeOut(INovelEngine* engine) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  const std::uint32_t flags = FadeFlags(frame);
  if (frame.first) ApplyFadeStartFlags(engine, flags);
  if (frame.elapsed >= frame.data->Time) {
    // The screen ends fully covered, and stays so (held_colour.h).
    DrawOverlay(frame, kOpaque);
    EndEffect(frame);
    HoldColour(*frame.data);
    if ((flags & kFadePageFlip) != 0) RequestPageFlip(frame);
    ApplyFadeEndFlags(engine, flags);
    return 0;
  }
  DrawFadeOverlay(frame, false);
  return 0;
}

int EffectFadeInU(INovelEngine* engine) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  if (frame.first) RequestPageFlip(frame);
  if (frame.elapsed >= frame.data->Time) {
    EndEffect(frame);
    return 0;
  }
  DrawFadeOverlay(frame, true);
  return 0;
}

int EffectFadeOutU(INovelEngine* engine) {
  EffectFrame frame;
  if (!BeginEffectFrame(engine, frame)) return 0;
  // No test on the elapsed time: the fade ends in the frame whose progress reaches
  // 1, a time of 0 included.
  DrawFadeOverlay(frame, false);
  if (EffectWorkLevel(frame) >= 1.0) {
    DrawOverlay(frame, kOpaque);
    EndEffect(frame);
    HoldColour(*frame.data);
    RequestPageFlip(frame);
  }
  return 0;
}

}  // namespace nsWendrick
