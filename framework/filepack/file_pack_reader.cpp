#include "framework/filepack/file_pack_reader.h"

#include <utility>

#include "framework/file/stdio_stream.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"

namespace nsZarn::nsFramework::nsFilePack {

CFilePackReader::CFilePackReader(const std::string& archivePath, std::shared_ptr<const FilePackDirectory> directory)
    : m_ArchivePath(archivePath), m_Directory(std::move(directory)) {}

bool CFilePackReader::fopen(const char* entryName, const char* mode) {
  if (m_File != nullptr) {
    platform::WriteDebugLine("Failed : CFilePackReader::fopen Open Data Already Exists\n");
    return false;
  }
  const FilePackEntry* entry = nullptr;
  if (m_Directory != nullptr && entryName != nullptr) {
    const auto found = m_Directory->find(entryName);
    if (found != m_Directory->end()) entry = &found->second;
  }
  if (entry == nullptr) {
    platform::WriteDebugLine("Failed : CFilePackReader::fopen File Not Found\n");
    return false;
  }
  if (!IsReadMode(mode)) {
    platform::WriteDebugLine("Failed : CFilePackReader::fopen Invalid File Mode\n");
    return false;
  }
  m_File = platform::OpenFile(m_ArchivePath, mode);
  if (m_File == nullptr) return false;
  m_Entry = *entry;
  if (!SeekAbsolute(EntryStart())) {
    fclose();
    return false;
  }
  return true;
}

std::int64_t CFilePackReader::FilePosition() const { return nsFile::StreamPosition(m_File); }

bool CFilePackReader::SeekAbsolute(std::int64_t position) { return nsFile::SeekStream(m_File, position, SEEK_SET); }

std::int64_t CFilePackReader::GetSize() { return m_File == nullptr ? 0 : m_Entry.size; }

std::int64_t CFilePackReader::ftell() {
  if (m_File == nullptr) return -1;
  return FilePosition() - EntryStart();
}

bool CFilePackReader::fseek(std::int64_t offset, int origin) {
  if (m_File == nullptr) return false;
  const std::int64_t size = m_Entry.size;
  switch (origin) {
    case SEEK_SET:
      if (offset < 0 || offset > size) return false;
      return SeekAbsolute(EntryStart() + offset);
    case SEEK_CUR: {
      const std::int64_t current = FilePosition();
      if (current < 0 || offset < EntryStart() - current || offset > EntryEnd() - current) return false;
      return SeekAbsolute(current + offset);
    }
    case SEEK_END:
      if (offset < -size || offset > 0) return false;
      return SeekAbsolute(EntryEnd() + offset);
    default:
      return false;
  }
}

bool CFilePackReader::fgetpos(std::int64_t& position) {
  if (m_File == nullptr) return false;
  position = FilePosition() - EntryStart();
  return true;
}

bool CFilePackReader::fsetpos(std::int64_t position) {
  if (m_File == nullptr || position < 0 || position > m_Entry.size) return false;
  return SeekAbsolute(EntryStart() + position);
}

bool CFilePackReader::feof() {
  if (m_File == nullptr) return true;
  return std::feof(m_File) != 0 || FilePosition() > EntryEnd();
}

bool CFilePackReader::fgetc(char& byte) {
  if (feof() || FilePosition() >= EntryEnd()) return false;
  const int c = std::fgetc(m_File);
  if (c == EOF) return false;
  byte = static_cast<char>(c);
  return true;
}

bool CFilePackReader::fgets(char* buffer, std::size_t capacity) {
  if (buffer == nullptr || capacity == 0) return false;
  // Nothing left: a caller that reads lines until fgets fails must see the end.
  if (feof() || FilePosition() >= EntryEnd()) return false;
  std::size_t stored = 0;
  char byte = 0;
  while (stored + 1 < capacity && fgetc(byte)) {
    if (byte == '\n') break;
    buffer[stored++] = byte;
    if (byte == '\0') break;
  }
  buffer[stored] = '\0';
  return true;
}

std::size_t CFilePackReader::fread(void* buffer, std::size_t elementSize, std::size_t count) {
  if (buffer == nullptr || elementSize == 0 || count == 0 || feof()) return 0;
  const std::int64_t left = EntryEnd() - FilePosition();
  if (left <= 0) return 0;
  const auto remaining = static_cast<std::uint64_t>(left);
  if (count <= remaining / elementSize) return std::fread(buffer, elementSize, count, m_File);
  // Only whole elements are read.
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t read = 0;
  while (read < count && EntryEnd() - FilePosition() >= static_cast<std::int64_t>(elementSize)) {
    if (std::fread(out + read * elementSize, elementSize, 1, m_File) != 1) break;
    ++read;
  }
  return read;
}

}  // namespace nsZarn::nsFramework::nsFilePack
