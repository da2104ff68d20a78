#include "framework/filepack/file_pack_reader.h"

#include <utility>

#include "platform/debug/debug_sink.h"

namespace nsZarn::nsFramework::nsFilePack {

CFilePackReader::CFilePackReader(std::shared_ptr<const FilePackArchive> archive) : m_Archive(std::move(archive)) {}

bool CFilePackReader::fopen(const char* entryName, const char* mode) {
  if (m_Open) {
    platform::WriteDebugLine("Failed : CFilePackReader::fopen Open Data Already Exists\n");
    return false;
  }
  const FilePackEntry* entry = nullptr;
  if (m_Archive != nullptr && entryName != nullptr) {
    const auto found = m_Archive->directory.find(entryName);
    if (found != m_Archive->directory.end()) entry = &found->second;
  }
  if (entry == nullptr) {
    platform::WriteDebugLine("Failed : CFilePackReader::fopen File Not Found\n");
    return false;
  }
  if (!IsReadMode(mode)) {
    platform::WriteDebugLine("Failed : CFilePackReader::fopen Invalid File Mode\n");
    return false;
  }
  if (m_Archive->file == nullptr) return false;
  m_Entry = *entry;
  m_Open = true;
  m_Position = 0;
  m_AtFileEnd = false;
  m_Error = false;
  return true;
}

bool CFilePackReader::fclose() {
  m_Open = false;
  return true;
}

std::size_t CFilePackReader::ReadHere(void* buffer, std::size_t bytes) {
  const std::int64_t read =
      m_Archive->file->ReadAt(static_cast<std::int64_t>(m_Entry.offset) + m_Position, buffer, bytes);
  if (read < 0) {
    m_Error = true;
    return 0;
  }
  m_Position += read;
  if (static_cast<std::size_t>(read) < bytes) m_AtFileEnd = true;
  return static_cast<std::size_t>(read);
}

bool CFilePackReader::MoveTo(std::int64_t position) {
  m_Position = position;
  m_AtFileEnd = false;  // as a seek clears a stream's end-of-file flag
  return true;
}

std::int64_t CFilePackReader::GetSize() { return m_Open ? Size() : 0; }

std::int64_t CFilePackReader::ftell() { return m_Open ? m_Position : -1; }

bool CFilePackReader::fseek(std::int64_t offset, int origin) {
  if (!m_Open) return false;
  const std::int64_t size = Size();
  switch (origin) {
    case SEEK_SET:
      if (offset < 0 || offset > size) return false;
      return MoveTo(offset);
    case SEEK_CUR:
      if (offset < -m_Position || offset > size - m_Position) return false;
      return MoveTo(m_Position + offset);
    case SEEK_END:
      if (offset < -size || offset > 0) return false;
      return MoveTo(size + offset);
    default:
      return false;
  }
}

bool CFilePackReader::fgetpos(std::int64_t& position) {
  if (!m_Open) return false;
  position = m_Position;
  return true;
}

bool CFilePackReader::fsetpos(std::int64_t position) {
  if (!m_Open || position < 0 || position > Size()) return false;
  return MoveTo(position);
}

bool CFilePackReader::feof() { return !m_Open || m_AtFileEnd || m_Position > Size(); }

bool CFilePackReader::fgetc(char& byte) {
  if (feof() || m_Position >= Size()) return false;
  return ReadHere(&byte, 1) == 1;
}

bool CFilePackReader::fgets(char* buffer, std::size_t capacity) {
  if (buffer == nullptr || capacity == 0) return false;
  // Nothing left: a caller that reads lines until fgets fails must see the end.
  if (feof() || m_Position >= Size()) return false;
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
  const std::int64_t left = Size() - m_Position;
  if (left <= 0) return 0;
  // Only whole elements are read.
  const auto whole = static_cast<std::uint64_t>(left) / elementSize;
  const std::size_t wanted = count <= whole ? count : static_cast<std::size_t>(whole);
  const std::int64_t start = m_Position;
  const std::size_t bytes = ReadHere(buffer, wanted * elementSize);
  const std::size_t elements = bytes / elementSize;
  // A partial element read at a cut-short end is not counted, and the position
  // stays after the last whole element.
  if (bytes != elements * elementSize) m_Position = start + static_cast<std::int64_t>(elements * elementSize);
  return elements;
}

}  // namespace nsZarn::nsFramework::nsFilePack
