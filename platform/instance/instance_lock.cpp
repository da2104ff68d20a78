#include "platform/instance/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/debug/debug_sink.h"

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

std::vector<std::string> InstanceLock::LockFolders() {
  std::vector<std::string> folders;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] != '\0' && std::string(runtime) != "/tmp") folders.emplace_back(runtime);
  folders.emplace_back("/tmp");
  return folders;
}

std::string InstanceLock::LockFileName(std::string_view title) {
  char name[64];
  std::snprintf(name, sizeof name, "vesk-%016llx.lock", static_cast<unsigned long long>(Fnv1a64(title)));
  return name;
}

std::string InstanceLock::LockFilePath(std::string_view title) {
  return LockFolders().front() + "/" + LockFileName(title);
}

bool InstanceLock::Acquire(std::string_view title) { return Acquire(title, LockFolders()); }

bool InstanceLock::Acquire(std::string_view title, const std::vector<std::string>& folders) {
  Release();
  if (title.empty()) return true;
  for (const std::string& folder : folders) {
    const std::string path = folder + "/" + LockFileName(title);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) continue;  // this folder cannot hold the lock: the next one may
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      m_Fd = fd;
      m_Path = path;
      return true;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return false;  // another instance holds it
  }
  WriteDebugLine("Failed : InstanceLock::Acquire No Lock File, Started Without The Guard\n");
  return true;
}

void InstanceLock::Release() {
  if (m_Fd < 0) return;
  ::flock(m_Fd, LOCK_UN);
  ::close(m_Fd);
  m_Fd = -1;
  m_Path.clear();
}

}  // namespace platform
