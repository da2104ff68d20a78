#pragma once
// A file opened once for reading at given positions: one descriptor that any
// number of readers share, each keeping its own position (positional reads never
// move a shared file offset, so readers on several threads do not disturb each
// other). The data archive is read this way, so that every loaded sound and
// picture does not hold a descriptor of its own.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

class PositionalFile {
 public:
  // Null when the file cannot be opened (a CP932 path).
  static std::shared_ptr<PositionalFile> Open(std::string_view cp932Path);

  explicit PositionalFile(int fd) : m_Fd(fd) {}
  PositionalFile(const PositionalFile&) = delete;
  PositionalFile& operator=(const PositionalFile&) = delete;
  ~PositionalFile();

  // Reads up to size bytes at the offset; the count read (less at the end of the
  // file), or -1 on a read error.
  std::int64_t ReadAt(std::int64_t offset, void* buffer, std::size_t size) const;

 private:
  int m_Fd;
};

}  // namespace platform
