#include "framework/file/binary_io.h"

namespace nsZarn::nsFile {
namespace {

template <typename T>
bool ReadLittleEndian(nsFileReader::IFileReader& reader, T& value) {
  unsigned char bytes[sizeof(T)];
  if (reader.fread(bytes, 1, sizeof bytes) != sizeof bytes) return false;
  T v = 0;
  for (std::size_t i = sizeof bytes; i-- > 0;) v = static_cast<T>((v << 8) | bytes[i]);
  value = v;
  return true;
}

template <typename T>
bool WriteLittleEndian(nsFileWriter::IFileWriter& writer, T value) {
  unsigned char bytes[sizeof(T)];
  for (std::size_t i = 0; i < sizeof bytes; ++i) bytes[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
  return writer.fwrite(bytes, 1, sizeof bytes) == sizeof bytes;
}

}  // namespace

bool ReadU32(nsFileReader::IFileReader& reader, std::uint32_t& value) { return ReadLittleEndian(reader, value); }
bool ReadU64(nsFileReader::IFileReader& reader, std::uint64_t& value) { return ReadLittleEndian(reader, value); }
bool WriteU32(nsFileWriter::IFileWriter& writer, std::uint32_t value) { return WriteLittleEndian(writer, value); }
bool WriteU64(nsFileWriter::IFileWriter& writer, std::uint64_t value) { return WriteLittleEndian(writer, value); }

std::int64_t RemainingBytes(nsFileReader::IFileReader& reader) {
  const std::int64_t position = reader.ftell();
  const std::int64_t size = reader.GetSize();
  return position >= 0 && size > position ? size - position : 0;
}

}  // namespace nsZarn::nsFile
