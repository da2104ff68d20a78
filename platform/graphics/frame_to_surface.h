#pragma once
// Puts the 800x600 frame into a window's surface: pixel for pixel when the surface
// has the frame's size, otherwise scaled as large as fits, keeping its shape,
// centred between black bars (letterbox.h) and filtered linearly, so that equal
// strokes stay equal at any scale. A surface of 32-bit XRGB or ARGB takes the
// frame's words as they are; other formats are converted row by row.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/graphics/texture.h"

namespace platform {

class FrameToSurface {
 public:
  // False when the surface cannot be written.
  bool Copy(const Texture& frame, SDL_Surface& surface);

 private:
  std::vector<std::uint32_t> m_Row;  // one scaled row, reused from frame to frame
};

}  // namespace platform
