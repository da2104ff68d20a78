#include "framework/file/file_reader.h"

#include <climits>

#include "framework/file/stdio_stream.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"

namespace nsZarn::nsFile::nsFileReader {

CFileReader::~CFileReader() { CloseStream(m_File); }

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

bool CFileReader::fclose() { return CloseStream(m_File); }

bool CFileReader::IsOpen() const { return m_File != nullptr; }

// Through the object's own ftell and fseek, so that a derived reader reports the
// size of what it reads.
std::int64_t CFileReader::GetSize() { return MeasureSize(*this); }

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

std::int64_t CFileReader::ftell() { return StreamPosition(m_File); }

bool CFileReader::fseek(std::int64_t offset, int origin) { return SeekStream(m_File, offset, origin); }

bool CFileReader::fgetpos(std::int64_t& position) { return GetStreamPosition(m_File, position); }

bool CFileReader::fsetpos(std::int64_t position) { return SetStreamPosition(m_File, position); }

bool CFileReader::feof() { return StreamAtEnd(m_File); }

int CFileReader::ferror() { return StreamError(m_File); }

}  // namespace nsZarn::nsFile::nsFileReader
