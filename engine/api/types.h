#pragma once
// Basic types shared by the program and the plug-in: the owner-window handle, the
// engine rectangle, the interface version and the bound of the pointer lists.

#include <cstdint>

namespace nsTamskLib {

// The window that owns message boxes; opaque to the engine and the plug-in.
using WindowHandle = void*;

// Engine rectangle: left, top, right, bottom.
struct TRect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

// A rectangle from a position and a size: {x, y, x + width, y + height}.
inline TRect MakeRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  // The sums wrap in 32 bits like the rest of the engine's rectangle arithmetic.
  return TRect{x, y,
               static_cast<std::int32_t>(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(width)),
               static_cast<std::int32_t>(static_cast<std::uint32_t>(y) + static_cast<std::uint32_t>(height))};
}

// The engine's interface version, major * 1000 + minor.
inline constexpr int kTamskLibVersion = 1300;

// Lists handed to the plug-in as arrays of pointers hold at most this many entries:
// the draw tasks of one frame, the sprites, the buttons.
inline constexpr unsigned kMaxPointerList = 1024;

// Formatted messages (error boxes, the error log) are cut to this many characters.
inline constexpr unsigned kMaxFormattedMessage = 1024;

}  // namespace nsTamskLib
