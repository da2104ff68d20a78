#include "platform/files/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/files/files.h"
#include "platform/files/staging_files.h"

namespace platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : m_Path(std::move(other.m_Path)), m_Target(std::move(other.m_Target)) {
  other.m_Path.clear();
}

ReplacementFile::~ReplacementFile() {
  if (!m_Path.empty()) ::unlink(m_Path.c_str());
}

bool ReplacementFile::Write(std::string_view cp932Target, std::string_view bytes) {
  if (!m_Path.empty()) return false;
  const std::string target = ToFileSystemPath(cp932Target);
  std::string path = StagingFileTemplate(cp932Target);
  const int fd = ::mkostemp(path.data(), O_CLOEXEC);
  if (fd < 0) return false;
  // mkostemp makes the file this user's alone: the replacement takes the
  // permissions of the file it replaces, when there is one.
  struct stat replaced {};
  const bool permitted = ::stat(target.c_str(), &replaced) != 0 || ::fchmod(fd, replaced.st_mode & 0777) == 0;
  const bool written = permitted && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !written) {
    ::unlink(path.c_str());
    return false;
  }
  m_Path = path;
  m_Target = target;
  return true;
}

bool ReplacementFile::PutInPlace() {
  if (m_Path.empty() || std::rename(m_Path.c_str(), m_Target.c_str()) != 0) return false;
  m_Path.clear();
  return true;
}

}  // namespace platform
