#pragma once
// Fields of command bodies and of the plug-in's save block on the host's stream.
// A string is written with the stream's SaveChar and read with LoadChar into a
// buffer of 65,536 bytes, after testing that the stream is open; a string
// longer than the 65,535 bytes such a buffer can give back is refused when it is
// written, so nothing is saved that could not be read back unchanged.

#include <cstdint>
#include <string>

#include "engine/api/fwd.h"

namespace nsWendrick {

// Longest string a field holds.
inline constexpr std::size_t kMaxStringField = 65535;

// Command bodies: strings with the open test, integers and expressions without it.
void SaveStringField(nsTamskLib::nsIOStream::IIOStream* stream, const std::string& text);
std::string LoadStringField(nsTamskLib::nsIOStream::IIOStream* stream);
void SaveIntField(nsTamskLib::nsIOStream::IIOStream* stream, std::int32_t value);
std::int32_t LoadIntField(nsTamskLib::nsIOStream::IIOStream* stream);
void SaveExpressionField(nsTamskLib::nsIOStream::IIOStream* stream, const nsTamskLib::Expression& expr);
void LoadExpressionField(nsTamskLib::nsIOStream::IIOStream* stream, nsTamskLib::Expression& expr);

// The save block: every integer and string after the open test, integers as four
// little-endian bytes through SavePrimitive and LoadPrimitive.
void SaveBlockInt(nsTamskLib::nsIOStream::IIOStream* stream, std::int32_t value);
std::int32_t LoadBlockInt(nsTamskLib::nsIOStream::IIOStream* stream);

// The open test of the save block and of string fields: a closed stream is fatal
// "ファイルがオープンされていません！" with no owner window.
void RequireOpenStream(nsTamskLib::nsIOStream::IIOStream* stream);

}  // namespace nsWendrick
