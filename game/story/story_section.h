#pragma once
// Starting one section of the story script from a story parameter file: the player
// back in its normal state, the text window set up from the file's section, and a
// jump to the section's start label. Shared by the story and reward scenes.

#include <string>

namespace nsVesk::nsADV {

// Keys of `section` in `file`: SetTextWindowShow (not 0: the window shown when
// above 0, hidden otherwise), SetTextWindow (not 0: the window becomes the image
// SetTextWindowFileName at SetTextWindowX/Y with alpha SetTextWindowA and the
// source rectangle SetTextWindowSrcRect_*), StartLabel (default "@start").
void StartStorySection(const std::string& file, const char* section);

}  // namespace nsVesk::nsADV
