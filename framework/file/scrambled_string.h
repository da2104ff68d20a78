#pragma once
// Strings stored with an optional byte-wise scrambling: the bytes of the string,
// each byte that differs from the key XORed with it, then a raw 0. A key of 0
// stores the string plain. Used by the archive directory and the converted
// parameter files.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"

namespace nsZarn::nsFile {

constexpr std::size_t kMaxScrambledStringLength = 65535;

// Reads one stored string. False, with the string left empty, at the end of the
// file, on a read error, or when no terminator follows within 65,535 bytes.
bool ReadScrambledString(nsFileReader::IFileReader* reader, std::uint8_t key, std::string& text);

// Writes the string up to its first 0 byte, and the terminator, with one write.
// False when the string is longer than 65,535 bytes (nothing is written) or the
// write fails.
bool WriteScrambledString(nsFileWriter::IFileWriter* writer, std::uint8_t key, const std::string& text);

}  // namespace nsZarn::nsFile
