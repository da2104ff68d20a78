#pragma once
// Shift-JIS characters as the plug-in walks them: a byte 0x81-0x9F or 0xE0-0xFF
// starts a two-byte character, and a lead byte as the last byte of a text is no
// character. The code of a two-byte character is first byte * 256 + second byte;
// any other byte is a one-byte character whose code is the byte read as signed
// 8 bits (so half-width katakana have negative codes).

#include <cstddef>
#include <cstdint>

namespace nsWendrick {

inline bool IsSjisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0;
}

// The code of the character at text and its length in bytes (1 or 2). A lead byte
// followed by the terminator has length 0: it is no character.
std::int32_t CharacterCodeAt(const char* text, std::size_t* length);

}  // namespace nsWendrick
