#pragma once
// Starting one section of the story script from a story parameter file: every
// command object back at its start, no choice left open, the player back in its
// normal state, the text window set up from the file's section, and a jump to the
// section's start label. Shared by the story and reward scenes.

#include <string>

namespace nsTamskLib::nsScene { class IScenePlayer; }

namespace nsVesk::nsADV {

// Ends a choice that a section left behind (returned to the title while it was
// shown): the choice window closed and the timed choice's timer, which draws its
// pictures, stopped.
void EndOpenChoice(nsTamskLib::nsScene::IScenePlayer& player);

// A section started again starts every command afresh: a message abandoned half
// shown is laid out again with its talker, waits and choices start over.
// Keys of `section` in `file`: SetTextWindowShow (not 0: the window shown when
// above 0, hidden otherwise), SetTextWindow (not 0: the window becomes the image
// SetTextWindowFileName at SetTextWindowX/Y with alpha SetTextWindowA and the
// source rectangle SetTextWindowSrcRect_*), StartLabel (default "@start").
void StartStorySection(const std::string& file, const char* section);

}  // namespace nsVesk::nsADV
