#include "framework/file/file_writer.h"

#include <cstdarg>
#include <string>

#include "framework/file/user_format.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"

namespace nsZarn::nsFile::nsFileWriter {

CFileWriter::~CFileWriter() {
  if (m_File != nullptr) std::fclose(m_File);
}

bool CFileWriter::fopen(const char* fileName, const char* mode) {
  if (m_File != nullptr) {
    platform::WriteDebugLine("Failed : CFileWriter::fopen Open Data Already Exists\n");
    return false;
  }
  if (mode == nullptr || mode[0] == 'r') {
    platform::WriteDebugLine("Failed : CFileWriter::fopen Invalid File Mode\n");
    return false;
  }
  if (fileName == nullptr) return false;
  m_File = platform::OpenFile(fileName, mode);
  return m_File != nullptr;
}

bool CFileWriter::fclose() {
  if (m_File == nullptr) return true;
  // The C library releases the stream even when the final write fails, so the
  // handle is never kept for a second close; the failure is still reported.
  const bool closed = std::fclose(m_File) == 0;
  m_File = nullptr;
  return closed;
}

bool CFileWriter::IsOpen() const { return m_File != nullptr; }

std::int64_t CFileWriter::GetSize() {
  if (!IsOpen()) return 0;
  const std::int64_t position = ftell();
  fseek(0, SEEK_END);
  const std::int64_t size = ftell();
  fseek(position, SEEK_SET);
  return size;
}

bool CFileWriter::fputc(char byte) {
  return m_File != nullptr && std::fputc(static_cast<unsigned char>(byte), m_File) != EOF;
}

bool CFileWriter::fputs(const char* text) {
  return m_File != nullptr && text != nullptr && std::fputs(text, m_File) != EOF;
}

std::size_t CFileWriter::fwrite(const void* buffer, std::size_t elementSize, std::size_t count) {
  if (m_File == nullptr || buffer == nullptr || elementSize == 0 || count == 0) return 0;
  return std::fwrite(buffer, elementSize, count, m_File);
}

int CFileWriter::fprintf(const char* format, ...) {
  if (m_File == nullptr) return -1;
  std::va_list args;
  va_start(args, format);
  const std::string text = nsZarn::nsFile::FormatUserText(format, args);
  va_end(args);
  return std::fprintf(m_File, "%s", text.c_str());
}

std::int64_t CFileWriter::ftell() {
  if (m_File == nullptr) return -1;
  return static_cast<std::int64_t>(::ftello(m_File));
}

bool CFileWriter::fseek(std::int64_t offset, int origin) {
  if (m_File == nullptr) return false;
  return ::fseeko(m_File, static_cast<off_t>(offset), origin) == 0;
}

bool CFileWriter::fgetpos(std::int64_t& position) {
  const std::int64_t p = CFileWriter::ftell();
  if (p < 0) return false;
  position = p;
  return true;
}

bool CFileWriter::fsetpos(std::int64_t position) {
  if (position < 0) return false;
  return CFileWriter::fseek(position, SEEK_SET);
}

bool CFileWriter::feof() { return m_File == nullptr || std::feof(m_File) != 0; }

int CFileWriter::ferror() { return m_File == nullptr ? 0 : std::ferror(m_File); }

}  // namespace nsZarn::nsFile::nsFileWriter
