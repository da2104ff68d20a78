#pragma once
// Little-endian words and bytes on the engine's stream, as the compiled script and
// every save block store them: a word is four bytes, lowest first, through
// SavePrimitive and LoadPrimitive, whatever the host's byte order. Header-only, so
// the plug-in shares this code without linking the engine.
//
// Each field access tests first that the stream is open; a closed stream is the
// fatal "ファイルがオープンされていません！" with no owner window.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/api/io_stream.h"
#include "engine/api/misuse.h"

namespace nsTamskLib::nsIOStream {

// The four bytes of a word, lowest first, and back.
inline std::array<unsigned char, 4> PackU32(std::uint32_t value) {
  return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

inline std::uint32_t UnpackU32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline void RequireOpen(const IIOStream& stream) {
  if (!stream.IsOpen()) ReportMisuse("ファイルがオープンされていません！");
}

inline void WriteU32(IIOStream& stream, std::uint32_t value) {
  RequireOpen(stream);
  const std::array<unsigned char, 4> bytes = PackU32(value);
  stream.SavePrimitive(bytes.data(), 4);
}

// A short read leaves the missing bytes 0 (the stream records the failure).
inline std::uint32_t ReadU32(IIOStream& stream) {
  RequireOpen(stream);
  unsigned char bytes[4] = {0, 0, 0, 0};
  stream.LoadPrimitive(bytes, 4);
  return UnpackU32(bytes);
}

inline void WriteI32(IIOStream& stream, std::int32_t value) {
  WriteU32(stream, static_cast<std::uint32_t>(value));
}

inline std::int32_t ReadI32(IIOStream& stream) { return static_cast<std::int32_t>(ReadU32(stream)); }

inline void WriteU8(IIOStream& stream, std::uint8_t value) {
  RequireOpen(stream);
  stream.SavePrimitive(&value, 1);
}

inline std::uint8_t ReadU8(IIOStream& stream) {
  RequireOpen(stream);
  std::uint8_t value = 0;
  stream.LoadPrimitive(&value, 1);
  return value;
}

// One string read with LoadChar, into a buffer that the calling thread reuses
// instead of clearing 65,536 bytes for every string (a compiled script reads tens
// of thousands). The stream writes the string and its terminator; the first and
// last bytes are set to 0 so that the result ends inside the buffer whatever the
// stream wrote.
inline std::string LoadCharString(IIOStream& stream) {
  static thread_local std::vector<char> buffer(kStringBufferSize);
  buffer.front() = '\0';
  buffer.back() = '\0';
  stream.LoadChar(buffer.data());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

// The four-byte magic a file starts with: false when it differs or is cut short.
inline bool ReadMagic(IIOStream& stream, const char (&magic)[4]) {
  char bytes[4] = {0, 0, 0, 0};
  stream.LoadPrimitive(bytes, sizeof bytes);
  return !stream.HasReadFailed() && std::equal(bytes, bytes + 4, magic);
}

}  // namespace nsTamskLib::nsIOStream
