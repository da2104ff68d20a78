#include "framework/file/file_writer.h"

#include <cstdarg>
#include <string>

#include "framework/file/stdio_stream.h"
#include "framework/file/user_format.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"

namespace nsZarn::nsFile::nsFileWriter {

CFileWriter::~CFileWriter() { CloseStream(m_File); }

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

bool CFileWriter::fclose() { return CloseStream(m_File); }

bool CFileWriter::IsOpen() const { return m_File != nullptr; }

std::int64_t CFileWriter::GetSize() { return MeasureSize(*this); }

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

std::int64_t CFileWriter::ftell() { return StreamPosition(m_File); }

bool CFileWriter::fseek(std::int64_t offset, int origin) { return SeekStream(m_File, offset, origin); }

bool CFileWriter::fgetpos(std::int64_t& position) { return GetStreamPosition(m_File, position); }

bool CFileWriter::fsetpos(std::int64_t position) { return SetStreamPosition(m_File, position); }

bool CFileWriter::feof() { return StreamAtEnd(m_File); }

int CFileWriter::ferror() { return StreamError(m_File); }

}  // namespace nsZarn::nsFile::nsFileWriter
