#pragma once
// Rules shared by the task manager's operations: the source rectangle check, names
// passed as null pointers, and 32-bit results that wrap instead of overflowing.

#include <cstdint>

#include "engine/api/types.h"

namespace nsTamskLib::nsTaskManager {

// A source rectangle is wrong when it is upside down, reversed or starts left of or
// above the image.
inline bool IsBadSrcRect(const TRect& r) {
  return r.top > r.bottom || r.left > r.right || r.top < 0 || r.left < 0;
}

// Sprite, button, image and sound names arrive as C strings; null reads as "".
inline const char* NameOrEmpty(const char* name) { return name != nullptr ? name : ""; }

// The low 32 bits of a wider result, as the engine's 32-bit arithmetic gives them.
inline std::int32_t Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace nsTamskLib::nsTaskManager
