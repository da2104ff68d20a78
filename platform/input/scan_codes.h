#pragma once
// The classic PC keyboard scan codes (the DirectInput key numbers the game reads)
// for SDL's scan codes, and the game's mouse button numbers for SDL's buttons.

#include <cstddef>
#include <cstdint>

namespace platform {

// 0 for keys that have no scan code of their own.
std::uint8_t PcScanCodeFromSdl(int sdlScancode);

// The game's buttons are left, right, middle, then the two side buttons.
inline constexpr std::size_t kGameMouseButtons = 5;

// SDL's number (SDL_BUTTON_LEFT...) of one of the game's buttons; 0 for none.
int SdlMouseButton(std::size_t gameButton);
// The game's number of an SDL button; kGameMouseButtons for one the game has not.
std::size_t GameMouseButton(int sdlButton);

}  // namespace platform
