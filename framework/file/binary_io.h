#pragma once
// Little-endian integers read and written byte by byte, independent of the host's
// byte order, for the archive and the converted parameter files.

#include <cstdint>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"

namespace nsZarn::nsFile {

bool ReadU32(nsFileReader::IFileReader& reader, std::uint32_t& value);
bool ReadU64(nsFileReader::IFileReader& reader, std::uint64_t& value);
bool WriteU32(nsFileWriter::IFileWriter& writer, std::uint32_t value);
bool WriteU64(nsFileWriter::IFileWriter& writer, std::uint64_t value);

// The bytes between the reader's position and the end of what it reads; 0 when
// that cannot be told.
std::int64_t RemainingBytes(nsFileReader::IFileReader& reader);

}  // namespace nsZarn::nsFile
