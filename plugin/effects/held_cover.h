#pragma once
// The colour a fade-out ends on stays over the picture after the effect has ended,
// until the next effect starts or the pages flip, so that the commands between a
// fade-out and the fade-in after it (a new background, new characters) never show
// the unfaded picture for a frame. The ended effect record keeps the fade's colour
// and a mark; it is saved and loaded with the task manager like the rest of the
// record, and a new effect record replaces it.
//
// The cover is one filled rectangle on top of every layer, sprite and button of
// the shown page; the text window is drawn over it, so text after a fade-out reads
// on the faded screen.

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Marks the ended effect record: its colour is held.
void HoldCover(nsTamskLib::nsTaskManager::EffectParam& effect);
// The held colour over the whole screen, queued with the frame's draw tasks.
void PushHeldCover(INovelEngine* engine, ITMAccessor& tasks);
// The pages flip: the new picture is shown as it is.
void ReleaseHeldCover(ITMAccessor& tasks);
// An effect skipped in skip mode starts nothing, but it ends the held colour as a
// shown one would.
void ReleaseHeldCover(INovelEngine* engine);

}  // namespace nsWendrick
