#pragma once
// Sums of the battle's 32-bit values: they wrap as two's-complement numbers instead
// of overflowing, so absurd data gives absurd numbers but never undefined ones.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace nsVesk::nsGame {

inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// A 64-bit value brought into the range of a 32-bit one.
inline std::int32_t ClampToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace nsVesk::nsGame
