#pragma once
// Shift-JIS (code page 932) text. All text inside the system is CP932 bytes; it is
// converted only at the edges (window title, message boxes, glyph lookup, file
// names). The conversions never fail: a byte sequence that cannot be mapped becomes
// a replacement ('?' in CP932, U+FFFD in Unicode), so callers always get text back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A byte from 0x81 to 0x9F or from 0xE0 to 0xFF starts a two-byte character.
constexpr bool IsSjisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0;
}
constexpr bool IsSjisLeadByte(char byte) { return IsSjisLeadByte(static_cast<unsigned char>(byte)); }

// The number of bytes of the character that starts at pos: 2 for a lead byte with
// a following byte, 1 for any other byte, 0 at the end of the text, at a 0 byte, and
// for a lead byte that is the last byte (such a lead byte ends the text).
std::size_t SjisCharLength(std::string_view text, std::size_t pos);

// The character code at pos: lead x 256 + trail for a two-byte character, the byte
// value otherwise; 0 where SjisCharLength is 0.
std::uint16_t SjisCharCode(std::string_view text, std::size_t pos);

// Finds the first occurrence of an ASCII byte that is a character of its own (never
// the trail byte of a two-byte character). npos when there is none.
std::size_t SjisFind(std::string_view text, char ascii, std::size_t from = 0);
// The same, searching from the end.
std::size_t SjisFindLast(std::string_view text, char ascii);

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);
std::u32string Cp932ToUcs4(std::string_view cp932);
std::string Ucs4ToCp932(std::u32string_view ucs4);

// The Unicode character of one CP932 character code (a byte, or lead x 256 + trail);
// 0 when code page 932 does not map it (such codes draw as the missing glyph).
char32_t Cp932CodeToUcs4(std::uint16_t code);

// True when the bytes are valid CP932 that converts to Unicode without replacement.
bool IsValidCp932(std::string_view cp932);

}  // namespace platform
