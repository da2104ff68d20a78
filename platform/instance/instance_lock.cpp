#include "platform/instance/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace

InstanceLock::~InstanceLock() { Release(); }

std::string InstanceLock::LockFilePath(std::string_view title) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string dir = (runtime != nullptr && runtime[0] != '\0') ? runtime : "/tmp";
  char name[64];
  std::snprintf(name, sizeof name, "vesk-%016llx.lock",
                static_cast<unsigned long long>(Fnv1a64(title)));
  return dir + "/" + name;
}

bool InstanceLock::Acquire(std::string_view title) {
  Release();
  if (title.empty()) return true;
  const std::string path = LockFilePath(title);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  m_Fd = fd;
  return true;
}

void InstanceLock::Release() {
  if (m_Fd < 0) return;
  ::flock(m_Fd, LOCK_UN);
  ::close(m_Fd);
  m_Fd = -1;
}

}  // namespace platform
