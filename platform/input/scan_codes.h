#pragma once
// The classic PC keyboard scan codes (the DirectInput key numbers the game reads)
// for SDL's scan codes.

#include <cstdint>

namespace platform {

// 0 for keys that have no scan code of their own.
std::uint8_t PcScanCodeFromSdl(int sdlScancode);

}  // namespace platform
