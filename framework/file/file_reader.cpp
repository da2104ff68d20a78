#include "framework/file/file_reader.h"

#include <climits>

#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"

namespace nsZarn::nsFile::nsFileReader {

CFileReader::~CFileReader() {
  if (m_File != nullptr) std::fclose(m_File);
}

bool CFileReader::IsReadMode(const char* mode) {
  return mode != nullptr && mode[0] == 'r' && mode[1] != '+';
}

bool CFileReader::fopen(const char* fileName, const char* mode) {
  if (m_File != nullptr) {
    platform::WriteDebugLine("Failed : CFileReader::fopen Open Data Already Exists\n");
    return false;
  }
  if (!IsReadMode(mode)) {
    platform::WriteDebugLine("Failed : CFileReader::fopen Invalid File Mode\n");
    return false;
  }
  if (fileName == nullptr) return false;
  m_File = platform::OpenFile(fileName, mode);
  return m_File != nullptr;
}

bool CFileReader::fclose() {
  if (m_File == nullptr) return true;
  // The C library releases the stream even when closing fails, so the handle is
  // never kept for a second close; the failure is still reported.
  const bool closed = std::fclose(m_File) == 0;
  m_File = nullptr;
  return closed;
}

bool CFileReader::IsOpen() const { return m_File != nullptr; }

// Goes through the object's own ftell and fseek, so that a derived reader reports
// the size of what it reads.
std::int64_t CFileReader::GetSize() {
  if (!IsOpen()) return 0;
  const std::int64_t position = ftell();
  fseek(0, SEEK_END);
  const std::int64_t size = ftell();
  fseek(position, SEEK_SET);
  return size;
}

bool CFileReader::fgetc(char& byte) {
  if (m_File == nullptr) return false;
  const int c = std::fgetc(m_File);
  if (c == EOF) return false;
  byte = static_cast<char>(c);
  return true;
}

bool CFileReader::fgets(char* buffer, std::size_t capacity) {
  if (m_File == nullptr || buffer == nullptr || capacity == 0) return false;
  const int limit = capacity > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(capacity);
  return std::fgets(buffer, limit, m_File) != nullptr;
}

std::size_t CFileReader::fread(void* buffer, std::size_t elementSize, std::size_t count) {
  if (m_File == nullptr || buffer == nullptr || elementSize == 0 || count == 0) return 0;
  return std::fread(buffer, elementSize, count, m_File);
}

std::int64_t CFileReader::ftell() {
  if (m_File == nullptr) return -1;
  return static_cast<std::int64_t>(::ftello(m_File));
}

bool CFileReader::fseek(std::int64_t offset, int origin) {
  if (m_File == nullptr) return false;
  return ::fseeko(m_File, static_cast<off_t>(offset), origin) == 0;
}

bool CFileReader::fgetpos(std::int64_t& position) {
  const std::int64_t p = CFileReader::ftell();
  if (p < 0) return false;
  position = p;
  return true;
}

bool CFileReader::fsetpos(std::int64_t position) {
  if (position < 0) return false;
  return CFileReader::fseek(position, SEEK_SET);
}

bool CFileReader::feof() { return m_File == nullptr || std::feof(m_File) != 0; }

int CFileReader::ferror() { return m_File == nullptr ? 0 : std::ferror(m_File); }

}  // namespace nsZarn::nsFile::nsFileReader
