#include "platform/files/positional_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/files/files.h"

namespace platform {

std::shared_ptr<PositionalFile> PositionalFile::Open(std::string_view cp932Path) {
  const std::string path = ToFileSystemPath(cp932Path);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_shared<PositionalFile>(fd);
}

PositionalFile::~PositionalFile() { ::close(m_Fd); }

std::int64_t PositionalFile::ReadAt(std::int64_t offset, void* buffer, std::size_t size) const {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(m_Fd, out + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;  // the end of the file
    done += static_cast<std::size_t>(n);
  }
  return static_cast<std::int64_t>(done);
}

}  // namespace platform
