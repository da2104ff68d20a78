#include "engine/textstream/file_text_stream.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

#include "engine/api/token_containers.h"
#include "engine/core/error_report.h"

namespace nsTamskLib::nsTextStream {

FileTextStream::FileTextStream(std::string fileName) : m_FileName(std::move(fileName)) {}

void FileTextStream::Write(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = nsCore::FormatMessageText(format, args);
  va_end(args);
  Append(text);
}

void FileTextStream::WriteExpression(const Expression& expr) {
  WriteExpressionTokens(*this, expr);
}

void FileTextStream::Append(const std::string& text) {
  std::FILE* file = std::fopen(m_FileName.c_str(), "a");
  if (file == nullptr) return;
  std::fputs(text.c_str(), file);
  std::fclose(file);
}

}  // namespace nsTamskLib::nsTextStream
