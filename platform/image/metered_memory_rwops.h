#pragma once
// An SDL_RWops over bytes in memory that asks the load's meter (work_meter.h) as a
// decoder reads it. SDL_image's loaders read their file as they decode it, so a
// read refused once the meter has stopped the load ends the decode as a file cut
// short would.

#include <SDL.h>

#include <cstddef>

namespace platform {

// Null when SDL cannot make one. SDL_RWclose releases it; the bytes stay the caller's.
SDL_RWops* OpenMeteredMemory(const void* bytes, std::size_t size);

}  // namespace platform
