#include "framework/file/stdio_stream.h"

#include <sys/types.h>

namespace nsZarn::nsFile {

bool CloseStream(std::FILE*& file) {
  if (file == nullptr) return true;
  const bool closed = std::fclose(file) == 0;
  file = nullptr;
  return closed;
}

std::int64_t StreamPosition(std::FILE* file) {
  if (file == nullptr) return -1;
  return static_cast<std::int64_t>(::ftello(file));
}

bool SeekStream(std::FILE* file, std::int64_t offset, int origin) {
  return file != nullptr && ::fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

bool GetStreamPosition(std::FILE* file, std::int64_t& position) {
  const std::int64_t p = StreamPosition(file);
  if (p < 0) return false;
  position = p;
  return true;
}

bool SetStreamPosition(std::FILE* file, std::int64_t position) {
  return position >= 0 && SeekStream(file, position, SEEK_SET);
}

bool StreamAtEnd(std::FILE* file) { return file == nullptr || std::feof(file) != 0; }

int StreamError(std::FILE* file) { return file == nullptr ? 0 : std::ferror(file); }

}  // namespace nsZarn::nsFile
