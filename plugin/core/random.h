#pragma once
// The plug-in's own random generator, apart from the program's: the classic C
// library contract (values 0 to 32767), seeded when the plug-in attaches. It serves
// the rand command and the shake effects.

#include <cstdint>

namespace nsWendrick {

inline constexpr std::int32_t kRandomMax = 32767;

void SeedRandom(std::uint32_t seed);
// The next value, 0 to kRandomMax.
std::int32_t NextRandom();

}  // namespace nsWendrick
