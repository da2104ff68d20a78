#pragma once
// The colour a fade-out ends on stays over the whole screen after the fade has
// ended. The script runs one command a frame, so the commands between a fade-out
// and what follows it would each show a frame of a page being prepared: a new
// background or new characters written, the page flips that show them (the fade's
// own flip, an update of no time, the flip pattern whatever its time, any
// transition in skip mode), and whatever else finishes in the frame in which it
// starts. The colour stays over those frames.
//
// It ends in the first frame that shows the page again, which the commands mark by
// calling UncoverPage: a transition that takes time or a wait, outside skip mode;
// a sleep whose condition does not yet hold; a message; a choice; an effect passed
// over in skip mode. Any effect that starts replaces it (a fade-in from the colour
// takes over with no frame between), and a new story section clears it.
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
// This frame shows the page: the held colour, if it is held, ends.
void UncoverPage(INovelEngine* engine);

// The held colour's drawing stages: after the draw tasks, and after the text window.
int EffectHeldColourUnderText(INovelEngine* engine);
int EffectHeldColour(INovelEngine* engine);

}  // namespace nsWendrick
