#pragma once
// The faces the game names that this system does not have, mapped to installed
// families that stand in for them.

#include <string_view>

namespace platform {

// The fontconfig family that stands in for a Shift-JIS face name, or null when
// the name has no fixed substitute (it is then looked up through fontconfig).
// Names compare as the original system compared them: ASCII letters without case.
const char* FixedFamilyFor(std::string_view sjisFace);

// The family used when nothing else serves: it has every Japanese glyph.
inline constexpr const char* kLastResortFamily = "IPAGothic";

}  // namespace platform
