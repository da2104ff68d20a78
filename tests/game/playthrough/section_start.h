#pragma once
// How a story section comes onto the screen: from the story scene's first frame,
// played at the display's pace, every frame shows either a plain screen or the
// section's own picture (the background its script shows first, perhaps still
// fading in), and the picture stands within kSectionPictureLimitMs.

#include <cstdint>
#include <string>

#include "tests/game/playthrough/game_driver.h"

namespace vesk_play {

inline constexpr std::uint32_t kSectionPictureLimitMs = 300;

// Called before the story scene of section `name` (its label in `scriptSource`)
// has run its first frame; faults in the driver for a frame of another picture
// and for a picture that comes too late. The game time at which the picture
// stood, or 0 when it never did.
std::uint32_t WatchSectionStart(GameDriver& driver, const std::string& scriptSource, const std::string& name);

}  // namespace vesk_play
