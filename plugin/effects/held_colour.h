#pragma once
// The colour a fade-out ends on stays over the whole screen after the fade has
// ended, so that what the commands between a fade-out and the fade-in after it do
// (a new background, new characters, the page flips that show them, the fade's
// own flip included) never shows for a frame. It stays until another effect
// starts, an effect is skipped, or the script waits for the player: a message
// shown, a click or a choice awaited.
//
// The ended fade-out leaves the effect record as an effect of its own, the held
// colour, which has no time and never ends by itself; the effect command counts it
// as ended. Being an effect, it is drawn every frame whatever the update pattern
// does, saved and loaded with the task manager, and replaced by the next effect.
// In the story screen it covers the text window too; on the screens that show the
// story under their own text (the backlog, save, load) only the story's pictures.

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// The ended fade-out's record (its colour kept) becomes the held colour.
void HoldColour(nsTamskLib::nsTaskManager::EffectParam& effect);
// Whether an effect is running: neither none nor the held colour.
bool IsEffectRunning(nsTamskLib::nsTaskManager::ITaskManager& tasks);
// Ends the held colour, if it is held.
void EndHeldColour(INovelEngine* engine);

// The held colour's drawing stages: after the draw tasks, and after the text window.
int EffectHeldColourUnderText(INovelEngine* engine);
int EffectHeldColour(INovelEngine* engine);

}  // namespace nsWendrick
